// The default palette, the frame cache and the conversion of frames to 32 bits.
#include <gtest/gtest.h>

#include "runtime/display/display.h"
#include "runtime/display/image_table.h"

namespace kelvo {
namespace {

TEST(DefaultPalette, TextColoursGreysRampsAndBlacks) {
  const Palette& p = default_palette();
  const uint32_t text[16] = {0x000000, 0x0000AA, 0x00AA00, 0x00AAAA, 0xAA0000, 0xAA00AA,
                             0xAA5500, 0xAAAAAA, 0x555555, 0x5555FF, 0x55FF55, 0x55FFFF,
                             0xFF5555, 0xFF55FF, 0xFFFF55, 0xFFFFFF};
  for (int i = 0; i < 16; ++i) EXPECT_EQ(p[i], 0xFF000000u | text[i]) << i;
  EXPECT_EQ(p[16], 0xFF000000u);
  EXPECT_EQ(p[24], 0xFF717171u);  // grey step 8: level 28 of 63
  EXPECT_EQ(p[31], 0xFFFFFFFFu);
  EXPECT_EQ(p[32], 0xFF0000FFu);   // blue, start of the bright hues
  EXPECT_EQ(p[40], 0xFFFF0000u);   // red
  EXPECT_EQ(p[44], 0xFFFFFF00u);   // yellow
  EXPECT_EQ(p[48], 0xFF00FF00u);   // green
  EXPECT_EQ(p[104], 0xFF000071u);  // dark blue: level 28
  EXPECT_EQ(p[176], 0xFF000041u);  // darkest blue: level 16
  EXPECT_EQ(p[247], 0xFF2D3141u);  // last hue: levels 11, 12, 16
  for (int i = 248; i < 256; ++i) EXPECT_EQ(p[i], 0xFF000000u);
}

Image indexed_image(int w, int h) {
  Image img;
  img.inUse = 1;
  img.width = static_cast<uint16_t>(w);
  img.height = static_cast<uint16_t>(h);
  img.bytesPerPixel = 1;
  img.pixels.assign(static_cast<size_t>(w) * h, 0);
  img.palette = std::make_shared<Palette>(default_palette());
  return img;
}

TEST(FrameCache, OnlyChangedPixelsOrPaletteCountAsANewFrame) {
  Display display;
  Image img = indexed_image(4, 3);
  EXPECT_TRUE(display.take_frame(img));
  EXPECT_FALSE(display.take_frame(img));
  img.pixels[5] = 9;
  EXPECT_TRUE(display.take_frame(img));
  EXPECT_FALSE(display.take_frame(img));
  (*img.palette)[200] = 0xFF123456u;
  EXPECT_TRUE(display.take_frame(img));
  EXPECT_EQ(display.frame().pixels[5], 9);
}

// The frame is compared and copied block by block: a change anywhere, before or after blocks that
// did not change, must reach the cache whole.
TEST(FrameCache, ChangesInAnyBlockAreCopied) {
  Display display;
  Image img = indexed_image(320, 300);
  display.take_frame(img);
  for (const size_t at : {size_t{0}, size_t{511}, size_t{512}, size_t{70000}, size_t{95999}}) {
    img.pixels[at] = static_cast<uint8_t>(at % 250 + 1);
    img.pixels[95999 - at / 2] ^= 0x40;
    EXPECT_TRUE(display.take_frame(img)) << at;
    EXPECT_EQ(display.frame().pixels, img.pixels) << at;
  }
}

TEST(FrameConversion, ScaleOneAndTwoThroughThePalette) {
  Display display;
  Image img = indexed_image(2, 2);
  img.pixels = {1, 2, 4, 15};
  display.take_frame(img);
  std::vector<uint32_t> out(3 * 3, 0xDEADBEEF);
  convert_frame(display.frame(), {out.data(), 3, 3, 3}, 1, 1, 1);
  EXPECT_EQ(out[0], 0xDEADBEEFu);
  EXPECT_EQ(out[4], 0x0000AAu);
  EXPECT_EQ(out[5], 0x00AA00u);
  EXPECT_EQ(out[8], 0xFFFFFFu);
  std::vector<uint32_t> big(6 * 4, 0);
  convert_frame(display.frame(), {big.data(), 6, 4, 6}, 2, 1, 0);
  const uint32_t blue = 0x0000AA, green = 0x00AA00;
  EXPECT_EQ(big[0], 0u);
  EXPECT_EQ(big[1], blue);
  EXPECT_EQ(big[2], blue);
  EXPECT_EQ(big[3], green);
  EXPECT_EQ(big[4], green);
  EXPECT_EQ(big[6 + 1], blue);  // the line below is a copy
  EXPECT_EQ(big[6 * 2 + 1], 0xAA0000u);
  EXPECT_EQ(big[6 * 3 + 4], 0xFFFFFFu);
  EXPECT_EQ(big[5], 0u);
}

TEST(FrameCache, TextScreenWithoutRendererShowsBlack) {
  WaitHub hub;
  Errors errors{hub};
  ImageTable table{errors};
  table.set_screen(0, kArg0);
  Display display;
  display.take_frame(*table.display_image());
  EXPECT_EQ(display.frame().width, 640);
  EXPECT_EQ(display.frame().height, 400);
}

}  // namespace
}  // namespace kelvo
