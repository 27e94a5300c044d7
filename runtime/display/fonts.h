// The built-in bitmap fonts: code-page-437 glyphs at 8 x 8 and 8 x 16 pixels.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace kelvo {

inline constexpr int kGlyphWidth = 8;

// One byte per pixel, 0 (background) or 255 (glyph); glyph c starts at c * 8 * rows, its rows
// run top to bottom, 8 pixels each, leftmost first.
using Font8x8Table = std::array<uint8_t, 256 * 8 * 8>;
using Font8x16Table = std::array<uint8_t, 256 * 8 * 16>;

const Font8x8Table& font_8x8_table();
const Font8x16Table& font_8x16_table();

// A font number resolved to its cell and where its glyph rows come from.
struct BuiltinFont {
  uint32_t number = 0;
  int cellWidth = 0;   // 8, or 16 for the double-width fonts of text screens
  int cellHeight = 0;  // 8, 14 or 16
  bool doubleWidth = false;
  const uint8_t* firstGlyph = nullptr;  // first shown row of glyph 0
  int glyphStride = 0;                  // bytes from one glyph to the next
  const uint8_t* firstBits = nullptr;   // the same rows packed, one byte a row, high bit leftmost
  int bitsStride = 0;                   // bytes from one glyph's packed rows to the next

  // cellHeight rows of 8 bytes.
  const uint8_t* glyph(uint8_t c) const { return firstGlyph + c * glyphStride; }
  // cellHeight bytes, one a row, the leftmost pixel in the high bit.
  const uint8_t* glyph_bits(uint8_t c) const { return firstBits + c * bitsStride; }
};

// Fonts 8 (8 x 8), 14 (rows 2 to 15 of the 8 x 16 glyphs), 16 (8 x 16), and 9, 15, 17, their
// double-width forms; nothing for any other number.
std::optional<BuiltinFont> builtin_font(uint32_t number);

}  // namespace kelvo
