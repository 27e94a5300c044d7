// Tests of text output on the game's 320 x 300 screen and on text images.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
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
constexpr int kRowLines = 16;

// The game's screen as the image table makes it: 8-bit, font 16, text view rows 1 to 17.
Image game_screen() {
  Image image;
  image.inUse = 1;
  image.width = kWidth;
  image.height = kHeight;
  image.bytesPerPixel = 1;
  image.bitsPerPixel = 8;
  image.colourMask = 255;
  image.mode = 256;
  image.foreground = 15;
  image.background = 0;
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
  image.background = 1;
  image.font = 16;
  image.textTop = 1;
  image.textBottom = 24;
  image.pixels.assign(80 * 25 * 2, 0);
  return image;
}

// Every pixel line of text row r (1-based) gets colour r; the 12 lines below row 18 get 99.
void paint_rows(Image& image) {
  for (int y = 0; y < kHeight; ++y) {
    std::fill_n(image.row(y), kWidth, static_cast<uint8_t>(y < 288 ? y / kRowLines + 1 : 99));
  }
}

bool lines_all(const Image& image, int y0, int y1, uint8_t colour) {
  for (int y = y0; y < y1; ++y) {
    if (!std::all_of(image.row(y), image.row(y) + kWidth, [&](uint8_t p) { return p == colour; })) {
      return false;
    }
  }
  return true;
}

// The 8 x 16 cell at (column, row) read back as glyph pixels: 255 where it has `ink`.
std::vector<uint8_t> cell_mask(const Image& image, int column, int row, uint8_t ink) {
  std::vector<uint8_t> mask;
  for (int r = 0; r < kRowLines; ++r) {
    const uint8_t* p = image.row((row - 1) * kRowLines + r) + (column - 1) * 8;
    for (int k = 0; k < 8; ++k) mask.push_back(p[k] == ink ? 255 : 0);
  }
  return mask;
}

std::vector<uint8_t> glyph_of(uint8_t c) {
  const uint8_t* g = font_8x16_table().data() + c * 128;
  return std::vector<uint8_t>(g, g + 128);
}

class TextTest : public ::testing::Test {
 protected:
  void at(int row, int column) {
    locate(screen, errors, row, column, 0, 0, 0, kLocateRow | kLocateColumn);
    ASSERT_EQ(errors.pending(), 0);
  }
  void print_line(const std::string& text) {
    print_wrap_check(screen, errors, text);
    print_text(screen, errors, text, 0, hooks);
    print_text(screen, errors, "", 1, hooks);
  }

  WaitHub hub;
  Errors errors{hub};
  Image screen = game_screen();
  TextHooks hooks;
};

// ---- locate ----

using Locate = TextTest;

TEST_F(Locate, LastRowBelowTheTextViewIsAccepted) {
  at(18, 1);
  EXPECT_EQ(screen.cursorRow, 18);
  EXPECT_EQ(screen.cursorColumn, 1);
}

TEST_F(Locate, OutsideTheScreenRaises5AndMovesNothing) {
  at(5, 7);
  const auto reject = [&](int row, int column) {
    Errors fresh(hub);
    locate(screen, fresh, row, column, 0, 0, 0, kLocateRow | kLocateColumn);
    EXPECT_EQ(fresh.pending(), 5) << row << "," << column;
    EXPECT_EQ(screen.cursorRow, 5);
    EXPECT_EQ(screen.cursorColumn, 7);
  };
  reject(19, 1);
  reject(1, 41);
  reject(0, 1);
  reject(1, 0);
  reject(-1, 1);
}

TEST_F(Locate, RowsAboveTheTextViewAreRejected) {
  screen.textTop = 3;
  locate(screen, errors, 2, 1, 0, 0, 0, kLocateRow);
  EXPECT_EQ(errors.pending(), 5);
}

TEST_F(Locate, RowsBetweenTheViewAndTheLastRowAreRejected) {
  screen.textBottom = 10;
  locate(screen, errors, 11, 1, 0, 0, 0, kLocateRow);
  EXPECT_EQ(errors.pending(), 5);
}

