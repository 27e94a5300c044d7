// The game's top-level flow driven headless by input scripts.
#include <gtest/gtest.h>

#include <cmath>

#include "support/headless.h"
#include "support/test_support.h"

namespace kelvo {
namespace {

using test::events;
using test::run_in_process;

struct FlowTest : ::testing::Test {
  test::TempDir dir;
  test::RunResult run(const std::string& script, std::vector<std::string> args = {}) {
    args.insert(args.begin(), {"--headless", "--dir", dir.path()});
    return run_in_process(args, script, dir.path());
  }
};

TEST_F(FlowTest, EscapeInAttractModeEndsTheProgram) {
  const auto r = run("5 press Escape\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(events(r.trace, "state"),
            (std::vector<std::string>{"0 state Boot", "0 state Attract"}));
  ASSERT_FALSE(r.trace.empty());
  EXPECT_EQ(r.trace.back(), "5 exit 0");
}

TEST_F(FlowTest, SpaceStartsAGameWhosePlayBeginsAfterTheIntroduction) {
  const auto r = run("0 press Space\n3 release Space\n430 press Escape\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(events(r.trace, "state"),
            (std::vector<std::string>{"0 state Boot", "0 state Attract", "1 state NewGame",
                                      "1 state LevelSetup", "421 state LevelPlay",
                                      "430 state LevelOutcome"}));
  EXPECT_EQ(r.trace.back(), "430 exit 0");
}

TEST_F(FlowTest, LevelSetUpSeedsFromTheTimeOfDay) {
  const auto r = run("0 press Space\n2 close\n", {"--time", "08:30:00"});
  // Boot (2.1 s) and the 1 s pause come first: 08:30:03.1 in 1/18.2 s steps.
  const double seconds = 8 * 3600 + 30 * 60 + 3.1;
  const float expected = static_cast<float>(std::nearbyint(seconds * 18.2) / 18.2);
  ASSERT_EQ(events(r.trace, "seed").size(), 1u);
  EXPECT_EQ(std::stod(events(r.trace, "seed")[0].substr(7)), expected);
}

TEST_F(FlowTest, CapitalQLeavesPlayForTheEndOfGameScreensAndAttractMode) {
  const auto r = run("0 press Space\n2 release Space\n430 press Q\n432 release Q\n1800 close\n");
  EXPECT_EQ(events(r.trace, "state"),
            (std::vector<std::string>{
                "0 state Boot", "0 state Attract", "1 state NewGame", "1 state LevelSetup",
                "421 state LevelPlay", "430 state HighScoreCheck", "430 state ClosingStory",
                "1381 state GameOver", "1732 state Save", "1732 state Attract"}));
  EXPECT_EQ(r.status, 0);
}

TEST_F(FlowTest, LowerCaseQDoesNothingAndEscapeEndsPlay) {
  const auto r = run("0 press Space\n2 release Space\n430 press q\n440 press Escape\n");
  const auto states = events(r.trace, "state");
  EXPECT_EQ(states.back(), "440 state LevelOutcome");
  EXPECT_EQ(r.trace.back(), "440 exit 0");
}

TEST_F(FlowTest, SpaceHeldThroughBootStartsAfterExactlyOneAttractFrame) {
  const auto r = run("0 press Space\n1 dump first.json\n5 close\n");
  EXPECT_EQ(events(r.trace, "state")[2], "1 state NewGame");
  const std::string dump = test::read_file(dir.file("first.json"));
  EXPECT_NE(dump.find("\"attractTimer\":1,"), std::string::npos);
  EXPECT_NE(dump.find("\"frame\":1,"), std::string::npos);
}

TEST_F(FlowTest, DumpsCarryFrameAndVirtualMilliseconds) {
  run("10 dump d.json\n10 close\n");
  const std::string dump = test::read_file(dir.file("d.json"));
  // 2.1 s of boot, the 1 s pause, then nine 8.33 ms frame periods slept in whole milliseconds.
  EXPECT_NE(dump.find("\"frame\":10,\"ms\":3176}"), std::string::npos)
      << dump.substr(dump.size() - 40);
}

TEST_F(FlowTest, SameScriptGivesByteIdenticalOutputs) {
  const std::string script =
      "0 press Space\n3 release Space\n200 shot a.png\n200 dump a.json\n500 press Right\n"
      "600 shot b.png\n600 dump b.json\n700 close\n";
  run(script);
  const std::string trace1 = test::read_file(dir.file("trace.txt"));
  const std::string png1 = test::read_file(dir.file("b.png"));
  const std::string dump1 = test::read_file(dir.file("b.json"));
  ASSERT_FALSE(png1.empty());
  run(script);
  EXPECT_EQ(test::read_file(dir.file("trace.txt")), trace1);
  EXPECT_EQ(test::read_file(dir.file("b.png")), png1);
  EXPECT_EQ(test::read_file(dir.file("b.json")), dump1);
}

TEST_F(FlowTest, FramesOptionClosesTheWindowAfterThatFrame) {
  const auto r = run("", {"--frames", "3"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.trace.back(), "3 exit 0");
}

}  // namespace
}  // namespace kelvo
