// The built-in fonts' sample glyphs, byte for byte: the shapes every text of the game is drawn in.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "runtime/display/fonts.h"

namespace kelvo {
namespace {

using Rows = std::vector<uint8_t>;

// A glyph's pixels packed back into one byte per row, high bit leftmost.
Rows packed_rows(const uint8_t* glyph, int rows) {
  Rows packed;
  for (int r = 0; r < rows; ++r) {
    uint8_t bits = 0;
    for (int x = 0; x < 8; ++x) bits |= glyph[r * 8 + x] ? 0x80 >> x : 0;
    packed.push_back(bits);
  }
  return packed;
}

Rows glyph16(uint8_t c) {
  return packed_rows(font_8x16_table().data() + c * 128, 16);
}

Rows glyph8(uint8_t c) {
  return packed_rows(font_8x8_table().data() + c * 64, 8);
}

TEST(Fonts, SampleGlyphs) {
  // clang-format off
  EXPECT_EQ(glyph16('A'), (Rows{0, 0, 0x10, 0x38, 0x6C, 0xC6, 0xC6, 0xFE, 0xC6, 0xC6, 0xC6, 0xC6, 0, 0, 0, 0}));
  EXPECT_EQ(glyph16('0'), (Rows{0, 0, 0x38, 0x6C, 0xC6, 0xC6, 0xD6, 0xD6, 0xC6, 0xC6, 0x6C, 0x38, 0, 0, 0, 0}));
  EXPECT_EQ(glyph16('S'), (Rows{0, 0, 0x7C, 0xC6, 0xC6, 0x60, 0x38, 0x0C, 0x06, 0xC6, 0xC6, 0x7C, 0, 0, 0, 0}));
  EXPECT_EQ(glyph8('A'), (Rows{0x30, 0x78, 0xCC, 0xCC, 0xFC, 0xCC, 0xCC, 0x00}));
  // clang-format on
  EXPECT_EQ(glyph16(' '), Rows(16, 0x00));
  EXPECT_EQ(glyph16(219), Rows(16, 0xFF));
}

}  // namespace
}  // namespace kelvo
