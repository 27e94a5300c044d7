// The pending-error mechanism: numbered errors raised by runtime operations, reported by the game
// thread at its next statement event, and the program's end.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "runtime/services/error_table.h"
#include "runtime/services/wait_hub.h"

namespace kelvo {

// Thrown by end_program to unwind the game thread; caught only at the thread's top function.
struct ProgramEnded {};

// How a reported error is answered: true goes on with the next statement, false ends the program.
using ErrorDialog =
    std::function<bool(int code, uint32_t line, const std::string& title, const std::string& text)>;
// Shows a critical error's box; the caller ends the process afterwards.
using CriticalErrorBox = std::function<void(const std::string& title, const std::string& text)>;

class Errors {
 public:
  explicit Errors(WaitHub& hub) : hub_(hub) {}

  // Records the first error of the current statement (codes of 0 or below become 5) and returns
  // the pending code. Critical codes show their box and end the process at once.
  int raise_error(int code);

  // Called by the game after a statement when event_pending() is set: waits out a pause, ends the
  // game thread when a stop was requested, reports a pending error.
  void statement_event(uint32_t line);

  // Marks the program finished, waits for the display loop's stop request and unwinds the game
  // thread with ProgramEnded.
  [[noreturn]] void end_program();

  int pending() const { return pendingError_; }
  bool event_pending() const { return eventPending.load(std::memory_order_acquire) != 0; }
  uint32_t error_line() const { return errorLine_; }

  // Set by the display loop (and the key handler); never cleared.
  void request_stop();
  // Set by the game before end_program when the window is to close at once.
  void request_exit() {
    exitAtOnce.store(1);
    hub_.notify();
  }
  void set_pause(uint8_t bit, bool on);

  void set_dialog(ErrorDialog dialog) { dialog_ = std::move(dialog); }
  void set_critical_box(CriticalErrorBox box) { criticalBox_ = std::move(box); }
  // Input that reaches a paused game on its own thread (queued window keys, scripted commands):
  // `deliver` hands over what waits and says whether there was any; `waiting` says, from the
  // pause's wait, that something has come in since.
  void set_paused_input(std::function<bool()> deliver, std::function<bool()> waiting) {
    pausedDeliver_ = std::move(deliver);
    pausedWaiting_ = std::move(waiting);
  }
  // Ends the process after a critical error; tests replace it.
  void set_process_exit(std::function<void(int)> exit_fn) { processExit_ = std::move(exit_fn); }

  std::atomic<int32_t> eventPending{0};
  std::atomic<uint8_t> pauseFlags{0};
  std::atomic<uint8_t> stopRequested{0};
  std::atomic<uint8_t> exitAtOnce{0};
  std::atomic<uint8_t> programFinished{0};

 private:
  void report_error();
  void raise_critical(int code);

  WaitHub& hub_;
  int32_t pendingError_ = 0;  // game thread only
  uint32_t errorLine_ = 0;    // game thread only
  ErrorDialog dialog_;
  CriticalErrorBox criticalBox_;
  std::function<void(int)> processExit_;
  std::function<bool()> pausedDeliver_;
  std::function<bool()> pausedWaiting_;
};

}  // namespace kelvo
