// The frontend of headless runs: frames are taken on the game thread and never shown.
#pragma once

#include <atomic>

#include "runtime/frontend.h"
#include "runtime/runtime.h"

namespace kelvo {

class HeadlessFrontend : public Frontend {
 public:
  explicit HeadlessFrontend(Runtime& rt) : port_(rt.platform()) {}

  void show_frame() override;
  void request_fullscreen(int target) override;
  // Main thread: nothing to show; waits until the game asks to exit or a close is requested.
  void run_loop(std::atomic<int>& closeRequested) override;

 private:
  PlatformPort port_;
};

}  // namespace kelvo
