// How long sound_play and sound_loop of a loaded sound keep the game thread, with SDL_mixer's
// audio thread mixing on SDL's dummy output driver.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "runtime/platform_entry.h"
#include "runtime/runtime.h"
#include "tools/wav_file.h"

namespace kelvo {
namespace {

// A runtime whose sound service mixes for real; one half-second sound is open.
struct MixingRuntime {
  MixingRuntime() {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    path = (std::filesystem::temp_directory_path() / "kelvo_bench_sound.wav").string();
    std::ofstream(path, std::ios::binary) << wav_file(pcm16(std::vector<int16_t>(22050, 1000)));
    rt.platform().set_audio(audio.get());
    handle = rt.sound_open(path, "sync");
  }
  ~MixingRuntime() {
    rt.platform().set_audio(nullptr);
    std::filesystem::remove(path);
  }

  std::unique_ptr<Clock> clock = make_real_clock();
  Runtime rt{*clock, TimeReference{}};
  std::unique_ptr<AudioBackend> audio = make_mixer_audio([](int status) { std::exit(status); });
  std::string path;
  int32_t handle = 0;
};

void BM_SoundPlay(benchmark::State& state) {
  MixingRuntime m;
  if (m.handle == 0) state.SkipWithError("the sound did not open");
  for (auto _ : state) m.rt.sound_play(m.handle);
}
BENCHMARK(BM_SoundPlay)->Unit(benchmark::kMicrosecond);

void BM_SoundLoopAndStop(benchmark::State& state) {
  MixingRuntime m;
  if (m.handle == 0) state.SkipWithError("the sound did not open");
  for (auto _ : state) {
    m.rt.sound_loop(m.handle);
    m.rt.sound_stop(m.handle);
  }
}
BENCHMARK(BM_SoundLoopAndStop)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kelvo

BENCHMARK_MAIN();
