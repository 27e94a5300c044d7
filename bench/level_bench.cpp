// How fast a level plays headless, and what a play frame allocates: runs the game on a level for
// a short and a long stretch and reports frames per second and heap allocations per frame.
//   build/bench/kelvo_level_bench [LEVEL]
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>
#include <vector>

#include "platform/app.h"

namespace {

std::atomic<long> allocations{0};

struct Run {
  double seconds;
  long allocations;
};

// Plays `frames` frames after the 421 of the title and the introduction; Space starts the game.
Run play(int level, int frames, const std::string& dir) {
  const std::string script = dir + "/bench.script";
  std::ofstream(script) << "0 press Space\n3 release Space\n";
  const std::string last = std::to_string(421 + frames);
  const std::string levelText = std::to_string(level);
  const char* argv[] = {"kelvo",    "--headless",   "--dir",   KELVO_BENCH_GAME_DIR,
                        "--script", script.c_str(), "--level", levelText.c_str(),
                        "--frames", last.c_str()};
  const long before = allocations.load();
  const auto start = std::chrono::steady_clock::now();
  kelvo::kelvo_main(10, argv);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return {seconds, allocations.load() - before};
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
  const std::string dir = std::filesystem::temp_directory_path().string();
  constexpr int kShort = 2000;
  constexpr int kLong = 22000;
  const Run a = play(level, kShort, dir);
  const Run b = play(level, kLong, dir);
  const int frames = kLong - kShort;
  std::printf(
      "level %d: %.0f play frames per second (%d frames in %.3f s), %.3f allocations "
      "per play frame\n",
      level, frames / (b.seconds - a.seconds), frames, b.seconds - a.seconds,
      static_cast<double>(b.allocations - a.allocations) / frames);
  return 0;
}
