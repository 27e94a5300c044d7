// The window icon: 32 by 32 indexes into the default palette, 0 transparent.
#pragma once

#include <cstdint>

namespace kelvo {
extern const uint8_t kWindowIcon[32 * 32];
}
