// Image indexes, handles, screen pages and the colour and mode setters.
#include <gtest/gtest.h>

#include <functional>

#include "runtime/display/image_table.h"

namespace kelvo {
namespace {

struct ImageTableTest : ::testing::Test {
  WaitHub hub;
  Errors errors{hub};
  ImageTable table{errors};

  void SetUp() override { table.set_screen(0, kArg0); }  // the start-up text screen
  int32_t game_screen() {
    const int32_t h = table.new_image(320, 300, 256, kArg0);
    table.set_screen(h, kArg0);
    return h;
  }
};

// The game's pictures are numbered by these indexes, and its state dumps show them.
TEST_F(ImageTableTest, IndexesComeOutInTheGamesOrder) {
  Image* page0 = table.display_image();
  ASSERT_NE(page0, nullptr);
  EXPECT_TRUE(page0->isText);
  EXPECT_EQ(page0->width, 80);
  EXPECT_EQ(page0->height, 25);
  EXPECT_EQ(page0->pixels[0], ' ');
  EXPECT_EQ(page0->pixels[1], 0x07);
  EXPECT_EQ(table.handed_out(), 10u);  // the eight text pages take indexes 2..9
  int changes = 0;
  table.set_screen_change_hook([&] { ++changes; });
  const int32_t screen = game_screen();
  EXPECT_EQ(screen, -10);
  table.set_screen(screen, kArg0);  // already the screen: nothing happens
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(table.free_indexes(), (std::vector<int>{3, 4, 5, 6, 7, 8, 9, 2}));
  std::vector<int32_t> handles;
  for (int i = 0; i < 10; ++i) handles.push_back(table.new_image(16, 16, 256, kArg0));
  EXPECT_EQ(handles, (std::vector<int32_t>{-2, -9, -8, -7, -6, -5, -4, -3, -11, -12}));
  EXPECT_EQ(errors.pending(), 0);
}

TEST_F(ImageTableTest, NewImagesStartFromTheGamesDefaultsOrTheDestinations) {
  game_screen();
  const Image& img = *table.resolve(table.new_image(320, 300, 256, kArg0));
  EXPECT_EQ(img.colourMask, 255u);
  EXPECT_EQ(img.foreground, 15u);
  EXPECT_EQ(img.background, 0u);
  EXPECT_EQ(img.font, 16u);
  EXPECT_EQ(img.textTop, 1);
  EXPECT_EQ(img.textBottom, 17);
  EXPECT_EQ(img.printMode, kPrintFillCell);
  EXPECT_EQ(img.clearColour, -1);
  EXPECT_EQ(*img.palette, default_palette());
  EXPECT_EQ(img.graphicsX, 160);
  EXPECT_EQ(img.graphicsY, 150);
  EXPECT_EQ(img.pixels.size(), 96000u);
  table.set_colour(12, 3, 0, kArg0 | kArg1);
  table.set_print_mode(2, 0, 0);
  const Image& copy = *table.resolve(table.new_image(8, 8, 0, 0));  // no mode: the destination's
  EXPECT_EQ(copy.mode, 256);
  EXPECT_EQ(copy.foreground, 12u);
  EXPECT_EQ(copy.background, 3u);
  EXPECT_EQ(copy.printMode, kPrintGlyphOnly);
}

TEST_F(ImageTableTest, SettersCheckTheirRangesAndEachImageKeepsItsOwnClearColour) {
  game_screen();
  const int32_t a = table.new_image(4, 4, 256, kArg0);
  const int32_t b = table.new_image(4, 4, 256, kArg0);
  table.set_clear_colour(0, 0, a, kArg0 | kArg1);
  EXPECT_EQ(table.resolve(a)->clearColour, 0);
  EXPECT_EQ(table.resolve(b)->clearColour, -1);
  table.set_clear_colour(1, 0, a, kArg1);  // "none" given: no clear colour
  EXPECT_EQ(table.resolve(a)->clearColour, -1);
  table.set_print_mode(3, 0, 0);
  EXPECT_EQ(table.destination()->printMode, kPrintBackgroundOnly);
  table.set_print_mode(9, 0, 0);  // options past 3 change nothing
  EXPECT_EQ(table.destination()->printMode, kPrintBackgroundOnly);
  EXPECT_EQ(errors.pending(), 0);
  table.set_clear_colour(0, 256, a, kArg0 | kArg1);
  EXPECT_EQ(errors.pending(), 5);
  EXPECT_EQ(table.resolve(a)->clearColour, -1);
  Errors fresh{hub};
  ImageTable other{fresh};
  other.set_screen(other.new_image(320, 300, 256, kArg0), kArg0);
  other.set_colour(300, 0, 0, kArg0);
  EXPECT_EQ(fresh.pending(), 5);
  EXPECT_EQ(other.destination()->foreground, 15u);
}

TEST_F(ImageTableTest, BadSizesModesAndHandlesRaiseTheirErrors) {
  struct Case {
    const char* what;
    std::function<void(ImageTable&)> call;
    int code;
  };
  const Case cases[] = {
      {"zero width", [](ImageTable& t) { t.new_image(0, 300, 256, kArg0); }, 5},
      {"mode 4", [](ImageTable& t) { t.new_image(320, 300, 4, kArg0); }, 5},
      {"screen mode 4", [](ImageTable& t) { t.set_screen(4, kArg0); }, 5},
      {"print mode on a text screen", [](ImageTable& t) { t.set_print_mode(2, 0, 0); }, 5},
      {"a handle never given out", [](ImageTable& t) { t.resolve(-500); }, 258},
      {"a freed text page",
       [](ImageTable& t) {
         t.set_screen(t.new_image(4, 4, 256, kArg0), kArg0);  // frees the text pages 2..9
         t.resolve(-3);
       },
       258}};
  for (const Case& c : cases) {
    Errors fresh{hub};
    ImageTable other{fresh};
    other.set_screen(0, kArg0);
    c.call(other);
    EXPECT_EQ(fresh.pending(), c.code) << c.what;
  }
}

}  // namespace
}  // namespace kelvo
