// Attract mode as the player sees it: the blinking title text, the hall of fame's columns, the
// cycle of screens, and missing files in the catalogue.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "support/game_run.h"
#include "support/shot.h"

namespace kelvo {
namespace {

using test::dump_number;

using test::cell_has;
using test::differences;
using test::read_shot;
using test::Shot;

class AttractTest : public ::testing::Test {
 protected:
  test::TempDir work;
  test::TempDir game;
  test::RunResult run(const std::string& script) {
    return test::run_in_process({"--headless", "--dir", game.path()}, script, work.path());
  }
};

TEST_F(AttractTest, InsertCoinShowsFor100TitleFramesAndHidesFor20) {
  test::make_game_dir(game.path());
  run("99 shot a.png\n100 shot b.png\n119 shot c.png\n120 shot d.png\n120 dump d.json\n121 "
      "close\n");
  EXPECT_EQ(dump_number(test::read_file(work.file("d.json")), "blinkTimer"), 0);
  const Shot a = read_shot(work.file("a.png")), b = read_shot(work.file("b.png"));
  const Shot c = read_shot(work.file("c.png")), d = read_shot(work.file("d.png"));
  ASSERT_EQ(a.width, 320);
  EXPECT_GT(differences(a, b, 14, true), 0);   // shown at 99, hidden at 100
  EXPECT_EQ(differences(a, b, 14, false), 0);  // nothing else changes
  EXPECT_EQ(differences(b, c, 14, true), 0);   // still hidden at 119
  EXPECT_GT(differences(c, d, 14, true), 0);   // back at 120 (the counter wrapped to 0)
}

TEST_F(AttractTest, HallOfFameScoresEndInColumn28) {
  test::make_game_dir(game.path());
  std::string table = " 10000        TOP\r\n";
  for (int i = 2; i <= 10; ++i) {
    const std::string score = " " + std::to_string(1100 - 100 * i);
    table += score + std::string(14 - score.size(), ' ') + "AAA\r\n";
  }
  std::filesystem::remove(game.file("rurazedudi/score.txt"));
  test::write_file(game.file("rurazedudi/score.txt"), table);
  run("1100 shot hall.png\n1100 close\n");
  const Shot s = read_shot(work.file("hall.png"));
  const uint32_t white = 0xFFFFFF;
  // Row 5: " 10000 " from column 23: a blank, the digits in 24 to 28, a blank.
  EXPECT_FALSE(cell_has(s, 5, 23, white));
  EXPECT_TRUE(cell_has(s, 5, 24, white));
  EXPECT_TRUE(cell_has(s, 5, 28, white));
  EXPECT_FALSE(cell_has(s, 5, 29, white));
  // Row 14: " 100 " from column 25.
  EXPECT_FALSE(cell_has(s, 14, 25, white));
  EXPECT_TRUE(cell_has(s, 14, 26, white));
  EXPECT_TRUE(cell_has(s, 14, 28, white));
  EXPECT_FALSE(cell_has(s, 14, 29, white));
  EXPECT_TRUE(cell_has(s, 5, 17, white));  // the initials
}

TEST_F(AttractTest, TheCycleWrapsAfter3139FramesToTheTitle) {
  test::make_game_dir(game.path());
  run("3139 dump a.json\n3140 dump b.json\n3140 close\n");
  EXPECT_EQ(dump_number(test::read_file(work.file("a.json")), "attractTimer"), 3139);
  EXPECT_EQ(dump_number(test::read_file(work.file("b.json")), "attractTimer"), 0);
  EXPECT_NEAR(dump_number(test::read_file(work.file("a.json")), "storyScroll"), 1340 * 0.2, 0.1);
}

TEST_F(AttractTest, MissingPictureRaises258WhenDrawnAndAMissingSoundStaysSilent) {
  test::make_game_dir(game.path());
  std::filesystem::remove(game.file("rurazedudi/titre.xxx"));
  std::filesystem::remove(game.file("rurazedudi/level.yyy"));
  const auto r = run("1 close\n");
  EXPECT_EQ(r.status, 0);
  const auto opens = test::events(r.trace, "sound_open");
  ASSERT_FALSE(opens.empty());
  EXPECT_EQ(opens[0], "0 sound_open rurazedudi/level.yyy 0");
  // The slot holds -1: giving it its clear colour at start-up and drawing it each raise 258.
  const auto errors = test::events(r.trace, "error");
  ASSERT_EQ(errors.size(), 2u);
  for (const auto& e : errors) EXPECT_NE(e.find(" 258 "), std::string::npos);
  EXPECT_NE(errors[1].find("Invalid handle"), std::string::npos);
  EXPECT_EQ(errors[1].substr(0, 2), "0 ");  // the first title frame, before it is shown
}

}  // namespace
}  // namespace kelvo
