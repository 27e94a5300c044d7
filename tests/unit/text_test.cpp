// Tests of text output on the game's 320 x 300 screen (40 columns, text view rows 1 to 17, row 18
// below it) and on the start-up text screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "runtime/display/default_palette.h"
#include "runtime/display/fonts.h"
#include "runtime/display/image.h"
#include "runtime/display/text.h"
#include "runtime/services/errors.h"
#include "runtime/services/wait_hub.h"

namespace kelvo {
namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 300;

// The game's screen as the image table makes it: 8-bit, font 16, text view rows 1 to 17.
Image game_screen() {
  Image image;
  image.inUse = 1;
  image.width = kWidth;
  image.height = kHeight;
  image.bytesPerPixel = 1;
  image.bitsPerPixel = 8;
  image.colourMask = 255;
  image.foreground = 15;
  image.font = 16;
  image.textTop = 1;
  image.textBottom = 17;
  image.palette = std::make_shared<Palette>(default_palette());
  image.pixels.assign(kWidth * kHeight, 0);
  image.viewRight = kWidth - 1;
  image.viewBottom = kHeight - 1;
  return image;
}

// An 80 x 25 text screen with a text view of rows 1 to 24.
Image text_screen() {
  Image image;
  image.inUse = 1;
  image.isText = 1;
  image.width = 80;
  image.height = 25;
  image.bytesPerPixel = 2;
  image.foreground = 7;
  image.background = 9;  // bit 3 would be the blink bit; only bits 4-6 hold the background
  image.font = 16;
  image.textTop = 1;
  image.textBottom = 24;
  image.pixels.assign(80 * 25 * 2, 0x41);
  return image;
}

// Every pixel line of text row r (1-based) gets colour r; the 12 lines below row 18 get 99.
void paint_rows(Image& image) {
  for (int y = 0; y < kHeight; ++y) {
    std::fill_n(image.row(y), kWidth, static_cast<uint8_t>(y < 288 ? y / 16 + 1 : 99));
  }
}

// The colour of each 16-line text row when it is one colour throughout, else -1; then the 12
// lines below the last row.
std::vector<int> row_colours(const Image& image) {
  std::vector<int> colours;
  for (int top = 0; top < kHeight; top += 16) {
    const uint8_t first = image.row(top)[0];
    bool same = true;
    for (int y = top; y < std::min(top + 16, kHeight); ++y) {
      same &=
          std::all_of(image.row(y), image.row(y) + kWidth, [&](uint8_t p) { return p == first; });
    }
    colours.push_back(same ? first : -1);
  }
  return colours;
}

// The 8 x 16 cell at (column, row) read back as glyph pixels: 255 where it has `ink`.
std::vector<uint8_t> cell_mask(const Image& image, int column, int row, uint8_t ink) {
  std::vector<uint8_t> mask;
  for (int r = 0; r < 16; ++r) {
    const uint8_t* p = image.row((row - 1) * 16 + r) + (column - 1) * 8;
    for (int k = 0; k < 8; ++k) mask.push_back(p[k] == ink ? 255 : 0);
  }
  return mask;
}

std::vector<uint8_t> glyph_of(uint8_t c, bool inverted = false) {
  std::vector<uint8_t> g(font_8x16_table().data() + c * 128,
                         font_8x16_table().data() + c * 128 + 128);
  if (inverted) {
    for (uint8_t& p : g) p = static_cast<uint8_t>(255 - p);
  }
  return g;
}

class TextTest : public ::testing::Test {
 protected:
  void at(int row, int column) {
    locate(screen, errors, row, column, 0, 0, 0, kLocateRow | kLocateColumn);
    ASSERT_EQ(errors.pending(), 0);
  }
  void print(const std::string& text, bool newline = false) {
    print_text(screen, errors, text, newline ? 1 : 0, hooks);
  }
  void expect_cursor(int row, int column, int pending = 0) {
    EXPECT_EQ(screen.cursorRow, row);
    EXPECT_EQ(screen.cursorColumn, column);
    EXPECT_EQ(screen.newlinePending, pending);
  }

