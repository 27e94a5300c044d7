// put_image: the corner forms, clipping, clear colours, mirroring, the scaled copy and errors.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <random>

#include "runtime/display/blit.h"
#include "runtime/runtime.h"
#include "support/fake_clock.h"

namespace kelvo {
namespace {

constexpr uint8_t kBackdrop = 77;
constexpr int kNone = -1;  // an expected screen pixel left as the backdrop

struct BlitTest : ::testing::Test {
  WaitHub hub;
  Errors errors{hub};
  ImageTable table{errors};
  Image* screen = nullptr;

  void SetUp() override {
    table.set_screen(0, kArg0);
    table.set_screen(table.new_image(320, 300, 256, kArg0), kArg0);
    screen = table.destination();
    clear();
  }
  void clear() { std::fill(screen->pixels.begin(), screen->pixels.end(), kBackdrop); }
  // A w by h image whose pixel (x, y) is pattern(x, y): distinct values, none of them 0 or 77.
  static int pattern(int x, int y) { return 100 + (x * 7 + y * 13) % 150; }
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
  void put_into(double x1, double y1, double x2, double y2, int32_t source, int32_t dest = 0) {
    PutImageArgs a{.x1 = x1, .y1 = y1, .x2 = x2, .y2 = y2, .source = source, .destination = dest};
    a.passed = kPutCorner1 | kPutCorner2 | kPutSource | (dest ? kPutDestination : 0u);
    put(a);
  }
  // Every screen pixel against `expected` (a value, or kNone for the backdrop); stops at the first
  // difference.
  ::testing::AssertionResult screen_is(const std::function<int(int x, int y)>& expected) const {
    for (int y = 0; y < 300; ++y) {
      for (int x = 0; x < 320; ++x) {
        const int want = expected(x, y);
        const int got = screen->row(y)[x];
        if (got != (want == kNone ? kBackdrop : want)) {
          return ::testing::AssertionFailure()
                 << "at " << x << "," << y << ": " << got << " not " << want;
        }
      }
    }
    return ::testing::AssertionSuccess();
  }
  uint8_t at(int x, int y) const { return screen->row(y)[x]; }
};

// ---- Unscaled copies and clipping ----

TEST_F(BlitTest, PointFormCopiesTheVisiblePartOfTheImage) {
  struct Case {
    double x, y;
    int w, h;
  };
  // clang-format off
  const Case cases[] = {
      {10, 20, 16, 16}, {-5, 10, 16, 16}, {310, 295, 16, 16}, {100, -15, 16, 16}, {-16, 0, 16, 16},
      {320, 0, 16, 16}, {0, 300, 16, 16}, {0, -16, 16, 16}, {-1e12, 5, 16, 16},
      {-10, -300, 340, 600}, {319, 298, 2, 2}};
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.x << "," << c.y << " " << c.w << "x" << c.h);
    clear();
    put_at(c.x, c.y, make(c.w, c.h));
    EXPECT_TRUE(screen_is([&](int x, int y) {
      const double sx = x - c.x, sy = y - c.y;
      return sx >= 0 && sx < c.w && sy >= 0 && sy < c.h
                 ? pattern(static_cast<int>(sx), static_cast<int>(sy))
                 : kNone;
    }));
  }
  EXPECT_EQ(errors.pending(), 0);
}

TEST_F(BlitTest, CornersRoundToNearestTiesToEven) {
  const int32_t img = make(1, 1);
  put_at(2.5, 0.5, img);     // ties: 2 and 0
  put_at(3.5, 1.5, img);     // ties: 4 and 2
  put_at(6.4999, 4.6, img);  // 6 and 5
  // As single-precision values 3.4999999999 and 7.4999999999 are the ties 3.5 and 7.5.
  put_at(3.4999999999, 7.4999999999, img);
  EXPECT_TRUE(screen_is([](int x, int y) {
    const bool drawn =
        (x == 2 && y == 0) || (x == 4 && y == 2) || (x == 6 && y == 5) || (x == 4 && y == 8);
    return drawn ? pattern(0, 0) : kNone;
  }));
}

// ---- Clear colour ----

