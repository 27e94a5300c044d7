// Image indexes, handles, screen pages and the colour and mode setters.
#include <gtest/gtest.h>

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

TEST_F(ImageTableTest, StartUpTextScreenHasEightPagesOfBlankCells) {
  Image* page0 = table.display_image();
  ASSERT_NE(page0, nullptr);
  EXPECT_TRUE(page0->isText);
  EXPECT_EQ(page0->width, 80);
  EXPECT_EQ(page0->height, 25);
  EXPECT_EQ(page0->pixels[0], ' ');
  EXPECT_EQ(page0->pixels[1], 0x07);
  EXPECT_EQ(table.handed_out(), 10u);  // indexes 2..9
  EXPECT_EQ(&table.at(2), page0);
}

TEST_F(ImageTableTest, IndexesComeOutInTheGamesOrder) {
  EXPECT_EQ(game_screen(), -10);
  EXPECT_EQ(table.free_indexes(), (std::vector<int>{3, 4, 5, 6, 7, 8, 9, 2}));
  std::vector<int32_t> handles;
  for (int i = 0; i < 10; ++i) handles.push_back(table.new_image(16, 16, 256, kArg0));
  EXPECT_EQ(handles, (std::vector<int32_t>{-2, -9, -8, -7, -6, -5, -4, -3, -11, -12}));
  EXPECT_EQ(errors.pending(), 0);
}

TEST_F(ImageTableTest, NewImageStartValues) {
  game_screen();
  Image* img = table.resolve(table.new_image(320, 300, 256, kArg0));
  ASSERT_NE(img, nullptr);
  EXPECT_EQ(img->colourMask, 255u);
  EXPECT_EQ(img->foreground, 15u);
  EXPECT_EQ(img->background, 0u);
  EXPECT_EQ(img->font, 16u);
  EXPECT_EQ(img->textTop, 1);
  EXPECT_EQ(img->textBottom, 17);
  EXPECT_EQ(img->printMode, kPrintFillCell);
  EXPECT_EQ(img->clearColour, -1);
  EXPECT_EQ(*img->palette, default_palette());
  EXPECT_EQ(img->graphicsX, 160);
  EXPECT_EQ(img->graphicsY, 150);
  EXPECT_EQ(img->pixels.size(), 96000u);
}

TEST_F(ImageTableTest, BadSizesAndModesRaiseFive) {
  EXPECT_EQ(table.new_image(0, 300, 256, kArg0), 0);
  EXPECT_EQ(errors.pending(), 5);
  Errors fresh{hub};
  ImageTable other{fresh};
  EXPECT_EQ(other.new_image(320, 300, 4, kArg0), 0);
  EXPECT_EQ(fresh.pending(), 5);
}

TEST_F(ImageTableTest, ModeNotGivenCopiesTheDestination) {
  game_screen();
  table.set_colour(12, 3, 0, kArg0 | kArg1);
  table.set_print_mode(2, 0, 0);
  Image* img = table.resolve(table.new_image(8, 8, 0, 0));
  ASSERT_NE(img, nullptr);
  EXPECT_EQ(img->mode, 256);
  EXPECT_EQ(img->foreground, 12u);
  EXPECT_EQ(img->background, 3u);
  EXPECT_EQ(img->printMode, kPrintGlyphOnly);
}

TEST_F(ImageTableTest, HandlesNeverHandedOutOrFreedRaise258) {
  game_screen();
  EXPECT_EQ(table.resolve(-500), nullptr);
  EXPECT_EQ(errors.pending(), 258);
  Errors fresh{hub};
  ImageTable other{fresh};
  other.set_screen(0, kArg0);
  const int32_t h = other.new_image(4, 4, 256, kArg0);
  other.set_screen(h, kArg0);  // frees the text pages 2..9
  EXPECT_EQ(other.resolve(-3), nullptr);
  EXPECT_EQ(fresh.pending(), 258);
}

