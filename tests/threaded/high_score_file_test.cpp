// The high-score file at start-up: missing, short, overflowing or noisy files, as the game reads
// them, and the table written back after a game.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/dump.h"
#include "support/headless.h"
#include "support/test_support.h"

namespace kelvo {
namespace {

using test::dump_element;

struct HighScoreFileTest : ::testing::Test {
  test::TempDir work;
  test::TempDir game;
  test::RunResult result;

  void run_with(const std::optional<std::string>& scoreFile) {
    test::make_game_dir(game.path());
    const std::string path = game.path() + "/rurazedudi/score.txt";
    std::filesystem::remove(path);
    if (scoreFile) test::write_file(path, *scoreFile);
    result = test::run_in_process({"--headless", "--dir", game.path()}, "1 dump d.json\n1 close\n",
                                  work.path());
    ASSERT_EQ(result.status, 0);
  }
  std::vector<std::string> errors() { return test::events(result.trace, "error"); }
  std::string dump() { return test::read_file(work.file("d.json")); }
};

TEST_F(HighScoreFileTest, MissingFileGivesOneOpenErrorAndTenReadErrorsAndAnEmptyTable) {
  run_with(std::nullopt);
  const auto e = errors();
  ASSERT_EQ(e.size(), 11u);
  EXPECT_NE(e[0].find("error 53 "), std::string::npos);
  for (size_t i = 1; i < e.size(); ++i) EXPECT_NE(e[i].find("error 52 "), std::string::npos);
  for (int i = 1; i <= 10; ++i) EXPECT_EQ(dump_element(dump(), "hallScores", i), 0);
  EXPECT_NE(dump().find("\"hallNames\":[\"\",\"AAA\",\"AAA\""), std::string::npos);
}

TEST_F(HighScoreFileTest, ShortFileKeepsWhatItHasAndReportsEachPassPastTheEnd) {
  run_with(" 5000         KEL\r\n 4000         DOC\r\n");
  const auto e = errors();
  ASSERT_EQ(e.size(), 8u);  // passes 3 to 10, each at its number
  for (const auto& line : e) EXPECT_NE(line.find("error 62 "), std::string::npos);
  EXPECT_EQ(dump_element(dump(), "hallScores", 1), 5000);
  EXPECT_EQ(dump_element(dump(), "hallScores", 2), 4000);
  EXPECT_EQ(dump_element(dump(), "hallScores", 3), 0);
  EXPECT_NE(dump().find("\"hallNames\":[\"\",\"KEL\",\"DOC\",\"AAA\""), std::string::npos);
  EXPECT_EQ(test::dump_number(dump(), "hudBest"), 5000);
}

TEST_F(HighScoreFileTest, OverflowingScoreReadsAsZeroWithErrorSix) {
  std::string table = " 1E+39        BIG\r\n";
  for (int i = 2; i <= 10; ++i) table += " " + std::to_string(1100 - 100 * i) + "          AAA\r\n";
  run_with(table);
  const auto e = errors();
  ASSERT_FALSE(e.empty());
  EXPECT_NE(e[0].find("error 6 "), std::string::npos);
  EXPECT_EQ(dump_element(dump(), "hallScores", 1), 0);
  // The string read of that pass is skipped with the rest of its statement, so the initials
  // "BIG" are read next as a number: the table stays out of step, as it always has.
  EXPECT_NE(dump().find("\"hallNames\":[\"\",\"AAA\","), std::string::npos);
}

TEST_F(HighScoreFileTest, NoiseAndHugeFilesEndWithoutACrash) {
  std::string noise;
  for (int i = 0; i < 200000; ++i) noise += static_cast<char>((i * 7919 + 13) % 251);
  run_with(noise);
  run_with(std::string(10 * 1024 * 1024, 'x'));
  EXPECT_EQ(dump().front(), '{');
}

}  // namespace
}  // namespace kelvo
