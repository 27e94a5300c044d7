// put_image: the corner forms, clipping, clear colours, mirroring, the scaled copy and errors.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "runtime/display/blit.h"
#include "runtime/runtime.h"
#include "support/fake_clock.h"

namespace kelvo {
namespace {

constexpr uint8_t kBackdrop = 77;

struct BlitTest : ::testing::Test {
  WaitHub hub;
  Errors errors{hub};
  ImageTable table{errors};
  Image* screen = nullptr;

  void SetUp() override {
    table.set_screen(0, kArg0);
    table.set_screen(table.new_image(320, 300, 256, kArg0), kArg0);
    screen = table.destination();
    std::fill(screen->pixels.begin(), screen->pixels.end(), kBackdrop);
  }
  // A w by h image whose pixel (x, y) is pattern(x, y): distinct values, none of them 0 or 77.
  static uint8_t pattern(int x, int y) {
    return static_cast<uint8_t>(100 + (x * 7 + y * 13) % 150);
  }
  int32_t make(int w, int h, int mode = 256) {
    const int32_t handle = table.new_image(w, h, mode, kArg0);
    Image* img = table.resolve(handle);
    if (mode == 256) {
      for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) img->row(y)[x] = pattern(x, y);
      }
    }
    return handle;
  }
  void put(const PutImageArgs& args) { put_image(table, errors, args); }
  void put_at(double x, double y, int32_t source) {
    put({.x1 = x, .y1 = y, .source = source, .passed = kPutCorner1 | kPutSource});
  }
  void put_into(double x1, double y1, double x2, double y2, int32_t source, Image* dest = nullptr) {
    PutImageArgs a{.x1 = x1, .y1 = y1, .x2 = x2, .y2 = y2, .source = source};
    a.passed = kPutCorner1 | kPutCorner2 | kPutSource;
    if (dest) {
      a.destination = handle_of(dest);
      a.passed |= kPutDestination;
    }
    put(a);
  }
  int32_t handle_of(const Image* img) {
    for (size_t i = 2; i < table.handed_out(); ++i) {
      if (&table.at(static_cast<int>(i)) == img) return -static_cast<int32_t>(i);
    }
    return 0;
  }
  uint8_t at(int x, int y) const { return screen->row(y)[x]; }
  // Pixels of the screen that differ from the backdrop.
  int drawn() const {
    return static_cast<int>(std::count_if(screen->pixels.begin(), screen->pixels.end(),
                                          [](uint8_t p) { return p != kBackdrop; }));
  }
};

// ---- Unscaled copies and clipping ----

TEST_F(BlitTest, PointFormCopiesTheWholeImageAndNothingElse) {
  put_at(10, 20, make(16, 16));
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) ASSERT_EQ(at(10 + x, 20 + y), pattern(x, y)) << x << "," << y;
  }
  EXPECT_EQ(drawn(), 256);
  EXPECT_EQ(errors.pending(), 0);
}

TEST_F(BlitTest, ClippedAtTheLeftEdgeDrawsTheSourcesRightColumns) {
  put_at(-5, 10, make(16, 16));
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x <= 10; ++x) ASSERT_EQ(at(x, 10 + y), pattern(x + 5, y));
  }
  EXPECT_EQ(drawn(), 11 * 16);
}

TEST_F(BlitTest, ClippedAtTheBottomRightDrawsTheTopLeftCorner) {
  put_at(310, 295, make(16, 16));
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 10; ++x) ASSERT_EQ(at(310 + x, 295 + y), pattern(x, y));
  }
  EXPECT_EQ(drawn(), 10 * 5);
}

TEST_F(BlitTest, ClippedAtTheTopAndOutsideEntirely) {
  const int32_t img = make(16, 16);
  put_at(100, -15, img);
  EXPECT_EQ(at(100, 0), pattern(0, 15));
  EXPECT_EQ(drawn(), 16);
  for (auto [x, y] : {std::pair{-16, 0}, {320, 0}, {0, 300}, {0, -16}, {-1e12, 5}}) {
    put_at(x, y, img);
  }
  EXPECT_EQ(drawn(), 16);
  EXPECT_EQ(errors.pending(), 0);
}