TEST_F(Locate, MissingArgumentsKeepTheirValue) {
  at(4, 9);
  locate(screen, errors, 99, 12, 0, 0, 0, kLocateColumn);
  EXPECT_EQ(screen.cursorRow, 4);
  EXPECT_EQ(screen.cursorColumn, 12);
  locate(screen, errors, 6, 99, 0, 0, 0, kLocateRow);
  EXPECT_EQ(screen.cursorRow, 6);
  EXPECT_EQ(screen.cursorColumn, 12);
  EXPECT_EQ(errors.pending(), 0);
}

TEST_F(Locate, ClearsAPostponedLineFeed) {
  screen.newlinePending = 1;
  at(2, 2);
  EXPECT_EQ(screen.newlinePending, 0);
  screen.newlinePending = 1;
  locate(screen, errors, 0, 0, 1, 0, 0, kLocateShown);
  EXPECT_EQ(screen.newlinePending, 1);
}

TEST_F(Locate, CursorLookIsCheckedAndStored) {
  locate(screen, errors, 0, 0, 1, 6, 7, kLocateShown | kLocateShape);
  EXPECT_EQ(errors.pending(), 0);
  EXPECT_EQ(screen.cursorVisible, 1);
  EXPECT_EQ(screen.cursorStart, 6);
  EXPECT_EQ(screen.cursorEnd, 7);
  locate(screen, errors, 0, 0, 2, 0, 0, kLocateShown);
  EXPECT_EQ(errors.pending(), 5);
  Errors other(hub);
  locate(screen, other, 0, 0, 0, 0, 32, kLocateShape);
  EXPECT_EQ(other.pending(), 5);
  EXPECT_EQ(screen.cursorEnd, 7);
}

TEST_F(Locate, DoesNothingWhileAnErrorIsPending) {
  errors.raise_error(53);
  locate(screen, errors, 3, 3, 0, 0, 0, kLocateRow | kLocateColumn);
  EXPECT_EQ(screen.cursorRow, 1);
  EXPECT_EQ(errors.pending(), 53);
}

TEST_F(Locate, TextImagesUseTheirCellCount) {
  Image text = text_screen();
  locate(text, errors, 25, 80, 0, 0, 0, kLocateRow | kLocateColumn);
  EXPECT_EQ(errors.pending(), 0);
  EXPECT_EQ(text.cursorRow, 25);
  locate(text, errors, 25, 81, 0, 0, 0, kLocateRow | kLocateColumn);
  EXPECT_EQ(errors.pending(), 5);
}

// ---- drawing by print mode ----

using PrintMode = TextTest;

TEST_F(PrintMode, FillCellDrawsGlyphAndBackground) {
  screen.printMode = kPrintFillCell;
  screen.foreground = 14;
  screen.background = 3;
  std::fill(screen.pixels.begin(), screen.pixels.end(), 77);
  at(2, 3);
  print_text(screen, errors, "S", 0, hooks);
  EXPECT_EQ(cell_mask(screen, 3, 2, 14), glyph_of('S'));
  const std::vector<uint8_t> ink = cell_mask(screen, 3, 2, 14);
  const std::vector<uint8_t> paper = cell_mask(screen, 3, 2, 3);
  for (size_t i = 0; i < ink.size(); ++i) EXPECT_NE(ink[i], paper[i]) << i;
  EXPECT_EQ(screen.cursorColumn, 4);
  EXPECT_TRUE(lines_all(screen, 0, 16, 77));
}

TEST_F(PrintMode, GlyphOnlyKeepsThePicture) {
  screen.printMode = kPrintGlyphOnly;
  std::fill(screen.pixels.begin(), screen.pixels.end(), 77);
  print_text(screen, errors, "A", 0, hooks);
  EXPECT_EQ(cell_mask(screen, 1, 1, 15), glyph_of('A'));
  const std::vector<uint8_t> kept = cell_mask(screen, 1, 1, 77);
  for (size_t i = 0; i < kept.size(); ++i) EXPECT_EQ(kept[i], glyph_of('A')[i] ? 0 : 255) << i;
}

