// The frame hand-over on its own, with a display loop that draws nothing, and set_fullscreen over
// it.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "runtime/display/frame_handover.h"
#include "runtime/runtime.h"
#include "support/fake_clock.h"

namespace kelvo {
namespace {

constexpr DisplayMode k640x480{640, 480};
constexpr DisplayMode k800x600{800, 600};

// The display loop's side as a window would do it, recording each refresh (whether its frame
// changed) instead of drawing it. Refreshes only when the game waits for one.
class RecordingLoop : public Frontend {
 public:
  RecordingLoop(FrameHandover& handover, WaitHub& hub, DisplayModes modes)
      : handover_(handover), hub_(hub), found_(find_modes(modes, 320, 300)) {
    thread_ = std::thread([this] { run_loop(close_); });
  }
  ~RecordingLoop() override {
    close_.store(1);
    hub_.notify();
    thread_.join();
  }
  void run_loop(std::atomic<int>& close) override {
    for (;;) {
      hub_.wait([&] { return handover_.refresh_awaited() || close.load() != 0; });
      if (close.load() != 0) return;
      const std::optional<bool> changed = handover_.begin_refresh(false);
      if (!changed) continue;
      handover_.take_fullscreen_step(found_);
      refreshes.push_back(*changed);
      handover_.window_drawn();
      handover_.end_refresh();
    }
  }
  void show_frame() override { handover_.hand_over_frame(); }
  void request_fullscreen(int target) override {
    requests.push_back(target);
    handover_.request_fullscreen(target);
  }
  std::vector<bool> refreshes;  // read by the game thread between frames
  std::vector<int> requests;

 private:
  FrameHandover& handover_;
  WaitHub& hub_;
  ModeChoice found_;
  std::atomic<int> close_{0};
  std::thread thread_;
};

struct HandoverTest : ::testing::Test {
  HandoverTest() {
    screen.width = 320;
    screen.height = 300;
    screen.pixels.assign(320 * 300, 0);
    screen.palette = std::make_shared<Palette>();
    handover.set_screen([this] { return &screen; });
  }
  WaitHub hub;
  std::atomic<uint8_t> stop{0};
  FrameHandover handover{hub, stop};
  Image screen;
};

TEST_F(HandoverTest, TheLoopReadsTheScreenUntilTheFirstFrameThenTakesOnlyFramesThatNeedIt) {
  RecordingLoop loop(handover, hub, {k800x600});
  EXPECT_TRUE(handover.loop_reads_screen());
  EXPECT_TRUE(handover.draw_lock().owns_lock());
  handover.hand_over_frame();  // the first: the loop's own refresh takes the screen
  EXPECT_EQ(loop.refreshes, std::vector<bool>{true});
  EXPECT_FALSE(handover.loop_reads_screen());
  EXPECT_FALSE(handover.draw_lock().owns_lock());
  handover.hand_over_frame();  // unchanged: nothing to do
  screen.pixels[7] = 3;
  handover.hand_over_frame();
  handover.invalidate_window();  // a new video mode: the same frame is drawn whole
  handover.hand_over_frame();
  EXPECT_EQ(loop.refreshes, (std::vector<bool>{true, true, false}));
  EXPECT_EQ(handover.frame().pixels[7], 3);
  handover.press_alt_enter();  // an unchanged frame carries the press
  handover.hand_over_frame();
  EXPECT_EQ(handover.fullscreen_mode(), kStretched);
  EXPECT_EQ(loop.refreshes.size(), 4u);
}

TEST_F(HandoverTest, RequestsBeforeAndAfterTheFirstFrameAndARequestBeforeAPress) {
  RecordingLoop loop(handover, hub, {{720, 600}, {1024, 768}});
  handover.request_fullscreen(kFourByThree);  // taken by the loop's own refresh
  EXPECT_EQ(handover.fullscreen_mode(), kFourByThree);
  EXPECT_TRUE(handover.loop_reads_screen());
  handover.hand_over_frame();
  handover.press_alt_enter();
  handover.press_alt_enter();
  handover.request_fullscreen(kWindowed);  // travels with a frame, before either press
  EXPECT_EQ(handover.fullscreen_mode(), kWindowed);
  handover.hand_over_frame();
  EXPECT_EQ(handover.fullscreen_mode(), kStretched);
  handover.hand_over_frame();
  EXPECT_EQ(handover.fullscreen_mode(), kFourByThree);
  handover.hand_over_frame();  // no press left, nothing changed
  EXPECT_EQ(loop.refreshes, (std::vector<bool>{true, false, false, false, false}));
}

TEST_F(HandoverTest, AStopEndsEveryWaitWithoutALoop) {
  stop.store(1);
  handover.request_fullscreen(kStretched);
  handover.hand_over_frame();
  handover.hand_over_frame();
  EXPECT_EQ(handover.fullscreen_mode(), kWindowed);
}

TEST(SetFullscreen, AKindWithoutAModeTriesTheOtherOnceAndTheCurrentModeAsksNothing) {
  test::FakeClock clock;
  Runtime small{clock, TimeReference{}};
  {
    RecordingLoop loop(small.platform().handover(), small.platform().hub(), {k640x480});
    small.set_frontend(&loop);
    small.set_fullscreen(0);
    EXPECT_EQ(loop.requests, (std::vector<int>{kStretched, kFourByThree}));
    EXPECT_EQ(small.platform().handover().fullscreen_mode(), kWindowed);
  }
  Runtime rt{clock, TimeReference{}};
  RecordingLoop one(rt.platform().handover(), rt.platform().hub(), {k800x600});
  rt.set_frontend(&one);
  rt.set_fullscreen(0);
  rt.set_fullscreen(2);  // already stretched
  EXPECT_EQ(one.requests, (std::vector<int>{kStretched}));
  rt.set_fullscreen(3);  // 4:3 would be the same mode: the window, then stretched again
  EXPECT_EQ(one.requests, (std::vector<int>{kStretched, kFourByThree, kStretched}));
  EXPECT_EQ(rt.platform().handover().fullscreen_mode(), kStretched);
  rt.set_fullscreen(4);
  EXPECT_EQ(rt.pending_error(), 5);
  EXPECT_EQ(one.requests.size(), 3u);
}

}  // namespace
}  // namespace kelvo
