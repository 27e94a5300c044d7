// The player's pause at the frame hand-over, and the keys the program keeps for itself.
#include "platform/frame_pause.h"

#include "platform/key_translation.h"

namespace kelvo {
namespace {
constexpr uint32_t kSymM = 'm', kSymP = 'p', kSymF12 = sym::kF1 + 11;
}  // namespace

PlayerKey player_key(uint32_t keySym, bool ctrlOrAlt) {
  if (ctrlOrAlt) return PlayerKey::kNone;
  if (keySym == kSymP) return PlayerKey::kPause;
  if (keySym == kSymM) return PlayerKey::kMute;
  if (keySym == kSymF12) return PlayerKey::kScreenshot;
  return PlayerKey::kNone;
}

void FramePause::set(bool on) {
  on_.store(on);
  hub_.notify();
}

void FramePause::hold() {
  if (!on_.load()) return;
  held_.store(true);
  hub_.notify();
  hub_.wait([this] { return !on_.load() || stopRequested_.load() != 0; });
  held_.store(false);
}

}  // namespace kelvo