TEST_F(PrintMode, GlyphOnlySpaceChangesNoPixel) {
  screen.printMode = kPrintGlyphOnly;
  paint_rows(screen);
  const std::vector<uint8_t> before = screen.pixels;
  print_text(screen, errors, " ", 0, hooks);
  EXPECT_EQ(screen.pixels, before);
  EXPECT_EQ(screen.cursorColumn, 2);
}

TEST_F(PrintMode, BackgroundOnlyPaintsAroundTheGlyph) {
  screen.printMode = kPrintBackgroundOnly;
  screen.background = 9;
  std::fill(screen.pixels.begin(), screen.pixels.end(), 77);
  print_text(screen, errors, "0", 0, hooks);
  const std::vector<uint8_t> glyph = glyph_of('0');
  const std::vector<uint8_t> paper = cell_mask(screen, 1, 1, 9);
  const std::vector<uint8_t> kept = cell_mask(screen, 1, 1, 77);
  for (size_t i = 0; i < glyph.size(); ++i) {
    EXPECT_EQ(paper[i], glyph[i] ? 0 : 255) << i;
    EXPECT_EQ(kept[i], glyph[i]) << i;
  }
}

TEST_F(PrintMode, ColoursAreMaskedToTheImage) {
  screen.printMode = kPrintFillCell;
  screen.foreground = 0x10F;
  screen.background = 0x201;
  print_text(screen, errors, "A", 0, hooks);
  EXPECT_EQ(cell_mask(screen, 1, 1, 0x0F), glyph_of('A'));
  EXPECT_EQ(screen.row(0)[0], 0x01);
}

TEST_F(PrintMode, BytesBelow32WithoutAMeaningAreDrawn) {
  screen.printMode = kPrintFillCell;
  print_text(screen, errors, std::string("\x01", 1), 0, hooks);
  EXPECT_EQ(cell_mask(screen, 1, 1, 15), glyph_of(1));
  EXPECT_EQ(screen.cursorColumn, 2);
}

TEST_F(PrintMode, FourteenLineFontUsesFourteenLineRows) {
  screen.font = 14;
  screen.printMode = kPrintFillCell;
  at(2, 1);
  print_text(screen, errors, "A", 0, hooks);
  // Row 2 starts at line 14; its first line is glyph row 2 of the 8x16 "A" (0x10).
  EXPECT_EQ(screen.row(14)[3], 15);
  EXPECT_EQ(screen.row(14)[2], 0);
  EXPECT_EQ(text_rows(screen), 300 / 14);
}

