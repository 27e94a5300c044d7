// The heads-up display and the play messages as they appear on screen.
#include <gtest/gtest.h>

#include "support/game_run.h"
#include "support/shot.h"

namespace kelvo {
namespace {

using test::cell_has;
using test::differences;
using test::read_shot;
using test::Shot;

using HudTest = test::GameRunTest;

constexpr uint32_t kWhite = 0xFFFFFF;

// Whether a message's cell shows letters on a cell filled with colour 0.
bool lettered(const Shot& s, int row, int column) {
  bool ink = false;
  for (int y = 16 * (row - 1); y < 16 * row; ++y) {
    for (int x = 8 * (column - 1); x < 8 * column; ++x) ink = ink || s.at(x, y) != 0;
  }
  return ink && cell_has(s, row, column, 0x000000);
}

TEST_F(HudTest, LabelsScoresAndTimerStandInTheirCells) {
  run(at(5, "set score 1234") + at(6, "shot a.png") + at(6, "close"));
  const Shot s = read_shot(work.file("a.png"));
  ASSERT_EQ(s.width, 320);
  EXPECT_TRUE(cell_has(s, 1, 2, kWhite) && cell_has(s, 1, 6, kWhite));    // SCORE
  EXPECT_TRUE(cell_has(s, 1, 29, kWhite) && cell_has(s, 1, 38, kWhite));  // HIGH-SCORE
  EXPECT_TRUE(cell_has(s, 1, 17, kWhite) && cell_has(s, 1, 21, kWhite));  // TIMER
  EXPECT_TRUE(cell_has(s, 2, 3, kWhite) && cell_has(s, 2, 6, kWhite));    // " 1234"
  EXPECT_TRUE(cell_has(s, 2, 18, kWhite) && cell_has(s, 2, 20, kWhite));  // " 120"
  EXPECT_TRUE(cell_has(s, 2, 33, kWhite) && cell_has(s, 2, 36, kWhite));  // " 1000"
}

TEST_F(HudTest, TimerFlickersBelowTwentySecondsButItsLabelDoesNot) {
  run(at(5, "set levelTimer 19") + at(6, "shot a.png") + at(7, "shot b.png") + at(8, "shot c.png") +
      at(8, "close"));
  const Shot a = read_shot(work.file("a.png")), b = read_shot(work.file("b.png"));
  const Shot c = read_shot(work.file("c.png"));
  EXPECT_TRUE(differences(a, b, 2, true) > 0 || differences(b, c, 2, true) > 0);
  for (int column = 17; column <= 21; ++column) EXPECT_TRUE(cell_has(a, 1, column, kWhite));
}

TEST_F(HudTest, TimeOutShowsZeroInColumn18AndItsMessage) {
  run(at(5, "set levelTimer 0") + at(7, "shot a.png") + at(7, "close"));
  const Shot s = read_shot(work.file("a.png"));
  EXPECT_FALSE(cell_has(s, 2, 19, kWhite));
  // "TIME OUT !!" from column 16 of row 10 on cells filled with colour 0, in the colour the timer
  // last took (it flickers during a time-out).
  EXPECT_TRUE(lettered(s, 10, 16));
  EXPECT_TRUE(lettered(s, 10, 26));
}

TEST_F(HudTest, DeathAndTimeBonusMessagesFillTheirCells) {
  run(at(5, "set dyingTimer 300") + at(6, "shot death.png") + at(10, "set heroX 200") +
      at(10, "set heroY 25") + at(10, "set heroFloor 7") + at(12, "shot bonus.png") +
      at(12, "close"));
  const Shot death = read_shot(work.file("death.png"));
  EXPECT_TRUE(lettered(death, 10, 16));  // "ARGHHHH !!!"
  EXPECT_TRUE(lettered(death, 10, 26));
  const Shot bonus = read_shot(work.file("bonus.png"));
  EXPECT_TRUE(lettered(bonus, 8, 13));  // "TIME BONUS : " and the bonus
  EXPECT_TRUE(lettered(bonus, 8, 30));
}

TEST_F(HudTest, HeartsAndLivesAtTheBottom) {
  run(at(5, "set heartCount 2") + at(6, "shot a.png") + at(6, "close"));
  const Shot s = read_shot(work.file("a.png"));
  // The lives: the hero's picture scaled into 11 by 11 pixels at x 282, 294 and 306.
  auto drawn = [&](int x0, int y0, int w, int h) {
    int n = 0;
    for (int y = y0; y < y0 + h; ++y) {
      for (int x = x0; x < x0 + w; ++x) n += s.at(x, y) != s.at(319, 299);
    }
    return n;
  };
  EXPECT_GT(drawn(282, 288, 11, 11), 20);
  EXPECT_GT(drawn(306, 288, 11, 11), 20);
  EXPECT_GT(drawn(5, 288, 20, 8), 10);  // hearts and outlines from x 5
}

}  // namespace
}  // namespace kelvo

namespace kelvo {
namespace {

using LateScreensTest = test::GameRunTest;

TEST_F(LateScreensTest, StoryShowsItsSecondLineFromFrame81) {
  const int quit = test::kFirstPlayFrame + 2;
  run(at_frame(quit, "press Q") + at_frame(quit + 80, "shot s80.png") +
      at_frame(quit + 81, "shot s81.png") + at_frame(quit + 81, "close"));
  const Shot a = read_shot(work.file("s80.png")), b = read_shot(work.file("s81.png"));
  EXPECT_TRUE(cell_has(a, 2, 1, kWhite));   // "SEPTEMBER 1983"
  EXPECT_FALSE(cell_has(a, 3, 1, kWhite));  // not yet "ALAMOGORDO, NEW MEXICO"
  EXPECT_TRUE(cell_has(b, 3, 1, kWhite));
}

TEST_F(LateScreensTest, NoBonusItemOnTheFinalLevel) {
  run(at(3000, "dump d.json") + at(3000, "close"), {"--level", "10"});
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(test::dump_element(dump("d.json"), "bonusState", i), 0);
}

TEST_F(LateScreensTest, TheRisingStageEndsExactlyAt160) {
  const int win = test::kFirstPlayFrame + 2;
  std::string script = at_frame(win, "set finalCountdown 1");
  for (int k = 340; k <= 400; ++k)
    script += at_frame(win + 3 + k, "dump s" + std::to_string(k) + ".json");
  run(script + at_frame(win + 404, "close"), {"--level", "10"});
  int laughing = 0;
  for (int k = 340; k <= 400 && !laughing; ++k) {
    const std::string d = dump("s" + std::to_string(k) + ".json");
    if (test::dump_number(d, "closingStage") == 4) {
      laughing = k;
      EXPECT_EQ(test::dump_number(d, "climberY"), 160);
    }
  }
  EXPECT_EQ(laughing, 266 + 120);  // 120 steps of one pixel up from 280
}

}  // namespace
}  // namespace kelvo
