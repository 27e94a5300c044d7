// Delays, frame pacing and the time of day at midnight.
#include <gtest/gtest.h>

#include "runtime/services/timing.h"
#include "support/fake_clock.h"

namespace kelvo {
namespace {

struct TimingTest : ::testing::Test {
  WaitHub hub;
  Errors errors{hub};
  test::FakeClock clock;
  Timing timing{errors, clock, TimeReference{1000, 0}};
};

TEST_F(TimingTest, LimitRateSleepsTheRestOfTheFrameAndKeepsTheScheduleUpTo16MsLate) {
  timing.limit_rate(120);  // the first call starts the schedule
  EXPECT_TRUE(clock.sleeps.empty());
  clock.now += 2;
  timing.limit_rate(120);
  EXPECT_EQ(clock.sleeps, std::vector<uint32_t>{7});  // 8.333 - 2 + 1, cut to 7
  EXPECT_DOUBLE_EQ(timing.frame_mark(), 1000 + 1000.0 / 120);
  clock.now = 1008 + 24;  // 24.3 ms late: the schedule holds
  timing.limit_rate(120);
  EXPECT_EQ(clock.sleeps.size(), 1u);
  EXPECT_DOUBLE_EQ(timing.frame_mark(), 1000 + 2000.0 / 120);
  clock.now += 30;  // far behind: restart from now
  timing.limit_rate(120);
  EXPECT_DOUBLE_EQ(timing.frame_mark(), clock.now);
  clock.now -= 500;  // the clock going back restarts too
  timing.limit_rate(60);
  EXPECT_DOUBLE_EQ(timing.frame_mark(), clock.now);
  const uint32_t start = clock.now;
  for (int i = 0; i < 120; ++i) timing.limit_rate(120);
  EXPECT_NEAR(clock.now - start, 1000, 2);  // whole-millisecond sleeps average the exact rate
}

// The real tick counter: whole seconds since its start times 1000, plus the difference of the
// sub-second parts truncated to whole milliseconds (toward zero). Once a second a tick lasts two
// milliseconds, so a sleep can end one tick short. Sleeps take exactly their time; work is charged
// by the caller.
class RoundingClock : public Clock {
 public:
  uint32_t ticks() override {
    const int64_t seconds = us / 1000000 - kStartUs / 1000000;
    const int64_t within = us % 1000000 - kStartUs % 1000000;
    return static_cast<uint32_t>(seconds * 1000 + within / 1000);
  }
  void sleep_ms(uint32_t ms) override {
    us += int64_t{ms} * 1000;
    ++sleeps;
  }
  static constexpr int64_t kStartUs = 3500400;
  int64_t us = kStartUs + 4004000;
  int sleeps = 0;
};

// A minute at 120 frames per second with 17 us of work a frame and a 12 ms stall every 500 frames:
// the frames keep the exact rate, and only a stalled frame goes out without a sleep.
TEST(FrameLimiter, KeepsTheExactRateOnTheRealTickCounter) {
  WaitHub hub;
  Errors errors{hub};
  RoundingClock clock;
  Timing timing{errors, clock, TimeReference{}};
  constexpr int kFrames = 7200;
  int64_t first = 0;
  for (int frame = 0; frame < kFrames; ++frame) {
    const bool stalled = frame % 500 == 499;
    clock.us += stalled ? 12000 : 17;
    const int sleepsBefore = clock.sleeps;
    timing.limit_rate(120);
    if (frame == 0) first = clock.us;
    if (frame > 0 && !stalled) {
      ASSERT_EQ(clock.sleeps, sleepsBefore + 1) << "frame " << frame;
    }
  }
  const double meanMs = static_cast<double>(clock.us - first) / 1000 / (kFrames - 1);
  EXPECT_NEAR(meanMs, 1000.0 / 120, 0.01);
}

TEST_F(TimingTest, DelaySleepsWholeMillisecondsAndBadArgumentsRaiseFive) {
  timing.delay(0.5);
  timing.delay(0.2);
  timing.delay(0.0019);
  EXPECT_EQ(clock.sleeps, (std::vector<uint32_t>{500, 200, 1}));
  for (auto call : {+[](Timing& t) { t.limit_rate(0); },
                    +[](Timing& t) { t.limit_rate(1.0 / 61); },  // a period above one minute
                    +[](Timing& t) { t.delay(-1); }, +[](Timing& t) { t.time_of_day(0, true); }}) {
    Errors fresh{hub};
    Timing other{fresh, clock, {}};
    call(other);
    EXPECT_EQ(fresh.pending(), 5);
  }
  EXPECT_EQ(clock.sleeps.size(), 3u);
}

// The goldens' runs never pass midnight.
TEST_F(TimingTest, TimeOfDayWrapsAtMidnight) {
  Timing late{errors, clock, TimeReference{clock.now, 86400000u - 1000}};  // 23:59:59.000
  clock.now += 1500;
  EXPECT_EQ(late.time_of_day(), 0.49450549483299255);  // 9 steps of 1/18.2 s, as a float
}

}  // namespace
}  // namespace kelvo
