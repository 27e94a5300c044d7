// What the host charges for wake-ups alone: two threads that do nothing but sleep as the game's
// do while it idles in a window (the frame limiter every 1/120 s, the display loop's events pass
// every 32 ms). bench/idle_cpu.sh prints it beside the game's share: a part of that share that no
// change to the game's work removes.
//   build/bench/kelvo_wake_floor [SECONDS]
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>

namespace {

using Steady = std::chrono::steady_clock;

void sleep_every(Steady::duration period, const std::atomic<bool>& stop) {
  for (auto next = Steady::now() + period; !stop.load(); next += period) {
    std::this_thread::sleep_until(next);
  }
}

double process_cpu_seconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 20;
  if (seconds <= 0) {
    std::fprintf(stderr, "usage: kelvo_wake_floor [SECONDS]\n");
    return 2;
  }
  std::atomic<bool> stop{false};
  std::thread frames(sleep_every, std::chrono::nanoseconds(1'000'000'000 / 120), std::cref(stop));
  std::thread events(sleep_every, std::chrono::milliseconds(32), std::cref(stop));
  const double before = process_cpu_seconds();
  std::this_thread::sleep_for(std::chrono::seconds(seconds));
  const double used = process_cpu_seconds() - before;
  stop.store(true);
  frames.join();
  events.join();
  std::printf("wake-ups alone (120 a second and one every 32 ms): %.3f%% of one core over %d s\n",
              100 * used / seconds, seconds);
  return 0;
}
