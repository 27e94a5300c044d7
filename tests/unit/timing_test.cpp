// Delays, time of day, frame pacing and random numbers, to the bit.
#include <gtest/gtest.h>

#include <cmath>

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

TEST_F(TimingTest, FirstLimitRateStartsTheScheduleAndTheSecondSleepsTheRest) {
  timing.limit_rate(120);
  EXPECT_TRUE(clock.sleeps.empty());
  clock.now += 2;
  timing.limit_rate(120);
  ASSERT_EQ(clock.sleeps.size(), 1u);
  EXPECT_EQ(clock.sleeps[0], 7u);  // 8.333 - 2 + 1, cut to 7
  EXPECT_DOUBLE_EQ(timing.frame_mark(), 1000 + 1000.0 / 120);
}

TEST_F(TimingTest, LateFramesKeepTheScheduleUpTo16MsThenRestart) {
  timing.limit_rate(120);
  clock.now += 20;  // 20 <= 8.333 + 16: the schedule holds
  timing.limit_rate(120);
  EXPECT_TRUE(clock.sleeps.empty());
  EXPECT_DOUBLE_EQ(timing.frame_mark(), 1000 + 1000.0 / 120);
  clock.now += 30;  // far behind: restart from now
  timing.limit_rate(120);
  EXPECT_DOUBLE_EQ(timing.frame_mark(), clock.now);
}

TEST_F(TimingTest, ScheduleAveragesTheExactRateWithWholeMillisecondSleeps) {
  timing.limit_rate(120);
  const uint32_t start = clock.now;
  for (int i = 0; i < 120; ++i) timing.limit_rate(120);
  EXPECT_NEAR(clock.now - start, 1000, 2);
}

TEST_F(TimingTest, ClockGoingBackRestartsTheSchedule) {
  timing.limit_rate(60);
  clock.now -= 500;
  timing.limit_rate(60);
  EXPECT_TRUE(clock.sleeps.empty());
  EXPECT_DOUBLE_EQ(timing.frame_mark(), clock.now);
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

TEST_F(TimingTest, BadRatesAndDelaysRaiseIllegalFunctionCall) {
  timing.limit_rate(0);
  EXPECT_EQ(errors.pending(), 5);
  Errors fresh{hub};
  Timing t2{fresh, clock, {}};
  t2.limit_rate(1.0 / 61);  // a period above one minute
  EXPECT_EQ(fresh.pending(), 5);
  Errors third{hub};
  Timing t3{third, clock, {}};
  t3.delay(-1);
  EXPECT_EQ(third.pending(), 5);
  EXPECT_TRUE(clock.sleeps.empty());
}

TEST_F(TimingTest, DelaySleepsWholeMillisecondsAndNothingWhilePending) {
  timing.delay(0.5);
  timing.delay(0.2);
  timing.delay(0.0019);
  EXPECT_EQ(clock.sleeps, (std::vector<uint32_t>{500, 200, 1}));
  errors.raise_error(53);
  timing.delay(1);
  EXPECT_EQ(clock.sleeps.size(), 3u);
}

TEST(TimeOfDay, QuantisedToOneEighteenPointTwoAndWrapsAtMidnight) {
  WaitHub hub;
  Errors errors{hub};
  test::FakeClock clock;
  clock.now = 5000;
  Timing timing{errors, clock, TimeReference{5000, 86400000u - 1000}};  // 23:59:59.000
  const double before = timing.time_of_day();
  EXPECT_EQ(before, static_cast<float>(std::nearbyint(86399.0 * 18.2) / 18.2));
  clock.now += 1500;  // 00:00:00.500
  const double after = timing.time_of_day();
  EXPECT_LT(after, 1.0);
  EXPECT_FLOAT_EQ(static_cast<float>(after), static_cast<float>(std::nearbyint(0.5 * 18.2) / 18.2));
}

TEST(TimeOfDay, AccuracyArgumentAndItsError) {
  WaitHub hub;
  Errors errors{hub};
  test::FakeClock clock;
  Timing timing{errors, clock, TimeReference{clock.now, 3723456}};  // 01:02:03.456
  EXPECT_DOUBLE_EQ(timing.time_of_day(0.001, true), 3723.456);
  EXPECT_DOUBLE_EQ(timing.time_of_day(1, true), 3723);
  EXPECT_EQ(timing.time_of_day(0, true), 0);
  EXPECT_EQ(errors.pending(), 5);
}

TEST(RandomNumbers, FirstValueAfterStartUpAndRepeatability) {
  Random r;
  EXPECT_EQ(r.random_number(), static_cast<float>(11837123 / 16777216.0));
  EXPECT_EQ(r.random_number(0), static_cast<float>(11837123 / 16777216.0));
  Random one, two;
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(one.random_number(), two.random_number());
}

TEST(RandomNumbers, SequenceFollowsTheGenerator) {
  Random r;
  uint32_t state = 0x050000;
  for (int i = 0; i < 10000; ++i) {
    state = (state * 16598013u + 12820163u) & 0xFFFFFFu;
    ASSERT_EQ(r.random_number(), static_cast<float>(state / 16777216.0));
  }
}

TEST(RandomNumbers, SeedKeepsTheLowByteAndMixesTheHighWord) {
  Random r;
  r.random_number();  // state 11837123 = 0xB49EC3
  r.seed_random(43203.078125);
  // Upper 32 bits of 43203.078125 are 0x40E51862; x = h ^ (h >> 16) = 0x40E55887.
  EXPECT_EQ(r.state(), (0xB49EC3u & 0xFF) | (0x5887u << 8));
}

TEST(RandomNumbers, NegativeArgumentReseedsTheSameWayEveryTime) {
  Random a, b;
  a.random_number();
  const float first = a.random_number(-3);
  const float second = b.random_number(-3);
  EXPECT_EQ(first, second);
}

}  // namespace
}  // namespace kelvo
