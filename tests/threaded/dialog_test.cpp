// The error dialog across threads: the hand-over between the game thread and the main thread,
// pauses and stops in statement events, the window's dialog with SDL's dummy driver, and headless
// runs that answer by script.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/clocks.h"
#include "platform/dialog_handoff.h"
#include "platform/sdl_frontend.h"
#include "support/fake_clock.h"
#include "support/game_session.h"
#include "support/test_support.h"

namespace kelvo {
namespace {

struct HandoffTest : ::testing::Test {
  WaitHub hub;
  std::atomic<uint8_t> stop{0};
  DialogHandoff handoff{hub, stop};

  // Main thread's part: waits for the request, checks it and answers.
  void answer_next(bool yes, const std::string& title) {
    hub.wait([&] { return handoff.asked(); });
    const DialogRequest request = handoff.take();
    EXPECT_EQ(request.title, title);
    handoff.answer(yes);
  }
};

TEST_F(HandoffTest, TheGameThreadGetsEachAnswerOfTheMainThread) {
  std::thread main([&] {
    answer_next(true, "first");
    answer_next(false, "second");
  });
  EXPECT_TRUE(handoff.ask({DialogKind::YesNo, "first", "a"}));
  EXPECT_FALSE(handoff.ask({DialogKind::YesNo, "second", "b"}));
  main.join();
}

TEST_F(HandoffTest, AStopEndsTheWaitWithNo) {
  std::thread main([&] {
    hub.wait([&] { return handoff.asked(); });
    stop.store(1);
    hub.notify();
  });
  EXPECT_FALSE(handoff.ask({DialogKind::Ok, "t", "x"}));
  main.join();
}

struct StatementEventTest : ::testing::Test {
  test::FakeClock clock;
  Runtime rt{clock, TimeReference{}};
  std::atomic<int> returned{0};

  std::thread game_thread(std::atomic<int>& ended) {
    return std::thread([&] {
      try {
        rt.end_statement(1);
        returned.store(1);
      } catch (const ProgramEnded&) {
        ended.store(1);
      }
      rt.platform().hub().notify();
    });
  }
};

TEST_F(StatementEventTest, APauseHoldsTheGameUntilTheNextKeyPress) {
  std::atomic<int> ended{0};
  rt.platform().press_key(19, 19, true);  // the Pause key
  std::thread game = game_thread(ended);
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_EQ(returned.load(), 0);
  rt.platform().press_key(key::kSpace, key::kSpace);
  game.join();
  EXPECT_EQ(returned.load(), 1);
  EXPECT_EQ(ended.load(), 0);
}

TEST_F(StatementEventTest, AStopDuringAPauseEndsTheGameThread) {
  std::atomic<int> ended{0};
  rt.platform().press_key(19, 19, true);
  std::thread game = game_thread(ended);
  rt.platform().request_stop();
  game.join();
  EXPECT_EQ(ended.load(), 1);
  EXPECT_EQ(returned.load(), 0);
}

TEST_F(StatementEventTest, EndProgramWaitsForTheDisplayLoopsStop) {
  std::atomic<int> ended{0};
  std::thread game([&] {
    try {
      rt.quit_program();
    } catch (const ProgramEnded&) {
      ended.store(1);
    }
  });
  // The display loop's side: it sees the exit request and the finished program, then stops.
  rt.platform().hub().wait(
      [&] { return rt.platform().exit_requested() && rt.platform().program_finished(); });
  EXPECT_EQ(ended.load(), 0);
  rt.platform().request_stop();
  game.join();
  EXPECT_EQ(ended.load(), 1);
}

// The real window code with SDL's dummy video driver: the loop runs on a thread of its own, the
// test thread plays the game, and events are pushed into SDL's queue.
struct WindowDialogTest : ::testing::Test {
  static void SetUpTestSuite() {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(start_sdl(), 0);
  }
  RealClock clock;
  Runtime rt{clock, TimeReference{}};
  SdlFrontend window{rt};
  std::atomic<int> close{0};
  std::thread loop;

