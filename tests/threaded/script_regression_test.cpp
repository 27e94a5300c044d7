// Every input script under tests/scripts is played headless and its trace and outputs compared
// with the expected files under tests/golden/NAME/, and so is the high-score file it leaves.
// KELVO_UPDATE_GOLDEN=1 rewrites them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "support/headless.h"
#include "support/test_support.h"

namespace kelvo {
namespace {

namespace fs = std::filesystem;

const fs::path kScripts = fs::path(KELVO_SOURCE_DIR) / "tests/scripts";
const fs::path kGolden = fs::path(KELVO_SOURCE_DIR) / "tests/golden";

std::vector<std::string> script_names() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(kScripts)) {
    if (entry.path().extension() == ".script") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The first line of a script may carry the command-line options: "# args: --time 08:00:00".
std::vector<std::string> script_arguments(const std::string& text) {
  std::vector<std::string> args;
  const std::string marker = "# args:";
  if (text.rfind(marker, 0) != 0) return args;
  std::istringstream in(text.substr(marker.size(), text.find('\n') - marker.size()));
  for (std::string a; in >> a;) args.push_back(a);
  return args;
}

class ScriptRegression : public ::testing::TestWithParam<std::string> {};

TEST_P(ScriptRegression, OutputsMatchTheExpectedFiles) {
  const std::string name = GetParam();
  test::TempDir work;
  test::TempDir game;
  test::make_game_dir(game.path());
  const std::string script = test::read_file((kScripts / (name + ".script")).string());
  std::vector<std::string> args = {"--headless", "--dir", game.path()};
  for (const auto& a : script_arguments(script)) args.push_back(a);
  const auto result = test::run_in_process(args, script, work.path());
  EXPECT_EQ(result.status, 0);
  // The high-score file as the run left it is one of the outputs.
  const fs::path scores = fs::path(game.path()) / "rurazedudi/score.txt";
  if (fs::exists(scores)) fs::copy_file(scores, fs::path(work.path()) / "score.txt");

  const fs::path expected = kGolden / name;
  const bool update = std::getenv("KELVO_UPDATE_GOLDEN") != nullptr;
  if (update) {
    fs::remove_all(expected);
    fs::create_directories(expected);
  }
  for (const auto& entry : fs::directory_iterator(work.path())) {
    const std::string file = entry.path().filename().string();
    if (file == "input.script") continue;
    if (update) {
      fs::copy_file(entry.path(), expected / file);
      continue;
    }
    ASSERT_TRUE(fs::exists(expected / file)) << "no expected " << file << " for " << name;
    EXPECT_TRUE(test::read_file(entry.path().string()) ==
                test::read_file((expected / file).string()))
        << file << " of " << name << " differs from its expected file";
  }
}

INSTANTIATE_TEST_SUITE_P(Scripts, ScriptRegression, ::testing::ValuesIn(script_names()),
                         [](const auto& param_info) { return param_info.param; });

}  // namespace
}  // namespace kelvo
