// The player's pause: the game thread waits at a frame hand-over until the player goes on, so
// that no frame, key or random draw of the game depends on whether, or how long, it was paused.
#pragma once

#include <atomic>
#include <cstdint>

#include "runtime/services/wait_hub.h"

namespace kelvo {

// The keys the program answers itself, in a window; the game never sees them.
enum class PlayerKey { kNone, kPause, kMute, kScreenshot };

// P pauses, M switches the sound, F12 takes a screenshot (by SDL 1.2 key symbol); with Ctrl or
// Alt held a key is none of them.
PlayerKey player_key(uint32_t keySym, bool ctrlOrAlt);

class FramePause {
 public:
  FramePause(WaitHub& hub, const std::atomic<uint8_t>& stopRequested)
      : hub_(hub), stopRequested_(stopRequested) {}

  // Main thread: the game stops at its next hand-over, or goes on.
  void set(bool on);
  bool on() const { return on_.load(); }
  // True while the game thread waits in hold(): its frame stays as it is until the pause ends.
  bool held() const { return held_.load(); }

  // Game thread, between showing a frame and taking the keys: waits while the pause is on, until
  // a stop is requested.
  void hold();

 private:
  WaitHub& hub_;
  const std::atomic<uint8_t>& stopRequested_;
  std::atomic<bool> on_{false};
  std::atomic<bool> held_{false};
};

}  // namespace kelvo