  WaitHub hub;
  Errors errors{hub};
  Image screen = game_screen();
  TextHooks hooks;
};

// ---- locate ----

TEST_F(TextTest, LocateAcceptsTheTextViewAndTheLastRowOnly) {
  struct Case {
    int row, column, top, bottom;  // the text view's first and last rows
    bool accepted;
  };
  // clang-format off
  const Case cases[] = {{18, 40, 1, 17, true}, {17, 1, 1, 17, true}, {19, 1, 1, 17, false}, {1, 41, 1, 17, false},
                        {0, 1, 1, 17, false}, {1, 0, 1, 17, false}, {-1, 1, 1, 17, false}, {2, 1, 3, 17, false},
                        {11, 1, 1, 10, false}, {18, 1, 1, 10, true}};
  // clang-format on
  for (const Case& c : cases) {
    Image image = game_screen();
    image.cursorRow = 5;
    image.cursorColumn = 7;
    image.textTop = static_cast<int16_t>(c.top);
    image.textBottom = static_cast<int16_t>(c.bottom);
    Errors fresh{hub};
    locate(image, fresh, c.row, c.column, 0, 0, 0, kLocateRow | kLocateColumn);
    EXPECT_EQ(fresh.pending(), c.accepted ? 0 : 5) << c.row << "," << c.column;
    EXPECT_EQ(image.cursorRow, c.accepted ? c.row : 5);
    EXPECT_EQ(image.cursorColumn, c.accepted ? c.column : 7);
  }
}

TEST_F(TextTest, LocateKeepsMissingArgumentsAndDropsAPostponedLineFeed) {
  at(4, 9);
  screen.newlinePending = 1;
  locate(screen, errors, 99, 12, 0, 0, 0, kLocateColumn);
  expect_cursor(4, 12);
  screen.newlinePending = 1;
  locate(screen, errors, 0, 0, 1, 0, 0, kLocateShown);  // the cursor does not move
  expect_cursor(4, 12, 1);
  EXPECT_EQ(errors.pending(), 0);
}

// ---- drawing by print mode ----

TEST_F(TextTest, PrintModesDrawGlyphBackgroundOrBoth) {
  struct Case {
    int32_t mode;
    bool glyphDrawn, backgroundDrawn;
  };
  for (const Case& c : {Case{kPrintFillCell, true, true}, Case{kPrintGlyphOnly, true, false},
                        Case{kPrintBackgroundOnly, false, true}}) {
    SCOPED_TRACE(c.mode);
    Image image = game_screen();
    std::fill(image.pixels.begin(), image.pixels.end(), 77);
    image.printMode = c.mode;
    image.foreground = 0x10E;  // colours are masked to the image's 256 colours
    image.background = 0x203;
    locate(image, errors, 2, 3, 0, 0, 0, kLocateRow | kLocateColumn);
    print_text(image, errors, "S", 0, hooks);
    const std::vector<uint8_t> none(128, 0);
    EXPECT_EQ(cell_mask(image, 3, 2, 14), c.glyphDrawn ? glyph_of('S') : none);
    EXPECT_EQ(cell_mask(image, 3, 2, 3), c.backgroundDrawn ? glyph_of('S', true) : none);
    EXPECT_EQ(cell_mask(image, 3, 2, 77),
              c.glyphDrawn ? (c.backgroundDrawn ? none : glyph_of('S', true)) : glyph_of('S'));
    EXPECT_EQ(row_colours(image)[0], 77);
    EXPECT_EQ(image.cursorColumn, 4);
  }
}

TEST_F(TextTest, BytesBelow32WithoutAMeaningAreDrawnAndASpaceInGlyphModeChangesNothing) {
  print(std::string("\x01", 1));
  EXPECT_EQ(cell_mask(screen, 1, 1, 15), glyph_of(1));
  screen.printMode = kPrintGlyphOnly;
  paint_rows(screen);
  const std::vector<uint8_t> before = screen.pixels;
  print(" ");
  EXPECT_EQ(screen.pixels, before);
  expect_cursor(1, 3);
}

// 8-bit images draw glyph rows as whole words; 32-bit images draw pixel by pixel. Both must give
// the same pixels for every character, print mode, font and cell position, cells cut by the
// image's bottom and right edges included (the image is 300 wide, not a multiple of 8).
TEST(GlyphRows, EightBitImagesMatchThePixelByPixelDrawing) {
  constexpr int kSide = 300;
  const auto make = [](uint8_t bytes) {
    Image image;
    image.width = image.height = kSide;
    image.bytesPerPixel = bytes;
    image.colourMask = bytes == 1 ? 255 : 0xFFFFFFFF;
    image.pixels.resize(size_t{kSide} * kSide * bytes);
    for (size_t i = 0; i < size_t{kSide} * kSide; ++i)
      image.pixels[i * bytes] = (i * 37 + 11) & 0xFF;
    return image;
  };
  struct Cell {
    int row, column;
  };
  for (const uint32_t font : {8u, 14u, 16u, 17u}) {
    const int cell = font == 8 ? 8 : font == 14 ? 14 : 16;
    const Cell cells[] = {{1, 1}, {7, 19}, {kSide / cell + 1, 3}, {kSide / cell + 2, 5}, {4, 38}};
    for (const uint8_t mode : {kPrintGlyphOnly, kPrintBackgroundOnly, kPrintFillCell}) {
      Image words = make(1), pixels = make(4);
      for (Image* image : {&words, &pixels}) {
        image->font = font;
        image->printMode = mode;
        image->foreground = 0x1F3 & image->colourMask;
        image->background = 0x117 & image->colourMask;
      }
      for (int c = 0; c < 256; ++c) {
        const Cell& at = cells[c % 5];
        for (Image* image : {&words, &pixels}) {
          image->cursorRow = static_cast<int16_t>(at.row);
          image->cursorColumn = static_cast<int16_t>(at.column);
          draw_character(*image, static_cast<uint8_t>(c));
        }
      }
      for (size_t i = 0; i < words.pixels.size(); ++i) {
        ASSERT_EQ(words.pixels[i], pixels.pixels[4 * i])
            << "font " << font << " mode " << int{mode} << " pixel " << i;
      }
    }
  }
}

// ---- the right edge, postponed line feeds and scrolling ----

TEST_F(TextTest, FortyCharactersWithoutNewlinePostponeTheLineFeed) {
  screen.printMode = kPrintGlyphOnly;
  print(std::string(39, '-') + "A");
  expect_cursor(1, 40, 1);
  EXPECT_EQ(cell_mask(screen, 40, 1, 15), glyph_of('A'));
  print("");  // empty text keeps the postponement
  expect_cursor(1, 40, 1);
  print("B");  // more text takes the line feed first
  EXPECT_EQ(cell_mask(screen, 1, 2, 15), glyph_of('B'));
  expect_cursor(2, 2);
  print(std::string(39, '-'), true);  // a 40-character line with newline feeds once
  expect_cursor(3, 1);
  print(std::string(40, '-') + "C");  // the 41st character wraps
  EXPECT_EQ(cell_mask(screen, 1, 4, 15), glyph_of('C'));
  expect_cursor(4, 2);
  print(std::string(39, '-'));
  print("", true);  // a newline only takes the postponed feed
  expect_cursor(5, 1);
}

TEST_F(TextTest, NewlineOnTheViewsLastRowScrollsTheViewAndTheLastRowKeepsItsPixels) {
  paint_rows(screen);
  screen.printMode = kPrintGlyphOnly;
  at(17, 1);
  print("X", true);
  std::vector<int> expected;
  for (int r = 2; r <= 16; ++r) expected.push_back(r);
  expected.insert(expected.end(), {-1, 0, 18, 99});
  EXPECT_EQ(row_colours(screen), expected);
  EXPECT_EQ(cell_mask(screen, 1, 16, 15), glyph_of('X'));  // the old row 17 is row 16 now
  expect_cursor(17, 1);
  at(18, 1);
  print("Hi", true);  // from the last row: the view scrolls, row 18 stays
  EXPECT_EQ(cell_mask(screen, 1, 18, 15), glyph_of('H'));
  EXPECT_EQ(cell_mask(screen, 3, 18, 18), std::vector<uint8_t>(128, 255));
  EXPECT_EQ(row_colours(screen)[0], 3);
  EXPECT_EQ(row_colours(screen)[16], 0);
  expect_cursor(17, 1);
}

TEST_F(TextTest, ScrollFillsWithTheBackgroundAndSparesRowsAboveTheView) {
  paint_rows(screen);
  screen.background = 42;
  screen.textTop = 3;
  screen.textBottom = 5;
  at(4, 1);
  line_feed(screen);  // onto the view's last row: no scroll yet
  EXPECT_EQ(row_colours(screen)[3], 4);
  line_feed(screen);
  expect_cursor(5, 1);
  const std::vector<int> colours = row_colours(screen);
  EXPECT_EQ(std::vector<int>(colours.begin(), colours.begin() + 6),
            (std::vector<int>{1, 2, 4, 5, 42, 6}));
}

TEST_F(TextTest, WrapCheckStartsANewRowOnlyForTextThatDoesNotFit) {
  struct Case {
    int column;
    bool pending;
    size_t length;
    int row;
  };
  for (const Case& c : {Case{35, false, 10, 5}, Case{35, false, 6, 4}, Case{1, false, 100, 4},
                        Case{40, true, 2, 4}}) {
    at(4, c.column);
    screen.newlinePending = c.pending;
    print_wrap_check(screen, errors, std::string(c.length, 'x'));
    EXPECT_EQ(screen.cursorRow, c.row) << c.column << " " << c.length;
    EXPECT_EQ(screen.cursorColumn, c.row == 4 ? c.column : 1);
  }
}

// ---- control characters ----

TEST_F(TextTest, ControlCharactersMoveTheCursor) {
  struct Case {
    const char* what;
    int row, column;
    std::string text;
    bool newline;
    int endRow, endColumn;
  };
  // clang-format off
  const Case cases[] = {
      {"tab to the next multiple of eight", 2, 1, "\t", false, 2, 9},
      {"tab after text", 2, 9, "ab\t", false, 2, 17},
      {"tab in the last stretch wraps", 2, 35, "\t", false, 3, 1},
      {"line feed byte and newline give two feeds", 2, 1, "a\n", true, 4, 1},
      {"carriage return feeds a line", 2, 5, "b\r", false, 3, 1},
      {"home goes to the view's top", 9, 9, "\v", false, 2, 1},
      {"right", 3, 39, "\x1c", false, 3, 40}, {"right wraps", 3, 40, "\x1c", false, 4, 1},
      {"right stops at the view's bottom", 17, 40, "\x1c", false, 17, 40},
      {"left wraps", 3, 1, "\x1d", false, 2, 40},
      {"left stops at the view's top", 2, 1, "\x1d", false, 2, 1},
      {"up stops at the view's top", 2, 5, "\x1e", false, 2, 5},
      {"down twice", 2, 5, "\x1f\x1f", false, 4, 5},
      {"down stops at the view's bottom", 17, 5, "\x1f", false, 17, 5},
      {"up does nothing on the last row", 18, 5, "\x1e", false, 18, 5}};
  // clang-format on
  screen.textTop = 2;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    at(c.row, c.column);
    print(c.text, c.newline);
    expect_cursor(c.endRow, c.endColumn);
  }
}

