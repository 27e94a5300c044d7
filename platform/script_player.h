// Plays an input script: after each frame it presses and releases keys, writes screenshots, state
// dumps and screen texts, waits for conditions, answers error dialogs and closes the window, as the
// script says.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "platform/script.h"
#include "runtime/runtime.h"

namespace kelvo {

class ScriptPlayer {
 public:
  // `closeAfter` is --frames: the close after that frame, whatever the script still holds.
  ScriptPlayer(Runtime& rt, GameState& state, std::vector<ScriptCommand> commands,
               std::optional<uint32_t> closeAfter, std::atomic<int>& closeRequested,
               std::atomic<int>& status, bool answerYes);

  // Game thread: carries out the commands due after `frame`, in the order written.
  void run_frame(uint32_t frame);
  // Game thread, while the game is paused and no frame can pass: the next command acts at once
  // (an `until` only when its condition holds already); with none left, --frames closes. False
  // when nothing could act.
  bool run_paused();
  // Whether run_paused would act.
  bool can_run_paused() const;
  // Game thread: how to answer the error dialog now being shown.
  bool take_answer();
  // Game thread: the script's answer to the dialog now being shown, if it gave one.
  std::optional<bool> take_scripted_answer();
  // Hears every `set` carried out (a recording keeps them).
  void set_listener(std::function<void(const ScriptCommand&)> listener) {
    listener_ = std::move(listener);
  }

 private:
  bool due(uint32_t frame) const;
  // Carries out the next command; false when it is an `until` that has to wait.
  bool run_next(uint32_t frame);
  bool until_holds(const ScriptCommand& c) const;
  bool next_acts_paused() const;
  void run(const ScriptCommand& c);
  void close();
  void write_shot(const std::string& path);
  void write_dump(const ScriptCommand& c);
  void write_text(const std::string& path);
  // Writes `text` to `path`: a new file on the first write of the run, appended to afterwards.
  void write_output(const std::string& path, const std::string& text, const char* what);

  Runtime& rt_;
  PlatformPort port_;
  GameState& state_;
  std::vector<ScriptCommand> commands_;
  size_t next_ = 0;
  uint32_t lastActed_ = 0;                // the frame where the command before acted
  std::optional<uint32_t> untilStarted_;  // the frame where the waiting `until` began
  std::optional<uint32_t> closeAfter_;
  std::atomic<int>& closeRequested_;
  std::atomic<int>& status_;
  bool defaultAnswer_;
  std::deque<bool> answers_;
  std::set<std::string> written_;
  std::function<void(const ScriptCommand&)> listener_;
};

// The frame as a PNG of the frame's size, each pixel through its palette.
bool write_frame_png(const FrameCache& frame, const std::string& path);

}  // namespace kelvo
