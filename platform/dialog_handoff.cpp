// The dialog hand-over's two sides; the state word orders every access to the request.
#include "platform/dialog_handoff.h"

namespace kelvo {

bool DialogHandoff::ask(DialogRequest request) {
  request_ = std::move(request);
  state_.store(kAsked, std::memory_order_release);
  hub_.notify();
  hub_.wait([this] {
    return state_.load(std::memory_order_acquire) == kAnswered || stopRequested_.load() != 0;
  });
  if (state_.load(std::memory_order_acquire) != kAnswered) return false;
  const bool yes = answer_.load();
  state_.store(kIdle, std::memory_order_release);
  return yes;
}

DialogRequest DialogHandoff::take() {
  DialogRequest request = request_;
  state_.store(kShowing, std::memory_order_release);
  return request;
}

void DialogHandoff::answer(bool yes) {
  if (state_.load(std::memory_order_acquire) != kShowing) return;
  answer_.store(yes);
  state_.store(kAnswered, std::memory_order_release);
  hub_.notify();
}

}  // namespace kelvo