TEST_F(BlitTest, WideImagesClipOnBothSides) {
  put_at(-10, -300, make(340, 600));
  for (int y : {0, 150, 299}) {
    for (int x : {0, 1, 160, 318, 319}) ASSERT_EQ(at(x, y), pattern(x + 10, y + 300));
  }
  EXPECT_EQ(drawn(), 320 * 300);
}

TEST_F(BlitTest, CornersRoundToNearestTiesToEven) {
  const int32_t img = make(1, 1);
  put_at(2.5, 0.5, img);     // ties: 2 and 0
  put_at(3.5, 1.5, img);     // ties: 4 and 2
  put_at(6.4999, 4.6, img);  // 6 and 5
  EXPECT_EQ(at(2, 0), pattern(0, 0));
  EXPECT_EQ(at(4, 2), pattern(0, 0));
  EXPECT_EQ(at(6, 5), pattern(0, 0));
  EXPECT_EQ(drawn(), 3);
}

// ---- Clear colour ----

TEST_F(BlitTest, ClearColourZeroLeavesTheDestinationUnderIt) {
  const int32_t handle = make(40, 3);
  Image* img = table.resolve(handle);
  for (int x = 0; x < 40; x += 3) img->row(1)[x] = 0;
  img->clearColour = 0;
  put_at(5, 5, handle);
  for (int x = 0; x < 40; ++x) {
    EXPECT_EQ(at(5 + x, 6), x % 3 == 0 ? kBackdrop : pattern(x, 1)) << x;
    EXPECT_EQ(at(5 + x, 5), pattern(x, 0));
  }
}

TEST_F(BlitTest, ClearColourAndPixelChangesCountAtOnce) {
  const int32_t handle = make(24, 1);
  Image* img = table.resolve(handle);
  img->clearColour = pattern(3, 0);
  put_at(0, 0, handle);
  EXPECT_EQ(at(3, 0), kBackdrop);
  img->clearColour = pattern(4, 0);
  img->row(0)[20] = pattern(4, 0);
  put_at(0, 1, handle);
  EXPECT_EQ(at(3, 1), pattern(3, 0));
  EXPECT_EQ(at(4, 1), kBackdrop);
  EXPECT_EQ(at(20, 1), kBackdrop);
  img->clearColour = -1;
  put_at(0, 2, handle);
  EXPECT_EQ(at(20, 2), pattern(4, 0));
}

// The block-wise keyed copy against a byte-by-byte one, for every length up to 70 and every
// alignment, with sources dense in the key.
TEST(KeyedRowCopy, MatchesTheBytewiseRule) {
  std::mt19937 random(7);
  for (size_t n = 0; n <= 70; ++n) {
    for (size_t offset = 0; offset < 3; ++offset) {
      std::vector<uint8_t> src(n + 3), dst(n + 3), expected;
      for (auto& b : src) b = static_cast<uint8_t>(random() % 3 == 0 ? 0x80 : random() % 256);
      for (auto& b : dst) b = static_cast<uint8_t>(random());
      expected = dst;
      for (size_t i = 0; i < n; ++i) {
        if (src[offset + i] != 0x80) expected[offset + i] = src[offset + i];
      }
      copy_keyed_row(dst.data() + offset, src.data() + offset, n, 0x80);
      ASSERT_EQ(dst, expected) << "length " << n << " offset " << offset;
    }
  }
}

// ---- Mirroring and source corners ----

TEST_F(BlitTest, RightToLeftDestinationMirrorsHorizontally) {
  put_into(20, 0, 5, 15, make(16, 16));
  for (int y = 0; y < 16; ++y) {
    for (int i = 0; i < 16; ++i) ASSERT_EQ(at(5 + i, y), pattern(15 - i, y));
  }
  EXPECT_EQ(drawn(), 256);
}

