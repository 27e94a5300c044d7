// The final level, the closing scene, the closing story, game over and the initials entry.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/dump.h"
#include "support/headless.h"
#include "support/test_support.h"

namespace kelvo {
namespace {

using test::dump_element;
using test::dump_number;

constexpr int kFirstPlayFrame = 422;

struct EndingTest : ::testing::Test {
  test::TempDir work;
  test::TempDir game;
  test::RunResult result;

  void run(const std::string& script, std::vector<std::string> args = {}) {
    test::make_game_dir(game.path());
    args.insert(args.begin(), {"--headless", "--dir", game.path()});
    result = test::run_in_process(args, "0 press Space\n3 release Space\n" + script, work.path());
    ASSERT_EQ(result.status, 0);
  }
  std::string dump(const std::string& name) { return test::read_file(work.file(name)); }
  static std::string at(int frame, const std::string& command) {
    return std::to_string(frame) + " " + command + "\n";
  }
  // The frame at which `state` was last entered, -1 when never.
  int entered(const std::string& state) {
    int frame = -1;
    for (const auto& line : test::events(result.trace, "state")) {
      if (line.ends_with(" state " + state)) frame = std::stoi(line);
    }
    return frame;
  }
};

TEST_F(EndingTest, SecondBoltPaysTheTimeLeftAndTheCountdownWinsTheGame) {
  const int f = kFirstPlayFrame + 5;
  run(at(f, "set levelTimer 37") + at(f, "set boltPresent[1] 0") + at(f, "set heroX 265") +
          at(f, "set heroY 16") + at(f + 1, "dump bolt.json") + at(f + 600, "dump won.json") +
          at(f + 700, "close"),
      {"--level", "10"});
  const std::string bolt = dump("bolt.json");
  EXPECT_EQ(dump_element(bolt, "boltPresent", 2), 0);
  EXPECT_EQ(dump_number(bolt, "timeBonus"), 3700);
  EXPECT_EQ(dump_number(bolt, "score"), 3700);
  EXPECT_EQ(dump_number(bolt, "finalCountdown"), 599);
  EXPECT_EQ(dump_number(dump("won.json"), "gameWonFlag"), 1);
  EXPECT_EQ(entered("Ending"), f + 600);
}

TEST_F(EndingTest, ClosingSceneStagesAndTheClosingStory) {
  // Win at once: the countdown runs out on the next frame. The scene then shows its two texts
  // (two frames) and runs at 60 frames a second.
  const int win = kFirstPlayFrame + 2;
  const int scene = win + 3;  // one more play frame, then the two texts; frame k is scene + k
  std::string script = at(win, "set finalCountdown 1");
  for (int k = 240; k <= 246; ++k) script += at(scene + k, "dump s" + std::to_string(k) + ".json");
  for (int k = 266; k <= 270; ++k) script += at(scene + k, "dump s" + std::to_string(k) + ".json");
  script += at(scene + 300, "press Escape");  // no effect on these screens
  run(script + "5000 close\n", {"--level", "10"});
  int shellPass = 0;
  for (int k = 240; k <= 246 && !shellPass; ++k) {
    if (dump_number(dump("s" + std::to_string(k) + ".json"), "closingStage") >= 2) shellPass = k;
  }
  EXPECT_EQ(shellPass, 243);
  EXPECT_EQ(dump_number(dump("s243.json"), "scrollY"), 243);
  int landed = 0;
  for (int k = 266; k <= 270 && !landed; ++k) {
    const std::string d = dump("s" + std::to_string(k) + ".json");
    if (dump_number(d, "closingStage") == 3) {
      landed = k;
      EXPECT_EQ(dump_number(d, "climberY"), 280);  // reached 281, then stage 3's first step
    }
  }
  EXPECT_EQ(landed, 243 + 23);  // stage 2 takes its first step in the frame the shell passes
  const int story = entered("ClosingStory");
  ASSERT_GT(story, 0);
  EXPECT_EQ(entered("GameOver"), story + 951);
  EXPECT_EQ(entered("HighScoreCheck"), story);
}

TEST_F(EndingTest, StoryEndsWithItsScrollAndShowsItsLinesOnTime) {
  // Q leaves play at once for the high-score check and the closing story.
  const int quit = kFirstPlayFrame + 2;
  run(at(quit, "press Q") + at(quit + 80, "dump s80.json") + at(quit + 951, "dump last.json") +
      at(quit + 951, "press Escape") + "3000 close\n");
  EXPECT_EQ(dump_number(dump("s80.json"), "endTimer"), 80);
  const std::string last = dump("last.json");
  EXPECT_EQ(dump_number(last, "endTimer"), 951);
  EXPECT_EQ(dump_number(last, "storyScroll"), 190.1982421875);
  EXPECT_EQ(entered("GameOver"), quit + 951);
  // Game over lasts 351 frames, then a second; with score 0 there is no entry of initials.
  EXPECT_EQ(entered("Save"), quit + 951 + 351);
  EXPECT_EQ(entered("InitialsEntry"), -1);
}

TEST_F(EndingTest, InitialsEntryWrapsRepeatsAndSavesTheNewEntry) {
  const int quit = kFirstPlayFrame + 2;
  const int entry = quit + 951 + 351;  // first frame of the entry screen follows
  std::string script =
      at(quit - 1, "set score 5000") + at(quit, "press Q") + at(quit + 1, "release Q");
  // Left at "A" gives "Z"; then Right held for 61 frames steps three times: Z, A, B, C.
  script += at(entry, "press Left") + at(entry + 1, "release Left") + at(entry + 1, "dump z.json") +
            at(entry + 31, "press Right") + at(entry + 92, "release Right") +
            at(entry + 92, "dump c.json");
  // Right and Space together change the letter only.
  script += at(entry + 130, "press Right") + at(entry + 130, "press Space") +
            at(entry + 131, "release Right") + at(entry + 131, "release Space") +
            at(entry + 131, "dump both.json");
  for (int k = 0; k < 3; ++k) {
    const int f = entry + 170 + 40 * k;
    script += at(f, "press Space") + at(f + 1, "release Space");
  }
  run(script + at(entry + 400, "dump hall.json") + at(entry + 400, "close"));
  EXPECT_EQ(dump_element(dump("z.json"), "letterIdx", 1), 26);
  EXPECT_EQ(dump_element(dump("c.json"), "letterIdx", 1), 3);
  const std::string both = dump("both.json");
  EXPECT_EQ(dump_element(both, "letterIdx", 1), 4);
  EXPECT_EQ(dump_number(both, "initialsCursor"), 1);
  EXPECT_GT(entered("Attract"), entry);
  const std::string scores = test::read_file(game.path() + "/rurazedudi/score.txt");
  EXPECT_EQ(scores.substr(0, 19), " 5000         DAA\r\n");
  EXPECT_EQ(scores.size(), 190u);
}

}  // namespace
}  // namespace kelvo
