// What a headless frame costs: plays seeded random-input runs (Left, Right and Space) on a level
// and runs of attract mode, times every frame on the game thread's CPU clock and keeps the frames
// of one game stage (LevelPlay, Attract), as the run's trace tells them apart. Each run is
// repeated; the figures are medians.
//   build/bench/kelvo_level_bench [LEVEL] [REPETITIONS]
#include <time.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <new>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "game/game.h"
#include "runtime/platform_entry.h"

namespace {

std::atomic<long> allocations{0};

double thread_cpu_seconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// What making each frame cost: CPU seconds and heap allocations, by frame number (from 1).
struct FrameCosts {
  std::vector<double> seconds{0};
  std::vector<long> allocations{0};
};

// A script of random key changes every 1 to 40 frames, the same for the same seed.
std::string random_input(unsigned seed, int frames) {
  std::mt19937 random(seed);
  const char* keys[] = {"Left", "Right", "Space"};
  std::ostringstream script;
  for (int f = 1; f < frames; f += 1 + static_cast<int>(random() % 40)) {
    script << f << (random() % 100 < 55 ? " press " : " release ") << keys[random() % 3] << "\n";
  }
  return script.str();
}

// The stage each frame was shown in, from the trace's "state" lines.
std::vector<std::string> stages_by_frame(const std::string& tracePath, int frames) {
  std::vector<std::string> stages(static_cast<size_t>(frames) + 1);
  std::ifstream trace(tracePath);
  std::string line, stage;
  std::map<int, std::string> entered;
  while (std::getline(trace, line)) {
    std::istringstream in(line);
    int frame = 0;
    std::string event, name;
    if (in >> frame >> event >> name && event == "state") entered[frame] = name;
  }
  auto next = entered.begin();
  for (int f = 1; f <= frames; ++f) {
    while (next != entered.end() && next->first < f) stage = (next++)->second;
    stages[static_cast<size_t>(f)] = stage;
  }
  return stages;
}

// A game directory of links to the built pictures and sounds, with a fresh copy of the score
// table for every run, so that all repetitions play the same and the build's table is kept.
std::string game_dir(const std::string& dir) {
  namespace fs = std::filesystem;
  const fs::path built = fs::path(KELVO_BENCH_GAME_DIR) / "rurazedudi";
  const fs::path mine = fs::path(dir) / "game" / "rurazedudi";
  fs::remove_all(mine);
  fs::create_directories(mine);
  for (const auto& entry : fs::directory_iterator(built)) {
    const fs::path target = mine / entry.path().filename();
    if (entry.path().filename() == "score.txt") {
      fs::copy_file(entry.path(), target);
    } else {
      fs::create_symlink(entry.path(), target);
    }
  }
  return mine.parent_path().string();
}

// Plays one headless run and returns the cost of every frame.
FrameCosts run(const std::string& dir, const std::string& script, int level, int frames) {
  const std::string scriptPath = dir + "/bench.script", tracePath = dir + "/bench.trace";
  std::ofstream(scriptPath) << script;
  const std::string last = std::to_string(frames), levelText = std::to_string(level);
  const std::string game = game_dir(dir);
  const char* argv[] = {"kelvo",    "--headless",       "--dir",    game.c_str(),
                        "--script", scriptPath.c_str(), "--trace",  tracePath.c_str(),
                        "--level",  levelText.c_str(),  "--frames", last.c_str()};
  FrameCosts costs;
  const kelvo::GameRoutine timed = [&costs, level](kelvo::Runtime& rt, kelvo::GameState& state) {
    double start = thread_cpu_seconds();
    long allocated = allocations.load();
    rt.set_frame_hook([&costs, &start, &allocated, inner = rt.frame_hook()](uint32_t frame) {
      costs.seconds.push_back(thread_cpu_seconds() - start);
      costs.allocations.push_back(allocations.load() - allocated);
      inner(frame);
      start = thread_cpu_seconds();
      allocated = allocations.load();
    });
    kelvo::run_game(rt, state, {level});
  };
  kelvo::kelvo_main(static_cast<int>(std::size(argv)), argv, timed);
  return costs;
}

struct StageFigures {
  double framesPerSecond = 0;
  double allocationsPerFrame = 0;
  int frames = 0;
};

StageFigures figures(const FrameCosts& costs, const std::vector<std::string>& stages,
                     const std::string& stage) {
  StageFigures f;
  double seconds = 0;
  long allocated = 0;
  for (size_t i = 1; i < costs.seconds.size() && i < stages.size(); ++i) {
    if (stages[i] != stage) continue;
    ++f.frames;
    seconds += costs.seconds[i];
    allocated += costs.allocations[i];
  }
  if (f.frames > 0) {
    f.framesPerSecond = f.frames / seconds;
    f.allocationsPerFrame = static_cast<double>(allocated) / f.frames;
  }
  return f;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

void report(const std::string& what, const std::string& stage, const std::string& dir,
            const std::string& script, int level, int frames, int repetitions) {
  std::vector<double> rates;
  StageFigures last;
  for (int r = 0; r < repetitions; ++r) {
    const FrameCosts costs = run(dir, script, level, frames);
    last = figures(costs, stages_by_frame(dir + "/bench.trace", frames), stage);
    rates.push_back(last.framesPerSecond);
  }
  std::sort(rates.begin(), rates.end());
  std::printf(
      "%-28s %6d %s frames: median %8.0f frames per CPU second (min %.0f, max %.0f), "
      "%.3f allocations per frame\n",
      what.c_str(), last.frames, stage.c_str(), median(rates), rates.front(), rates.back(),
      last.allocationsPerFrame);
}

}  // namespace

void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

int main(int argc, char** argv) {
  const int level = argc > 1 ? std::atoi(argv[1]) : 1;
  const int repetitions = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
  const std::string dir = std::filesystem::temp_directory_path() / "kelvo_level_bench";
  std::filesystem::create_directories(dir);
  constexpr int kFrames = 12000;
  report("level " + std::to_string(level) + ", random input", "LevelPlay", dir,
         random_input(2024, kFrames), level, kFrames, repetitions);
  report("attract mode, no input", "Attract", dir, "", level, 4000, repetitions);
  return 0;
}