TEST_F(BlitTest, SourceCornersBottomToTopMirrorVertically) {
  PutImageArgs a{.x1 = 0, .y1 = 0, .x2 = 15, .y2 = 15, .source = make(16, 16)};
  a.sx1 = 0, a.sy1 = 15, a.sx2 = 15, a.sy2 = 0;
  a.passed = kPutCorner1 | kPutCorner2 | kPutSource | kPutSourceCorner1 | kPutSourceCorner2;
  put(a);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) ASSERT_EQ(at(x, y), pattern(x, 15 - y));
  }
}

TEST_F(BlitTest, MirroredCopyClipsTheOppositeEndOfTheSource) {
  put_into(10, 0, -5, 15, make(16, 16));  // mirrored, five columns off the left edge
  for (int x = 0; x <= 10; ++x) ASSERT_EQ(at(x, 0), pattern(10 - x, 0));
  EXPECT_EQ(drawn(), 11 * 16);
}

TEST_F(BlitTest, FirstSourceCornerWithSecondCornerCopiesASubRectangle) {
  PutImageArgs a{.x1 = 50, .y1 = 60, .x2 = 53, .y2 = 61, .source = make(16, 16)};
  a.sx1 = 4, a.sy1 = 7;
  a.passed = kPutCorner1 | kPutCorner2 | kPutSource | kPutSourceCorner1;
  put(a);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 4; ++x) ASSERT_EQ(at(50 + x, 60 + y), pattern(4 + x, 7 + y));
  }
  EXPECT_EQ(drawn(), 8);
}

TEST_F(BlitTest, SecondSourceCornerAtAPointCopiesThatRectangle) {
  PutImageArgs a{.x1 = 7, .y1 = 8, .source = make(16, 16)};
  a.sx1 = 2, a.sy1 = 3, a.sx2 = 4, a.sy2 = 3;
  a.passed = kPutCorner1 | kPutSource | kPutSourceCorner1 | kPutSourceCorner2;
  put(a);
  EXPECT_EQ(at(7, 8), pattern(2, 3));
  EXPECT_EQ(at(9, 8), pattern(4, 3));
  EXPECT_EQ(drawn(), 3);
}

TEST_F(BlitTest, SourceRectanglePartlyOutsideTheSourceIsClipped) {
  PutImageArgs a{.x1 = 100, .y1 = 100, .source = make(16, 16)};
  a.sx1 = -3, a.sy1 = 14, a.sx2 = 2, a.sy2 = 20;
  a.passed = kPutCorner1 | kPutSource | kPutSourceCorner1 | kPutSourceCorner2;
  put(a);
  EXPECT_EQ(at(103, 100), pattern(0, 14));
  EXPECT_EQ(at(105, 101), pattern(2, 15));
  EXPECT_EQ(drawn(), 3 * 2);
}

// ---- Scaled copies ----

TEST_F(BlitTest, SixteenIntoThirtyTwoDoublesEveryPixel) {
  put_into(0, 0, 31, 31, make(16, 16));
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) ASSERT_EQ(at(x, y), pattern(x / 2, y / 2)) << x << "," << y;
  }
  EXPECT_EQ(drawn(), 32 * 32);
}

TEST_F(BlitTest, ShrinkingSamplesByTheRunningStep) {
  put_into(0, 0, 9, 0, make(31, 1));
  // step = 30.999998 / 9: columns nearest(-0.499999 + i * 3.4444442)
  const int expected[] = {0, 3, 6, 10, 13, 17, 20, 24, 27, 30};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(at(i, 0), pattern(expected[i], 0)) << i;
}

TEST_F(BlitTest, ScaledMirroredCopyIsTheMirrorImage) {
  put_into(31, 0, 0, 31, make(16, 16));
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) ASSERT_EQ(at(x, y), pattern((31 - x) / 2, y / 2));
  }
}

// A clipped stretch shows exactly the visible part of the unclipped one.
TEST_F(BlitTest, ScaledClippingKeepsTheSamplesOfTheWholeStretch) {
  const int32_t src = make(16, 16);
  const int32_t big = make(64, 64);
  Image* reference = table.resolve(big);
  put_into(0, 0, 46, 40, src, reference);  // 47 by 41 from 16 by 16
  put_into(-10, -7, 36, 33, src);
  put_into(290, 280, 336, 320, src);
  for (int y = 0; y <= 33; ++y) {
    for (int x = 0; x <= 36; ++x) ASSERT_EQ(at(x, y), reference->row(y + 7)[x + 10]);
  }
  for (int y = 280; y < 300; ++y) {
    for (int x = 290; x < 320; ++x) ASSERT_EQ(at(x, y), reference->row(y - 280)[x - 290]);
  }
}

