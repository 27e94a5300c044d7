// In-process program runs for the threaded tests.
#include "support/headless.h"

#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "platform/app.h"
#include "support/error_probe.h"
#include "support/test_support.h"

namespace kelvo::test {

namespace {

RunResult run_routine(const std::vector<std::string>& args, const std::string& scriptText,
                      const std::string& workDir, const GameRoutine* routine) {
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
  const int argc = static_cast<int>(argv.size());
  result.status = routine ? kelvo_main(argc, argv.data(), *routine) : kelvo_main(argc, argv.data());
  result.trace = read_lines(tracePath);
  if (chdir(workDir.c_str()) != 0) result.status = -1;
  return result;
}

}  // namespace

RunResult run_in_process(const std::vector<std::string>& args, const std::string& scriptText,
                         const std::string& workDir) {
  return run_routine(args, scriptText, workDir, nullptr);
}

RunResult run_probe_in_process(const std::string& mode, const std::vector<std::string>& args,
                               const std::string& scriptText, const std::string& workDir) {
  const GameRoutine routine = [mode](Runtime& rt, GameState& s) { error_probe(mode, rt, s); };
  return run_routine(args, scriptText, workDir, &routine);
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