TEST_F(ImageTableTest, SetColourChecksRangesOnIndexedImages) {
  game_screen();
  table.set_colour(300, 0, 0, kArg0);
  EXPECT_EQ(errors.pending(), 5);
  EXPECT_EQ(table.destination()->foreground, 15u);
}

TEST_F(ImageTableTest, ClearColourRules) {
  game_screen();
  const int32_t h = table.new_image(4, 4, 256, kArg0);
  table.set_clear_colour(0, 0, h, kArg0 | kArg1);
  EXPECT_EQ(table.resolve(h)->clearColour, 0);
  table.set_clear_colour(1, 0, h, kArg1);
  EXPECT_EQ(table.resolve(h)->clearColour, -1);
  table.set_clear_colour(0, 256, h, kArg0 | kArg1);
  EXPECT_EQ(errors.pending(), 5);
  EXPECT_EQ(table.resolve(h)->clearColour, -1);
}

TEST_F(ImageTableTest, SameFileLoadedTwiceKeepsIndependentClearColours) {
  game_screen();
  const int32_t a = table.new_image(4, 4, 256, kArg0);
  const int32_t b = table.new_image(4, 4, 256, kArg0);
  table.set_clear_colour(0, 0, a, kArg0 | kArg1);
  EXPECT_EQ(table.resolve(b)->clearColour, -1);
}

TEST_F(ImageTableTest, PrintModeOptionsAndTextScreens) {
  table.set_print_mode(2, 0, 0);  // still the text screen
  EXPECT_EQ(errors.pending(), 5);
  Errors fresh{hub};
  ImageTable other{fresh};
  other.set_screen(0, kArg0);
  other.set_screen(other.new_image(320, 300, 256, kArg0), kArg0);
  other.set_print_mode(2, 0, 0);
  EXPECT_EQ(other.destination()->printMode, kPrintGlyphOnly);
  other.set_print_mode(3, 0, 0);
  EXPECT_EQ(other.destination()->printMode, kPrintBackgroundOnly);
  other.set_print_mode(9, 0, 0);
  EXPECT_EQ(other.destination()->printMode, kPrintBackgroundOnly);
  EXPECT_EQ(fresh.pending(), 0);
}

TEST_F(ImageTableTest, PagesAreMadeOnFirstUseAndShareThePalette) {
  game_screen();
  Image* page3 = table.resolve(3);
  ASSERT_NE(page3, nullptr);
  EXPECT_EQ(page3->width, 320);
  EXPECT_EQ(page3->palette, table.display_image()->palette);
  EXPECT_TRUE(page3->flags & kScreenPage);
  EXPECT_FALSE(page3->flags & kOwnsPalette);
}

TEST_F(ImageTableTest, LegacyScreenModesAndTheirErrors) {
  table.set_screen(4, kArg0);
  EXPECT_EQ(errors.pending(), 5);
  Errors fresh{hub};
  ImageTable other{fresh};
  other.set_screen(13, kArg0);
  EXPECT_EQ(other.display_image()->width, 320);
  EXPECT_EQ(other.display_image()->height, 200);
  EXPECT_EQ(fresh.pending(), 0);
}

TEST_F(ImageTableTest, ScreenChangeInvalidatesTheWindow) {
  int changes = 0;
  table.set_screen_change_hook([&] { ++changes; });
  const int32_t h = game_screen();
  table.set_screen(h, kArg0);  // already the screen: nothing happens
  EXPECT_EQ(changes, 1);
}

TEST_F(ImageTableTest, NothingHappensWhileAnErrorIsPending) {
  game_screen();
  errors.raise_error(53);
  EXPECT_EQ(table.new_image(4, 4, 256, kArg0), 0);
  table.set_colour(3, 0, 0, kArg0);
  EXPECT_EQ(table.destination()->foreground, 15u);
}

}  // namespace
}  // namespace kelvo
