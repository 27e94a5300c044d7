// Full screen in the SDL frontend with SDL's dummy video driver and display modes given by the
// test.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "platform/clocks.h"
#include "platform/sdl_frontend.h"

namespace kelvo {
namespace {

constexpr uint32_t kRed = 0xAA0000u;  // default palette entry 4

struct FullscreenWindow : ::testing::Test {
  static void SetUpTestSuite() {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(start_sdl(), 0);
  }

  // Starts the display loop with `modes`; the screen is 320x300 with its top-left pixel red.
  void start(DisplayModes modes, bool keepWindow = false) {
    window.prepare_window();
    window.set_window_scale(1);  // the dummy driver's desktop may be large enough for scale 2
    window.set_display_modes(std::move(modes));
    window.keep_window_for_game(keepWindow);
    rt.set_frontend(&window);
    loop = std::thread([this] { window.run_loop(close); });
    const int32_t screen = rt.new_image(320, 300, 256);
    rt.set_screen(screen);
    rt.image(screen)->pixels[0] = 4;
  }

  void TearDown() override {
    close.store(1);
    rt.platform().hub().notify();
    if (loop.joinable()) loop.join();
  }

  // Alt+Enter as the window system delivers it; returns once the display loop has taken it.
  void press_alt_enter() {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    event.key.keysym.sym = SDLK_RETURN;
    event.key.keysym.mod = KMOD_LALT;
    ASSERT_EQ(SDL_PushEvent(&event), 0);
    ASSERT_TRUE(rt.platform().hub().wait_for(std::chrono::seconds(2), [this] {
      return rt.platform().handover().fullscreen_switch_pending();
    }));
  }

  // Only read between display_now calls, when the main thread has finished with the surface.
  static uint32_t pixel(int x, int y) {
    const SDL_Surface* s = SDL_GetVideoSurface();
    return static_cast<const uint32_t*>(s->pixels)[y * (s->pitch / 4) + x] & 0xFFFFFFu;
  }

  static std::string surface_size() {
    const SDL_Surface* s = SDL_GetVideoSurface();
    return s ? std::to_string(s->w) + "x" + std::to_string(s->h) : "none";
  }

  // The window's picture, 1:1: the red pixel and black beside it.
  static void expect_single_at_origin() {
    EXPECT_EQ(pixel(0, 0), kRed);
    EXPECT_EQ(pixel(1, 0), 0u);
    EXPECT_EQ(pixel(0, 1), 0u);
  }

  // The doubled picture's red top-left pixel at (x, y), with black to its left and above it.
  static void expect_doubled_at(int x, int y) {
    for (int dy = 0; dy < 2; ++dy) {
      for (int dx = 0; dx < 2; ++dx) EXPECT_EQ(pixel(x + dx, y + dy), kRed) << dx << "," << dy;
    }
    EXPECT_EQ(pixel(x + 2, y), 0u);
    if (x > 0) {
      EXPECT_EQ(pixel(x - 1, y), 0u);
    }
    if (y > 0) {
      EXPECT_EQ(pixel(x, y - 1), 0u);
    }
  }

  RealClock clock;
  Runtime rt{clock, TimeReference{}};
  SdlFrontend window{rt};
  std::atomic<int> close{0};
  std::thread loop;
};

TEST_F(FullscreenWindow, TheGamesRequestAtStartShowsTheDoubledPictureCentred) {
  start({{640, 480}, {800, 600}, {1024, 768}});
  rt.set_fullscreen(0);  // taken by the display loop's own refresh
  EXPECT_EQ(rt.platform().handover().fullscreen_mode(), kStretched);
  EXPECT_FALSE(rt.platform().handover().fullscreen_switch_pending());
  rt.display_now();
  EXPECT_EQ(surface_size(), "800x600");
  EXPECT_NE(SDL_GetVideoSurface()->flags & SDL_FULLSCREEN, 0u);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
  expect_doubled_at(80, 0);
  EXPECT_EQ(pixel(799, 599), 0u);
}

TEST_F(FullscreenWindow, AltEnterStepsThroughTheCycleOnUnchangedFrames) {
  start({{640, 480}, {720, 600}, {800, 600}});
  rt.display_now();
  EXPECT_EQ(surface_size(), "320x300");
  const std::string expected[] = {"720x600", "800x600", "320x300"};
  const int offsets[] = {40, 80};
  for (int i = 0; i < 3; ++i) {
    press_alt_enter();
    rt.display_now();  // the same frame: only the pending press makes it refresh
    EXPECT_EQ(rt.platform().handover().fullscreen_mode(), (i + 1) % 3);
    EXPECT_EQ(surface_size(), expected[i]);
    if (i < 2) {
      expect_doubled_at(offsets[i], 0);
    } else {
      expect_single_at_origin();
    }
  }
  EXPECT_EQ(SDL_GetVideoSurface()->flags & SDL_FULLSCREEN, 0u);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
}

TEST_F(FullscreenWindow, ARequestAfterTheFirstFrameIsHandedToTheMainThread) {
  start({{800, 600}});
  rt.display_now();
  EXPECT_FALSE(rt.platform().handover().loop_reads_screen());
  rt.set_fullscreen(3);  // 4:3 is the stretched mode itself: the window, then stretched
  EXPECT_EQ(rt.platform().handover().fullscreen_mode(), kStretched);
  EXPECT_EQ(surface_size(), "800x600");
  expect_doubled_at(80, 0);
  rt.set_fullscreen(1);
  EXPECT_EQ(surface_size(), "320x300");
  expect_single_at_origin();
}

TEST_F(FullscreenWindow, KeptWindowIgnoresTheGameButNotAltEnter) {
  start({{800, 600}}, true);
  rt.set_fullscreen(0);
  rt.display_now();
  EXPECT_EQ(rt.platform().handover().fullscreen_mode(), kWindowed);
  EXPECT_EQ(surface_size(), "320x300");
  press_alt_enter();
  rt.display_now();
  EXPECT_EQ(rt.platform().handover().fullscreen_mode(), kStretched);
  EXPECT_EQ(surface_size(), "800x600");
}

TEST_F(FullscreenWindow, WithoutAnyModeTheGameRunsInTheWindow) {
  start({});
  rt.set_fullscreen(0);
  rt.display_now();
  EXPECT_EQ(rt.platform().handover().fullscreen_mode(), kWindowed);
  EXPECT_EQ(surface_size(), "320x300");
  press_alt_enter();
  rt.display_now();
  EXPECT_EQ(rt.platform().handover().fullscreen_mode(), kWindowed);
}

TEST(NearestScaling, IsAskedForUnlessThePlayerChoseAMethod) {
  unsetenv("SDL12COMPAT_SCALE_METHOD");
  prefer_nearest_scaling();
  EXPECT_STREQ(std::getenv("SDL12COMPAT_SCALE_METHOD"), "nearest");
  setenv("SDL12COMPAT_SCALE_METHOD", "linear", 1);
  prefer_nearest_scaling();
  EXPECT_STREQ(std::getenv("SDL12COMPAT_SCALE_METHOD"), "linear");
}

}  // namespace
}  // namespace kelvo
