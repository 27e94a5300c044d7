// In-process program runs for the threaded tests.
#include "support/headless.h"

#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "platform/app.h"
#include "support/test_support.h"

namespace kelvo::test {

RunResult run_in_process(const std::vector<std::string>& args, const std::string& scriptText,
                         const std::string& workDir) {
  if (chdir(workDir.c_str()) != 0) return {};
  const std::string tracePath = workDir + "/trace.txt";
  std::vector<std::string> all = {"kelvo", "--trace", tracePath};
  if (!scriptText.empty()) {
    write_file(workDir + "/input.script", scriptText);
    all.push_back("--script");
    all.push_back(workDir + "/input.script");
  }
  all.insert(all.end(), args.begin(), args.end());
  std::vector<const char*> argv;
  for (const auto& a : all) argv.push_back(a.c_str());
  RunResult result;
  result.status = kelvo_main(static_cast<int>(argv.size()), argv.data());
  result.trace = read_lines(tracePath);
  if (chdir(workDir.c_str()) != 0) result.status = -1;
  return result;
}

void make_game_dir(const std::string& root) {
  namespace fs = std::filesystem;
  const fs::path assets = fs::path(KELVO_BUILD_DIR) / "rurazedudi";
  const fs::path mine = fs::path(root) / "rurazedudi";
  fs::remove_all(mine);
  fs::create_directories(mine);
  if (!fs::exists(assets)) return;
  for (const auto& entry : fs::directory_iterator(assets)) {
    const fs::path target = mine / entry.path().filename();
    if (entry.path().filename() == "score.txt") {
      fs::copy_file(entry.path(), target, fs::copy_options::overwrite_existing);
    } else {
      fs::create_symlink(entry.path(), target);
    }
  }
}

std::vector<std::string> events(const std::vector<std::string>& trace, const std::string& event) {
  std::vector<std::string> found;
  for (const auto& line : trace) {
    std::istringstream in(line);
    std::string frame, name;
    in >> frame >> name;
    if (name == event) found.push_back(line);
  }
  return found;
}

}  // namespace kelvo::test
