// PCM WAV files: the asset generator writes its sounds with it, the tests and the sound benchmark
// their sample files.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

struct WavFormat {
  uint32_t rate = 22050;
  uint16_t channels = 2;
  uint16_t bits = 16;
};

inline void put_le(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// Samples as little-endian 16-bit bytes, in the order given (interleave stereo yourself).
inline std::string pcm16(const std::vector<int16_t>& samples) {
  std::string out;
  for (int16_t s : samples) put_le(out, static_cast<uint16_t>(s), 2);
  return out;
}

// A complete RIFF WAVE file holding `pcm`, which is already laid out in format `f`.
inline std::string wav_file(std::string_view pcm, WavFormat f = {}) {
  const uint32_t blockAlign = f.channels * (f.bits / 8u);
  std::string out = "RIFF";
  put_le(out, 36 + static_cast<uint32_t>(pcm.size()), 4);
  out += "WAVEfmt ";
  put_le(out, 16, 4);
  put_le(out, 1, 2);  // PCM
  put_le(out, f.channels, 2);
  put_le(out, f.rate, 4);
  put_le(out, f.rate * blockAlign, 4);
  put_le(out, blockAlign, 2);
  put_le(out, f.bits, 2);
  out += "data";
  put_le(out, static_cast<uint32_t>(pcm.size()), 4);
  return out.append(pcm);
}

}  // namespace kelvo
