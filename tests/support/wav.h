// The tone the sound tests write into their WAV files (tools/wav_file.h).
#pragma once

#include <cstdint>
#include <vector>

#include "tools/wav_file.h"

namespace kelvo::test {

// A stereo tone of `frames` frames whose samples are all distinct from their neighbours and never
// 0, so that it can be found in mixed output; `seed` tells tones apart.
inline std::vector<int16_t> test_tone(int frames, int seed) {
  std::vector<int16_t> samples;
  for (int i = 0; i < frames; ++i) {
    const int left = 200 + (i * 37 + seed * 101) % 1500;
    samples.push_back(static_cast<int16_t>(left));
    samples.push_back(static_cast<int16_t>(-left - seed));
  }
  return samples;
}

}  // namespace kelvo::test
