// Encodes pictures as 8-bit palette PNG and sounds as 16-bit PCM WAV, byte for byte reproducible.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/canvas.h"

namespace kelvo::assets {

// The PNG carries the whole default palette and no transparency, time or text chunks.
std::vector<uint8_t> encode_png(const Canvas& image);
// Mono, 16-bit, at the given rate.
std::vector<uint8_t> encode_wav(const std::vector<int16_t>& samples, int rate);

// Writes the bytes unless the file already holds exactly them; throws on failure.
void write_if_changed(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace kelvo::assets
