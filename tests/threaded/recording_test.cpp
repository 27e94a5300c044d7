// Recording and replaying a headless run, and the scripts and options the program refuses before
// it starts.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "runtime/services/keyboard.h"
#include "support/game_session.h"
#include "support/test_support.h"

namespace kelvo {
namespace {

constexpr int kFrames = 2400;

bool never(const GameState&) {
  return false;
}

TEST(Recording, AHeadlessRunReplaysToTheSameStateAndTrace) {
  test::TempDir played, replayed;
  test::make_game_dir(played.path());
  test::make_game_dir(replayed.path());
  const std::string recording = played.file("run.script");
  test::GameSession game({"--dir", played.path(), "--record", recording, "--time", "07:15:00.250"},
                         played.path());
  // Keys change every few frames: a game starts and is played with walks and jumps.
  const int32_t keys[] = {key::kSpace, key::kRight, key::kSpace, key::kLeft, key::kRight};
  for (int step = 0; game.frame() < kFrames; ++step) {
    if (step % 3 == 2) {
      game.release(keys[step % 5]);
    } else {
      game.press(keys[step % 5]);
    }
    game.play_until(never, 3 + step % 11);
  }
  const std::string playedState = state_to_json(game.state(), true);
  const uint32_t end = game.frame();
  const auto first = game.finish();

  test::GameSession replay({"--dir", replayed.path(), "--replay", recording}, replayed.path());
  ASSERT_TRUE(replay.play_until([&](const GameState&) { return replay.frame() == end; }, end));
  EXPECT_EQ(state_to_json(replay.state(), true), playedState);
  EXPECT_EQ(replay.finish().trace, first.trace);
  EXPECT_GT(test::events(first.trace, "state").size(), 4u) << "the run never reached play";
}

struct Refusal {
  std::string script;  // the script's text, or a path when it starts with '/'
  std::string reason;  // a part of the one line on standard error
};

TEST(Scripts, FaultyScriptsAndOptionsAreRefusedWithOneLineAndStatus2) {
  test::TempDir dir;
  mkfifo(dir.file("fifo").c_str(), 0600);
  test::write_file(dir.file("huge.script"), "");
  std::filesystem::resize_file(dir.file("huge.script"), 17u << 20);
  const Refusal refusals[] = {
      {dir.path(), "is not a regular file"},
      {"/dev/zero", "is not a regular file"},
      {dir.file("fifo"), "is not a regular file"},
      {dir.file("huge.script"), "is larger than 16 MB"},
      {"0 set lives 1e10\n", ":1: set lives takes a number from -1000 to 1000"},
      {"0 set heartCount 1e30\n", "set heartCount takes a number from -1000 to 1000"},
      {"0 set heroX nan\n", "set heroX takes a number from -16777216 to 16777216"},
      {"0 set heroX -inf\n", "set heroX takes a number"},
      {"0 set score 2147483648\n", "set score takes a number"},
      {"0 until heroX > 5\n", "until takes a field, a comparison, a number and the most frames"},
      {"0 until heroZ > 5 10\n", "unknown field 'heroZ'"},
      {"0 dump d.txt heroX heroZ\n", "unknown field 'heroZ'"},
      {"5 level 3\n", "level acts before the game starts: only at frame 0"},
      {"0 time 25:00:00\n", "time takes HH:MM:SS"},
      {"0 press Space\n\n7 jump\n", ":3: unknown command 'jump'"},
      {"9 close\n8 close\n", ":2: frame 8 comes after frame 9"},
  };
  for (const Refusal& r : refusals) {
    std::string path = r.script;
    if (path[0] != '/') {
      path = dir.file("input.script");
      test::write_file(path, r.script);
    }
    const auto run = test::run_kelvo({"--headless", "--frames", "1", "--script", path}, 20);
    EXPECT_EQ(run.status, 2) << r.script;
    EXPECT_NE(run.errorOutput.find(r.reason), std::string::npos) << r.script << run.errorOutput;
    EXPECT_EQ(std::count(run.errorOutput.begin(), run.errorOutput.end(), '\n'), 1) << r.script;
  }
  const std::pair<std::vector<std::string>, std::string> options[] = {
      {{"--fast"}, "unknown option '--fast'"},
      {{"--level", "11"}, ""},
      {{"--script", "a", "--replay", "b"}, ""}};
  for (const auto& [args, reason] : options) {
    const auto run = test::run_kelvo(args);
    EXPECT_EQ(run.status, 2) << args[0];
    EXPECT_NE(run.errorOutput.find(reason), std::string::npos) << run.errorOutput;
  }
  EXPECT_EQ(test::run_kelvo({"--help"}).status, 0);
}

}  // namespace
}  // namespace kelvo
