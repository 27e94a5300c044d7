// SDL 1.2 key events to key codes: typed characters by code page 437, keys without characters by
// their own numbers, keypad keys apart.
#include "platform/key_translation.h"

#include <array>
#include <cstddef>

namespace kelvo {
namespace {

constexpr int32_t kKeypadNumLockOffBase = 199744;  // keypad 0 (symbol 256) gives 200000
constexpr int32_t kOtherKeyBase = 100000;
constexpr int32_t kUnicodeFlag = 1 << 30;

// Unicode values of code page 437's characters 128 to 255.
constexpr std::array<uint16_t, 128> kCp437High = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF,
    0x00EE, 0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA,
    0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557,
    0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559,
    0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4, 0x03A6, 0x0398, 0x03A9, 0x03B4,
    0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0};

bool is_keypad(uint32_t s) {
  return s >= sym::kKp0 && s <= sym::kKpEnter;
}

bool letter_upper(const KeyModifiers& m) {
  return (int(m.capsLock) + int(m.shift)) % 2 == 1;
}

int32_t letter_code(uint32_t lowerLetter, const KeyModifiers& m) {
  return static_cast<int32_t>(letter_upper(m) ? lowerLetter - 32 : lowerLetter);
}

int32_t typed_character_code(uint32_t ch) {
  if (ch < 128) return static_cast<int32_t>(ch);
  for (size_t i = 0; i < kCp437High.size(); ++i) {
    if (kCp437High[i] == ch) return static_cast<int32_t>(128 + i);
  }
  if (ch >= 0xFF01 && ch <= 0xFF5E) return static_cast<int32_t>(ch - 65248);
  if (ch == 0x3000) return 32;
  return static_cast<int32_t>(ch) | kUnicodeFlag;
}

// Ctrl turns typed characters into control characters; give back the key the player pressed.
int32_t ctrl_code(uint32_t s, uint32_t ch, const KeyModifiers& m) {
  switch (s) {
    case sym::kBackspace:
      return 8;
    case sym::kReturn:
      return 13;
    case sym::kEscape:
      return 27;
    case sym::kSpace:
      return 32;
    default:
      break;
  }
  if (ch >= 1 && ch <= 26) return letter_code('a' + ch - 1, m);
  if (s == sym::kLeftBracket && ch == 27) return 91;
  if (s == sym::kBackslash && ch == 28) return 92;
  if (s == sym::kRightBracket && ch == 29) return 93;
  if (s == '6' && ch == 30) return 54;
  return -1;  // not a control character: translate as usual
}

// Codes of keys that type nothing: function keys, arrows and the editing block.
int32_t special_key_code(uint32_t s) {
  if (s >= sym::kF1 && s < sym::kF1 + 10) return static_cast<int32_t>(59 + s - sym::kF1) * 256;
  if (s == sym::kF1 + 10) return 133 * 256;
  if (s == sym::kF1 + 11) return 134 * 256;
  switch (s) {
    case sym::kHome:
      return 18176;
    case sym::kUp:
      return 18432;
    case sym::kPageUp:
      return 18688;
    case sym::kLeft:
      return 19200;
    case sym::kRight:
      return 19712;
    case sym::kEnd:
      return 20224;
    case sym::kDown:
      return 20480;
    case sym::kPageDown:
      return 20736;
    case sym::kInsert:
      return 20992;
    case sym::kDelete:
      return 21248;
    default:
      return 0;
  }
}

int32_t untyped_key_code(uint32_t s, const KeyModifiers& m) {
  if (s >= sym::kKp0 && s <= sym::kKpPeriod) return kKeypadNumLockOffBase + static_cast<int32_t>(s);
  if (is_keypad(s)) return kOtherKeyBase + static_cast<int32_t>(s);
  if (const int32_t special = special_key_code(s)) return special;
  if (s >= 'a' && s <= 'z') return letter_code(s, m);
  if (s >= 32 && s < 127) return 0;  // other printable symbols give nothing without a character
  return kOtherKeyBase + static_cast<int32_t>(s);
}

}  // namespace

int32_t translate_key(uint32_t keySym, uint32_t typedChar, const KeyModifiers& mods) {
  if (typedChar == 127 && keySym == sym::kBackspace) typedChar = 8;
  if (typedChar == 127 && keySym == sym::kDelete) typedChar = 0;
  if (mods.ctrl && !is_keypad(keySym)) {
    const int32_t code = ctrl_code(keySym, typedChar, mods);
    if (code >= 0) return code;
  }
  if (typedChar != 0) {
    if (is_keypad(keySym)) return kOtherKeyBase + static_cast<int32_t>(keySym);
    return typed_character_code(typedChar);
  }
  return untyped_key_code(keySym, mods);
}

}  // namespace kelvo