TEST_F(TextTest, FormFeedClearsTheScreen) {
  screen.background = 6;
  screen.textTop = 2;
  at(9, 9);
  print("\f");
  EXPECT_EQ(row_colours(screen), std::vector<int>(19, 6));
  expect_cursor(2, 1);
}

// ---- clear_screen ----

TEST_F(TextTest, ClearScreenFillsWithTheBackgroundOrTheColourGiven) {
  paint_rows(screen);
  screen.background = 200;
  at(9, 9);
  screen.newlinePending = 1;
  screen.graphicsX = 7;
  clear_screen(screen, errors, 0, 0, 0);
  EXPECT_EQ(row_colours(screen), std::vector<int>(19, 200));
  expect_cursor(1, 1, 1);
  EXPECT_FLOAT_EQ(screen.graphicsX, 160);
  EXPECT_FLOAT_EQ(screen.graphicsY, 150);
  clear_screen(screen, errors, 1, 255, kClearColour | kClearMethod);
  EXPECT_EQ(row_colours(screen), std::vector<int>(19, 255));
  paint_rows(screen);
  screen.graphicsX = 7;
  screen.textTop = 2;
  clear_screen(screen, errors, 2, 33, kClearMethod | kClearColour);  // the text view only
  std::vector<int> expected(17, 33);
  expected[0] = 1;
  expected.insert(expected.end(), {18, 99});
  EXPECT_EQ(row_colours(screen), expected);
  EXPECT_FLOAT_EQ(screen.graphicsX, 7);
  EXPECT_EQ(errors.pending(), 0);
}

