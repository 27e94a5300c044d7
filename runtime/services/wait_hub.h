// One place where the runtime's threads wait for each other's flags without polling.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace kelvo {

// Writers store an atomic flag and then call notify(); waiters re-check their predicate under the
// hub's mutex, so no wake-up is lost between the check and the wait.
class WaitHub {
 public:
  void notify() {
    { std::lock_guard<std::mutex> lock(mutex_); }
    cv_.notify_all();
  }

  template <class Pred>
  void wait(Pred pred) {
    std::unique_lock<std::mutex> lock(mutex_);
    cv_.wait(lock, pred);
  }

  template <class Clock, class Duration, class Pred>
  bool wait_until(const std::chrono::time_point<Clock, Duration>& deadline, Pred pred) {
    std::unique_lock<std::mutex> lock(mutex_);
    return cv_.wait_until(lock, deadline, pred);
  }

  // Returns pred() at the end: true when it came true before the time was up.
  template <class Pred>
  bool wait_for(std::chrono::microseconds timeout, Pred pred) {
    std::unique_lock<std::mutex> lock(mutex_);
    return cv_.wait_for(lock, timeout, pred);
  }

 private:
  std::mutex mutex_;
  std::condition_variable cv_;
};

}  // namespace kelvo
