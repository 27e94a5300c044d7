// The hand-over of a dialog from the game thread, which waits for the answer, to the main thread,
// which shows it and takes the answer from the window's events.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/dialog_box.h"
#include "runtime/services/wait_hub.h"

namespace kelvo {

class DialogHandoff {
 public:
  DialogHandoff(WaitHub& hub, const std::atomic<uint8_t>& stopRequested)
      : hub_(hub), stopRequested_(stopRequested) {}

  // Game thread: posts the request and blocks until the main thread answers it. A stop request
  // ends the wait with no (false).
  bool ask(DialogRequest request);

  // Main thread: a request waits to be shown.
  bool asked() const { return state_.load(std::memory_order_acquire) == kAsked; }
  // Main thread: takes the waiting request; it is shown until answer() is called.
  DialogRequest take();
  // Main thread: answers the request taken and wakes the game thread.
  void answer(bool yes);

 private:
  enum State : int { kIdle, kAsked, kShowing, kAnswered };

  WaitHub& hub_;
  const std::atomic<uint8_t>& stopRequested_;
  std::atomic<int> state_{kIdle};
  std::atomic<bool> answer_{false};
  // Written by the game thread before it publishes kAsked; read by the main thread after it has
  // seen kAsked and before it publishes kAnswered.
  DialogRequest request_;
};

}  // namespace kelvo