TEST_F(PrintMode, ThirtyTwoBitImagesGetWholePixels) {
  Image wide;
  wide.width = 16;
  wide.height = 16;
  wide.bytesPerPixel = 4;
  wide.bitsPerPixel = 32;
  wide.colourMask = 0xFFFFFFFF;
  wide.font = 16;
  wide.textBottom = 1;
  wide.foreground = 0xFF112233;
  wide.background = 0xFF000000;
  wide.printMode = kPrintFillCell;
  wide.pixels.assign(16 * 16 * 4, 0xAB);
  print_text(wide, errors, "\xDB", 0, hooks);  // full block
  EXPECT_EQ(wide.row(5)[4 * 3 + 0], 0x33);
  EXPECT_EQ(wide.row(5)[4 * 3 + 2], 0x11);
  EXPECT_EQ(wide.row(5)[4 * 3 + 3], 0xFF);
  EXPECT_EQ(wide.row(5)[4 * 8], 0xAB);  // the next cell is untouched
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

using PrintText = TextTest;

TEST_F(PrintText, FortyCharactersWithoutNewlinePostponeTheLineFeed) {
  screen.printMode = kPrintGlyphOnly;
  print_text(screen, errors, std::string(39, '-') + "A", 0, hooks);
  EXPECT_EQ(screen.cursorRow, 1);
  EXPECT_EQ(screen.cursorColumn, 40);
  EXPECT_EQ(screen.newlinePending, 1);
  EXPECT_EQ(cell_mask(screen, 40, 1, 15), glyph_of('A'));
  print_text(screen, errors, "", 1, hooks);
  EXPECT_EQ(screen.cursorRow, 2);
  EXPECT_EQ(screen.cursorColumn, 1);
  EXPECT_EQ(screen.newlinePending, 0);
}

TEST_F(PrintText, FortyCharacterLineGivesOneLineFeed) {
  print_line(std::string(40, 'x'));
  EXPECT_EQ(screen.cursorRow, 2);
  EXPECT_EQ(screen.cursorColumn, 1);
  print_text(screen, errors, std::string(40, 'x'), 1, hooks);
  EXPECT_EQ(screen.cursorRow, 3);
  EXPECT_EQ(screen.newlinePending, 0);
}

TEST_F(PrintText, FortyFirstCharacterWrapsToTheNextRow) {
  screen.printMode = kPrintGlyphOnly;
  print_text(screen, errors, std::string(40, '-') + "A", 0, hooks);
  EXPECT_EQ(cell_mask(screen, 1, 2, 15), glyph_of('A'));
  EXPECT_EQ(screen.cursorRow, 2);
  EXPECT_EQ(screen.cursorColumn, 2);
  EXPECT_EQ(screen.newlinePending, 0);
}

TEST_F(PrintText, PostponedLineFeedHappensBeforeMoreText) {
  screen.printMode = kPrintGlyphOnly;
  print_text(screen, errors, std::string(40, '-'), 0, hooks);
  print_text(screen, errors, "A", 0, hooks);
  EXPECT_EQ(cell_mask(screen, 1, 2, 15), glyph_of('A'));
  EXPECT_EQ(screen.cursorColumn, 2);
  EXPECT_EQ(screen.newlinePending, 0);
}

TEST_F(PrintText, EmptyTextWithoutNewlineKeepsThePostponement) {
  print_text(screen, errors, std::string(40, '-'), 0, hooks);
  print_text(screen, errors, "", 0, hooks);
  EXPECT_EQ(screen.newlinePending, 1);
  EXPECT_EQ(screen.cursorRow, 1);
}

TEST_F(PrintText, TrailingLineFeedByteWithNewlineGivesTwo) {
  print_text(screen, errors, "a\n", 1, hooks);
  EXPECT_EQ(screen.cursorRow, 3);
  print_text(screen, errors, "b\r", 0, hooks);
  EXPECT_EQ(screen.cursorRow, 4);
}

TEST_F(PrintText, NewlineAtRow17ScrollsTheTextView) {
  paint_rows(screen);
  screen.printMode = kPrintGlyphOnly;
  at(17, 1);
  print_text(screen, errors, "X", 1, hooks);
  for (int r = 1; r <= 15; ++r) {
    EXPECT_TRUE(lines_all(screen, (r - 1) * 16, r * 16, static_cast<uint8_t>(r + 1))) << r;
  }
  // The old row 17, with its X, is row 16 now.
  EXPECT_EQ(cell_mask(screen, 1, 16, 15), glyph_of('X'));
  EXPECT_TRUE(lines_all(screen, 16 * 16, 17 * 16, 0));
  EXPECT_TRUE(lines_all(screen, 17 * 16, 18 * 16, 18));
  EXPECT_TRUE(lines_all(screen, 288, 300, 99));
  EXPECT_EQ(screen.cursorRow, 17);
  EXPECT_EQ(screen.cursorColumn, 1);
}

TEST_F(PrintText, LineFeedFromTheLastRowKeepsItsPixels) {
  paint_rows(screen);
  screen.printMode = kPrintGlyphOnly;
  at(18, 1);
  print_text(screen, errors, "Hi", 1, hooks);
  EXPECT_TRUE(lines_all(screen, 0, 16, 2));
  EXPECT_TRUE(lines_all(screen, 16 * 16, 17 * 16, 0));
  EXPECT_EQ(cell_mask(screen, 1, 18, 15), glyph_of('H'));
  EXPECT_EQ(cell_mask(screen, 3, 18, 18), std::vector<uint8_t>(128, 255));
  EXPECT_TRUE(lines_all(screen, 288, 300, 99));
  EXPECT_EQ(screen.cursorRow, 17);
}

TEST_F(PrintText, ScrollUsesTheBackgroundAndSparesRowsAboveTheView) {
  paint_rows(screen);
  screen.background = 42;
  screen.textTop = 3;
  screen.textBottom = 5;
  at(5, 1);
  line_feed(screen);
  EXPECT_TRUE(lines_all(screen, 0, 16, 1));
  EXPECT_TRUE(lines_all(screen, 16, 32, 2));
  EXPECT_TRUE(lines_all(screen, 32, 48, 4));
  EXPECT_TRUE(lines_all(screen, 48, 64, 5));
  EXPECT_TRUE(lines_all(screen, 64, 80, 42));
  EXPECT_TRUE(lines_all(screen, 80, 96, 6));
}

TEST_F(PrintText, DoesNothingWhileAnErrorIsPending) {
  errors.raise_error(9);
  print_text(screen, errors, "AAAA", 1, hooks);
  print_wrap_check(screen, errors, std::string(60, 'x'));
  EXPECT_EQ(screen.cursorColumn, 1);
  EXPECT_EQ(screen.cursorRow, 1);
  EXPECT_TRUE(lines_all(screen, 0, kHeight, 0));
}

TEST_F(PrintText, TextImageCellsGetCharacterAndAttribute) {
  Image text = text_screen();
  text.background = 9;  // bit 3 would be the blink bit; only bits 4-6 hold the background
  locate(text, errors, 2, 79, 0, 0, 0, kLocateRow | kLocateColumn);
  print_text(text, errors, "OK", 0, hooks);
  const uint8_t* cell = text.pixels.data() + (80 + 78) * 2;
  EXPECT_EQ(cell[0], 'O');
  EXPECT_EQ(cell[1], 0x17);
  EXPECT_EQ(cell[2], 'K');
  EXPECT_EQ(text.cursorColumn, 80);
  EXPECT_EQ(text.newlinePending, 1);
}

// ---- print_wrap_check ----

using WrapCheck = TextTest;

TEST_F(WrapCheck, TextThatDoesNotFitStartsANewRow) {
  at(4, 35);
  print_wrap_check(screen, errors, "0123456789");
  EXPECT_EQ(screen.cursorRow, 5);
  EXPECT_EQ(screen.cursorColumn, 1);
}

TEST_F(WrapCheck, TextThatEndsAtTheEdgeStays) {
  at(4, 35);
  print_wrap_check(screen, errors, "012345");
  EXPECT_EQ(screen.cursorRow, 4);
  EXPECT_EQ(screen.cursorColumn, 35);
}

TEST_F(WrapCheck, NothingAtColumnOneOrWithAPostponedLineFeed) {
  print_wrap_check(screen, errors, std::string(100, 'x'));
  EXPECT_EQ(screen.cursorRow, 1);
  at(3, 40);
  screen.newlinePending = 1;
  print_wrap_check(screen, errors, "xx");
  EXPECT_EQ(screen.cursorRow, 3);
}

TEST_F(WrapCheck, TextImagesCountCells) {
  Image text = text_screen();
  text.cursorColumn = 75;
  print_wrap_check(text, errors, "123456");
  EXPECT_EQ(text.cursorRow, 1);
  print_wrap_check(text, errors, "1234567");
  EXPECT_EQ(text.cursorRow, 2);
}

// ---- control characters ----

using Controls = TextTest;

TEST_F(Controls, TabMovesToTheNextMultipleOfEight) {
  print_text(screen, errors, "\t", 0, hooks);
  EXPECT_EQ(screen.cursorColumn, 9);
  print_text(screen, errors, "ab\t", 0, hooks);
  EXPECT_EQ(screen.cursorColumn, 17);
}

TEST_F(Controls, TabInTheLastStretchWrapsTheLine) {
  at(2, 35);
  print_text(screen, errors, "\t", 0, hooks);
  EXPECT_EQ(screen.cursorRow, 3);
  EXPECT_EQ(screen.cursorColumn, 1);
}

TEST_F(Controls, BellBeepsThenPausesAndDrawsNothing) {
  std::vector<std::string> calls;
  hooks.beep = [&](double frequency, double length) {
    EXPECT_DOUBLE_EQ(frequency, 783.99);
    EXPECT_DOUBLE_EQ(length, 0.2);
    calls.push_back("beep");
  };
  hooks.sleep = [&](std::chrono::milliseconds ms) {
    EXPECT_EQ(ms.count(), 250);
    calls.push_back("sleep");
  };
  print_text(screen, errors, "\a", 0, hooks);
  EXPECT_EQ(calls, (std::vector<std::string>{"beep", "sleep"}));
  EXPECT_EQ(screen.cursorColumn, 1);
  EXPECT_TRUE(lines_all(screen, 0, kHeight, 0));
}

TEST_F(Controls, HomeAndFormFeed) {
  screen.textTop = 2;
  at(9, 9);
  print_text(screen, errors, "\v", 0, hooks);
  EXPECT_EQ(screen.cursorRow, 2);
  EXPECT_EQ(screen.cursorColumn, 1);
  screen.background = 6;
  at(9, 9);
  print_text(screen, errors, "\f", 0, hooks);
  EXPECT_TRUE(lines_all(screen, 0, kHeight, 6));
  EXPECT_EQ(screen.cursorRow, 2);
}

TEST_F(Controls, CursorRightWrapsExceptAtTheBottom) {
  at(3, 39);
  print_text(screen, errors, "\x1c", 0, hooks);
  EXPECT_EQ(screen.cursorColumn, 40);
  print_text(screen, errors, "\x1c", 0, hooks);
  EXPECT_EQ(screen.cursorRow, 4);
  EXPECT_EQ(screen.cursorColumn, 1);
  at(17, 40);
  print_text(screen, errors, "\x1c", 0, hooks);
  EXPECT_EQ(screen.cursorRow, 17);
  EXPECT_EQ(screen.cursorColumn, 40);
}

TEST_F(Controls, CursorLeftWrapsExceptAtTheTop) {
  at(3, 1);
  print_text(screen, errors, "\x1d", 0, hooks);
  EXPECT_EQ(screen.cursorRow, 2);
  EXPECT_EQ(screen.cursorColumn, 40);
  print_text(screen, errors, "\x1d", 0, hooks);
  EXPECT_EQ(screen.cursorColumn, 39);
  at(1, 1);
  print_text(screen, errors, "\x1d", 0, hooks);
  EXPECT_EQ(screen.cursorRow, 1);
  EXPECT_EQ(screen.cursorColumn, 1);
}

TEST_F(Controls, CursorUpAndDownStayInTheView) {
  at(1, 5);
  print_text(screen, errors, "\x1e", 0, hooks);
  EXPECT_EQ(screen.cursorRow, 1);
  print_text(screen, errors, "\x1f\x1f", 0, hooks);
  EXPECT_EQ(screen.cursorRow, 3);
  at(17, 5);
  print_text(screen, errors, "\x1f", 0, hooks);
  EXPECT_EQ(screen.cursorRow, 17);
  at(18, 5);
  print_text(screen, errors, "\x1e", 0, hooks);
  EXPECT_EQ(screen.cursorRow, 18);
  EXPECT_EQ(screen.cursorColumn, 5);
}

// ---- clear_screen ----

using ClearScreen = TextTest;

TEST_F(ClearScreen, NothingGivenFillsEverythingWithTheBackground) {
  paint_rows(screen);
  at(9, 9);
  screen.newlinePending = 1;
  clear_screen(screen, errors, 0, 0, 0);
  EXPECT_EQ(screen.pixels.size(), 96000u);
  EXPECT_TRUE(lines_all(screen, 0, kHeight, 0));
  EXPECT_EQ(screen.cursorRow, 1);
  EXPECT_EQ(screen.cursorColumn, 1);
  EXPECT_EQ(screen.newlinePending, 1);
  EXPECT_FLOAT_EQ(screen.graphicsX, 160);
  EXPECT_FLOAT_EQ(screen.graphicsY, 150);
}

TEST_F(ClearScreen, ChangedBackgroundIsUsed) {
  screen.background = 200;
  clear_screen(screen, errors, 0, 0, 0);
  EXPECT_TRUE(lines_all(screen, 0, kHeight, 200));
}

TEST_F(ClearScreen, GivenColourWins) {
  screen.background = 200;
  paint_rows(screen);
  clear_screen(screen, errors, 0, 0, kClearColour);
  EXPECT_TRUE(lines_all(screen, 0, kHeight, 0));
  clear_screen(screen, errors, 1, 255, kClearColour | kClearMethod);
  EXPECT_TRUE(lines_all(screen, 0, kHeight, 255));
}

TEST_F(ClearScreen, BadColourOrMethodRaises5AndClearsNothing) {
  paint_rows(screen);
  at(5, 5);
  const std::vector<uint8_t> before = screen.pixels;
  clear_screen(screen, errors, 0, 256, kClearColour);
  EXPECT_EQ(errors.pending(), 5);
  Errors second(hub);
  clear_screen(screen, second, 3, 0, kClearMethod);
  EXPECT_EQ(second.pending(), 5);
  Errors third(hub);
  clear_screen(screen, third, -1, 0, kClearMethod);
  EXPECT_EQ(third.pending(), 5);
  EXPECT_EQ(screen.pixels, before);
  EXPECT_EQ(screen.cursorRow, 5);
}

TEST_F(ClearScreen, MethodTwoClearsOnlyTheTextView) {
  paint_rows(screen);
  screen.graphicsX = 7;
  clear_screen(screen, errors, 2, 33, kClearMethod | kClearColour);
  EXPECT_TRUE(lines_all(screen, 0, 17 * 16, 33));
  EXPECT_TRUE(lines_all(screen, 17 * 16, 288, 18));
  EXPECT_TRUE(lines_all(screen, 288, 300, 99));
  EXPECT_FLOAT_EQ(screen.graphicsX, 7);
}

TEST_F(ClearScreen, TextImagesGetBlankCells) {
  Image text = text_screen();
  std::fill(text.pixels.begin(), text.pixels.end(), 0x41);
  clear_screen(text, errors, 0, 0, 0);
  for (size_t i = 0; i < text.pixels.size(); i += 2) {
    ASSERT_EQ(text.pixels[i], ' ');
    ASSERT_EQ(text.pixels[i + 1], 0x17);
  }
  std::fill(text.pixels.begin(), text.pixels.end(), 0x41);
  clear_screen(text, errors, 1, 0, kClearMethod);
  EXPECT_TRUE(
      std::all_of(text.pixels.begin(), text.pixels.end(), [](uint8_t b) { return b == 0x41; }));
}

// ---- text-mode rendering ----

TEST(RenderTextImage, CellsBecomeGlyphsInTheirColours) {
  Image text;
  text.isText = 1;
  text.width = 2;
  text.height = 1;
  text.bytesPerPixel = 2;
  text.pixels = {'A', 0x1E, ' ', 0x9C};  // blink bit ignored
  std::vector<uint8_t> out(16 * 16, 0xEE);
  render_text_image(text, out.data(), 16);
  const uint8_t* glyph = font_8x16_table().data() + 'A' * 128;
  for (int r = 0; r < 16; ++r) {
    for (int k = 0; k < 8; ++k) {
      ASSERT_EQ(out[r * 16 + k], glyph[r * 8 + k] ? 14 : 1) << r << "," << k;
      ASSERT_EQ(out[r * 16 + 8 + k], 1) << r << "," << k;
    }
  }
}

TEST(RenderTextImage, PitchLeavesTheRestOfTheLineAlone) {
  Image text;
  text.isText = 1;
  text.width = 1;
  text.height = 2;
  text.pixels = {' ', 0x20, ' ', 0x30};
  std::vector<uint8_t> out(10 * 32, 0xEE);
  render_text_image(text, out.data(), 10);
  EXPECT_EQ(out[0], 2);
  EXPECT_EQ(out[8], 0xEE);
  EXPECT_EQ(out[16 * 10], 3);
  EXPECT_EQ(out[31 * 10 + 7], 3);
}

}  // namespace
}  // namespace kelvo
