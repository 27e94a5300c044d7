// The SDL frontend with SDL's dummy video driver: frame hand-over, unchanged frames, shutdown.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/clocks.h"
#include "platform/sdl_frontend.h"
#include "support/game_session.h"
#include "support/test_support.h"

namespace kelvo {
namespace {

struct WindowTest : ::testing::Test {
  static void SetUpTestSuite() {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(start_sdl(), 0);
  }
};

TEST_F(WindowTest, FramesAreHandedToTheMainThreadAndUnchangedOnesLeaveTheWindowAlone) {
  RealClock clock;
  Runtime rt(clock, TimeReference{});
  SdlFrontend window(rt);
  window.prepare_window();
  window.set_window_scale(1);  // the dummy driver's desktop may be large enough for scale 2
  rt.set_frontend(&window);
  std::atomic<int> close{0};
  std::thread main_loop([&] { window.run_loop(close); });

  const int32_t screen = rt.new_image(320, 300, 256);
  rt.set_screen(screen);
  rt.display_now();  // the first waits for the loop's own refresh
  EXPECT_FALSE(rt.platform().handover().loop_reads_screen());
  const SDL_Surface* surface = SDL_GetVideoSurface();
  ASSERT_NE(surface, nullptr);
  EXPECT_EQ(surface->w, 320);
  EXPECT_EQ(surface->h, 300);
  auto* pixels = static_cast<uint32_t*>(surface->pixels);  // the main thread waits between frames
  pixels[0] = 0x123456u;
  rt.display_now();
  rt.display_now();
  EXPECT_EQ(pixels[0] & 0xFFFFFF, 0x123456u);
  rt.image(screen)->pixels[100] = 4;
  rt.display_now();
  EXPECT_EQ(pixels[100] & 0xFFFFFF, 0xAA0000u);
  EXPECT_EQ(pixels[0] & 0xFFFFFF, 0u);

  close.store(1);
  rt.platform().hub().notify();
  main_loop.join();
}

TEST_F(WindowTest, CloseDuringALongWaitEndsPromptly) {
  test::TempDir dir;
  // The boot screen waits 2.1 s and attract mode 1 s more; the script closes at frame 0, before the
  // game has shown anything, so the close must cut those sleeps short.
  const auto start = std::chrono::steady_clock::now();
  const auto r = test::run_in_process({"--window", "--dir", dir.path()}, "0 close\n", dir.path());
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_EQ(r.status, 0);
  EXPECT_LT(seconds, 1.0);
  EXPECT_EQ(r.trace.back().substr(r.trace.back().find(' ')), " exit 0");
}

}  // namespace
}  // namespace kelvo
