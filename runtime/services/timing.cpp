// Delays, time of day, the frame limiter and the 24-bit linear congruential generator.
#include "runtime/services/timing.h"

#include <bit>
#include <cmath>

namespace kelvo {
namespace {
constexpr uint32_t kMsPerDay = 86400000u;
constexpr double kDefaultTicksPerSecond = 18.2;
constexpr double kMaxDelaySeconds = 2147483.647;
constexpr double kMaxFramePeriodMs = 60000;
constexpr double kCatchUpMs = 16;  // a frame this far overdue still keeps the schedule
// The schedule's mark is fractional and the counter whole: a mark a hair above the counter is a
// frame that came exactly on time, not a counter that went back.
constexpr double kWentBackMs = 1;
}  // namespace

void Timing::delay(double seconds) {
  if (errors_.pending()) return;
  if (seconds < 0 || seconds > kMaxDelaySeconds) {
    errors_.raise_error(kIllegalFunctionCall);
    return;
  }
  clock_.sleep_ms(static_cast<uint32_t>(seconds * 1000));
}

double Timing::time_of_day(double accuracy, bool accuracyGiven) {
  if (errors_.pending()) return 0;
  uint32_t ms = (clock_.ticks() - ref_.startTicks + ref_.startMsOfDay) % kMsPerDay;
  if (!fixedMsOfDay_.empty()) {
    ms = fixedMsOfDay_.front() % kMsPerDay;
    fixedMsOfDay_.pop_front();
  }
  if (readListener_) readListener_(ms);
  const double seconds = ms / 1000.0;
  double steps = kDefaultTicksPerSecond;
  if (accuracyGiven) {
    if (accuracy <= 0) {
      errors_.raise_error(kIllegalFunctionCall);
      return 0;
    }
    steps = 1 / accuracy;
  }
  const double result = std::nearbyint(seconds * steps) / steps;
  return accuracyGiven ? result : static_cast<float>(result);
}

void Timing::limit_rate(double rate) {
  if (errors_.pending()) return;
  if (rate <= 0 || 1000 / rate > kMaxFramePeriodMs) {
    errors_.raise_error(kIllegalFunctionCall);
    return;
  }
  const double period = 1000 / rate;
  const double now = clock_.ticks();
  if (frameMark_ == 0 || frameMark_ - now >= kWentBackMs) {
    lastPacing_ = frameMark_ == 0 ? FramePacing::kStarted : FramePacing::kWentBack;
    frameMark_ = now;
    return;
  }
  const double late = now - frameMark_;
  if (late < period) {
    clock_.sleep_ms(static_cast<uint32_t>(period - late + 1));
    frameMark_ += period;
    lastPacing_ = FramePacing::kSlept;
  } else if (late <= period + kCatchUpMs) {
    frameMark_ += period;
    lastPacing_ = FramePacing::kCaughtUp;
  } else {
    frameMark_ = now;
    lastPacing_ = FramePacing::kFellBehind;
  }
}

void Random::seed_random(double seed) {
  const auto h = static_cast<uint32_t>(std::bit_cast<uint64_t>(seed) >> 32);
  const uint32_t x = h ^ (h >> 16);
  seed_ = (seed_ & 0xFFu) | ((x & 0xFFFFu) << 8);
}

float Random::random_number(float n) {
  if (n == 0) return static_cast<float>(seed_ / 16777216.0);
  if (n < 0) {
    const auto b = std::bit_cast<uint32_t>(n);
    seed_ = (b & 0xFFFFFFu) + (b >> 24);
  }
  seed_ = (seed_ * 16598013u + 12820163u) & 0xFFFFFFu;
  return static_cast<float>(seed_ / 16777216.0);
}

}  // namespace kelvo
