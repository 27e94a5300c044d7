// Ranking a finished game's score into the high-score table.
#include <gtest/gtest.h>

#include "game/game.h"

namespace kelvo {
namespace {

GameState default_table() {
  GameState s;
  for (int i = 1; i <= 10; ++i) {
    s.hallScores[i] = 1100 - 100 * i;
    s.hallNames[i] = std::string(3, static_cast<char>('A' + i - 1));
  }
  return s;
}

std::vector<float> scores(const GameState& s) {
  std::vector<float> out;
  for (int i = 1; i <= 10; ++i) out.push_back(s.hallScores[i].value());
  return out;
}

TEST(RankScore, AScoreEqualToAnEntryGoesBelowIt) {
  GameState s = default_table();
  s.score = 1000;
  rank_score(s);
  EXPECT_EQ(s.hallInsertPos, 2);
  EXPECT_EQ(scores(s), (std::vector<float>{1000, 1000, 900, 800, 700, 600, 500, 400, 300, 200}));
  EXPECT_EQ(s.hallNames[2], "BBB");  // initials stay until the entry screen sets them
  EXPECT_EQ(s.hallNames[3], "BBB");
  EXPECT_EQ(s.hallNames[10], "III");
}

TEST(RankScore, TooLowEntersNowhereAndChangesNothing) {
  GameState s = default_table();
  s.score = 100;
  rank_score(s);
  EXPECT_EQ(s.hallInsertPos, 11);
  EXPECT_EQ(scores(s), scores(default_table()));
}

TEST(RankScore, TenthPlaceReplacesTheLastEntryOnly) {
  GameState s = default_table();
  s.score = 150;
  rank_score(s);
  EXPECT_EQ(s.hallInsertPos, 10);
  EXPECT_EQ(s.hallScores[10], 150);
  EXPECT_EQ(s.hallScores[9], 200);
  EXPECT_EQ(s.hallNames[10], "JJJ");
}

TEST(RankScore, NewBestMovesEveryEntryDownWithItsInitials) {
  GameState s = default_table();
  s.score = 5000;
  rank_score(s);
  EXPECT_EQ(s.hallInsertPos, 1);
  EXPECT_EQ(scores(s), (std::vector<float>{5000, 1000, 900, 800, 700, 600, 500, 400, 300, 200}));
  EXPECT_EQ(s.hallNames[2], "AAA");
  EXPECT_EQ(s.hallNames[10], "III");
}

}  // namespace
}  // namespace kelvo