TEST_F(BlitTest, ClearColourLeavesTheDestinationAndItsChangesCountAtOnce) {
  const int32_t handle = make(24, 1);
  Image* img = table.resolve(handle);
  img->row(0)[0] = 0;
  img->clearColour = 0;
  put_at(0, 0, handle);
  img->clearColour = pattern(4, 0);
  img->row(0)[20] = pattern(4, 0);
  put_at(0, 1, handle);
  img->clearColour = -1;
  put_at(0, 2, handle);
  EXPECT_TRUE(screen_is([](int x, int y) {
    if (x >= 24 || y > 2) return kNone;
    if (y == 0 && x == 0) return kNone;
    if (y == 1 && (x == 4 || x == 20)) return kNone;
    if (x == 0) return 0;
    return x == 20 && y == 2 ? pattern(4, 0) : pattern(x, 0);
  }));
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

TEST_F(BlitTest, CornersInReverseOrderMirror) {
  const int32_t img = make(16, 16);
  put_into(20, 0, 5, 15, img);
  put_into(30, 15, 45, 0, img);
  put_into(10, 50, -5, 65, img);  // mirrored, five columns off the left edge
  EXPECT_TRUE(screen_is([](int x, int y) {
    if (y < 16 && x >= 5 && x <= 20) return (pattern(20 - x, y));
    if (y < 16 && x >= 30 && x <= 45) return (pattern(x - 30, 15 - y));
    if (y >= 50 && y < 66 && x <= 10) return (pattern(10 - x, y - 50));
    return kNone;
  }));
}

// ---- Scaled copies ----

TEST_F(BlitTest, SixteenIntoThirtyTwoDoublesEveryPixelAndTheMirrorIsTheMirrorImage) {
  const int32_t img = make(16, 16);
  put_into(0, 0, 31, 31, img);
  put_into(63, 0, 32, 31, img);
  EXPECT_TRUE(screen_is([](int x, int y) {
    if (y >= 32 || x >= 64) return kNone;
    return static_cast<int>(x < 32 ? pattern(x / 2, y / 2) : pattern((63 - x) / 2, y / 2));
  }));
}

TEST_F(BlitTest, ShrinkingSamplesByTheRunningStep) {
  put_into(0, 0, 9, 0, make(31, 1));
  // step = 30.999998 / 9: columns nearest(-0.499999 + i * 3.4444442)
  const int expected[] = {0, 3, 6, 10, 13, 17, 20, 24, 27, 30};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(at(i, 0), pattern(expected[i], 0)) << i;
}

// A clipped stretch shows exactly the visible part of the unclipped one.
TEST_F(BlitTest, ScaledClippingKeepsTheSamplesOfTheWholeStretch) {
  const int32_t src = make(16, 16);
  const int32_t big = make(64, 64);
  put_into(0, 0, 46, 40, src, big);  // 47 by 41 from 16 by 16
  put_into(-10, -7, 36, 33, src);
  put_into(290, 280, 336, 320, src);
  const Image* reference = table.resolve(big);
  EXPECT_TRUE(screen_is([&](int x, int y) {
    if (x <= 36 && y <= 33) return static_cast<int>(reference->row(y + 7)[x + 10]);
    if (x >= 290 && y >= 280) return static_cast<int>(reference->row(y - 280)[x - 290]);
    return kNone;
  }));
}

TEST_F(BlitTest, ScaledCopySkipsTheClearColour) {
  const int32_t handle = make(2, 1);
  table.resolve(handle)->clearColour = pattern(1, 0);
  put_into(0, 0, 3, 1, handle);
  EXPECT_TRUE(screen_is([](int x, int y) { return x < 2 && y < 2 ? pattern(0, 0) : kNone; }));
}

TEST_F(BlitTest, NoCornersFillTheDestinationAndAZeroWidthTakesOneColumn) {
  put({.source = make(160, 150), .passed = kPutSource});
  EXPECT_TRUE(screen_is([](int x, int y) { return pattern(x / 2, y / 2); }));
  clear();
  put_into(5, 0, 5, 31, make(16, 16));
  EXPECT_TRUE(screen_is([](int x, int y) { return x == 5 && y < 32 ? pattern(0, y / 2) : kNone; }));
}

// ---- Other depths ----

TEST_F(BlitTest, IndexedOntoArgbGoesThroughThePaletteAndArgbBlendsUnlessNoBlend) {
  const int32_t src = make(4, 1);
  Image* s = table.resolve(src);
  s->row(0)[0] = 15;
  s->row(0)[1] = 1;
  s->clearColour = 1;
  const int32_t argb = make(4, 1, 32);
  Image* d = table.resolve(argb);
  put({.source = src, .destination = argb, .passed = kPutCorner1 | kPutSource | kPutDestination});
  uint32_t px[4];
  std::memcpy(px, d->pixels.data(), sizeof px);
  EXPECT_EQ(px[0], 0xFFFFFFFFu);
  EXPECT_EQ(px[1], 0u);
  EXPECT_EQ(px[2], default_palette()[pattern(2, 0)]);

  const uint32_t top[3] = {0xFF102030u, 0x00FFFFFFu, 0x80FF0001u};
  const uint32_t under[3] = {0xFF000000u, 0xFF445566u, 0xFF0000FFu};
  const int32_t s32 = make(3, 1, 32), d32 = make(3, 1, 32);
  std::memcpy(table.resolve(s32)->pixels.data(), top, sizeof top);
  std::memcpy(table.resolve(d32)->pixels.data(), under, sizeof under);
  const PutImageArgs a{
      .source = s32, .destination = d32, .passed = kPutCorner1 | kPutSource | kPutDestination};
  put(a);
  std::memcpy(px, table.resolve(d32)->pixels.data(), 3 * sizeof(uint32_t));
  EXPECT_EQ(px[0], 0xFF102030u);
  EXPECT_EQ(px[1], 0xFF445566u);
  EXPECT_EQ(px[2], 0xFF800080u);  // 127.5 and 128.5 round to the nearest
  table.resolve(d32)->noBlend = 1;
  put(a);
  std::memcpy(px, table.resolve(d32)->pixels.data(), 3 * sizeof(uint32_t));
  EXPECT_EQ(px[1], 0x00FFFFFFu);
}

// ---- Errors ----

TEST_F(BlitTest, RefusedCopiesRaiseTheirErrorAndDrawNothing) {
  const int32_t img = make(4, 4);
  struct Case {
    const char* what;
    PutImageArgs args;
    int code;
  };
  const Case cases[] = {
      {"a text image", {.source = table.new_image(10, 5, 0, kArg0), .passed = kPutSource}, 5},
      {"32 bits onto 8", {.source = make(4, 4, 32), .passed = kPutSource}, 5},
      {"an image onto itself",
       {.source = img, .destination = img, .passed = kPutSource | kPutDestination},
       5},
      {"a first source corner alone",
       {.source = img, .sx1 = 1, .sy1 = 1, .passed = kPutCorner1 | kPutSource | kPutSourceCorner1},
       5},
      {"a failed load", {.source = -1, .passed = kPutSource}, 258},
      {"a handle never given out", {.source = -4000, .passed = kPutSource}, 258}};
  for (const Case& c : cases) {
    put(c.args);
    EXPECT_EQ(errors.pending(), c.code) << c.what;
    errors.statement_event(1);
  }
  EXPECT_TRUE(screen_is([](int, int) { return kNone; }));
}

// ---- The game's forms through the runtime ----

TEST(RuntimeImages, GameFormsDrawOnTheScreen) {
  test::FakeClock clock;
  Runtime rt(clock, TimeReference{clock.now, 0});
  const int32_t screen = rt.new_image(320, 300, 256);
  rt.set_screen(screen);
  const int32_t img = rt.new_image(2, 2, 256);
  rt.image(img)->pixels = {1, 2, 3, 4};
  rt.put_image(10, 10, img);
  rt.put_image(20, 20, 23, 23, img);
  const Image* s = rt.image(screen);
  EXPECT_EQ(s->row(11)[11], 4);
  EXPECT_EQ(s->row(20)[21], 1);
  EXPECT_EQ(s->row(23)[23], 4);
  EXPECT_EQ(rt.load_image(""), -1);
  EXPECT_EQ(rt.load_image("no-such-file.png"), -1);  // no decoder: nothing decodes
  EXPECT_EQ(rt.pending_error(), 0);
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
    for (const bool loopReadsScreen : {false, true}) {
      test::FakeClock clock;
      Runtime rt(clock, TimeReference{clock.now, 0});
      const int32_t screen = rt.new_image(320, 300, 256);
      rt.set_screen(screen);
      const int32_t img = rt.new_image(c.width, c.height, 256);
      Image* picture = rt.image(img);
      for (size_t i = 0; i < picture->pixels.size(); ++i) picture->pixels[i] = 1 + i % 200;
      picture->clearColour = c.clear;
      if (!loopReadsScreen)
        rt.platform().handover().keep_frame_unshown();  // as after a headless frame
      rt.clear_screen(250);
      rt.put_image(c.x, c.y, img);
      rt.display_now();
      screens[loopReadsScreen] = rt.image(screen)->pixels;
    }
    EXPECT_EQ(screens[0], screens[1]) << "picture at " << c.x << ", " << c.y;
  }
}

}  // namespace
}  // namespace kelvo
