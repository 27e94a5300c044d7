// An 8-bit picture with transparent palette entries, loaded onto the 8-bit screen and as a 32-bit
// image. The game's own pictures have no transparent entries, so no golden reaches this.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "runtime/display/image_loader.h"
#include "runtime/display/image_table.h"
#include "runtime/services/wait_hub.h"

namespace kelvo {
namespace {

// Hands load_image the same picture whatever it asks for.
class FixedDecoder : public ImageDecoder {
 public:
  explicit FixedDecoder(DecodedPicture picture) : picture_(std::move(picture)) {}
  std::optional<DecodedPicture> decode(const std::string&) override { return picture_; }

 private:
  DecodedPicture picture_;
};

// A row of pixels in the first 16 colours of the default palette; `clear` entries have alpha 0.
DecodedPicture indexed_row(std::vector<uint8_t> pixels, std::vector<int> clear) {
  DecodedPicture pic;
  pic.width = static_cast<int>(pixels.size());
  pic.height = 1;
  pic.indexed = true;
  pic.indexes = std::move(pixels);
  pic.colourCount = 16;
  for (size_t c = 0; c < 256; ++c) {
    pic.palette[c] = c < 16 ? default_palette()[c] | 0xFF000000u : 0;
    pic.argbOfIndex[c] = default_palette()[c] | 0xFF000000u;
  }
  for (const int c : clear) pic.argbOfIndex[static_cast<size_t>(c)] &= 0xFFFFFFu;
  return pic;
}

struct ImageLoaderTest : ::testing::Test {
  ImageLoaderTest() { table.set_screen(table.new_image(320, 300, 256, kArg0), kArg0); }

  const Image& load(DecodedPicture pic, int32_t mode = 0, uint32_t passed = 0) {
    FixedDecoder decoder(std::move(pic));
    const int32_t handle = load_image(table, errors, &decoder, "picture.png", mode, passed);
    EXPECT_LT(handle, 0);
    return table.at(-handle);
  }

  WaitHub hub;
  Errors errors{hub};
  ImageTable table{errors};
};

// The picture's transparent index is that of its first transparent pixel; on the screen it
// becomes the least used screen index (the highest of the unused ones), and the picture's other
// transparent entries are matched as colours.
TEST_F(ImageLoaderTest, TheFirstTransparentPixelNamesTheClearIndex) {
  const Image& none = load(indexed_row({5, 7, 5}, {}));
  EXPECT_EQ(none.clearColour, -1);
  EXPECT_EQ(none.pixels, (std::vector<uint8_t>{5, 7, 5}));

  const Image& one = load(indexed_row({5, 7, 5}, {7}));
  EXPECT_EQ(one.clearColour, 255);
  EXPECT_EQ(one.pixels, (std::vector<uint8_t>{5, 255, 5}));

  // Two transparent entries in use: the pixels' order decides, not the palette's.
  const Image& nineFirst = load(indexed_row({5, 9, 5, 7}, {7, 9}));
  EXPECT_EQ(nineFirst.clearColour, 255);
  EXPECT_EQ(nineFirst.pixels, (std::vector<uint8_t>{5, 255, 5, 7}));
  const Image& sevenFirst = load(indexed_row({5, 7, 5, 9}, {7, 9}));
  EXPECT_EQ(sevenFirst.pixels, (std::vector<uint8_t>{5, 255, 5, 9}));
  // A transparent entry no pixel uses names nothing.
  const Image& unused = load(indexed_row({5, 9, 5}, {7, 9}));
  EXPECT_EQ(unused.pixels, (std::vector<uint8_t>{5, 255, 5}));
  EXPECT_EQ(load(indexed_row({5, 5}, {7})).clearColour, -1);

  // Mode 256 keeps the picture's own indexes and names the same clear index.
  const Image& own = load(indexed_row({5, 9, 5, 7}, {7, 9}), 256, kArg0);
  EXPECT_EQ(own.clearColour, 9);
  EXPECT_EQ(own.pixels, (std::vector<uint8_t>{5, 9, 5, 7}));
}

TEST_F(ImageLoaderTest, AnIndexedPictureLoadsAs32BitsWithItsTransparency) {
  const Image& img = load(indexed_row({5, 7}, {7}), 32, kArg0);
  ASSERT_EQ(img.pixels.size(), 8u);
  uint32_t first = 0, second = 0;
  std::memcpy(&first, img.pixels.data(), 4);
  std::memcpy(&second, img.pixels.data() + 4, 4);
  EXPECT_EQ(first, default_palette()[5] | 0xFF000000u);
  EXPECT_EQ(second, default_palette()[7] & 0xFFFFFFu);
}

}  // namespace
}  // namespace kelvo
