// The error sink and index rounding of the game's arrays.
#include "game/num.h"

#include <cmath>

#include "runtime/runtime.h"

namespace kelvo {
namespace {

thread_local Runtime* arrayErrors = nullptr;

}  // namespace

void set_array_error_sink(Runtime* rt) {
  arrayErrors = rt;
}

void report_bad_index() {
  if (arrayErrors) arrayErrors->raise_error(kSubscriptOutOfRange);
}

int64_t index_of(double value) {
  if (!(std::fabs(value) < 1e15)) return -1;  // far out of range, or not a number
  return static_cast<int64_t>(std::nearbyint(value));
}

}  // namespace kelvo
