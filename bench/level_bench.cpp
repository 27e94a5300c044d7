// What a headless frame costs: plays seeded random-input runs (Left, Right and Space) on a level
// and runs of attract mode, and times the frames of one game stage (LevelPlay, Attract) on the
// game thread's CPU clock. A first run learns from its trace which stage every frame shows; the
// timed repetitions, which play the same, read the clock only where the stage changes, since a
// reading of the thread's clock is a system call that would otherwise cost each frame about a
// tenth of its time. The first frame, which also carries the start-up, is left out. The figures
// are medians.
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

// What the frames of one stage cost in a run: CPU seconds and heap allocations.
struct StageCost {
  double seconds = 0;
  long allocations = 0;
  int frames = 0;
};
using StageCosts = std::map<std::string, StageCost>;

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

// Plays one headless run, writing the trace to dir/bench.trace when asked (a player's run has
// none, and tracing costs a dying frame a few percent). With the stage of every frame known
// (`stages`, by frame number), reads the clock after the first frame and after each frame whose
// successor shows another stage, and returns what each stage's frames cost; without, nothing.
StageCosts run(const std::string& dir, const std::string& script, int level, int frames,
               const std::vector<std::string>& stages, bool traced) {
  const std::string scriptPath = dir + "/bench.script", tracePath = dir + "/bench.trace";
  std::ofstream(scriptPath) << script;
  const std::string last = std::to_string(frames), levelText = std::to_string(level);
  const std::string game = game_dir(dir);
  std::vector<const char*> argv = {"kelvo",    "--headless",      "--dir",    game.c_str(),
                                   "--level",  levelText.c_str(), "--frames", last.c_str(),
                                   "--script", scriptPath.c_str()};
  if (traced) argv.insert(argv.end(), {"--trace", tracePath.c_str()});
  StageCosts costs;
  const kelvo::GameRoutine timed = [&](kelvo::Runtime& rt, kelvo::GameState& state) {
    double start = 0;
    long allocated = 0;
    size_t first = 2;  // the stretch's first frame; frame 1 also carries the start-up, uncounted
    rt.set_frame_hook([&, inner = rt.frame_hook()](uint32_t frame) {
      const size_t f = frame;
      const bool lastOfStretch = f + 1 >= stages.size() || stages[f + 1] != stages[f];
      if (f >= first && f < stages.size() && lastOfStretch) {
        StageCost& cost = costs[stages[f]];
        cost.frames += static_cast<int>(f - first + 1);
        cost.seconds += thread_cpu_seconds() - start;
        cost.allocations += allocations.load() - allocated;
      }
      inner(frame);
      if (!stages.empty() && (f == 1 || lastOfStretch)) {
        first = f + 1;
        start = thread_cpu_seconds();
        allocated = allocations.load();
      }
    });
    kelvo::run_game(rt, state, {level});
  };
  kelvo::kelvo_main(static_cast<int>(argv.size()), argv.data(), timed);
  return costs;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

void report(const std::string& what, const std::string& stage, const std::string& dir,
            const std::string& script, int level, int frames, int repetitions) {
  run(dir, script, level, frames, {}, true);
  const std::vector<std::string> stages = stages_by_frame(dir + "/bench.trace", frames);
  std::vector<double> rates;
  StageCost last;
  for (int r = 0; r < repetitions; ++r) {
    last = run(dir, script, level, frames, stages, false)[stage];
    if (last.frames == 0) {
      std::fprintf(stderr, "level_bench: \"%s\" never reached %s\n", what.c_str(), stage.c_str());
      std::exit(1);
    }
    rates.push_back(last.frames / last.seconds);
  }
  // The timed runs are not traced: one more run checks that the game still plays the same.
  run(dir, script, level, frames, {}, true);
  if (stages_by_frame(dir + "/bench.trace", frames) != stages) {
    std::fprintf(stderr, "level_bench: two runs of \"%s\" played differently\n", what.c_str());
    std::exit(1);
  }
  std::sort(rates.begin(), rates.end());
  std::printf(
      "%-28s %6d %s frames: median %8.0f frames per CPU second (min %.0f, max %.0f), "
      "%.3f allocations per frame\n",
      what.c_str(), last.frames, stage.c_str(), median(rates), rates.front(), rates.back(),
      static_cast<double>(last.allocations) / last.frames);
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
