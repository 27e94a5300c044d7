// load_image: palette matching, clear-index choice, the mode 32 and 256 loads, and real files
// decoded by SDL_image, broken ones included.
#include <gtest/gtest.h>
#include <png.h>

#include <cstring>
#include <filesystem>
#include <map>

#include "platform/sdl_image_decoder.h"
#include "runtime/display/image_loader.h"
#include "support/test_support.h"

namespace kelvo {
namespace {

// Hands out pictures set up by the test and records the files asked for.
class FakeDecoder : public ImageDecoder {
 public:
  std::optional<DecodedPicture> decode(const std::string& name) override {
    asked.push_back(name);
    const auto it = pictures.find(name);
    if (it == pictures.end()) return std::nullopt;
    return it->second;
  }
  std::map<std::string, DecodedPicture> pictures;
  std::vector<std::string> asked;
};

DecodedPicture true_colour(std::vector<uint32_t> argb) {
  DecodedPicture p;
  p.width = static_cast<int>(argb.size());
  p.height = 1;
  p.argb = std::move(argb);
  return p;
}

// An indexed picture one row high; pixels of index `transparentIndex` have alpha 0.
DecodedPicture indexed(std::vector<uint8_t> indexes, std::vector<uint32_t> colours,
                       int transparentIndex = -1) {
  DecodedPicture p;
  p.width = static_cast<int>(indexes.size());
  p.height = 1;
  p.indexed = true;
  p.indexes = std::move(indexes);
  p.colourCount = static_cast<int>(colours.size());
  for (size_t c = 0; c < colours.size(); ++c) p.palette[c] = 0xFF000000u | colours[c];
  for (uint8_t i : p.indexes) {
    const uint32_t colour = i < colours.size() ? p.palette[i] : 0xFF000000u;
    p.argb.push_back(i == transparentIndex ? colour & 0xFFFFFFu : colour);
  }
  return p;
}

struct LoaderTest : ::testing::Test {
  WaitHub hub;
  Errors errors{hub};
  ImageTable table{errors};
  FakeDecoder decoder;

