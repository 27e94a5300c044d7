// Tests of the built-in fonts: sample glyphs byte for byte, and the font numbers' metrics.
#include <gtest/gtest.h>

#include <algorithm>
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
  // Code page 437: box drawing joins the cell edges (unlike pages 850 and 865); cent; guillemet.
  EXPECT_EQ(glyph16(0xC5), (Rows{0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0xFF, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18}));
  EXPECT_EQ(glyph16(155), (Rows{0, 0, 0x18, 0x18, 0x7C, 0xC6, 0xC0, 0xC0, 0xC6, 0x7C, 0x18, 0x18, 0, 0, 0, 0}));
  EXPECT_EQ(glyph16(175), (Rows{0, 0, 0, 0, 0, 0xD8, 0x6C, 0x36, 0x6C, 0xD8, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(glyph8('A'), (Rows{0x30, 0x78, 0xCC, 0xCC, 0xFC, 0xCC, 0xCC, 0x00}));
  // clang-format on
  EXPECT_EQ(glyph16(' '), Rows(16, 0x00));
  EXPECT_EQ(glyph16(219), Rows(16, 0xFF));
  EXPECT_EQ(glyph8(' '), Rows(8, 0x00));
  EXPECT_EQ(glyph8(219), Rows(8, 0xFF));
  EXPECT_NE(glyph16(157), glyph16(' '));  // yen
  const auto only_binary = [](const auto& table) {
    return std::all_of(table.begin(), table.end(), [](uint8_t p) { return p == 0 || p == 255; });
  };
  EXPECT_TRUE(only_binary(font_8x8_table()));
  EXPECT_TRUE(only_binary(font_8x16_table()));
  for (int a = 33; a < 127; ++a) {
    for (int b = a + 1; b < 127; ++b) {
      ASSERT_NE(glyph16(static_cast<uint8_t>(a)), glyph16(static_cast<uint8_t>(b)))
          << a << " " << b;
      ASSERT_NE(glyph8(static_cast<uint8_t>(a)), glyph8(static_cast<uint8_t>(b))) << a << " " << b;
    }
  }
}

// 8, 14 and 16 lines high; 9, 15 and 17 are their double-width forms; 14 skips the 8x16 glyphs'
// top two rows.
TEST(BuiltinFont, NumbersAndMetrics) {
  struct Case {
    uint32_t number;
    int width, height;
    const uint8_t* glyphA;
  };
  const uint8_t* a16 = font_8x16_table().data() + 'A' * 128;
  const uint8_t* a8 = font_8x8_table().data() + 'A' * 64;
  for (const Case& c : {Case{8, 8, 8, a8}, Case{9, 16, 8, a8}, Case{14, 8, 14, a16 + 16},
                        Case{15, 16, 14, a16 + 16}, Case{16, 8, 16, a16}, Case{17, 16, 16, a16}}) {
    const auto font = builtin_font(c.number);
    ASSERT_TRUE(font) << c.number;
    EXPECT_EQ(font->cellWidth, c.width) << c.number;
    EXPECT_EQ(font->cellHeight, c.height) << c.number;
    EXPECT_EQ(font->doubleWidth, c.width == 16) << c.number;
    EXPECT_EQ(font->glyph('A'), c.glyphA) << c.number;
  }
  for (uint32_t n : {0u, 1u, 7u, 10u, 13u, 18u, 32u, 0xFFFFFFFFu}) EXPECT_FALSE(builtin_font(n));
}

}  // namespace
}  // namespace kelvo
