// Real mixed output: SDL's disk audio driver writes what SDL_mixer mixes to a file, and the
// tests find their generated sounds in it: alone, restarted, looped and stopped.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "platform/sdl_audio.h"
#include "runtime/runtime.h"
#include "support/fake_clock.h"
#include "support/scoped_env.h"
#include "support/test_support.h"
#include "support/wav.h"

namespace kelvo {
namespace {

constexpr size_t kFrameBytes = 4;
constexpr uint64_t kBufferBytes = 1024 * kFrameBytes;

// Counts the bytes SDL_mixer has mixed, so a test can wait for the audio thread without polling.
class MixWatch {
 public:
  static void post_mix(void* self, Uint8*, int length) {
    static_cast<MixWatch*>(self)->add(static_cast<uint64_t>(length));
  }
  uint64_t bytes() {
    std::lock_guard<std::mutex> lock(mutex_);
    return bytes_;
  }
  // Waits until `count` more bytes than `from` have been mixed; false after ten seconds.
  bool wait_past(uint64_t from, uint64_t count) {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(10),
                             [&] { return bytes_ >= from + count; });
  }

 private:
  void add(uint64_t length) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      bytes_ += length;
    }
    changed_.notify_all();
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  uint64_t bytes_ = 0;
};

// How many leading bytes of `pattern` the output repeats from `at`.
size_t matching_prefix(const std::string& output, size_t at, const std::string& pattern) {
  size_t n = 0;
  while (at + n < output.size() && n < pattern.size() && output[at + n] == pattern[n]) ++n;
  return n;
}

bool silent_from(const std::string& output, size_t at) {
  return output.find_first_not_of('\0', at) == std::string::npos;
}

struct SoundOutputTest : ::testing::Test {
  SoundOutputTest() { rt.platform().set_audio(audio.get()); }

  // Opens a generated tone of `frames` frames; returns its handle and keeps its bytes.
  int32_t open_tone(const std::string& name, const std::vector<int16_t>& samples) {
    test::write_file(dir.file(name), wav_file(pcm16(samples)));
    const int32_t handle = rt.sound_open(dir.file(name), "sync");
    kelvo::mixer_library()->SetPostMix(MixWatch::post_mix, &watch);  // the device is open now
    return handle;
  }

  // Lets `count` more bytes be mixed after the current point.
  void mix_more(uint64_t count) { ASSERT_TRUE(watch.wait_past(watch.bytes(), count)); }

  // Closes the device, which ends the output file, and returns what was written.
  std::string finish() {
    kelvo::mixer_library()->SetPostMix(nullptr, nullptr);
    rt.platform().set_audio(nullptr);
    audio.reset();
    return test::read_file(outputPath);
  }

  test::TempDir dir;
  const std::string outputPath = dir.file("mixed.raw");
  test::ScopedEnv driver{"SDL_AUDIODRIVER", "disk"};
  test::ScopedEnv file{"SDL_DISKAUDIOFILE", outputPath.c_str()};
  test::ScopedEnv delay{"SDL_DISKAUDIODELAY", "10"};  // a buffer every 10 ms, faster than real time
  test::FakeClock clock;
  Runtime rt{clock, TimeReference{}};
  std::unique_ptr<SdlAudio> audio = std::make_unique<SdlAudio>(
      [](int status) { FAIL() << "the disk audio device did not open (status " << status << ")"; });
  MixWatch watch;
};

TEST_F(SoundOutputTest, PlayedSoundAppearsWhole) {
  const auto tone = test::test_tone(4410, 1);
  const int32_t h = open_tone("a.wav", tone);
  ASSERT_EQ(h, 2);
  rt.sound_play(h);
  mix_more(tone.size() * 2 + 4 * kBufferBytes);
  const std::string output = finish();
  const std::string bytes = pcm16(tone);
  const size_t at = output.find(bytes);
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(at % kFrameBytes, 0u);
  EXPECT_TRUE(silent_from(output, at + bytes.size()));
  EXPECT_TRUE(silent_from(output.substr(0, at), 0));
}

TEST_F(SoundOutputTest, PlayingAgainRestartsInsteadOfLayering) {
  const auto tone = test::test_tone(44100, 3);  // two seconds: still playing when restarted
  const int32_t h = open_tone("a.wav", tone);
  rt.sound_play(h);
  mix_more(3 * kBufferBytes);
  rt.sound_play(h);
  mix_more(tone.size() * 2 + 4 * kBufferBytes);
  const std::string output = finish();
  const std::string bytes = pcm16(tone);
  const size_t first = output.find(bytes.substr(0, kBufferBytes));
  ASSERT_NE(first, std::string::npos);
  const size_t cut = matching_prefix(output, first, bytes);
  ASSERT_LT(cut, bytes.size());
  EXPECT_GE(cut, kBufferBytes);
  EXPECT_EQ(output.compare(first + cut, bytes.size(), bytes), 0) << "no whole restart at the cut";
  EXPECT_TRUE(silent_from(output, first + cut + bytes.size()));
}

TEST_F(SoundOutputTest, LoopedSoundKeepsSoundingUntilStopped) {
  const auto tone = test::test_tone(2205, 4);  // not a whole number of buffers
  const int32_t h = open_tone("a.wav", tone);
  const std::string bytes = pcm16(tone);
  constexpr int kRounds = 6;
  rt.sound_loop(h);
  mix_more(kRounds * bytes.size() + 2 * kBufferBytes);
  rt.sound_stop(h);
  mix_more(4 * kBufferBytes);
  const std::string output = finish();
  const size_t at = output.find(bytes);
  ASSERT_NE(at, std::string::npos);
  for (int round = 1; round < kRounds; ++round) {
    EXPECT_EQ(output.compare(at + round * bytes.size(), bytes.size(), bytes), 0) << round;
  }
  // After the stop: the repetitions end somewhere, then silence.
  size_t end = at;
  while (matching_prefix(output, end, bytes) == bytes.size()) end += bytes.size();
  end += matching_prefix(output, end, bytes);
  EXPECT_TRUE(silent_from(output, end));
  EXPECT_GE(output.size() - end, 3 * kBufferBytes);
}

}  // namespace
}  // namespace kelvo