  void SetUp() override {
    table.set_screen(0, kArg0);
    table.set_screen(table.new_image(320, 300, 256, kArg0), kArg0);
  }
  int32_t load(const std::string& name, int32_t mode = 0, uint32_t passed = 0) {
    return load_image(table, errors, &decoder, name, mode, passed);
  }
  const Image& loaded(const DecodedPicture& pic, int32_t mode = 0, uint32_t passed = 0) {
    decoder.pictures["p"] = pic;
    const int32_t handle = load("p", mode, passed);
    EXPECT_LT(handle, -1);
    return *table.resolve(handle);
  }
};

TEST_F(LoaderTest, NamesThatGiveNoPictureGiveMinusOneAndBadModesRaiseFive) {
  decoder.pictures["short"] = true_colour({0xFFFFFFFFu});
  decoder.pictures["short"].height = 4;  // fewer pixels than its size says
  decoder.pictures["p"] = true_colour({0xFFFFFFFFu});
  EXPECT_EQ(load(""), -1);
  EXPECT_EQ(load(std::string("\0x.png", 6)), -1);  // the name ends at its zero byte
  EXPECT_EQ(load("missing.png"), -1);
  EXPECT_EQ(load("short"), -1);
  EXPECT_EQ(load("p", 256, kArg0), -1);  // mode 256 needs an indexed picture
  EXPECT_EQ(decoder.asked, (std::vector<std::string>{"missing.png", "short", "p"}));
  EXPECT_EQ(errors.pending(), 0);
  EXPECT_EQ(load("short", 13, kArg0), 0);
  EXPECT_EQ(errors.pending(), 5);
  Errors fresh{hub};
  ImageTable text{fresh};
  text.set_screen(0, kArg0);  // a text screen cannot take a matched picture
  EXPECT_EQ(load_image(text, fresh, &decoder, "short", 0, 0), 0);
  EXPECT_EQ(fresh.pending(), 5);
}

// ---- Matching to the destination's palette ----

TEST_F(LoaderTest, TrueColourMatchesTheNearestColourAndTransparencyTakesTheLeastUsedIndex) {
  table.set_colour(12, 3, 0, kArg0 | kArg1);
  table.set_print_mode(2, 0, 0);
  const Image& img = loaded(true_colour({0xFFFFFFFFu, 0xFF000000u, 0xFFFF0000u, 0xFFFE0101u}));
  EXPECT_EQ(img.pixels, (std::vector<uint8_t>{15, 0, 40, 40}));
  EXPECT_EQ(img.clearColour, -1);
  EXPECT_EQ(*img.palette, default_palette());
  EXPECT_EQ(img.foreground, 12u);  // a matched image takes the destination's text state
  EXPECT_EQ(img.background, 3u);
  EXPECT_EQ(img.printMode, kPrintGlyphOnly);
  const Image& clear = loaded(true_colour({0x00FFFFFFu, 0xFF000000u, 0x00000000u}));
  EXPECT_EQ(clear.clearColour, 255);  // unused, and the highest among the unused
  EXPECT_EQ(clear.pixels, (std::vector<uint8_t>{255, 0, 255}));
}

// A palette of 256 distinct reds makes use counts decide: index 9 and index 7 are both used once,
// the highest wins; then colour 9 goes to its nearest other index, 8 and 10 tie, the lowest wins.
TEST_F(LoaderTest, ClearIndexByLeastUseThenNearestWithoutIt) {
  Palette reds;
  for (uint32_t i = 0; i < 256; ++i) reds[i] = 0xFF000000u | (i << 16);
  *table.destination()->palette = reds;
  std::vector<uint32_t> argb;
  for (uint32_t i = 0; i < 256; ++i) {
    const int uses = (i == 7 || i == 9) ? 1 : 2;
    for (int k = 0; k < uses; ++k) argb.push_back(0xFF000000u | (i << 16));
  }
  argb.push_back(0);  // one transparent pixel
  const Image& img = loaded(true_colour(argb));
  EXPECT_EQ(img.clearColour, 9);
  EXPECT_EQ(img.pixels[17], 8);  // the one pixel of red 9
  EXPECT_EQ(img.pixels[14], 7);
  EXPECT_EQ(img.pixels.back(), 9);
  EXPECT_EQ(*img.palette, reds);
  Palette p{};
  p[3] = p[5] = 0xFF101010u;
  p[6] = 0xFF0E1010u;
  EXPECT_EQ(nearest_index(p, 256, 0x0F1010u, -1), 3);  // the lowest index among equals
  EXPECT_EQ(nearest_index(p, 256, 0x0F1010u, 3), 5);
  EXPECT_EQ(nearest_index(p, 4, 0x0E1010u, -1), 3);  // only indexes 0 to 3
  EXPECT_EQ(colour_distance(0xFF010203u, 0x00030201u), 4);
}

TEST_F(LoaderTest, IndexedPicturesMapTheirColoursAndTheirTransparentIndex) {
  const Image& keyed =
      loaded(indexed({0, 1, 2, 3, 3}, {0xFFFFFF, 0x000000, 0xFF0000, 0xFF00FF}, 3));
  EXPECT_EQ(keyed.clearColour, 255);
  EXPECT_EQ(keyed.pixels, (std::vector<uint8_t>{15, 0, 40, 255, 255}));
  const Image& opaque = loaded(indexed({1, 0}, {0xFFFFFF, 0x0000AA}));
  EXPECT_EQ(opaque.clearColour, -1);
  EXPECT_EQ(opaque.pixels, (std::vector<uint8_t>{1, 15}));
  DecodedPicture past = indexed({5, 0}, {0xFFFFFF});
  past.argb[0] = 0;  // transparent, but its index is past the colour count
  const Image& beyond = loaded(past);
  EXPECT_EQ(beyond.clearColour, -1);
  EXPECT_EQ(beyond.pixels, (std::vector<uint8_t>{0, 15}));
}

TEST_F(LoaderTest, Mode256KeepsIndexesAndPaletteAndMode32KeepsArgb) {
  const DecodedPicture pic = indexed({2, 0, 1}, {0x123456, 0xABCDEF, 0x00FF00}, 1);
  const Image& own = loaded(pic, 256, kArg0);
  EXPECT_EQ(own.pixels, (std::vector<uint8_t>{2, 0, 1}));
  EXPECT_EQ(own.clearColour, 1);
  EXPECT_EQ((*own.palette)[0], 0xFF123456u);
  EXPECT_EQ((*own.palette)[2], 0xFF00FF00u);
  EXPECT_EQ((*own.palette)[3], 0xFF000000u);
  const Image& argb = loaded(pic, 32, kArg0);
  EXPECT_EQ(argb.bytesPerPixel, 4);
  uint32_t px[3];
  std::memcpy(px, argb.pixels.data(), sizeof px);
  EXPECT_EQ(px[0], 0xFF00FF00u);
  EXPECT_EQ(px[2], 0x00ABCDEFu);
}

// ---- Real files through SDL_image ----

// Writes an RGBA PNG, or a palette PNG when `colourMap` (RGBA entries) is given; entries with
// alpha 0 become the file's transparent indexes.
void write_png(const std::string& path, int width, int height, const std::vector<uint8_t>& pixels,
               const std::vector<uint8_t>& colourMap = {}) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = colourMap.empty() ? PNG_FORMAT_RGBA : PNG_FORMAT_RGBA_COLORMAP;
  image.colormap_entries = static_cast<png_uint_32>(colourMap.size() / 4);
  ASSERT_NE(png_image_write_to_file(&image, path.c_str(), 0, pixels.data(), 0,
                                    colourMap.empty() ? nullptr : colourMap.data()),
            0)
      << image.message;
}

struct FileLoaderTest : LoaderTest {
  test::TempDir dir;
  SdlImageDecoder sdl;
  int32_t load_file(const std::string& name) { return load_image(table, errors, &sdl, name, 0, 0); }
  // The picture loaded from `name`, or an empty image when it did not load.
  const Image& picture(const std::string& name) {
    static const Image none;
    const int32_t handle = load_file(name);
    EXPECT_LT(handle, -1) << name;
    return handle < -1 ? *table.resolve(handle) : none;
  }
};

// The game's pictures are palette PNGs named with backslashes; RGBA and transparent palette
// entries take the matching paths of their own.
TEST_F(FileLoaderTest, PngFilesDecodeThroughTheirFormats) {
  write_png(dir.file("a.png"), 2, 2,
            {255, 255, 255, 255, 0, 0, 0, 255, 9, 9, 9, 0, 255, 0, 0, 255});
  const Image& rgba = picture(dir.file("a.png"));
  EXPECT_EQ(rgba.pixels, (std::vector<uint8_t>{15, 0, 255, 40}));
  EXPECT_EQ(rgba.clearColour, 255);
  std::filesystem::create_directory(dir.file("sub"));
  write_png(dir.file("sub/p.png"), 3, 1, {2, 0, 1},
            {255, 255, 255, 255, 0, 0, 0, 0, 255, 0, 0, 255});
  const Image& keyed = picture(dir.path() + "\\sub\\p.png");
  EXPECT_EQ(keyed.pixels, (std::vector<uint8_t>{40, 15, 255}));
  EXPECT_EQ(keyed.clearColour, 255);
  write_png(dir.file("o.png"), 3, 1, {2, 0, 1},
            {0, 0, 170, 255, 255, 255, 255, 255, 85, 255, 85, 255});
  const Image& opaque = picture(dir.file("o.png"));
  EXPECT_EQ(opaque.pixels, (std::vector<uint8_t>{10, 1, 15}));
  EXPECT_EQ(opaque.clearColour, -1);
}

TEST_F(FileLoaderTest, BrokenFilesGiveMinusOneWithoutError) {
  write_png(dir.file("good.png"), 16, 16, std::vector<uint8_t>(16 * 16 * 4, 200));
  const std::string good = test::read_file(dir.file("good.png"));
  std::string garbage = good;
  for (size_t i = 40; i < garbage.size(); i += 3) garbage[i] = static_cast<char>(i * 31);
  const std::pair<const char*, std::string> broken[] = {
      {"empty.png", ""},
      {"truncated.png", good.substr(0, good.size() / 2)},
      {"header.png", good.substr(0, 20)},
      {"garbage.png", garbage},
      {"text.bmp", "BM this is not a bitmap at all"}};
  for (const auto& [name, bytes] : broken) {
    test::write_file(dir.file(name), bytes);
    EXPECT_EQ(load_file(dir.file(name)), -1) << name;
  }
  EXPECT_EQ(load_file(dir.file("missing.png")), -1);
  EXPECT_EQ(errors.pending(), 0);
  EXPECT_LT(load_file(dir.file("good.png")), -1);
}

}  // namespace
}  // namespace kelvo
