// The frontend of headless runs: frames are taken on the game thread and never shown.
#pragma once

#include <atomic>

#include "runtime/frontend.h"
#include "runtime/runtime.h"

namespace kelvo {

class HeadlessFrontend : public Frontend {
 public:
  explicit HeadlessFrontend(Runtime& rt) : rt_(rt) {}

  void show_frame() override;
  void request_fullscreen(int target) override;
  // Main thread: waits until the game asks to exit or the window's close is requested.
  void run_loop(const std::atomic<int>& closeRequested);

 private:
  Runtime& rt_;
};

}  // namespace kelvo
