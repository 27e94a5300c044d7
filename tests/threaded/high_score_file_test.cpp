// High-score files too large or too noisy for a golden script: the game starts on them.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/game_session.h"
#include "support/test_support.h"

namespace kelvo {
namespace {

TEST(HighScoreFile, NoiseAndHugeFilesEndWithoutACrash) {
  std::string noise;
  for (int i = 0; i < 200000; ++i) noise += static_cast<char>((i * 7919 + 13) % 251);
  for (const std::string& table : {noise, std::string(10 * 1024 * 1024, 'x')}) {
    test::TempDir work;
    test::make_game_dir(work.path());
    std::filesystem::remove(work.file("rurazedudi/score.txt"));
    test::write_file(work.file("rurazedudi/score.txt"), table);
    test::GameSession game({"--dir", work.path()}, work.path());
    EXPECT_TRUE(game.play_until([](const GameState& s) { return s.attractTimer == 1; }, 5));
    EXPECT_EQ(game.finish().status, 0);
  }
}

}  // namespace
}  // namespace kelvo
