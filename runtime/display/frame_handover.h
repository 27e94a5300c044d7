// How a frame reaches the window: the screen's lock, the copy of the frame shown, who refreshes
// the window when, and the full-screen requests and Alt+Enter presses a refresh takes. The game
// thread hands frames over; the platform's display loop takes them. Nothing here touches SDL.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>

#include "runtime/display/display.h"
#include "runtime/display/fullscreen.h"
#include "runtime/services/wait_hub.h"

namespace kelvo {

class FrameHandover {
 public:
  // Waits end early once `stopRequested` is set.
  FrameHandover(WaitHub& hub, const std::atomic<uint8_t>& stopRequested)
      : hub_(hub), stopRequested_(stopRequested) {}

  // Where frames come from: the screen image, read under the screen lock.
  void set_screen(std::function<const Image*()> screen) { screen_ = std::move(screen); }
  // Held by whoever replaces the screen and, while the loop may read it, draws on it.
  std::mutex& screen_mutex() { return screenMutex_; }

  // Game thread. Until the game's first frame the display loop refreshes the window by itself and
  // may read the screen at any time: drawing then holds the screen lock.
  bool loop_reads_screen() const { return !game_refreshes(); }
  std::unique_lock<std::mutex> draw_lock();
  // Window runs: hands the screen to the display loop and returns once it is on view (or a stop
  // was requested). An unchanged frame needs no refresh unless a full-screen switch waits for one.
  void hand_over_frame();
  // Runs without a window: the frame is copied only if frame() asks for it before frame_done.
  void keep_frame_unshown();
  // After either of them: counts the frame and returns its number.
  uint32_t count_frame() { return frameCount_.fetch_add(1) + 1; }
  // After the frame's hook: a frame kept unshown can no longer be read.
  void drop_unshown_frame() { copy_.end_deferral(); }
  // Window runs: asks for full-screen mode `target` and returns after the refresh that decided it.
  void request_fullscreen(int32_t target);

  // Any thread.
  // The game hands every frame over itself: the loop's own refreshes have nothing left to do.
  bool game_refreshes() const { return phase_.load() == kGameRefreshes; }
  int32_t fullscreen_mode() const { return fullscreenMode_.load(); }
  // Frames shown so far: the frame number of scripts and traces.
  uint32_t frame_number() const { return frameCount_.load(); }
  const std::atomic<uint32_t>& frame_counter() const { return frameCount_; }
  // A full-screen request or Alt+Enter press waits for a refresh.
  bool fullscreen_switch_pending() const {
    return altEnterPresses_.load() != 0 || fullscreenRequest_.load() != kNoRequest;
  }
  // The next refresh clears the window and draws everything.
  void invalidate_window() { windowValid_.store(false); }

  // Display loop (the main thread).
  // True when the game waits for a refresh: a frame handed over, or before its first frame a
  // refresh or a full-screen request.
  bool refresh_awaited() const;
  // Starts the refresh the game waits for or, with `periodic`, the loop's own one while the game
  // has shown no frame: the frame to show is then in frame(). Returns whether it changed, or
  // nothing when no refresh is due.
  std::optional<bool> begin_refresh(bool periodic);
  // The refresh begun is on view: the game goes on.
  void end_refresh();
  // Takes the pending request or one pending Alt+Enter press and moves the mode accordingly; a
  // change invalidates the window. True when the mode changed.
  bool take_fullscreen_step(const ModeChoice& found);
  // The platform refused the full-screen mode: the window it is.
  void fall_back_to_window() { fullscreenMode_.store(kWindowed); }
  void press_alt_enter() {
    altEnterPresses_.fetch_add(1);
    hub_.notify();
  }
  // The frame last taken: the one to draw.
  const FrameCache& frame() { return copy_.frame(); }
  // The whole window is to be drawn again (a dialog opened or closed); with nothing shown yet, the
  // screen is taken as it is (the game thread waits for the dialog).
  void begin_redraw();
  bool window_valid() const { return windowValid_.load(); }
  void window_drawn() { windowValid_.store(true); }

 private:
  // Who refreshes the window: the loop by itself, the loop once for the game's first frame, or the
  // loop only when the game hands a frame over.
  enum Phase : int { kLoopRefreshes, kFirstFrameAwaited, kGameRefreshes };
  enum Handoff : int { kIdle, kRequested, kDone };
  static constexpr int32_t kNoRequest = -1;

  const Image* current_screen() const { return screen_ ? screen_() : nullptr; }
  bool take_screen();
  void hand_over(bool frameChanged);
  template <class Pred>
  void wait_or_stop(Pred done) {
    hub_.wait([&] { return done() || stopRequested_.load() != 0; });
  }

  WaitHub& hub_;
  const std::atomic<uint8_t>& stopRequested_;
  std::function<const Image*()> screen_;
  std::mutex screenMutex_;
  // Taken by the loop while it refreshes by itself, then by the game thread; each reads it only
  // while the other waits.
  FrameCopy copy_;
  std::atomic<int> phase_{kLoopRefreshes};
  std::atomic<int> handoff_{kIdle};
  std::atomic<bool> handedFrameChanged_{false};
  std::atomic<bool> windowValid_{false};
  std::atomic<int32_t> fullscreenMode_{kWindowed};
  std::atomic<int32_t> fullscreenRequest_{kNoRequest};
  std::atomic<int32_t> altEnterPresses_{0};
  std::atomic<uint32_t> frameCount_{0};
  bool refreshingFirstFrame_ = false;  // display loop only
};

}  // namespace kelvo
