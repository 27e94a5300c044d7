// The default 256-colour palette every new indexed image starts with.
#pragma once

#include <array>
#include <cstdint>

namespace kelvo {

// 0xAARRGGBB entries, alpha 255 everywhere.
using Palette = std::array<uint32_t, 256>;

// The VGA's 256-colour start-up palette: 16 text colours, a 16-step grey ramp, nine blocks of
// 24 hues (three intensities times three saturations), then eight blacks. The 6-bit levels are
// widened to 8 bits as v * 255 / 63, rounded.
const Palette& default_palette();

inline uint8_t red_of(uint32_t argb) {
  return static_cast<uint8_t>(argb >> 16);
}
inline uint8_t green_of(uint32_t argb) {
  return static_cast<uint8_t>(argb >> 8);
}
inline uint8_t blue_of(uint32_t argb) {
  return static_cast<uint8_t>(argb);
}

}  // namespace kelvo
