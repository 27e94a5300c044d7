// Finding the pictures folder and writing a frame there as PNG.
#include "platform/screenshot_file.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/data_location.h"
#include "platform/png_file.h"

namespace kelvo {
namespace {

namespace fs = std::filesystem;

// The value of a line XDG_PICTURES_DIR="..." of user-dirs.dirs; its format allows a full path
// or one starting with $HOME/.
std::string user_dirs_pictures(const std::string& userDirs, const std::string& home) {
  std::istringstream in(userDirs);
  const std::string key = "XDG_PICTURES_DIR=\"";
  for (std::string line; std::getline(in, line);) {
    if (line.rfind(key, 0) != 0) continue;
    const size_t end = line.find('"', key.size());
    if (end == std::string::npos) continue;
    std::string value = line.substr(key.size(), end - key.size());
    if (value.rfind("$HOME", 0) == 0) {
      if (home.empty()) continue;
      value = home + value.substr(5);
    }
    if (!value.empty() && value[0] == '/') return value;
  }
  return "";
}

std::string read_file(const fs::path& path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string new_file_name(const std::string& folder) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "kelvo-%Y%m%d-%H%M%S", &local);
  std::string path = (fs::path(folder) / stamp).string() + ".png";
  std::error_code ignored;
  for (int n = 2; fs::exists(path, ignored); ++n) {
    path = (fs::path(folder) / stamp).string() + "-" + std::to_string(n) + ".png";
  }
  return path;
}

std::vector<uint8_t> rgb_of(const FrameCache& frame) {
  std::vector<uint32_t> pixels(static_cast<size_t>(frame.width) * frame.height);
  convert_frame(frame, {pixels.data(), frame.width, frame.height, frame.width}, 1, 0, 0);
  std::vector<uint8_t> rgb;
  rgb.reserve(pixels.size() * 3);
  for (const uint32_t px : pixels) {
    rgb.push_back(static_cast<uint8_t>(px >> 16));
    rgb.push_back(static_cast<uint8_t>(px >> 8));
    rgb.push_back(static_cast<uint8_t>(px));
  }
  return rgb;
}

}  // namespace

std::string pictures_directory(const char* xdgPictures, const std::string& userDirs,
                               const std::string& home) {
  if (xdgPictures != nullptr && xdgPictures[0] == '/') return xdgPictures;
  const std::string listed = user_dirs_pictures(userDirs, home);
  if (!listed.empty()) return listed;
  return home.empty() ? "" : home + "/Pictures";
}

std::string pictures_directory() {
  const std::string home = home_directory();
  const char* config = std::getenv("XDG_CONFIG_HOME");
  const fs::path configDir = config != nullptr && config[0] == '/' ? fs::path(config)
                             : home.empty()                        ? fs::path()
                                                                   : fs::path(home) / ".config";
  const std::string userDirs = configDir.empty() ? "" : read_file(configDir / "user-dirs.dirs");
  return pictures_directory(std::getenv("XDG_PICTURES_DIR"), userDirs, home);
}

std::optional<std::string> save_screenshot(const FrameCache& frame, const std::string& folder) {
  if (frame.width == 0) return std::nullopt;  // nothing on view yet
  if (folder.empty()) {
    std::fprintf(stderr, "kelvo: no pictures folder for the screenshot (HOME is not set)\n");
    return std::nullopt;
  }
  std::error_code error;
  fs::create_directories(folder, error);
  const std::string path = new_file_name(folder);
  if (error || !write_png_rgb(path, frame.width, frame.height, rgb_of(frame))) {
    std::fprintf(stderr, "kelvo: cannot save the screenshot %s%s%s\n", path.c_str(),
                 error ? ": " : "", error ? error.message().c_str() : "");
    return std::nullopt;
  }
  std::fprintf(stderr, "kelvo: screenshot saved as %s\n", path.c_str());
  return path;
}

}  // namespace kelvo
