// The time source of the runtime: a real one for play, a virtual one for headless runs.
#pragma once

#include <atomic>
#include <cstdint>

#include "runtime/services/wait_hub.h"

namespace kelvo {

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds of a monotonic counter that wraps after about 49.7 days.
  virtual uint32_t ticks() = 0;
  // Sleeps the calling (game) thread; returns early once `stop` (see bind_stop) is set.
  virtual void sleep_ms(uint32_t ms) = 0;
  // The flag that cuts sleeps short, and the hub on which its writer announces it.
  void bind_stop(WaitHub& hub, const std::atomic<uint8_t>& stop) {
    hub_ = &hub;
    stop_ = &stop;
  }

 protected:
  bool stopping() const { return stop_ && stop_->load() != 0; }
  WaitHub* hub_ = nullptr;
  const std::atomic<uint8_t>* stop_ = nullptr;
};

}  // namespace kelvo
