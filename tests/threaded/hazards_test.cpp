// Barrels, bonus items, hearts, the super mode and completing a level, played headless.
#include <gtest/gtest.h>

#include "support/game_run.h"

namespace kelvo {
namespace {

using test::dump_element;
using test::dump_number;

using test::kFirstPlayFrame;

using HazardsTest = test::GameRunTest;

TEST_F(HazardsTest, BarrelSlotsInUseFollowTheLevel) {
  run(at(1, "dump a.json") + at(2, "close"));
  EXPECT_EQ(dump_number(dump("a.json"), "barrelCount"), 5);
  run(at(1, "dump a.json") + at(2, "close"), {"--level", "8"});
  EXPECT_EQ(dump_number(dump("a.json"), "barrelCount"), 8);
}

TEST_F(HazardsTest, ABarrelRollsDownTheZigZagAndLeavesAtTheBottomLeft) {
  // A launch put in by hand: the countdown ends next frame and the barrel starts at the top.
  std::string script =
      at(10, "set barrelDelay 1") + at(10, "set barrelSlot 1") + at(11, "dump start.json");
  for (int f = 20; f <= 6000; f += 20) script += at(f, "dump b" + std::to_string(f) + ".json");
  run(script + at(6001, "close"), {"--level", "1"});
  const std::string start = dump("start.json");
  EXPECT_EQ(dump_element(start, "barrelActive", 1), 1);
  EXPECT_EQ(dump_element(start, "barrelFloor", 1), 7);
  double lastFloor = 7;
  bool left = false;
  for (int f = 20; f <= 6000 && !left; f += 20) {
    const std::string d = dump("b" + std::to_string(f) + ".json");
    const double floor = dump_element(d, "barrelFloor", 1);
    EXPECT_LE(floor, lastFloor);  // only ever down, one girder at a time
    EXPECT_GE(floor, lastFloor - 1);
    lastFloor = floor;
    if (dump_element(d, "barrelActive", 1) == 0) left = true;
  }
  EXPECT_TRUE(left);
  EXPECT_EQ(lastFloor, 1);
}

TEST_F(HazardsTest, BonusItemsGiveGrowingPointsAndRestOnTheirGirder) {
  std::string script;
  for (int i = 1; i <= 4; ++i) {
    const int f = 10 * i;
    const std::string slot = "[" + std::to_string(i) + "]";
    script += at(f, "set bonusState" + slot + " 1") + at(f, "set bonusLanded" + slot + " 1") +
              at(f, "set bonusX" + slot + " 15") + at(f, "set bonusY" + slot + " 456") +
              at(f + 1, "dump s" + std::to_string(i) + ".json");
  }
  script += at(50, "set bonusState[1] 1") + at(50, "set bonusLanded[1] 0") +
            at(50, "set bonusFloor[1] 2") + at(50, "set bonusX[1] 160") +
            at(50, "set bonusY[1] 300") + at(200, "dump rest.json");
  run(script + at(201, "close"));
  EXPECT_EQ(dump_number(dump("s1.json"), "score"), 100);
  EXPECT_EQ(dump_number(dump("s2.json"), "score"), 300);
  EXPECT_EQ(dump_number(dump("s3.json"), "score"), 600);
  EXPECT_EQ(dump_number(dump("s4.json"), "score"), 1000);
  EXPECT_EQ(dump_number(dump("s4.json"), "bonusCount"), 4);
  EXPECT_EQ(dump_element(dump("rest.json"), "bonusY", 1), 395);
  EXPECT_EQ(dump_element(dump("rest.json"), "bonusLanded", 1), 1);
}

TEST_F(HazardsTest, ContactBoxIsStrict) {
  // The hero stands at (15, 456.0625). A barrel in the air does not roll, so after its one pixel
  // of fall it is still 10 (or 9) pixels to his right and 5.06 above: -10 misses, -9 hits.
  auto barrelAt = [](double x) {
    return at(5, "set barrelActive[1] 1") + at(5, "set barrelFloor[1] 1") +
           at(5, "set barrelX[1] " + std::to_string(x)) + at(5, "set barrelY[1] 450") +
           at(6, "dump d.json") + at(6, "close");
  };
  run(barrelAt(25));
  EXPECT_EQ(dump_number(dump("d.json"), "dyingTimer"), 0);
  run(barrelAt(24));
  EXPECT_EQ(dump_number(dump("d.json"), "dyingTimer"), 399);
}

TEST_F(HazardsTest, ReachingTheQuotaStartsTheSuperModeOnceAndItsEndCostsThreeHearts) {
  auto heartAt = [](int f, int slot) {
    const std::string s = "[" + std::to_string(slot) + "]";
    return at(f, "set heartActive" + s + " 1") + at(f, "set heartX" + s + " 15") +
           at(f, "set heartY" + s + " 456");
  };
  run(at(5, "set heartCount 3") + heartAt(5, 1) + at(6, "dump super.json") + heartAt(100, 2) +
      at(101, "dump more.json") + at(1400, "dump after.json") + at(1401, "close"));
  const std::string super = dump("super.json");
  EXPECT_EQ(dump_number(super, "heartCount"), 4);
  EXPECT_NEAR(dump_number(super, "superTimer"), 960, 1);
  EXPECT_EQ(dump_number(super, "score"), 50);
  const std::string more = dump("more.json");
  EXPECT_EQ(dump_number(more, "heartCount"), 5);
  EXPECT_LT(dump_number(more, "superTimer"), 960);  // not restarted
  const std::string after = dump("after.json");
  EXPECT_EQ(dump_number(after, "superTimer"), 0);
  EXPECT_EQ(dump_number(after, "heartCount"), 2);
  EXPECT_EQ(dump_number(after, "heartSoundToggle"), 1);  // two pickups: back to the first sound
}

TEST_F(HazardsTest, ReachingTheTopCompletesTheLevelAndTheNextStartsWithScoreAndLives) {
  run(at(5, "set heroX 200") + at(5, "set heroY 25") + at(5, "set heroFloor 7") +
      at(6, "dump top.json") + at(400, "dump next.json") + at(401, "close"));
  const std::string top = dump("top.json");
  EXPECT_EQ(dump_number(top, "levelEndState"), 2);  // set to 1, then one frame of the sequence;
  // it passes 299 after frame 304 of play
  EXPECT_EQ(dump_number(top, "heroY"), 24);
  EXPECT_EQ(dump_number(top, "timeBonus"), 12000);
  EXPECT_EQ(dump_number(top, "score"), 12000);
  const auto states = test::events(result.trace, "state");
  EXPECT_NE(std::find(states.begin(), states.end(),
                      std::to_string(kFirstPlayFrame - 1 + 304) + " state LevelOutcome"),
            states.end());
  const std::string next = dump("next.json");
  EXPECT_EQ(dump_number(next, "level"), 2);
  EXPECT_EQ(dump_number(next, "score"), 12000);
  EXPECT_EQ(dump_number(next, "lives"), 3);
}

}  // namespace
}  // namespace kelvo

