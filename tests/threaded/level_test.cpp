// Level set-up, the hero on the girders, jumping, wind, the clocks and dying, played headless.
#include <gtest/gtest.h>

#include <cmath>

#include "support/game_run.h"

namespace kelvo {
namespace {

using test::dump_element;
using test::dump_number;

using test::kFirstPlayFrame;

using LevelTest = test::GameRunTest;

TEST_F(LevelTest, SetUpGivesTheStartValuesAndTheIntroductionEndsWhereItShould) {
  run(at(0, "dump intro.json") + at(1, "close"));
  const std::string d = dump("intro.json");
  EXPECT_EQ(dump_number(d, "introFrame"), 25);
  EXPECT_EQ(dump_number(d, "introY"), 105);
  EXPECT_EQ(dump_number(d, "introTimer"), 420);
  EXPECT_EQ(dump_number(d, "heroX"), 15);
  EXPECT_EQ(dump_number(d, "heroY"), 456);
  EXPECT_EQ(dump_number(d, "levelTimer"), 120);
  EXPECT_EQ(dump_number(d, "craneX"), -64);
  EXPECT_EQ(dump_number(d, "apeY"), 200);
  EXPECT_EQ(dump_number(d, "balloonX"), 500);
  EXPECT_EQ(dump_number(d, "zeppelinX"), 390);
  EXPECT_EQ(dump_element(d, "barrelFloor", 3), 7);
  EXPECT_EQ(dump_element(d, "boltPresent", 2), 1);
  EXPECT_EQ(dump_element(d, "heroFloorBaseY", 7), 142);
  EXPECT_EQ(dump_element(d, "floorBaseY", 2), 385);
  EXPECT_GE(dump_number(d, "balloonY"), 80);
  EXPECT_LT(dump_number(d, "balloonY"), 280);
  EXPECT_EQ(test::events(result.trace, "state").back(),
            std::to_string(kFirstPlayFrame - 1) + " state LevelPlay");
}

TEST_F(LevelTest, SameTimeOfDayGivesTheSameLevel) {
  run(at(0, "dump a.json") + at(0, "close"), {"--time", "07:15:00"});
  const std::string first = dump("a.json");
  run(at(0, "dump a.json") + at(0, "close"), {"--time", "07:15:00"});
  EXPECT_EQ(dump("a.json"), first);
}

TEST_F(LevelTest, TheHeroRestsOnTheBottomGirderLine) {
  run(at(5, "dump rest.json") + at(5, "press Left") + at(20, "dump left.json") + at(21, "close"));
  const std::string rest = dump("rest.json");
  EXPECT_EQ(dump_number(rest, "heroY"), 457 - 15.0 / 16);
  EXPECT_EQ(dump_number(rest, "heroOnGround"), 1);
  EXPECT_EQ(dump_number(rest, "viewY"), static_cast<float>((456 - (457 - 15.0 / 16)) / -5 + 210));
  const std::string left = dump("left.json");
  EXPECT_EQ(dump_number(left, "heroX"), 0);  // one pixel a frame for 15 frames
  EXPECT_EQ(dump_number(left, "heroY"), 457);
  EXPECT_EQ(dump_number(left, "heroFacing"), -1);
}

TEST_F(LevelTest, WalkingCyclesTheFrameAndOneHeldSpaceMakesOneJump) {
  run(at(5, "press Right") + at(15, "dump walk.json") + at(15, "release Right") +
      at(20, "press Space") + at(59, "dump top.json") + at(60, "dump over.json") +
      at(110, "dump landed.json") + at(111, "close"));
  EXPECT_EQ(dump_number(dump("walk.json"), "heroX"), 25);
  EXPECT_FLOAT_EQ(static_cast<float>(dump_number(dump("walk.json"), "heroFrame")), 3.0f);
  const double ground = 457 - 25.0 / 16;
  const std::string top = dump("top.json");
  EXPECT_EQ(dump_number(top, "jumpTimer"), 40);
  EXPECT_EQ(dump_number(top, "heroY"), static_cast<float>(ground - 39));
  EXPECT_EQ(dump_number(dump("over.json"), "jumpTimer"), 0);
  const std::string landed = dump("landed.json");
  EXPECT_EQ(dump_number(landed, "heroY"), static_cast<float>(ground));
  EXPECT_EQ(dump_number(landed, "jumpTimer"), 0);  // Space still held: no second jump
  EXPECT_EQ(dump_number(landed, "jumpLatch"), 1);
}

TEST_F(LevelTest, WindOnLevelThreeSlowsTheWalkRightAndSpeedsTheWalkLeft) {
  run(at(5, "press Right") + at(10, "dump r1.json") + at(20, "dump r2.json") +
          at(20, "release Right") + at(21, "press Left") + at(30, "dump l1.json") +
          at(40, "dump l2.json") + at(41, "close"),
      {"--level", "3"});
  EXPECT_NEAR(dump_number(dump("r2.json"), "heroX") - dump_number(dump("r1.json"), "heroX"), 6.5,
              1e-3);
  EXPECT_NEAR(dump_number(dump("l1.json"), "heroX") - dump_number(dump("l2.json"), "heroX"), 13.5,
              1e-3);
}

TEST_F(LevelTest, TheTimerLosesOneSecondEvery119Frames) {
  run(at(118, "dump a.json") + at(119, "dump b.json") + at(237, "dump c.json") +
      at(238, "dump d.json") + at(239, "close"));
  EXPECT_EQ(dump_number(dump("a.json"), "levelTimer"), 120);
  EXPECT_EQ(dump_number(dump("b.json"), "levelTimer"), 119);
  EXPECT_EQ(dump_number(dump("c.json"), "levelTimer"), 119);
  EXPECT_EQ(dump_number(dump("d.json"), "levelTimer"), 118);
  EXPECT_EQ(dump_number(dump("d.json"), "musicState"), 1);
}

TEST_F(LevelTest, TimeOutStartsTheDyingSequence) {
  run(at(5, "set levelTimer 0") + at(6, "dump out.json") + at(7, "close"));
  const std::string out = dump("out.json");
  EXPECT_EQ(dump_number(out, "timeOutFlag"), 1);
  EXPECT_EQ(dump_number(out, "levelTimer"), 122);
  EXPECT_EQ(dump_number(out, "dyingTimer"), 399);  // 400, then the drawing's first step
}

TEST_F(LevelTest, FallingOffTheLeftEndCostsALifeAfterTheKnockedOutPose) {
  // From x 15, 31 frames of walking left pass x -15; then the fall to y 530.
  std::string script = at(1, "press Left") + at(40, "release Left");
  for (int f = 40; f <= 130; f += 2) script += at(f, "dump f" + std::to_string(f) + ".json");
  run(script + at(700, "dump end.json") + at(701, "close"));
  int hitFrame = 0;
  for (int f = 40; f <= 130 && !hitFrame; f += 2) {
    if (dump_number(dump("f" + std::to_string(f) + ".json"), "dyingTimer") > 0) hitFrame = f;
  }
  ASSERT_GT(hitFrame, 0);
  const std::string hit = dump("f" + std::to_string(hitFrame) + ".json");
  EXPECT_EQ(dump_number(hit, "heroFalling"), 1);
  EXPECT_EQ(dump_number(hit, "heroY"), 530);
  EXPECT_EQ(dump_number(hit, "lives"), 3);
  int falls = 0;
  for (const auto& line : test::events(result.trace, "sound_play"))
    falls += line.ends_with("/fall.yyy");
  EXPECT_EQ(falls, 1);
  const std::string end = dump("end.json");
  EXPECT_EQ(dump_number(end, "heroX"), 20);  // back at the start
  EXPECT_EQ(dump_number(end, "lives"), 2);
  EXPECT_EQ(dump_number(end, "dyingTimer"), 0);
  EXPECT_EQ(dump_number(end, "heroFalling"), 0);
  EXPECT_EQ(dump_number(end, "heroFloor"), 1);
}

TEST_F(LevelTest, CapitalQDuringTheIntroductionDoesNothing) {
  run("100 press Q\n101 release Q\n" + at(2, "close"));
  EXPECT_EQ(test::events(result.trace, "state").back(),
            std::to_string(kFirstPlayFrame - 1) + " state LevelPlay");
}

}  // namespace
}  // namespace kelvo

