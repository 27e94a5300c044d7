// The held-key list, the key-code numbering and the translation of window-system key events.
#pragma once

#include <cstdint>
#include <mutex>
#include <utility>
#include <vector>

#include "runtime/services/errors.h"

namespace kelvo {

// Key symbols of the window system's keyboard events (the SDL 1.2 numbering).
namespace sym {
constexpr uint32_t kBackspace = 8, kTab = 9, kReturn = 13, kPause = 19, kEscape = 27, kSpace = 32;
constexpr uint32_t kLeftBracket = 91, kBackslash = 92, kRightBracket = 93, kDelete = 127;
constexpr uint32_t kKp0 = 256, kKpPeriod = 266, kKpDivide = 267, kKpEnter = 271, kKpEquals = 272;
constexpr uint32_t kUp = 273, kDown = 274, kRight = 275, kLeft = 276, kInsert = 277, kHome = 278;
constexpr uint32_t kEnd = 279, kPageUp = 280, kPageDown = 281, kF1 = 282, kF15 = 296;
constexpr uint32_t kNumLock = 300, kCapsLock = 301, kScrollLock = 302;
}  // namespace sym

// Key codes the game and the runtime use.
namespace key {
constexpr int32_t kEscape = 27, kSpace = 32, kEnter = 13, kQ = 81;
constexpr int32_t kUp = 18432, kLeft = 19200, kRight = 19712, kDown = 20480;
constexpr int32_t kNumLockOn = 100300, kCapsLockOn = 100301, kScrollLockOn = 200011;
}  // namespace key

// Modifier and lock state that comes with a key event.
struct KeyModifiers {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
  bool capsLock = false;
  bool numLock = false;
};

struct LockStates {
  bool numLock = false;
  bool capsLock = false;
  bool scrollLock = false;
};

// The key code of a key-down event, or 0 when the event gives no key.
int32_t translate_key(uint32_t keySym, uint32_t typedChar, const KeyModifiers& mods);

class Keyboard {
 public:
  explicit Keyboard(Errors& errors) : errors_(errors) {}

  // -1 while the key (or its keypad twin) is held, else 0. Answers even while an error is pending.
  int32_t key_down(int32_t code);

  // Main thread: a translated key-down with the symbol that produced it; repeats are ignored.
  void press_key(int32_t code, uint32_t platformKey);
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
