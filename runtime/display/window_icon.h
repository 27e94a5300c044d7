// The window icon (art kept with the runtime's palette, so that the platform shows it and the tools
// install it): the 32 by 32 picture of palette indexes that SDL 1.2 takes, and the same head
// at the sizes of desktop icons.
#pragma once

#include <cstdint>
#include <vector>

namespace kelvo {

// Row by row, top row first. Index 0 is the icon's background.
extern const uint8_t kWindowIcon[32 * 32];

// The icon sizes a desktop asks for.
inline constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};

// The icon at `size` pixels as 0xAARRGGBB rows, transparent where there is no head or badge:
// 16 and 48 from a 16-pixel drawing, 32, 64, 128 and 256 from the 32-pixel one, each pixel
// repeated whole, never smoothed. Empty for any other size.
std::vector<uint32_t> window_icon_argb(int size);

}  // namespace kelvo
