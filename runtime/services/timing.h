// Delays, the time of day, frame pacing and the random-number generator.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <utility>

#include "runtime/services/clock.h"
#include "runtime/services/errors.h"

namespace kelvo {

// The wall-clock reference taken once at start-up.
struct TimeReference {
  uint32_t startTicks = 0;
  uint32_t startMsOfDay = 0;  // milliseconds since local midnight at startTicks
};

// What a limit_rate call did with its frame: started the schedule, slept until the frame's time,
// let an overdue frame go at once on the schedule, or restarted the schedule from now because the
// frame fell too far behind or the counter went back.
enum class FramePacing : uint8_t { kStarted, kSlept, kCaughtUp, kFellBehind, kWentBack };

class Timing {
 public:
  Timing(Errors& errors, Clock& clock, TimeReference ref)
      : errors_(errors), clock_(clock), ref_(ref) {}

  void delay(double seconds);
  // Seconds since local midnight, quantised to 1/18.2 s when no accuracy is given.
  double time_of_day(double accuracy = 0, bool accuracyGiven = false);
  // Returns when the current frame's time is up at `rate` frames per second.
  void limit_rate(double rate);

  // Fixes the milliseconds of day that the next read of time_of_day starts from, instead of the
  // clock's (scripts and replays set the level seeds so); values queue up, one a read.
  void fix_next_ms_of_day(uint32_t ms) { fixedMsOfDay_.push_back(ms); }
  // Hears every milliseconds-of-day value time_of_day starts from (a recording keeps them).
  void set_read_listener(std::function<void(uint32_t)> listener) {
    readListener_ = std::move(listener);
  }

  double frame_mark() const { return frameMark_; }
  FramePacing last_pacing() const { return lastPacing_; }
  const TimeReference& reference() const { return ref_; }

 private:
  Errors& errors_;
  Clock& clock_;
  TimeReference ref_;
  double frameMark_ = 0;  // ms of the last frame boundary; 0 = no frame timed yet
  FramePacing lastPacing_ = FramePacing::kStarted;
  std::deque<uint32_t> fixedMsOfDay_;
  std::function<void(uint32_t)> readListener_;
};

class Random {
 public:
  void seed_random(double seed);
  // A value in [0, 1); n = 0 repeats the last value, n < 0 reseeds from n's bits first.
  float random_number(float n = 1);
  uint32_t state() const { return seed_; }

 private:
  uint32_t seed_ = 0x050000;  // 24 significant bits
};

}  // namespace kelvo
