// Ranking a finished game's score into the high-score table: ten entries of 1000 down to 100.
#include <gtest/gtest.h>

#include "game/game.h"

namespace kelvo {
namespace {

TEST(RankScore, AScoreGoesBelowEqualOnesAndMovesTheEntriesBelowDownWithTheirInitials) {
  struct Case {
    float score;
    int position;
    std::vector<float> scores;
    std::string initials;  // the first letter of each entry's initials afterwards
  };
  // clang-format off
  const Case cases[] = {
      {5000, 1, {5000, 1000, 900, 800, 700, 600, 500, 400, 300, 200}, "AABCDEFGHI"},
      {1000, 2, {1000, 1000, 900, 800, 700, 600, 500, 400, 300, 200}, "ABBCDEFGHI"},
      {150, 10, {1000, 900, 800, 700, 600, 500, 400, 300, 200, 150}, "ABCDEFGHIJ"},
      {100, 11, {1000, 900, 800, 700, 600, 500, 400, 300, 200, 100}, "ABCDEFGHIJ"}};
  // clang-format on
  for (const Case& c : cases) {
    GameState s;
    for (int i = 1; i <= 10; ++i) {
      s.hallScores[i] = 1100 - 100 * i;
      s.hallNames[i] = std::string(3, static_cast<char>('A' + i - 1));
    }
    s.score = c.score;
    rank_score(s);
    EXPECT_EQ(s.hallInsertPos, c.position) << c.score;
    std::vector<float> scores;
    std::string initials;
    for (int i = 1; i <= 10; ++i) {
      scores.push_back(s.hallScores[i].value());
      initials += s.hallNames[i][0];
    }
    EXPECT_EQ(scores, c.scores) << c.score;
    EXPECT_EQ(initials, c.initials) << c.score;  // the new entry's initials come later
  }
}

}  // namespace
}  // namespace kelvo
