// A fixture for tests that play the game headless from a script and read its dumps and trace.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/dump.h"
#include "support/headless.h"
#include "support/test_support.h"

namespace kelvo::test {

// Space held from the start begins a game after one attract frame; the introduction shows
// frames 2 to 421 and the first play frame is frame 422.
constexpr int kFirstPlayFrame = 422;

class GameRunTest : public ::testing::Test {
 protected:
  // Plays a new game headless with `script` after its start, in a fresh game directory.
  void run(const std::string& script, std::vector<std::string> args = {}) {
    make_game_dir(game.path());
    args.insert(args.begin(), {"--headless", "--dir", game.path()});
    result = run_in_process(args, "0 press Space\n3 release Space\n" + script, work.path());
    ASSERT_EQ(result.status, 0);
  }
  std::string dump(const std::string& name) { return read_file(work.file(name)); }
  // A script line for after frame `frame`, or for after frame `playFrame` of play.
  static std::string at_frame(int frame, const std::string& command) {
    return std::to_string(frame) + " " + command + "\n";
  }
  static std::string at(int playFrame, const std::string& command) {
    return at_frame(kFirstPlayFrame - 1 + playFrame, command);
  }
  // The frame at which `state` was last entered, -1 when never.
  int entered(const std::string& state) const {
    int frame = -1;
    for (const auto& line : events(result.trace, "state")) {
      if (line.ends_with(" state " + state)) frame = std::stoi(line);
    }
    return frame;
  }

  TempDir work;
  TempDir game;
  RunResult result;
};

}  // namespace kelvo::test
