// Expands the hex glyph rows of font_glyphs.h into one byte per pixel, at compile time.
#include "runtime/display/fonts.h"

#include <cstddef>

#include "runtime/display/font_glyphs.h"

namespace kelvo {
namespace {

constexpr int hex_digit(char c) {
  return c <= '9' ? c - '0' : c - 'A' + 10;
}

// Writes `rows` rows of hex digit pairs (blanks between them skipped) as 8 pixels each.
constexpr void expand_rows(const char* hex, int rows, uint8_t* pixels) {
  for (int row = 0; row < rows; ++row) {
    while (*hex == ' ') ++hex;
    const int bits = hex_digit(hex[0]) << 4 | hex_digit(hex[1]);
    hex += 2;
    for (int x = 0; x < kGlyphWidth; ++x) {
      pixels[row * kGlyphWidth + x] = (bits << x) & 0x80 ? 255 : 0;
    }
  }
}

template <int Rows>
constexpr std::array<uint8_t, 256 * Rows * kGlyphWidth> expand() {
  std::array<uint8_t, 256 * Rows * kGlyphWidth> pixels{};
  for (size_t c = 0; c < 256; ++c) {
    const GlyphRows& glyph = kCodePage437Glyphs[c];
    expand_rows(Rows == 16 ? glyph.tall : glyph.small, Rows,
                pixels.data() + c * Rows * kGlyphWidth);
  }
  return pixels;
}

constexpr Font8x8Table kFont8x8 = expand<8>();
constexpr Font8x16Table kFont8x16 = expand<16>();

// The single-width fonts; 9, 15 and 17 are 8, 14 and 16 drawn twice as wide.
struct FontSource {
  uint32_t number;
  int cellHeight;
  int firstRow;  // rows of the source glyph skipped at the top
  bool from8x16;
};

constexpr std::array kFontSources{
    FontSource{8, 8, 0, false},
    FontSource{14, 14, 2, true},
    FontSource{16, 16, 0, true},
};

bool is_double_width(uint32_t number) {
  return number == 9 || number == 15 || number == 17;
}

}  // namespace

const Font8x8Table& font_8x8_table() {
  return kFont8x8;
}
const Font8x16Table& font_8x16_table() {
  return kFont8x16;
}

std::optional<BuiltinFont> builtin_font(uint32_t number) {
  const bool doubleWidth = is_double_width(number);
  const uint32_t base = doubleWidth ? number - 1 : number;
  for (const FontSource& source : kFontSources) {
    if (source.number != base) continue;
    const int sourceRows = source.from8x16 ? 16 : 8;
    const uint8_t* table = source.from8x16 ? kFont8x16.data() : kFont8x8.data();
    const uint8_t* packed = source.from8x16 ? kPacked8x16 : kPacked8x8;
    BuiltinFont font;
    font.number = number;
    font.cellWidth = doubleWidth ? 2 * kGlyphWidth : kGlyphWidth;
    font.cellHeight = source.cellHeight;
    font.doubleWidth = doubleWidth;
    font.firstGlyph = table + source.firstRow * kGlyphWidth;
    font.glyphStride = sourceRows * kGlyphWidth;
    font.firstBits = packed + source.firstRow;
    font.bitsStride = sourceRows;
    return font;
  }
  return std::nullopt;
}

}  // namespace kelvo