namespace kelvo {
namespace {

using LevelEdgeTest = test::GameRunTest;
using test::dump_number;

TEST_F(LevelEdgeTest, GirderOneAtItsRightEndAndTheSkyClamp) {
  run(at(5, "set heroX 368") + at(8, "dump right.json") + at(8, "close"));
  EXPECT_EQ(dump_number(dump("right.json"), "heroY"), 434);
  // Level 1's sky follows the hero without a lower bound; the others stop at -253.
  EXPECT_EQ(dump_number(dump("right.json"), "backgroundY"), static_cast<float>(434 / -1.8));
  run(at(5, "set heroY 530") + at(5, "set heroFalling 1") + at(6, "dump low.json") + at(6, "close"),
      {"--level", "2"});
  EXPECT_EQ(dump_number(dump("low.json"), "backgroundY"), -253);
}

TEST_F(LevelEdgeTest, OnTheLastLifePlayEndsWhenTheCountdownReaches200) {
  run(at(5, "set lives 1") + at(5, "set dyingTimer 210") + at(14, "dump a.json") +
      at(15, "dump b.json") + "3000 close\n");
  EXPECT_EQ(dump_number(dump("a.json"), "dyingTimer"), 201);
  EXPECT_EQ(dump_number(dump("b.json"), "lives"), 0);
  EXPECT_EQ(entered("LevelOutcome"), test::kFirstPlayFrame - 1 + 15);
  EXPECT_EQ(entered("HighScoreCheck"), test::kFirstPlayFrame - 1 + 15);
}

TEST_F(LevelEdgeTest, EscapeDuringTheCompletionSequenceStartsTheNextLevel) {
  run(at(5, "set heroX 200") + at(5, "set heroY 25") + at(5, "set heroFloor 7") +
      at(20, "press Escape") + at(21, "release Escape") + at(22, "dump next.json") +
      at(23, "close"));
  EXPECT_EQ(entered("LevelSetup"), test::kFirstPlayFrame - 1 + 20);
  EXPECT_EQ(dump_number(dump("next.json"), "level"), 2);
}

TEST_F(LevelEdgeTest, TheTimerStopsDuringTheCompletionSequence) {
  run(at(5, "set heroX 200") + at(5, "set heroY 25") + at(5, "set heroFloor 7") +
      at(5, "set levelTimer 50") + at(250, "dump done.json") + at(251, "close"));
  EXPECT_EQ(dump_number(dump("done.json"), "levelTimer"), 50);
  EXPECT_EQ(dump_number(dump("done.json"), "timeBonus"), 5000);
}

TEST_F(LevelEdgeTest, CapitalQInPlayKeepsTheMusicGoing) {
  run(at(130, "press Q") + at(132, "close"));  // the music started at 119 seconds left
  EXPECT_EQ(entered("HighScoreCheck"), test::kFirstPlayFrame - 1 + 130);
  EXPECT_FALSE(test::events(result.trace, "sound_loop").empty());
  EXPECT_TRUE(test::events(result.trace, "sound_stop").empty());
}

}  // namespace
}  // namespace kelvo
