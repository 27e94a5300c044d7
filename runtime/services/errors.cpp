// Raising, reporting and ending: the game thread's side of the pending-error mechanism.
#include "runtime/services/errors.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "runtime/services/error_table.h"

namespace kelvo {

int Errors::raise_error(int code) {
  if (is_critical(code)) {
    raise_critical(code);
    return pendingError_;  // a critical error is never pending (only tests come back here)
  }
  if (pendingError_ != 0) return pendingError_;
  pendingError_ = code > 0 ? code : 5;
  eventPending.store(1, std::memory_order_release);
  return pendingError_;
}

void Errors::raise_critical(int code) {
  const auto box = critical_error_text(code);
  const std::string title = box ? box->title : "Critical Error";
  const std::string text = box ? box->text : "";
  std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
  if (criticalBox_) criticalBox_(title, text);
  if (processExit_) {
    processExit_(0);
  } else {
    std::exit(0);
  }
}

void Errors::request_stop() {
  stopRequested.store(1, std::memory_order_release);
  eventPending.store(1, std::memory_order_release);
  hub_.notify();
}

void Errors::set_pause(uint8_t bit, bool on) {
  if (on) {
    pauseFlags.fetch_or(bit);
    eventPending.store(1, std::memory_order_release);
  } else {
    pauseFlags.fetch_and(static_cast<uint8_t>(~bit));
  }
  hub_.notify();
}

void Errors::statement_event(uint32_t line) {
  eventPending.store(0, std::memory_order_release);
  // A pause holds the game here until the next key press; a stop request ends the thread.
  while (pauseFlags.load() != 0 && stopRequested.load() == 0) {
    if (pausedDeliver_ && pausedDeliver_()) continue;
    hub_.wait([this] {
      return pauseFlags.load() == 0 || stopRequested.load() != 0 ||
             (pausedWaiting_ && pausedWaiting_());
    });
  }
  if (stopRequested.load() != 0) end_program();
  if (pendingError_ == 0) return;
  errorLine_ = line;
  report_error();
}

void Errors::report_error() {
  const int code = pendingError_;
  const std::string title = error_dialog_title(code);
  const std::string text = error_dialog_text(code, errorLine_);
  std::fprintf(stderr, "%s (line %u): %s\n", title.c_str(), errorLine_,
               std::string(error_message(code)).c_str());
  const bool goOn = !dialog_ || dialog_(code, errorLine_, title, text);
  if (goOn) {
    pendingError_ = 0;
    return;
  }
  request_exit();
  end_program();
}

void Errors::end_program() {
  programFinished.store(1, std::memory_order_release);
  hub_.notify();
  hub_.wait([this] { return stopRequested.load() != 0; });
  throw ProgramEnded{};
}

}  // namespace kelvo
