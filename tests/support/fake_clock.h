// A clock that tests set by hand; sleeps are recorded and advance it.
#pragma once

#include <vector>

#include "runtime/services/clock.h"

namespace kelvo::test {

class FakeClock : public Clock {
 public:
  uint32_t ticks() override { return now; }
  void sleep_ms(uint32_t ms) override {
    sleeps.push_back(ms);
    now += ms;
  }
  uint32_t now = 1000;
  std::vector<uint32_t> sleeps;
};

}  // namespace kelvo::test
