// Reads the hex glyph rows of font_glyphs.h into packed rows and one byte per pixel, at compile
// time.
#include "runtime/display/fonts.h"

#include <cstddef>

#include "runtime/display/font_glyphs.h"

namespace kelvo {
namespace {

constexpr int hex_digit(char c) {
  return c <= '9' ? c - '0' : c - 'A' + 10;
}

// Reads `rows` rows of hex digit pairs (blanks between them skipped), one byte a row.
constexpr void read_rows(const char* hex, int rows, uint8_t* bits) {
  for (int row = 0; row < rows; ++row) {
    while (*hex == ' ') ++hex;
    bits[row] = static_cast<uint8_t>(hex_digit(hex[0]) << 4 | hex_digit(hex[1]));
    hex += 2;
  }
}

// Every glyph's rows packed, one byte a row, high bit leftmost.
template <int Rows>
constexpr std::array<uint8_t, 256 * Rows> pack() {
  std::array<uint8_t, 256 * Rows> bits{};
  for (size_t c = 0; c < 256; ++c) {
    const GlyphRows& glyph = kCodePage437Glyphs[c];
    read_rows(Rows == 16 ? glyph.tall : glyph.small, Rows, bits.data() + c * Rows);
  }
  return bits;
}

constexpr auto kPacked8x8 = pack<8>();
constexpr auto kPacked8x16 = pack<16>();

// The packed rows spread out, 8 pixels a row.
template <int Rows>
constexpr std::array<uint8_t, 256 * Rows * kGlyphWidth> expand(
    const std::array<uint8_t, 256 * Rows>& packed) {
  std::array<uint8_t, 256 * Rows * kGlyphWidth> pixels{};
  for (size_t i = 0; i < packed.size(); ++i) {
    for (int x = 0; x < kGlyphWidth; ++x) {
      pixels[i * kGlyphWidth + x] = (packed[i] << x) & 0x80 ? 255 : 0;
    }
  }
  return pixels;
}

constexpr Font8x8Table kFont8x8 = expand<8>(kPacked8x8);
constexpr Font8x16Table kFont8x16 = expand<16>(kPacked8x16);

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
    const uint8_t* packed = source.from8x16 ? kPacked8x16.data() : kPacked8x8.data();
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
