// The final level, the closing scene, the closing story, game over and the initials entry.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/game_run.h"

namespace kelvo {
namespace {

using test::dump_element;
using test::dump_number;

using test::kFirstPlayFrame;

using EndingTest = test::GameRunTest;

TEST_F(EndingTest, SecondBoltPaysTheTimeLeftAndTheCountdownWinsTheGame) {
  const int f = kFirstPlayFrame + 5;
  run(at_frame(f, "set levelTimer 37") + at_frame(f, "set boltPresent[1] 0") +
          at_frame(f, "set heroX 265") + at_frame(f, "set heroY 16") +
          at_frame(f + 1, "dump bolt.json") + at_frame(f + 600, "dump won.json") +
          at_frame(f + 700, "close"),
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
  std::string script = at_frame(win, "set finalCountdown 1");
  for (int k = 240; k <= 246; ++k)
    script += at_frame(scene + k, "dump s" + std::to_string(k) + ".json");
  for (int k = 266; k <= 270; ++k)
    script += at_frame(scene + k, "dump s" + std::to_string(k) + ".json");
  script += at_frame(scene + 300, "press Escape");  // no effect on these screens
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
  run(at_frame(quit, "press Q") + at_frame(quit + 80, "dump s80.json") +
      at_frame(quit + 951, "dump last.json") + at_frame(quit + 951, "press Escape") +
      "3000 close\n");
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
  std::string script = at_frame(quit - 1, "set score 5000") + at_frame(quit, "press Q") +
                       at_frame(quit + 1, "release Q");
  // Left at "A" gives "Z"; then Right held for 61 frames steps three times: Z, A, B, C.
  script += at_frame(entry, "press Left") + at_frame(entry + 1, "release Left") +
            at_frame(entry + 1, "dump z.json") + at_frame(entry + 31, "press Right") +
            at_frame(entry + 92, "release Right") + at_frame(entry + 92, "dump c.json");
  // Right and Space together change the letter only.
  script += at_frame(entry + 130, "press Right") + at_frame(entry + 130, "press Space") +
            at_frame(entry + 131, "release Right") + at_frame(entry + 131, "release Space") +
            at_frame(entry + 131, "dump both.json");
  for (int k = 0; k < 3; ++k) {
    const int f = entry + 170 + 40 * k;
    script += at_frame(f, "press Space") + at_frame(f + 1, "release Space");
  }
  run(script + at_frame(entry + 400, "dump hall.json") + at_frame(entry + 400, "close"));
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

namespace kelvo {
namespace {

using WholeGameTest = test::GameRunTest;

TEST_F(WholeGameTest, WinningLevelTenEndsInTheHallOfFameWithTheNewEntry) {
  const int f = kFirstPlayFrame + 5;
  // Pull the bolts with 37 seconds left, then let the scene, the story and game over run; Escape
  // is pressed on every one of those screens and changes nothing.
  std::string script = at_frame(f, "set levelTimer 37") + at_frame(f, "set boltPresent[1] 0") +
                       at_frame(f, "set heroX 265") + at_frame(f, "set heroY 16");
  for (int k = 700; k <= 2300; k += 400) {
    script += at_frame(f + k, "press Escape") + at_frame(f + k + 1, "release Escape");
  }
  run(script + "9000 close\n", {"--level", "10"});
  ASSERT_GT(entered("InitialsEntry"), 0);
  const int entry = entered("InitialsEntry");
  // Three presses of the space bar, 40 frames apart, store "AAA".
  std::string initials = script;
  for (int k = 0; k < 3; ++k) {
    initials += at_frame(entry + 10 + 40 * k, "press Space") +
                at_frame(entry + 11 + 40 * k, "release Space");
    if (k == 0) {
      initials += at_frame(entry + 20, "press Escape") + at_frame(entry + 21, "release Escape");
    }
  }
  run(initials + at_frame(entry + 200, "dump hall.json") + at_frame(entry + 200, "close"),
      {"--level", "10"});
  const std::vector<std::string> expected = {
      "Ending", "HighScoreCheck", "ClosingStory", "GameOver", "InitialsEntry", "Save", "Attract"};
  const auto states = test::events(result.trace, "state");
  ASSERT_GE(states.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    const std::string& line = states[states.size() - expected.size() + i];
    EXPECT_TRUE(line.ends_with(" state " + expected[i])) << line;
  }
  const std::string scores = test::read_file(game.path() + "/rurazedudi/score.txt");
  EXPECT_EQ(scores.substr(0, 19), " 3700         AAA\r\n");
  EXPECT_EQ(scores.substr(19, 19), " 1000         AAA\r\n");
  EXPECT_EQ(test::dump_element(dump("hall.json"), "hallScores", 1), 3700);
}

}  // namespace
}  // namespace kelvo
