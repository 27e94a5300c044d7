// Real and virtual clocks.
#include "platform/clocks.h"

#include <chrono>
#include <thread>

#include "runtime/platform_entry.h"

namespace kelvo {

uint32_t RealClock::ticks() {
  const auto elapsed = std::chrono::steady_clock::now() - start_;
  return static_cast<uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

void RealClock::sleep_ms(uint32_t ms) {
  if (ms == 0 || !hub_) {
    if (ms == 0)
      std::this_thread::yield();
    else
      std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return;
  }
  hub_->wait_for(std::chrono::milliseconds(ms), [this] { return stopping(); });
}

void VirtualClock::sleep_ms(uint32_t ms) {
  if (!stopping()) ticks_.fetch_add(ms);
}

std::unique_ptr<Clock> make_real_clock() {
  return std::make_unique<RealClock>();
}

}  // namespace kelvo
