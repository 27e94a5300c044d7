// Text output: the cursor rules, glyph drawing, scrolling, locate and clear_screen.
#include "runtime/display/text.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <thread>

#include "runtime/display/fonts.h"
#include "runtime/display/image.h"
#include "runtime/services/errors.h"

namespace kelvo {
namespace {

constexpr uint32_t kDefaultFont = 16;
constexpr int kTabWidth = 8;
constexpr double kBellFrequency = 783.99;
constexpr double kBellLength = 0.2;
constexpr std::chrono::milliseconds kBellPause{250};

// Graphics images always draw single-width cells; the double-width numbers are text-screen
// metrics, so they draw as their single-width base font here.
BuiltinFont graphics_font(const Image& image) {
  const auto font = builtin_font(image.font);
  if (!font) return *builtin_font(kDefaultFont);
  return font->doubleWidth ? *builtin_font(font->number - 1) : *font;
}

// Pixel lines per text row: a text image's row is one line of cells.
int cell_height(const Image& image) {
  return image.isText ? 1 : graphics_font(image).cellHeight;
}

size_t unit_bytes(const Image& image) {
  return image.isText ? 2 : std::max<size_t>(1, image.bytesPerPixel);
}

size_t line_bytes(const Image& image) {
  return image.width * unit_bytes(image);
}

// Lines that really have pixels behind them, so a short buffer is never overrun.
int line_count(const Image& image) {
  const size_t stride = line_bytes(image);
  if (stride == 0) return 0;
  return static_cast<int>(std::min<size_t>(image.height, image.pixels.size() / stride));
}

uint8_t* line(Image& image, int y) {
  return image.pixels.data() + y * line_bytes(image);
}

bool is_8bit(const Image& image) {
  return !image.isText && image.bytesPerPixel <= 1;
}

uint32_t masked(const Image& image, uint32_t colour) {
  return is_8bit(image) ? colour & image.colourMask : colour;
}

uint8_t attribute(uint32_t foreground, uint32_t background) {
  return static_cast<uint8_t>((foreground & 0x0F) | (background & 0x07) << 4);
}

// Little-endian, as many bytes as the image has per pixel (a colour has at most four).
void put_pixel(uint8_t* p, size_t bytes, uint32_t colour) {
  for (size_t b = 0; b < bytes; ++b) p[b] = b < 4 ? static_cast<uint8_t>(colour >> (8 * b)) : 0;
}

// Lines [y0, y1) become the colour; on a text image, blank cells with it as background.
void fill_lines(Image& image, int y0, int y1, uint32_t colour) {
  y0 = std::max(y0, 0);
  y1 = std::min(y1, line_count(image));
  if (y0 >= y1) return;
  if (is_8bit(image)) {
    std::memset(line(image, y0), static_cast<int>(masked(image, colour) & 0xFF),
                (y1 - y0) * line_bytes(image));
    return;
  }
  const size_t bytes = unit_bytes(image);
  const uint32_t value = image.isText ? 0x20u | attribute(image.foreground, colour) << 8 : colour;
  for (uint8_t* p = line(image, y0); p < line(image, y1); p += bytes) put_pixel(p, bytes, value);
}

void scroll_text_view(Image& image) {
  const int h = cell_height(image);
  const int top = h * (image.textTop - 1);
  const int bottom = std::min(h * image.textBottom, line_count(image));
  if (top < 0 || bottom - top <= h) {
    fill_lines(image, top, bottom, image.background);
    return;
  }
  std::memmove(line(image, top), line(image, top + h), (bottom - top - h) * line_bytes(image));
  fill_lines(image, bottom - h, bottom, image.background);
}

void draw_text_cell(Image& image, uint8_t c) {
  const int column = image.cursorColumn - 1;
  const int row = image.cursorRow - 1;
  if (column < 0 || column >= image.width || row < 0 || row >= line_count(image)) return;
  uint8_t* cell = line(image, row) + column * 2;
  cell[0] = c;
  cell[1] = attribute(image.foreground, image.background);
}

// Any depth, pixel by pixel, clipped to the image: the path of 32-bit images and of cells that
// stick out of an 8-bit one.
void draw_glyph(Image& image, const BuiltinFont& font, uint8_t c) {
  const int x0 = kGlyphWidth * (image.cursorColumn - 1);
  const int y0 = font.cellHeight * (image.cursorRow - 1);
  const uint32_t fg = masked(image, image.foreground);
  const uint32_t bg = masked(image, image.background);
  const size_t bytes = unit_bytes(image);
  const int lines = line_count(image);
  for (int r = 0; r < font.cellHeight; ++r) {
    if (y0 + r < 0 || y0 + r >= lines) continue;
    const uint8_t* glyph = font.glyph(c) + r * kGlyphWidth;
    for (int k = 0; k < kGlyphWidth; ++k) {
      const int x = x0 + k;
      if (x < 0 || x >= image.width) continue;
      uint8_t* p = line(image, y0 + r) + x * bytes;
      const bool on = glyph[k] != 0;
      if (image.printMode == kPrintGlyphOnly) {
        if (on) put_pixel(p, bytes, fg);
      } else if (image.printMode == kPrintBackgroundOnly) {
        if (!on) put_pixel(p, bytes, bg);
      } else {
        put_pixel(p, bytes, on ? fg : bg);
      }
    }
  }
}

// A packed glyph row spread over eight pixel bytes: 0xFF under each set bit, the high bit in the
// lowest address.
constexpr std::array<uint64_t, 256> kRowMasks = [] {
  std::array<uint64_t, 256> masks{};
  for (int bits = 0; bits < 256; ++bits) {
    for (int k = 0; k < kGlyphWidth; ++k) {
      if (bits & (0x80 >> k)) masks[static_cast<size_t>(bits)] |= uint64_t{0xFF} << (8 * k);
    }
  }
  return masks;
}();

uint64_t load_row(const uint8_t* p) {
  uint64_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

void store_row(uint8_t* p, uint64_t v) {
  std::memcpy(p, &v, sizeof v);
}

// One cell row of eight 8-bit pixels in one word, by print mode.
template <uint8_t Mode>
void paint_rows(uint8_t* p, size_t pitch, const uint8_t* bits, int rows, uint64_t fg, uint64_t bg) {
  for (int r = 0; r < rows; ++r, p += pitch) {
    const uint64_t on = kRowMasks[bits[r]];
    if constexpr (Mode == kPrintGlyphOnly) {
      if (on != 0) store_row(p, (load_row(p) & ~on) | (fg & on));
    } else if constexpr (Mode == kPrintBackgroundOnly) {
      if (on != ~uint64_t{0}) store_row(p, (load_row(p) & on) | (bg & ~on));
    } else {
      store_row(p, (fg & on) | (bg & ~on));
    }
  }
}

// How the characters of one print are drawn: the font, colours and mode are looked up once, and
// on an 8-bit image each glyph row is written as one word.
class GlyphPen {
 public:
  explicit GlyphPen(const Image& image)
      : font_(image.isText ? BuiltinFont{} : graphics_font(image)),
        wordRows_(is_8bit(image)),
        lines_(line_count(image)),
        fg_(0x0101010101010101ull * (masked(image, image.foreground) & 0xFF)),
        bg_(0x0101010101010101ull * (masked(image, image.background) & 0xFF)) {}

  void draw(Image& image, uint8_t c) const {
    if (image.isText) {
      draw_text_cell(image, c);
      return;
    }
    const int x0 = kGlyphWidth * (image.cursorColumn - 1);
    if (!wordRows_ || x0 < 0 || x0 + kGlyphWidth > image.width) {
      draw_glyph(image, font_, c);
      return;
    }
    const int y0 = font_.cellHeight * (image.cursorRow - 1);
    const int first = std::max(0, -y0);
    const int end = std::min(font_.cellHeight, lines_ - y0);
    if (first >= end) return;
    uint8_t* p = line(image, y0 + first) + x0;
    const uint8_t* bits = font_.glyph_bits(c) + first;
    const int rows = end - first;
    switch (image.printMode) {
      case kPrintGlyphOnly:
        paint_rows<kPrintGlyphOnly>(p, image.width, bits, rows, fg_, bg_);
        break;
      case kPrintBackgroundOnly:
        paint_rows<kPrintBackgroundOnly>(p, image.width, bits, rows, fg_, bg_);
        break;
      default:
        paint_rows<kPrintFillCell>(p, image.width, bits, rows, fg_, bg_);
        break;
    }
  }

 private:
  BuiltinFont font_;
  bool wordRows_;
  int lines_;  // an image keeps its size while it is printed on
  uint64_t fg_;
  uint64_t bg_;
};

// Draws c and advances. Past the right edge the line feed is postponed when allowed, else done
// now; returns whether it was done.
bool put_character(Image& image, const GlyphPen& pen, uint8_t c, bool may_postpone) {
  pen.draw(image, c);
  image.cursorColumn += 1;
  const int columns = text_columns(image);
  if (image.cursorColumn <= columns) return false;
  if (may_postpone) {
    image.cursorColumn = static_cast<int16_t>(columns);
    image.newlinePending = 1;
    return false;
  }
  line_feed(image);
  return true;
}

void tab(Image& image, const GlyphPen& pen) {
  do {
    put_character(image, pen, ' ', false);
  } while ((image.cursorColumn - 1) % kTabWidth != 0);
}

void bell(const TextHooks& hooks) {
  if (hooks.beep) hooks.beep(kBellFrequency, kBellLength);
  if (hooks.sleep) {
    hooks.sleep(kBellPause);
  } else {
    std::this_thread::sleep_for(kBellPause);
  }
}

void cursor_right(Image& image) {
  if (image.cursorColumn < text_columns(image)) {
    ++image.cursorColumn;
  } else if (image.cursorRow < image.textBottom) {
    image.cursorColumn = 1;
    ++image.cursorRow;
  }
}

void cursor_left(Image& image) {
  if (image.cursorColumn > 1) {
    --image.cursorColumn;
  } else if (image.cursorRow > image.textTop) {
    image.cursorColumn = static_cast<int16_t>(text_columns(image));
    --image.cursorRow;
  }
}

// Carries out a control byte; false when c is drawn like any other byte.
bool control(Image& image, Errors& errors, uint8_t c, const TextHooks& hooks, const GlyphPen& pen) {
  switch (c) {
    case 7:
      bell(hooks);
      return true;
    case 9:
      tab(image, pen);
      return true;
    case 10:
    case 13:
      line_feed(image);
      return true;
    case 11:
      image.cursorColumn = 1;
      image.cursorRow = image.textTop;
      return true;
    case 12:
      clear_screen(image, errors, 0, 0, 0);
      return true;
    case 28:
      cursor_right(image);
      return true;
    case 29:
      cursor_left(image);
      return true;
    case 30:
      if (image.textTop < image.cursorRow && image.cursorRow <= image.textBottom) --image.cursorRow;
      return true;
    case 31:
      if (image.textTop <= image.cursorRow && image.cursorRow < image.textBottom) ++image.cursorRow;
      return true;
    default:
      return false;
  }
}

bool locate_arguments_valid(const Image& image, int32_t row, int32_t column, int32_t shown,
                            int32_t start, int32_t end, uint32_t passed) {
  // The last row is reachable below the text view (the status line of the screen).
  if ((passed & kLocateRow) &&
      (row < image.textTop || (row > image.textBottom && row != text_rows(image)))) {
    return false;
  }
  if ((passed & kLocateColumn) && (column < 1 || column > text_columns(image))) return false;
  if ((passed & kLocateShown) && shown != 0 && shown != 1) return false;
  const auto in_shape = [](int32_t v) { return v >= 0 && v <= 31; };
  return !(passed & kLocateShape) || (in_shape(start) && in_shape(end));
}

void centre_graphics_cursor(Image& image) {
  const bool has_view = image.viewRight > image.viewLeft && image.viewBottom > image.viewTop;
  image.graphicsX =
      has_view ? image.viewLeft + (image.viewRight - image.viewLeft + 1) / 2 : image.width / 2;
  image.graphicsY =
      has_view ? image.viewTop + (image.viewBottom - image.viewTop + 1) / 2 : image.height / 2;
}

}  // namespace

int text_columns(const Image& image) {
  return image.isText ? image.width : image.width / kGlyphWidth;
}

int text_rows(const Image& image) {
  return image.height / cell_height(image);
}

void draw_character(Image& image, uint8_t c) {
  GlyphPen(image).draw(image, c);
}

void line_feed(Image& image) {
  image.cursorRow += 1;
  image.cursorColumn = 1;
  if (image.cursorRow > image.textBottom) {
    scroll_text_view(image);
    image.cursorRow = image.textBottom;
  }
}

void print_wrap_check(Image& image, Errors& errors, std::string_view text) {
  if (errors.pending() != 0 || image.newlinePending || image.cursorColumn == 1) return;
  const int64_t length = static_cast<int64_t>(text.size());
  const bool fits =
      image.isText
          ? image.cursorColumn + length - 1 <= image.width
          : int64_t{kGlyphWidth} * (image.cursorColumn - 1) + kGlyphWidth * length <= image.width;
  if (!fits) line_feed(image);
}

void print_text(Image& image, Errors& errors, std::string_view text, uint32_t newline,
                const TextHooks& hooks) {
  if (errors.pending() != 0) return;
  if (image.newlinePending && (!text.empty() || newline != 0)) {
    image.newlinePending = 0;
    if (!text.empty()) line_feed(image);
  }
  bool ended_by_edge_feed = false;
  const GlyphPen pen(image);
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<uint8_t>(text[i]);
    ended_by_edge_feed = false;
    if (control(image, errors, c, hooks, pen)) continue;
    const bool last = i + 1 == text.size();
    ended_by_edge_feed = put_character(image, pen, c, newline == 0 && last);
  }
  if (newline != 0 && !ended_by_edge_feed) line_feed(image);
}

void locate(Image& image, Errors& errors, int32_t row, int32_t column, int32_t shown, int32_t start,
            int32_t end, uint32_t passed) {
  if (errors.pending() != 0) return;
  if (!locate_arguments_valid(image, row, column, shown, start, end, passed)) {
    errors.raise_error(kIllegalFunctionCall);
    return;
  }
  if (passed & kLocateRow) image.cursorRow = static_cast<int16_t>(row);
  if (passed & kLocateColumn) image.cursorColumn = static_cast<int16_t>(column);
  if (passed & (kLocateRow | kLocateColumn)) image.newlinePending = 0;
  if (passed & kLocateShown) image.cursorVisible = static_cast<uint8_t>(shown);
  if (passed & kLocateShape) {
    image.cursorStart = static_cast<uint8_t>(start);
    image.cursorEnd = static_cast<uint8_t>(end);
  }
}

std::optional<ScreenFill> clear_screen_cursors(Image& image, Errors& errors, int32_t method,
                                               int32_t colour, uint32_t passed) {
  if (errors.pending() != 0) return std::nullopt;
  const uint32_t fill = (passed & kClearColour) ? static_cast<uint32_t>(colour) : image.background;
  const bool bad_colour = (passed & kClearColour) && is_8bit(image) && fill > image.colourMask;
  const bool bad_method = (passed & kClearMethod) && (method < 0 || method > 2);
  if (bad_colour || bad_method) {
    errors.raise_error(kIllegalFunctionCall);
    return std::nullopt;
  }
  image.cursorRow = image.textTop;
  image.cursorColumn = 1;
  const int32_t how = (passed & kClearMethod) ? method : 0;
  if (how == 2) {
    const int h = cell_height(image);
    return ScreenFill{h * (image.textTop - 1), h * image.textBottom, fill};
  }
  if (image.isText) return ScreenFill{0, how == 0 ? line_count(image) : 0, fill};
  centre_graphics_cursor(image);
  return ScreenFill{0, line_count(image), fill};
}

void fill_screen(Image& image, const ScreenFill& fill) {
  fill_lines(image, fill.firstLine, fill.endLine, fill.colour);
}

void clear_screen(Image& image, Errors& errors, int32_t method, int32_t colour, uint32_t passed) {
  if (const auto fill = clear_screen_cursors(image, errors, method, colour, passed)) {
    fill_screen(image, *fill);
  }
}

void render_text_image(const Image& text, uint8_t* out, size_t pitch) {
  const Font8x16Table& font = font_8x16_table();
  const size_t cells = std::min<size_t>(size_t{text.width} * text.height, text.pixels.size() / 2);
  for (size_t i = 0; i < cells; ++i) {
    const uint8_t* glyph = font.data() + text.pixels[2 * i] * 16 * kGlyphWidth;
    const uint8_t attr = text.pixels[2 * i + 1];
    const auto fg = static_cast<uint8_t>(attr & 0x0F);
    const auto bg = static_cast<uint8_t>((attr >> 4) & 0x07);
    uint8_t* cell = out + (i / text.width) * 16 * pitch + (i % text.width) * kGlyphWidth;
    for (int r = 0; r < 16; ++r) {
      for (int k = 0; k < kGlyphWidth; ++k) cell[r * pitch + k] = glyph[r * 8 + k] ? fg : bg;
    }
  }
}

}  // namespace kelvo
