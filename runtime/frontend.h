// What the runtime needs from the window side: the display loop, showing frames and switching full
// screen.
#pragma once

#include <atomic>

namespace kelvo {

class Frontend {
 public:
  virtual ~Frontend() = default;
  // Main thread: runs until the game asks to exit or `closeRequested` is set.
  virtual void run_loop(std::atomic<int>& closeRequested) = 0;
  // Game thread: shows the screen as drawn; returns once the frame is on view (or a stop has been
  // requested). A frame equal to the last one shown leaves the window untouched.
  virtual void show_frame() = 0;
  // Game thread: asks for full-screen mode `target` (0 window, 1 stretched, 2 4:3) and returns
  // after the refresh that decided it.
  virtual void request_fullscreen(int target) = 0;
};

}  // namespace kelvo
