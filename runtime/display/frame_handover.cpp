// The game thread's and the display loop's sides of the frame hand-over.
#include "runtime/display/frame_handover.h"

#include <utility>

namespace kelvo {

std::unique_lock<std::mutex> FrameHandover::draw_lock() {
  if (loop_reads_screen()) return std::unique_lock<std::mutex>(screenMutex_);
  return {};
}

void FrameHandover::hand_over_frame() {
  if (phase_.load() != kGameRefreshes) {
    phase_.store(kFirstFrameAwaited);
    hub_.notify();
    wait_or_stop([this] { return phase_.load() == kGameRefreshes; });
    return;
  }
  // The loop no longer reads the screen: the game thread copies it without the lock.
  const Image* screen = current_screen();
  const bool changed = screen && copy_.take_frame(*screen);
  if (changed || !windowValid_.load() || fullscreen_switch_pending()) hand_over(changed);
}

void FrameHandover::keep_frame_unshown() {
  if (const Image* screen = current_screen()) copy_.defer_frame(*screen);
  phase_.store(kGameRefreshes);
  windowValid_.store(true);
}

// Before the game's first frame the loop's own refresh takes the request; after it the request
// travels with a frame handed over.
void FrameHandover::request_fullscreen(int32_t target) {
  fullscreenRequest_.store(target);
  if (phase_.load() != kGameRefreshes) {
    hub_.notify();
    wait_or_stop([this] { return fullscreenRequest_.load() == kNoRequest; });
    return;
  }
  const Image* screen = current_screen();
  hand_over(screen && copy_.take_frame(*screen));
}

void FrameHandover::hand_over(bool frameChanged) {
  handedFrameChanged_.store(frameChanged);
  handoff_.store(kRequested);
  hub_.notify();
  wait_or_stop([this] { return handoff_.load() == kDone; });
  handoff_.store(kIdle);
}

bool FrameHandover::refresh_awaited() const {
  if (handoff_.load() == kRequested) return true;
  const int phase = phase_.load();
  return phase == kFirstFrameAwaited ||
         (phase == kLoopRefreshes && fullscreenRequest_.load() != kNoRequest);
}

std::optional<bool> FrameHandover::begin_refresh(bool periodic) {
  if (handoff_.load() == kRequested) return handedFrameChanged_.load();
  const int phase = phase_.load();
  if (phase == kGameRefreshes || (!periodic && !refresh_awaited())) return std::nullopt;
  // Only a refresh begun after the game asked for it shows its first frame whole.
  refreshingFirstFrame_ = phase == kFirstFrameAwaited;
  return take_screen();
}

void FrameHandover::end_refresh() {
  if (handoff_.load() == kRequested) {
    handoff_.store(kDone);
  } else if (std::exchange(refreshingFirstFrame_, false)) {
    phase_.store(kGameRefreshes);
  }
  hub_.notify();
}

bool FrameHandover::take_fullscreen_step(const ModeChoice& found) {
  const int32_t request = fullscreenRequest_.load();
  const bool hasRequest = request >= kWindowed && request <= kFourByThree;
  bool toggle = false;
  if (!hasRequest && altEnterPresses_.load() > 0) {
    altEnterPresses_.fetch_sub(1);
    toggle = true;
  }
  const int32_t mode = fullscreenMode_.load();
  const int32_t next = next_fullscreen_mode(mode, request, toggle, found);
  // Only the request just taken is cleared: one written meanwhile waits for the next refresh.
  int32_t taken = request;
  fullscreenRequest_.compare_exchange_strong(taken, kNoRequest);
  if (next == mode) return false;
  fullscreenMode_.store(next);
  invalidate_window();
  return true;
}

void FrameHandover::begin_redraw() {
  if (copy_.frame().width == 0) take_screen();
  invalidate_window();
}

bool FrameHandover::take_screen() {
  std::lock_guard<std::mutex> lock(screenMutex_);
  const Image* screen = current_screen();
  return screen && copy_.take_frame(*screen);
}

}  // namespace kelvo
