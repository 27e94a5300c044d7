// The held-key list and the key codes the game reads.
#pragma once

#include <cstdint>
#include <mutex>
#include <utility>
#include <vector>

#include "runtime/services/errors.h"

namespace kelvo {

// Key codes the game and the runtime use.
namespace key {
constexpr int32_t kEscape = 27, kSpace = 32, kEnter = 13, kQ = 81;
constexpr int32_t kUp = 18432, kLeft = 19200, kRight = 19712, kDown = 20480;
constexpr int32_t kNumLockOn = 100300, kCapsLockOn = 100301, kScrollLockOn = 200011;
}  // namespace key

// The lock keys' states, which the held-key list follows.
struct LockStates {
  bool numLock = false;
  bool capsLock = false;
  bool scrollLock = false;
};

// The platform key of a press that no key of the platform made, a script's: no key-up matches
// it, so a key let go in the window never ends a hold the script has not ended.
inline constexpr uint32_t kNoPlatformKey = 0xFFFFFFFFu;

class Keyboard {
 public:
  explicit Keyboard(Errors& errors) : errors_(errors) {}

  // -1 while the key (or its keypad twin) is held, else 0. Answers even while an error is pending.
  int32_t key_down(int32_t code);

  // Main thread: a translated key-down with the platform's key that produced it; repeats are
  // ignored. The Pause key holds the game until the next key press.
  void press_key(int32_t code, uint32_t platformKey, bool pauseKey = false);
  // Main thread: a key-up removes the code stored with that symbol at press time.
  void release_key(uint32_t platformKey);
  // Scripted input names the code itself.
  void release_code(int32_t code);
  // Presses or releases the lock-state codes so that they follow the platform's lock keys.
  void sync_locks(const LockStates& platform);

  bool is_held(int32_t code) const;
  std::vector<int32_t> held_codes() const;

 private:
  void add_held(int32_t code, uint32_t platformKey);

  Errors& errors_;
  mutable std::mutex mutex_;
  std::vector<std::pair<int32_t, uint32_t>> held_;  // (code, platform key) in press order
  LockStates locks_;
};

}  // namespace kelvo
