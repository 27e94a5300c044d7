// The window icon; blank until the drawn one replaces it.
#include "platform/window_icon.h"

namespace kelvo {
const uint8_t kWindowIcon[32 * 32] = {};
}  // namespace kelvo