TEST_F(BlitTest, ScaledCopySkipsTheClearColour) {
  const int32_t handle = make(2, 1);
  Image* img = table.resolve(handle);
  img->clearColour = pattern(1, 0);
  put_into(0, 0, 3, 1, handle);
  EXPECT_EQ(at(0, 0), pattern(0, 0));
  EXPECT_EQ(at(1, 1), pattern(0, 0));
  EXPECT_EQ(at(2, 0), kBackdrop);
  EXPECT_EQ(at(3, 1), kBackdrop);
}

TEST_F(BlitTest, NoCornersStretchesTheWholeSourceOverTheWholeDestination) {
  const int32_t src = make(160, 150);
  put({.source = src, .passed = kPutSource});
  EXPECT_EQ(at(0, 0), pattern(0, 0));
  EXPECT_EQ(at(319, 299), pattern(159, 149));
  EXPECT_EQ(drawn(), 320 * 300);
}

TEST_F(BlitTest, ZeroWidthDestinationTakesOneColumn) {
  put_into(5, 0, 5, 31, make(16, 16));
  EXPECT_EQ(at(5, 2), pattern(0, 1));
  EXPECT_EQ(drawn(), 32);
}

// ---- Other depths ----

TEST_F(BlitTest, IndexedOntoArgbGoesThroughTheSourcePalette) {
  const int32_t src = make(4, 1);
  Image* s = table.resolve(src);
  s->row(0)[0] = 15;
  s->row(0)[1] = 1;
  s->clearColour = 1;
  Image* d = table.resolve(make(4, 1, 32));
  put({.x1 = 0,
       .y1 = 0,
       .source = src,
       .destination = handle_of(d),
       .passed = kPutCorner1 | kPutSource | kPutDestination});
  uint32_t px[4];
  std::memcpy(px, d->pixels.data(), sizeof px);
  EXPECT_EQ(px[0], 0xFFFFFFFFu);
  EXPECT_EQ(px[1], 0u);
  EXPECT_EQ(px[2], default_palette()[pattern(2, 0)]);
}

TEST_F(BlitTest, ArgbOntoArgbBlendsUnlessNoBlend) {
  Image* s = table.resolve(make(3, 1, 32));
  Image* d = table.resolve(make(3, 1, 32));
  const uint32_t src[3] = {0xFF102030u, 0x00FFFFFFu, 0x80FF0000u};
  const uint32_t old[3] = {0xFF000000u, 0xFF445566u, 0xFF0000FFu};
  std::memcpy(s->pixels.data(), src, sizeof src);
  std::memcpy(d->pixels.data(), old, sizeof old);
  const PutImageArgs a{.x1 = 0,
                       .y1 = 0,
                       .source = handle_of(s),
                       .destination = handle_of(d),
                       .passed = kPutCorner1 | kPutSource | kPutDestination};
  put(a);
  uint32_t out[3];
  std::memcpy(out, d->pixels.data(), sizeof out);
  EXPECT_EQ(out[0], 0xFF102030u);
  EXPECT_EQ(out[1], 0xFF445566u);
  EXPECT_EQ(out[2], 0xFF80007Fu);
  d->noBlend = 1;
  put(a);
  std::memcpy(out, d->pixels.data(), sizeof out);
  EXPECT_EQ(out[1], 0x00FFFFFFu);
}

// ---- Errors ----

TEST_F(BlitTest, TextImagesRaiseFive) {
  const int32_t text = table.new_image(10, 5, 0, kArg0);
  put_at(0, 0, text);
  EXPECT_EQ(errors.pending(), 5);
  EXPECT_EQ(drawn(), 0);
}