  void SetUp() override {
    window.prepare_window();
    window.set_window_scale(1);  // the dummy driver's desktop may be large enough for scale 2
    rt.set_frontend(&window);
    rt.platform().set_dialog(
        [this](int, uint32_t, const std::string& title, const std::string& text) {
          return window.ask({DialogKind::YesNo, title, text});
        });
    loop = std::thread([this] {
      window.run_loop(close);
      rt.platform().request_stop();
    });
    rt.set_screen(rt.new_image(320, 300, 256));
    rt.clear_screen(1);
    rt.display_now();
  }
  void TearDown() override {
    close.store(1);
    rt.platform().hub().notify();
    loop.join();
  }

  // Once the dialog numbered `count` is on screen: checks its title bar, then pushes the events.
  std::thread answer_with(uint32_t count, std::vector<SDL_Event> events) {
    return std::thread([this, count, events] {
      rt.platform().hub().wait([&] { return window.dialogs_shown() >= count; });
      EXPECT_EQ(centre_pixel(-50), kDialogTitleBar) << "no dialog on the window";
      for (SDL_Event e : events) SDL_PushEvent(&e);
    });
  }
  // The window's pixel at the centre column, `dy` lines from the middle.
  static uint32_t centre_pixel(int dy) {
    const SDL_Surface* s = SDL_GetVideoSurface();
    const auto* px = static_cast<const uint32_t*>(s->pixels);
    return px[static_cast<size_t>(s->h / 2 + dy) * (s->pitch / 4) + s->w / 2] & 0xFFFFFF;
  }
};

SDL_Event key(Uint8 type, SDLKey sym, Uint16 unicode) {
  SDL_Event e{};
  e.type = type;
  e.key.type = type;
  e.key.keysym.sym = sym;
  e.key.keysym.unicode = unicode;
  return e;
}

TEST_F(WindowDialogTest, YesByKeyClearsTheErrorRedrawsTheWindowAndLeavesNoKeyHeld) {
  const uint32_t background = centre_pixel(-50);
  // The answering key and its repeat, still held when the game goes on.
  std::thread player =
      answer_with(1, {key(SDL_KEYDOWN, SDLK_y, 'y'), key(SDL_KEYDOWN, SDLK_y, 'y')});
  rt.key_down(0);
  rt.end_statement(7);
  player.join();
  EXPECT_EQ(rt.pending_error(), 0);
  EXPECT_EQ(centre_pixel(-50), background);  // redrawn without the dialog
  // A later key press reaches the game again, and none of the dialog's did.
  SDL_Event space = key(SDL_KEYDOWN, SDLK_SPACE, ' ');
  SDL_PushEvent(&space);
  // Keys reach the game between frames, and key presses wake no one: show a frame every few
  // milliseconds, within a bound.
  for (int i = 0; i < 500 && rt.key_down(key::kSpace) == 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    rt.display_now();
  }
  EXPECT_EQ(rt.platform().held_keys(), std::vector<int32_t>{key::kSpace});
}

struct ProbeRunTest : ::testing::Test {
  test::TempDir dir;
};

TEST_F(ProbeRunTest, ScriptedNoEndsTheProgramAfterTheFirstDialog) {
  const auto r = test::run_probe_in_process("error", {"--headless", "--dir", dir.path()},
                                            "10 answer no\n", dir.path());
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.trace, (std::vector<std::string>{"10 error 5 6 Illegal function call", "10 answer no",
                                               "10 exit 0"}));
}

TEST_F(ProbeRunTest, OnErrorSetsTheAnswerOfUnscriptedDialogs) {
  const auto r = test::run_probe_in_process(
      "error", {"--headless", "--dir", dir.path(), "--on-error", "no"}, "", dir.path());
  EXPECT_EQ(r.trace.at(1), "10 answer no");
  const auto yes = test::run_probe_in_process(
      "error", {"--headless", "--dir", dir.path(), "--frames", "25"}, "", dir.path());
  EXPECT_EQ(yes.status, 0);
  EXPECT_EQ(yes.trace, (std::vector<std::string>{
                           "10 error 5 6 Illegal function call", "10 answer yes",
                           "20 error 5 7 Illegal function call", "20 answer yes", "25 exit 0"}));
}

TEST_F(ProbeRunTest, AWindowRunTakesTheScriptsAnswerWithoutShowingTheDialog) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  const auto r = test::run_probe_in_process("error", {"--window", "--dir", dir.path()},
                                            "10 answer yes\n20 answer no\n", dir.path());
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(test::events(r.trace, "answer"),
            (std::vector<std::string>{"10 answer yes", "20 answer no"}));
}

}  // namespace
}  // namespace kelvo
