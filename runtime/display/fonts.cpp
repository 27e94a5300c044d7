// Expands the packed glyph rows generated from the console fonts into one byte per pixel.
#include "runtime/display/fonts.h"

#include <cstddef>

namespace kelvo {
namespace {

// Defines kPacked8x16 and kPacked8x8: one byte per glyph row, high bit leftmost.
#include "runtime/display/font_data.inc"

template <size_t N>
constexpr std::array<uint8_t, N * 8> expand(const uint8_t (&packed)[N]) {
  std::array<uint8_t, N * 8> pixels{};
  for (size_t i = 0; i < N; ++i) {
    for (int bit = 0; bit < 8; ++bit) pixels[i * 8 + bit] = (packed[i] << bit) & 0x80 ? 255 : 0;
  }
  return pixels;
}

constexpr Font8x8Table kFont8x8 = expand(kPacked8x8);
constexpr Font8x16Table kFont8x16 = expand(kPacked8x16);

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