TEST_F(BlitTest, ArgbOntoIndexedRaisesFive) {
  put_at(0, 0, make(4, 4, 32));
  EXPECT_EQ(errors.pending(), 5);
}

TEST_F(BlitTest, AnImageOntoItselfRaisesFive) {
  const int32_t img = make(4, 4);
  put({.source = img, .destination = img, .passed = kPutSource | kPutDestination});
  EXPECT_EQ(errors.pending(), 5);
}

TEST_F(BlitTest, FirstSourceCornerAloneRaisesFive) {
  put({.x1 = 3,
       .y1 = 3,
       .source = make(4, 4),
       .sx1 = 1,
       .sy1 = 1,
       .passed = kPutCorner1 | kPutSource | kPutSourceCorner1});
  EXPECT_EQ(errors.pending(), 5);
  EXPECT_EQ(drawn(), 0);
}

TEST_F(BlitTest, FailedLoadAndUnknownHandlesRaise258) {
  put_at(0, 0, -1);
  EXPECT_EQ(errors.pending(), 258);
  Errors fresh{hub};
  ImageTable other{fresh};
  put_image(other, fresh, {.source = -4000, .passed = kPutSource});
  EXPECT_EQ(fresh.pending(), 258);
}

TEST_F(BlitTest, NothingHappensWhileAnErrorIsPending) {
  const int32_t img = make(4, 4);
  errors.raise_error(6);
  put_at(0, 0, img);
  EXPECT_EQ(drawn(), 0);
  EXPECT_EQ(errors.pending(), 6);
}

// ---- The facade ----

TEST(RuntimeImages, GameFormsDrawOnTheScreen) {
  test::FakeClock clock;
  Runtime rt(clock, TimeReference{clock.now, 0});
  const int32_t screen = rt.new_image(320, 300, 256);
  rt.set_screen(screen);
  const int32_t img = rt.new_image(2, 2, 256);
  rt.images.resolve(img)->pixels = {1, 2, 3, 4};
  rt.put_image(10, 10, img);
  rt.put_image(20, 20, 23, 23, img);
  const Image* s = rt.images.display_image();
  EXPECT_EQ(s->row(11)[11], 4);
  EXPECT_EQ(s->row(20)[21], 1);
  EXPECT_EQ(s->row(23)[23], 4);
  EXPECT_EQ(rt.load_image(""), -1);
  EXPECT_EQ(rt.load_image("no-such-file.png"), -1);  // no decoder: nothing decodes
  EXPECT_EQ(rt.errors.pending(), 0);
}

// After the first display_now a cleared screen is filled only when something else than a covering
// opaque picture draws on it first; the screen must come out as if it had been filled at once.
TEST(RuntimeImages, ClearUnderACoveringPictureLeavesTheSameScreen) {
  struct Case {
    double x, y;
    int width, height;
    int32_t clear;
  };
  const Case cases[] = {{0, 0, 320, 300, -1},   {-3, -0.6, 330, 310, -1}, {1, 0, 320, 300, -1},
                        {0, 0.6, 320, 300, -1}, {0, 0, 320, 300, 9},      {0, 0, 319, 300, -1},
                        {-10, 0, 320, 300, -1}};
  for (const Case& c : cases) {
    std::vector<uint8_t> screens[2];
    for (const int32_t autoDisplay : {0, 1}) {
      test::FakeClock clock;
      Runtime rt(clock, TimeReference{clock.now, 0});
      rt.set_screen(rt.new_image(320, 300, 256));
      const int32_t img = rt.new_image(c.width, c.height, 256);
      Image* picture = rt.images.resolve(img);
      for (size_t i = 0; i < picture->pixels.size(); ++i) picture->pixels[i] = 1 + i % 200;
      picture->clearColour = c.clear;
      rt.display.autoDisplay.store(autoDisplay);
      rt.clear_screen(250);
      rt.put_image(c.x, c.y, img);
      rt.display_now();
      screens[autoDisplay] = rt.images.display_image()->pixels;
    }
    EXPECT_EQ(screens[0], screens[1]) << "picture at " << c.x << ", " << c.y;
  }
}

}  // namespace
}  // namespace kelvo