namespace kelvo {
namespace {

using HazardSoundTest = test::GameRunTest;
using test::dump_element;
using test::dump_number;

int count_plays(const std::vector<std::string>& trace, const std::string& sound) {
  int n = 0;
  for (const auto& line : test::events(trace, "sound_play")) n += line.ends_with("/" + sound);
  return n;
}

TEST_F(HazardSoundTest, BarrelAndBananaInOneFrameMakeOneDeathAndOneDieSound) {
  run(at(5, "set barrelActive[1] 1") + at(5, "set barrelFloor[1] 1") + at(5, "set barrelX[1] 18") +
      at(5, "set barrelY[1] 450") + at(5, "set bananaActive[1] 1") + at(5, "set bananaX[1] 15") +
      at(5, "set bananaY[1] 456") + at(6, "dump d.json") + at(6, "close"));
  EXPECT_EQ(dump_number(dump("d.json"), "dyingTimer"), 399);
  EXPECT_EQ(count_plays(result.trace, "die.yyy"), 1);
}

TEST_F(HazardSoundTest, SuperModePassesThroughAndALaunchCompletesWhileDying) {
  run(at(5, "set superTimer 500") + at(5, "set barrelActive[1] 1") + at(5, "set barrelFloor[1] 1") +
      at(5, "set barrelX[1] 18") + at(5, "set barrelY[1] 450") + at(6, "dump super.json") +
      at(10, "set dyingTimer 300") + at(10, "set barrelDelay 1") + at(10, "set barrelSlot 2") +
      at(11, "dump launch.json") + at(11, "close"));
  EXPECT_EQ(dump_number(dump("super.json"), "dyingTimer"), 0);
  EXPECT_EQ(dump_element(dump("launch.json"), "barrelActive", 2), 1);
  EXPECT_EQ(dump_element(dump("launch.json"), "barrelX", 2), 375);
}

TEST_F(HazardSoundTest, NoHeartFallsWhileTheBalloonIsAway) {
  // From x -100 the balloon drifts left to -250, wraps to 600 and needs about 700 frames more to
  // come back below 350: a thousand frames without a heart.
  run(at(1, "set balloonX -100") + at(1000, "dump d.json") + at(1000, "close"));
  for (int i = 1; i <= 10; ++i) EXPECT_EQ(dump_element(dump("d.json"), "heartActive", i), 0);
  EXPECT_GT(dump_number(dump("d.json"), "balloonX"), 350);
}

TEST_F(HazardSoundTest, HeartSoundsAlternateAcrossADeath) {
  auto heart = [](int f) {
    return at(f, "set heartActive[1] 1") + at(f, "set heartX[1] 15") + at(f, "set heartY[1] 456");
  };
  run(heart(5) + at(10, "set dyingTimer 5") + heart(30) + at(31, "close"));
  const auto plays = test::events(result.trace, "sound_play");
  std::vector<std::string> hearts;
  for (const auto& p : plays) {
    if (p.find("/coeur4") != std::string::npos) hearts.push_back(p.substr(p.rfind('/') + 1));
  }
  EXPECT_EQ(hearts, (std::vector<std::string>{"coeur4.yyy", "coeur4b.yyy"}));
}

}  // namespace
}  // namespace kelvo
