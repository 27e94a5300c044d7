// Headless frames: nothing is drawn, and the screen is copied into the frame cache only when a
// screenshot reads it.
#include "platform/headless_frontend.h"

namespace kelvo {

// The frame hook that follows reads the frame if it needs it (a shot); most frames are never read.
void HeadlessFrontend::show_frame() {
  port_.handover().keep_frame_unshown();
}

// Without a display there is no full-screen mode: a stretched request changes nothing and a 4:3
// request returns to the window, which is where the run already is.
void HeadlessFrontend::request_fullscreen(int) {}

void HeadlessFrontend::run_loop(std::atomic<int>& closeRequested) {
  port_.hub().wait([&] { return port_.exit_requested() || closeRequested.load() != 0; });
}

}  // namespace kelvo
