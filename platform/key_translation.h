// The SDL 1.2 key numbering and the translation of its key events into the game's key codes.
#pragma once

#include <cstdint>

namespace kelvo {

// Key symbols of SDL 1.2's keyboard events.
namespace sym {
constexpr uint32_t kBackspace = 8, kTab = 9, kReturn = 13, kPause = 19, kEscape = 27, kSpace = 32;
constexpr uint32_t kLeftBracket = 91, kBackslash = 92, kRightBracket = 93, kDelete = 127;
constexpr uint32_t kKp0 = 256, kKpPeriod = 266, kKpDivide = 267, kKpEnter = 271, kKpEquals = 272;
constexpr uint32_t kUp = 273, kDown = 274, kRight = 275, kLeft = 276, kInsert = 277, kHome = 278;
constexpr uint32_t kEnd = 279, kPageUp = 280, kPageDown = 281, kF1 = 282, kF15 = 296;
constexpr uint32_t kNumLock = 300, kCapsLock = 301, kScrollLock = 302;
}  // namespace sym

// Modifier and lock state that comes with a key event.
struct KeyModifiers {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
  bool capsLock = false;
  bool numLock = false;
};

// The key code of a key-down event, or 0 when the event gives no key.
int32_t translate_key(uint32_t keySym, uint32_t typedChar, const KeyModifiers& mods);

}  // namespace kelvo
