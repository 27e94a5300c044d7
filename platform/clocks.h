// The two clocks: the real one for play and the virtual one of headless runs.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>

#include "runtime/services/clock.h"

namespace kelvo {

// Milliseconds since the clock was made, read from the monotonic clock: SDL 1.2's SDL_GetTicks
// reads the time of day, which the system may set back or forward while the game runs, and the
// frame limiter then takes the step for a counter gone back or a frame gone late. Sleeps wait on
// the runtime's hub so that a stop request cuts them short.
class RealClock : public Clock {
 public:
  uint32_t ticks() override;
  void sleep_ms(uint32_t ms) override;

 private:
  const std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
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
