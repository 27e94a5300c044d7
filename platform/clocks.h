// The two clocks: the real one for play and the virtual one of headless runs.
#pragma once

#include <atomic>
#include <cstdint>

#include "runtime/services/clock.h"

namespace kelvo {

// SDL's millisecond ticks; sleeps wait on the runtime's hub so that a stop request cuts them short.
class RealClock : public Clock {
 public:
  uint32_t ticks() override;
  void sleep_ms(uint32_t ms) override;
};

// Time that passes only by sleeping: a sleep advances the counter at once, so a headless run goes
// as fast as the machine allows and comes out the same every time.
class VirtualClock : public Clock {
 public:
  uint32_t ticks() override { return ticks_.load(); }
  void sleep_ms(uint32_t ms) override;

 private:
  std::atomic<uint32_t> ticks_{0};
};

}  // namespace kelvo
