// Plays an input script: after each frame it presses and releases keys, writes screenshots and
// state dumps, answers error dialogs and closes the window, as the script says.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "platform/script.h"
#include "runtime/runtime.h"

namespace kelvo {

class ScriptPlayer {
 public:
  ScriptPlayer(Runtime& rt, GameState& state, std::vector<ScriptCommand> commands,
               std::atomic<int>& closeRequested, bool answerYes);

  // Game thread: carries out the commands of `frame` in the order written.
  void run_frame(uint32_t frame);
  // Game thread: how to answer the error dialog now being shown.
  bool take_answer();
  // Game thread: the script's answer to the dialog now being shown, if it gave one.
  std::optional<bool> take_scripted_answer();

 private:
  void run(const ScriptCommand& c);
  void write_shot(const std::string& path);
  void write_dump(const std::string& path);

  Runtime& rt_;
  GameState& state_;
  std::vector<ScriptCommand> commands_;
  size_t next_ = 0;
  std::atomic<int>& closeRequested_;
  bool defaultAnswer_;
  int pendingAnswer_ = -1;  // -1 none, 0 no, 1 yes
};

// The frame as a PNG of the frame's size, each pixel through its palette.
bool write_frame_png(const FrameCache& frame, const std::string& path);

}  // namespace kelvo
