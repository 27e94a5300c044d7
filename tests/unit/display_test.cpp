// The default palette, the frame cache and the conversion of frames to 32 bits.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "runtime/display/display.h"
#include "runtime/display/image_table.h"

namespace kelvo {
namespace {

// The 16 text colours, greys, bright and dark hue ramps, and black at 16 and 248 to 255.
TEST(DefaultPalette, SampleColours) {
  const Palette& p = default_palette();
  // clang-format off
  const uint32_t text[16] = {0x000000, 0x0000AA, 0x00AA00, 0x00AAAA, 0xAA0000, 0xAA00AA, 0xAA5500, 0xAAAAAA,
                             0x555555, 0x5555FF, 0x55FF55, 0x55FFFF, 0xFF5555, 0xFF55FF, 0xFFFF55, 0xFFFFFF};
  const std::pair<int, uint32_t> samples[] = {{16, 0x000000}, {24, 0x717171}, {31, 0xFFFFFF}, {32, 0x0000FF},
      {36, 0xFF00FF}, {38, 0xFF007D}, {40, 0xFF0000}, {44, 0xFFFF00}, {48, 0x00FF00}, {54, 0x007DFF},
      {104, 0x000071}, {176, 0x000041}, {247, 0x2D3141}};
  // clang-format on
  for (int i = 0; i < 16; ++i) EXPECT_EQ(p[i], 0xFF000000u | text[i]) << i;
  for (auto [i, colour] : samples) EXPECT_EQ(p[i], 0xFF000000u | colour) << i;
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
  FrameCopy display;
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
  FrameCopy display;
  Image img = indexed_image(320, 300);
  display.take_frame(img);
  for (const size_t at : {size_t{0}, size_t{511}, size_t{512}, size_t{70000}, size_t{95999}}) {
    img.pixels[at] = static_cast<uint8_t>(at % 250 + 1);
    img.pixels[95999 - at / 2] ^= 0x40;
    EXPECT_TRUE(display.take_frame(img)) << at;
    EXPECT_EQ(display.frame().pixels, img.pixels) << at;
  }
}

// Scales 1, 2, 3 and 5 and both pixel sizes, into targets whose lines do and do not start on 16
// bytes (the window's lines are written with aligned stores that bypass the cache, others
// plainly), and with widths that leave a tail after the eight-pixel blocks. Nothing outside the
// picture is written.
TEST(FrameConversion, EveryScaleAndAlignmentMatchesAPixelByPixelConversion) {
  constexpr uint32_t kUntouched = 0xDEADBEEF;
  FrameCache indexed{21, 5, 1, {}, default_palette()};
  FrameCache direct{21, 5, 4, {}, {}};
  for (int i = 0; i < 21 * 5; ++i) {
    indexed.pixels.push_back(static_cast<uint8_t>(i * 37 % 256));
    for (int b = 0; b < 4; ++b) direct.pixels.push_back(static_cast<uint8_t>(i * 11 + b * 70));
  }
  const auto colour_at = [](const FrameCache& f, int x, int y) {
    const size_t at = static_cast<size_t>(y) * f.width + x;
    if (f.bytesPerPixel == 1) return f.palette[f.pixels[at]] & 0xFFFFFFu;
    uint32_t px;
    std::memcpy(&px, &f.pixels[4 * at], 4);
    return px & 0xFFFFFFu;
  };
  for (const FrameCache* frame : {&indexed, &direct}) {
    for (const int scale : {1, 2, 3, 5}) {
      for (const int offsetX : {0, 1}) {
        const int pitch = (21 * scale + 4) / 4 * 4 + 4;  // whole 16-byte blocks, room for offset 1
        const int offsetY = 2;
        std::vector<uint32_t> out(static_cast<size_t>(pitch) * (5 * scale + offsetY), kUntouched);
        convert_frame(*frame, {out.data(), pitch, 5 * scale + offsetY, pitch}, scale, offsetX,
                      offsetY);
        for (int y = 0; y < 5 * scale + offsetY; ++y) {
          for (int x = 0; x < pitch; ++x) {
            const int fx = (x - offsetX) / scale, fy = (y - offsetY) / scale;
            const bool inside = x >= offsetX && y >= offsetY && fx < 21;
            ASSERT_EQ(out[static_cast<size_t>(y) * pitch + x],
                      inside ? colour_at(*frame, fx, fy) : kUntouched)
                << "bytes " << frame->bytesPerPixel << " scale " << scale << " offset " << offsetX
                << " at " << x << "," << y;
          }
        }
      }
    }
  }
}

TEST(FrameCache, TextScreenWithoutRendererShowsBlack) {
  WaitHub hub;
  Errors errors{hub};
  ImageTable table{errors};
  table.set_screen(0, kArg0);
  FrameCopy display;
  display.take_frame(*table.display_image());
  EXPECT_EQ(display.frame().width, 640);
  EXPECT_EQ(display.frame().height, 400);
}

}  // namespace
}  // namespace kelvo
