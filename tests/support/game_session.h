// The one way the tests run the program: in-process, from its command line, headless or with
// SDL's dummy video driver. A GameSession also stops the game after every frame, so that a test
// reads GameState in place and plays until a condition holds.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "game/game_state.h"
#include "platform/app.h"

namespace kelvo::test {

struct RunResult {
  int status = -1;
  std::vector<std::string> trace;  // the trace's lines
};

// Runs kelvo with `args` plus a trace file; `scriptText`, when not empty, is passed as --script.
// Relative paths in the script are relative to `workDir`, which becomes the current directory.
RunResult run_in_process(const std::vector<std::string>& args, const std::string& scriptText,
                         const std::string& workDir);
// The same with the error probe's routine (see error_probe.h) in place of the game.
RunResult run_probe_in_process(const std::string& mode, const std::vector<std::string>& args,
                               const std::string& scriptText, const std::string& workDir);

// A headless run of the game (`args` added to --headless and a trace in `workDir`) on threads of
// its own, held after each frame until the test lets it go on.
class GameSession {
 public:
  GameSession(const std::vector<std::string>& args, const std::string& workDir);
  ~GameSession();  // closes the run
  GameSession(const GameSession&) = delete;
  GameSession& operator=(const GameSession&) = delete;

  // Lets frames pass until `done` holds for the state after a frame, at most `maxFrames` of them;
  // false when it never held (or the run ended).
  bool play_until(const std::function<bool(const GameState&)>& done, int maxFrames);
  // Between frames: holds or lets go a key, as a script's press and release do.
  void press(int32_t code);
  void release(int32_t code);
  // Between frames: the frame on view and the state after it.
  uint32_t frame() const { return frame_; }
  const GameState& state() const { return *state_; }
  // Ends the run (a close after the current frame) and gives its status and trace.
  RunResult finish();

 private:
  void between_frames(Runtime& rt, GameState& state, uint32_t frame);

  std::string workDir_;
  std::mutex mutex_;
  std::condition_variable changed_;
  Runtime* rt_ = nullptr;
  GameState* state_ = nullptr;
  uint32_t frame_ = 0;
  bool held_ = false;   // the game waits after a frame
  bool ended_ = false;  // the program has returned
  bool finishing_ = false;
  RunResult result_;
  std::thread program_;
};

// Makes `root` a game directory: rurazedudi/ with links to the built pictures and sounds and its
// own copy of score.txt (when the build has one), so that runs never change the build's files.
void make_game_dir(const std::string& root);

// The lines of `trace` whose event is `event` ("state", "seed", ...).
std::vector<std::string> events(const std::vector<std::string>& trace, const std::string& event);

}  // namespace kelvo::test
