// The data folder of a build folder and of an installed game, and the players' score file.
#include "platform/data_location.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace kelvo {
namespace {

namespace fs = std::filesystem;

bool has_game_files(const fs::path& dir) {
  std::error_code ignored;
  return fs::is_directory(dir / "rurazedudi", ignored);
}

}  // namespace

std::string home_directory() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return home;
  const passwd* entry = getpwuid(getuid());
  return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "";
}

DataLocation find_data_location(const std::string& dirOption, const std::string& exeDir,
                                const std::string& dataFromBin, const std::string& playerData) {
  if (!dirOption.empty()) return {dirOption, ""};
  if (exeDir.empty() || has_game_files(exeDir)) return {exeDir, ""};
  const fs::path installed = (fs::path(exeDir) / dataFromBin).lexically_normal();
  if (dataFromBin.empty() || !has_game_files(installed)) return {exeDir, ""};
  return {installed.string(), playerData.empty() ? "" : playerData + "/score.txt"};
}

std::string player_data_directory() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg != nullptr && xdg[0] == '/') return std::string(xdg) + "/kelvo";
  const std::string home = home_directory();
  return home.empty() ? "" : home + "/.local/share/kelvo";
}

FilePathMap score_file_map(const std::string& scoreFile) {
  auto told = std::make_shared<bool>(false);
  return [scoreFile, told](const std::string& name, int32_t mode) {
    if (name != kScoreFileName) return name;
    std::error_code ignored;
    if (mode == kModeInput) return fs::exists(scoreFile, ignored) ? scoreFile : name;
    // A folder that cannot be made shows as the open's own error.
    fs::create_directories(fs::path(scoreFile).parent_path(), ignored);
    if (!*told) {
      *told = true;
      std::fprintf(stderr, "kelvo: high scores are kept in %s\n", scoreFile.c_str());
    }
    return scoreFile;
  };
}

}  // namespace kelvo
