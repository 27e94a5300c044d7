// put_image's rules that the goldens' frames do not pin down: clipping at every edge, corners
// rounded ties to even, the clear colour 0, the keyed row copy at every length and alignment,
// and the skipped fill under a covering picture. Scaled copies are checked by the goldens.
#include <gtest/gtest.h>

#include <algorithm>
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
  int32_t make(int w, int h) {
    const int32_t handle = table.new_image(w, h, 256, kArg0);
    Image* img = table.resolve(handle);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) img->row(y)[x] = pattern(x, y);
    }
    return handle;
  }
  void put_at(double x, double y, int32_t source) {
    put_image(table, errors,
              {.x1 = x, .y1 = y, .source = source, .passed = kPutCorner1 | kPutSource});
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
};

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
