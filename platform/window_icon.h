// The 32 by 32 window icon: palette indexes into the default 256-colour palette.
#pragma once

#include <cstdint>

namespace kelvo {

// Row by row, top row first. Index 0 is the icon's background.
extern const uint8_t kWindowIcon[32 * 32];

}  // namespace kelvo
