// Tests of the built-in fonts: the reference glyphs byte for byte, and the font numbers' metrics.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "runtime/display/fonts.h"

namespace kelvo {
namespace {

// A glyph's pixels packed back into one byte per row, high bit leftmost.
std::vector<uint8_t> packed_rows(const uint8_t* glyph, int rows) {
  std::vector<uint8_t> packed;
  for (int r = 0; r < rows; ++r) {
    uint8_t bits = 0;
    for (int x = 0; x < 8; ++x) bits |= glyph[r * 8 + x] ? 0x80 >> x : 0;
    packed.push_back(bits);
  }
  return packed;
}

std::vector<uint8_t> glyph16(uint8_t c) {
  return packed_rows(font_8x16_table().data() + c * 128, 16);
}

std::vector<uint8_t> glyph8(uint8_t c) {
  return packed_rows(font_8x8_table().data() + c * 64, 8);
}

using Rows = std::vector<uint8_t>;

TEST(Font8x16, ReferenceGlyphs) {
  EXPECT_EQ(glyph16('A'), (Rows{0x00, 0x00, 0x10, 0x38, 0x6C, 0xC6, 0xC6, 0xFE, 0xC6, 0xC6, 0xC6,
                                0xC6, 0x00, 0x00, 0x00, 0x00}));
  EXPECT_EQ(glyph16('0'), (Rows{0x00, 0x00, 0x38, 0x6C, 0xC6, 0xC6, 0xD6, 0xD6, 0xC6, 0xC6, 0x6C,
                                0x38, 0x00, 0x00, 0x00, 0x00}));
  EXPECT_EQ(glyph16('S'), (Rows{0x00, 0x00, 0x7C, 0xC6, 0xC6, 0x60, 0x38, 0x0C, 0x06, 0xC6, 0xC6,
                                0x7C, 0x00, 0x00, 0x00, 0x00}));
  EXPECT_EQ(glyph16(' '), Rows(16, 0x00));
  EXPECT_EQ(glyph16(219), Rows(16, 0xFF));
}

TEST(Font8x16, CodePage437UpperHalf) {
  // Box drawing joins the cell edges; these differ in code pages 850 and 865.
  EXPECT_EQ(glyph16(0xC5), (Rows{0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0xFF, 0x18, 0x18, 0x18,
                                 0x18, 0x18, 0x18, 0x18, 0x18}));
  EXPECT_EQ(glyph16(155), (Rows{0x00, 0x00, 0x18, 0x18, 0x7C, 0xC6, 0xC0, 0xC0, 0xC6, 0x7C, 0x18,
                                0x18, 0x00, 0x00, 0x00, 0x00}));  // cent
  EXPECT_EQ(glyph16(175), (Rows{0x00, 0x00, 0x00, 0x00, 0x00, 0xD8, 0x6C, 0x36, 0x6C, 0xD8, 0x00,
                                0x00, 0x00, 0x00, 0x00, 0x00}));  // right guillemet
  EXPECT_NE(glyph16(157), glyph16(' '));                          // yen
}

TEST(Font8x8, ReferenceGlyphs) {
  EXPECT_EQ(glyph8('A'), (Rows{0x30, 0x78, 0xCC, 0xCC, 0xFC, 0xCC, 0xCC, 0x00}));
  EXPECT_EQ(glyph8(' '), Rows(8, 0x00));
  EXPECT_EQ(glyph8(219), Rows(8, 0xFF));
}

TEST(Fonts, PixelsAreZeroOr255) {
  const auto only_binary = [](const auto& table) {
    return std::all_of(table.begin(), table.end(), [](uint8_t p) { return p == 0 || p == 255; });
  };
  EXPECT_TRUE(only_binary(font_8x8_table()));
  EXPECT_TRUE(only_binary(font_8x16_table()));
}

TEST(Fonts, PrintableAsciiGlyphsAreDistinct) {
  for (int a = 33; a < 127; ++a) {
    for (int b = a + 1; b < 127; ++b) {
      ASSERT_NE(glyph16(static_cast<uint8_t>(a)), glyph16(static_cast<uint8_t>(b)))
          << a << " " << b;
      ASSERT_NE(glyph8(static_cast<uint8_t>(a)), glyph8(static_cast<uint8_t>(b))) << a << " " << b;
    }
  }
}

TEST(BuiltinFont, SixteenUsesTheWholeTallGlyph) {
  const auto font = builtin_font(16);
  ASSERT_TRUE(font);
  EXPECT_EQ(font->cellWidth, 8);
  EXPECT_EQ(font->cellHeight, 16);
  EXPECT_FALSE(font->doubleWidth);
  EXPECT_EQ(font->glyph('A'), font_8x16_table().data() + 'A' * 128);
}

TEST(BuiltinFont, FourteenSkipsTheTopTwoRows) {
  const auto font = builtin_font(14);
  ASSERT_TRUE(font);
  EXPECT_EQ(font->cellHeight, 14);
  EXPECT_EQ(packed_rows(font->glyph('A'), 14),
            (Rows{0x10, 0x38, 0x6C, 0xC6, 0xC6, 0xFE, 0xC6, 0xC6, 0xC6, 0xC6, 0, 0, 0, 0}));
}

TEST(BuiltinFont, EightUsesTheSmallTable) {
  const auto font = builtin_font(8);
  ASSERT_TRUE(font);
  EXPECT_EQ(font->cellHeight, 8);
  EXPECT_EQ(font->glyph('A'), font_8x8_table().data() + 'A' * 64);
}

TEST(BuiltinFont, DoubleWidthFormsShareTheGlyphs) {
  for (uint32_t n : {9u, 15u, 17u}) {
    const auto wide = builtin_font(n);
    const auto narrow = builtin_font(n - 1);
    ASSERT_TRUE(wide && narrow) << n;
    EXPECT_TRUE(wide->doubleWidth);
    EXPECT_EQ(wide->cellWidth, 16);
    EXPECT_EQ(wide->cellHeight, narrow->cellHeight);
    EXPECT_EQ(wide->glyph('Q'), narrow->glyph('Q'));
  }
}

TEST(BuiltinFont, OtherNumbersAreNotBuiltIn) {
  for (uint32_t n : {0u, 1u, 7u, 10u, 13u, 18u, 32u, 0xFFFFFFFFu}) EXPECT_FALSE(builtin_font(n));
}

}  // namespace
}  // namespace kelvo