TEST_F(TextTest, ClearScreenRefusesBadColoursAndMethods) {
  paint_rows(screen);
  at(5, 5);
  const std::vector<uint8_t> before = screen.pixels;
  for (auto [method, colour, passed] :
       {std::tuple{0, 256, kClearColour}, std::tuple{3, 0, kClearMethod},
        std::tuple{-1, 0, kClearMethod}}) {
    Errors fresh(hub);
    clear_screen(screen, fresh, method, colour, passed);
    EXPECT_EQ(fresh.pending(), 5) << method << " " << colour;
  }
  EXPECT_EQ(screen.pixels, before);
  expect_cursor(5, 5);
}

// ---- the start-up text screen ----

// Cells of the start-up text screen hold a character and an attribute: foreground in bits 0-3,
// background in bits 4-6 (bit 7 would blink).
TEST(TextScreen, CellsGetCharacterAndAttributeAndRenderInTheirColours) {
  WaitHub hub;
  Errors errors{hub};
  Image text = text_screen();
  text.cursorRow = 2;
  text.cursorColumn = 79;
  print_text(text, errors, "OK", 0);
  const uint8_t* cell = text.pixels.data() + (80 + 78) * 2;
  EXPECT_EQ(std::vector<uint8_t>(cell, cell + 4), (std::vector<uint8_t>{'O', 0x17, 'K', 0x17}));
  EXPECT_EQ(text.newlinePending, 1);
  text.width = 2;
  text.height = 2;
  text.pixels = {'A', 0x1E, ' ', 0x9C, ' ', 0x20, ' ', 0x30};  // the blink bit is ignored
  std::vector<uint8_t> out(20 * 32, 0xEE);
  render_text_image(text, out.data(), 20);
  for (int r = 0; r < 16; ++r) {
    for (int k = 0; k < 8; ++k) {
      ASSERT_EQ(out[r * 20 + k], glyph_of('A')[r * 8 + k] ? 14 : 1) << r << "," << k;
      ASSERT_EQ(out[r * 20 + 8 + k], 1);
    }
  }
  EXPECT_EQ(out[16 * 20], 2);
  EXPECT_EQ(out[31 * 20 + 15], 3);
  EXPECT_EQ(out[16], 0xEE);  // the pitch leaves the rest of the line alone
}

}  // namespace
}  // namespace kelvo
