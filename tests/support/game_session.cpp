// In-process program runs for the tests, and the game held between frames.
#include "support/game_session.h"

#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "game/game.h"
#include "platform/options.h"
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

GameSession::GameSession(const std::vector<std::string>& args, const std::string& workDir)
    : workDir_(workDir) {
  std::vector<std::string> all = {"kelvo", "--headless"};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<const char*> argv;
  for (const auto& a : all) argv.push_back(a.c_str());
  std::string error;
  const auto options = parse_options(static_cast<int>(argv.size()), argv.data(), error);
  const GameOptions choices{options ? options->startLevel : 1};
  const GameRoutine routine = [this, choices](Runtime& rt, GameState& state) {
    const auto scripted = rt.frame_hook();
    // The test acts first, so that a recording notes its keys at the frame the game sees them.
    rt.set_frame_hook([this, scripted, &rt, &state](uint32_t frame) {
      between_frames(rt, state, frame);
      if (scripted) scripted(frame);
    });
    run_game(rt, state, choices);
  };
  all.erase(all.begin());
  program_ = std::thread([this, all, routine] {
    RunResult result = run_routine(all, "", workDir_, &routine);
    std::lock_guard<std::mutex> lock(mutex_);
    result_ = std::move(result);
    ended_ = true;
    changed_.notify_all();
  });
}

GameSession::~GameSession() {
  finish();
}

void GameSession::between_frames(Runtime& rt, GameState& state, uint32_t frame) {
  std::unique_lock<std::mutex> lock(mutex_);
  rt_ = &rt;
  state_ = &state;
  frame_ = frame;
  held_ = true;
  changed_.notify_all();
  changed_.wait(lock, [this] { return !held_ || finishing_; });
}

bool GameSession::play_until(const std::function<bool(const GameState&)>& done, int maxFrames) {
  std::unique_lock<std::mutex> lock(mutex_);
  for (int frames = 0;; ++frames) {
    changed_.wait(lock, [this] { return held_ || ended_; });
    if (ended_) return false;
    if (done(*state_)) return true;
    if (frames == maxFrames) return false;
    held_ = false;
    changed_.notify_all();
  }
}

void GameSession::press(int32_t code) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (rt_ && held_) rt_->platform().press_key(code, kNoPlatformKey);
}

void GameSession::release(int32_t code) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (rt_ && held_) rt_->platform().release_code(code);
}

RunResult GameSession::finish() {
  {
    std::unique_lock<std::mutex> lock(mutex_);
    // Before its first frame the game cannot be held: wait for it (or for the end).
    changed_.wait(lock, [this] { return held_ || ended_; });
    finishing_ = true;
    // The game ends at its next statement, as after a scripted close.
    if (!ended_) {
      rt_->platform().request_stop();
      rt_->platform().request_exit();
    }
    changed_.notify_all();
  }
  if (program_.joinable()) program_.join();
  return result_;
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
