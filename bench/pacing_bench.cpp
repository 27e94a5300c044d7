// How evenly frames reach the window: plays level 1 in a real window (run it under Xvfb, see
// bench/pacing.sh), notes when each frame has been handed over and what the frame limiter did
// before it, and reports the mean interval between consecutive LevelPlay frames and the frames
// that went out without a sleep although the frame before was on time.
//   build/bench/kelvo_pacing_bench GAME_DIR [SECONDS]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "game/game.h"
#include "runtime/platform_entry.h"

namespace {

using Steady = std::chrono::steady_clock;

struct Frame {
  Steady::time_point shown;
  kelvo::FramePacing pacing;
};

// Space starts the game; then the hero walks and jumps at random, so play goes on as in a game,
// with lives enough to stay in play for the whole run.
std::string play_input(int frames) {
  std::mt19937 random(120);
  const char* keys[] = {"Left", "Right", "Space"};
  std::ostringstream script;
  script << "0 press Space\n3 release Space\n430 set lives 99\n";
  for (int f = 430; f < frames; f += 1 + static_cast<int>(random() % 40)) {
    script << f << (random() % 100 < 55 ? " press " : " release ") << keys[random() % 3] << "\n";
  }
  return script.str();
}

// Frame numbers at which each state was entered, from the trace.
std::map<int, std::string> states(const std::string& tracePath) {
  std::map<int, std::string> entered;
  std::ifstream trace(tracePath);
  std::string line;
  while (std::getline(trace, line)) {
    std::istringstream in(line);
    int frame = 0;
    std::string event, name;
    if (in >> frame >> event >> name && event == "state") entered[frame] = name;
  }
  return entered;
}

bool in_play(const std::map<int, std::string>& entered, int frame) {
  auto at = entered.lower_bound(frame);  // the state a frame is shown in was entered before it
  return at != entered.begin() && std::prev(at)->second == "LevelPlay";
}

const char* name_of(kelvo::FramePacing p) {
  switch (p) {
    case kelvo::FramePacing::kStarted:
      return "started";
    case kelvo::FramePacing::kSlept:
      return "slept";
    case kelvo::FramePacing::kCaughtUp:
      return "late, kept the schedule";
    case kelvo::FramePacing::kFellBehind:
      return "far behind, restarted";
    case kelvo::FramePacing::kWentBack:
      return "counter went back, restarted";
  }
  return "?";
}

}  // namespace

int main(int argc, char** argv) {
  const Steady::time_point started = Steady::now();
  if (argc < 2) {
    std::fprintf(stderr, "usage: kelvo_pacing_bench GAME_DIR [SECONDS]\n");
    return 2;
  }
  const int seconds = argc > 2 ? std::atoi(argv[2]) : 60;
  const int frames = 430 + 120 * seconds;
  const std::string dir = std::filesystem::temp_directory_path() / "kelvo_pacing_bench";
  std::filesystem::create_directories(dir);
  const std::string scriptPath = dir + "/play.script", tracePath = dir + "/trace.txt";
  std::ofstream(scriptPath) << play_input(frames);
  const std::string last = std::to_string(frames);
  const char* args[] = {"kelvo",    "--window",         "--mute",    "--dir",           argv[1],
                        "--script", scriptPath.c_str(), "--trace",   tracePath.c_str(), "--level",
                        "1",        "--frames",         last.c_str()};
  std::vector<Frame> shown(1);
  const kelvo::GameRoutine noted = [&shown](kelvo::Runtime& rt, kelvo::GameState& state) {
    rt.set_frame_hook([&shown, &rt, inner = rt.frame_hook()](uint32_t frame) {
      shown.push_back({Steady::now(), rt.platform().frame_pacing()});
      inner(frame);
    });
    kelvo::run_game(rt, state, {1});
  };
  const int status = kelvo::kelvo_main(static_cast<int>(std::size(args)), args, noted);
  if (status != 0) return status;

  // The boot screen scripts 3.1 s of waits before attract mode's first frame.
  if (shown.size() > 1) {
    std::printf("first frame on view %.1f ms after main() beyond the 3.1 s of scripted waits\n",
                std::chrono::duration<double, std::milli>(shown[1].shown - started).count() - 3100);
  }
  const auto entered = states(tracePath);
  double totalMs = 0;
  int intervals = 0, wentBack = 0, notLateNoSleep = 0;
  std::map<kelvo::FramePacing, int> outcomes;
  for (size_t f = 2; f < shown.size(); ++f) {
    if (!in_play(entered, static_cast<int>(f)) || !in_play(entered, static_cast<int>(f - 1))) {
      continue;
    }
    const double ms =
        std::chrono::duration<double, std::milli>(shown[f].shown - shown[f - 1].shown).count();
    totalMs += ms;
    ++intervals;
    ++outcomes[shown[f].pacing];
    // A frame goes out at once when its own work made it late; after an on-time frame it sleeps.
    const bool late = shown[f].pacing == kelvo::FramePacing::kCaughtUp ||
                      shown[f].pacing == kelvo::FramePacing::kFellBehind;
    if (shown[f].pacing != kelvo::FramePacing::kSlept && !late) ++notLateNoSleep;
    wentBack += shown[f].pacing == kelvo::FramePacing::kWentBack;
  }
  if (intervals == 0) {
    std::fprintf(stderr, "kelvo_pacing_bench: no two LevelPlay frames in a row\n");
    return 1;
  }
  std::printf("%d LevelPlay frame intervals: mean %.4f ms (%.3f Hz)\n", intervals,
              totalMs / intervals, 1000 * intervals / totalMs);
  for (const auto& [pacing, count] : outcomes) std::printf("  %-30s %6d\n", name_of(pacing), count);
  // A frame more than 16 ms behind restarts the schedule, and the time lost is not made up: on a
  // loaded machine, the restarts rather than the limiter set the mean.
  std::printf("released without a sleep after an on-time frame: %d (counter went back: %d)\n",
              notLateNoSleep, wentBack);
  return 0;
}
