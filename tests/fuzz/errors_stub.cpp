// Stands in for the error mechanism in builds that compile the file units alone (the fuzz target
// and stand-alone test builds): it records the first error and clears it at the statement event.
#include "runtime/services/errors.h"

namespace kelvo {

int Errors::raise_error(int code) {
  if (pendingError_ == 0) {
    pendingError_ = code > 0 ? code : 5;
    eventPending.store(1);
  }
  return pendingError_;
}

void Errors::statement_event(uint32_t line) {
  eventPending.store(0);
  errorLine_ = line;
  pendingError_ = 0;
}

}  // namespace kelvo
