// Key codes from key events, held keys and their keypad twins.
#include <gtest/gtest.h>

#include "runtime/services/keyboard.h"

namespace kelvo {
namespace {

struct KeyboardTest : ::testing::Test {
  WaitHub hub;
  Errors errors{hub};
  Keyboard keys{errors};

  void press(uint32_t s, uint32_t ch, KeyModifiers m = {}) {
    keys.press_key(translate_key(s, ch, m), s);
  }
};

TEST(KeyTranslation, TypedCharactersGiveTheirCodes) {
  EXPECT_EQ(translate_key('q', 'Q', {.shift = true}), 81);
  EXPECT_EQ(translate_key('q', 'q', {}), 113);
  EXPECT_EQ(translate_key(sym::kSpace, ' ', {}), 32);
  EXPECT_EQ(translate_key(sym::kEscape, 27, {}), 27);
  EXPECT_EQ(translate_key(sym::kReturn, 13, {}), 13);
  EXPECT_EQ(translate_key(sym::kBackspace, 127, {}), 8);
  EXPECT_EQ(translate_key(sym::kDelete, 127, {}), 21248);
  EXPECT_EQ(translate_key('e', 0xE9, {}), 130);  // é is 130 in code page 437
  EXPECT_EQ(translate_key(0, 0xFF21, {}), 'A');  // full-width A
  EXPECT_EQ(translate_key(0, 0x3000, {}), 32);   // ideographic space
  EXPECT_EQ(translate_key(0, 0x4E2D, {}), 0x4E2D | (1 << 30));
}

TEST(KeyTranslation, KeysWithoutCharacters) {
  EXPECT_EQ(translate_key(sym::kLeft, 0, {}), 19200);
  EXPECT_EQ(translate_key(sym::kRight, 0, {}), 19712);
  EXPECT_EQ(translate_key(sym::kF1, 0, {}), 15104);
  EXPECT_EQ(translate_key(sym::kF1 + 9, 0, {}), 17408);
  EXPECT_EQ(translate_key(sym::kF1 + 10, 0, {}), 34048);
  EXPECT_EQ(translate_key(sym::kF1 + 11, 0, {}), 34304);
  EXPECT_EQ(translate_key(sym::kHome, 0, {}), 18176);
  EXPECT_EQ(translate_key(sym::kPageDown, 0, {}), 20736);
  EXPECT_EQ(translate_key(sym::kKp0 + 4, 0, {}), 200004);  // keypad 4, Num Lock off
  EXPECT_EQ(translate_key(sym::kKpPeriod, 0, {}), 200010);
  EXPECT_EQ(translate_key(sym::kKp0 + 4, '4', {}), 100260);  // keypad 4, Num Lock on
  EXPECT_EQ(translate_key(sym::kKpEnter, 13, {}), 100271);
  EXPECT_EQ(translate_key(sym::kKpDivide, 0, {}), 100267);
  EXPECT_EQ(translate_key(304, 0, {}), 100304);  // left Shift
  EXPECT_EQ(translate_key(sym::kPause, 0, {}), 100019);
  EXPECT_EQ(translate_key('a', 0, {}), 'a');
  EXPECT_EQ(translate_key('a', 0, {.shift = true}), 'A');
  EXPECT_EQ(translate_key('a', 0, {.shift = true, .capsLock = true}), 'a');
  EXPECT_EQ(translate_key(',', 0, {}), 0);
}

TEST(KeyTranslation, CtrlGivesBackThePressedKey) {
  const KeyModifiers ctrl{.ctrl = true};
  EXPECT_EQ(translate_key('a', 1, ctrl), 'a');
  EXPECT_EQ(translate_key('z', 26, {.shift = true, .ctrl = true}), 'Z');
  EXPECT_EQ(translate_key(sym::kBackspace, 8, ctrl), 8);
  EXPECT_EQ(translate_key(sym::kReturn, 10, ctrl), 13);
  EXPECT_EQ(translate_key(sym::kSpace, 0, ctrl), 32);
  EXPECT_EQ(translate_key(sym::kLeftBracket, 27, ctrl), 91);
  EXPECT_EQ(translate_key(sym::kBackslash, 28, ctrl), 92);
  EXPECT_EQ(translate_key('6', 30, ctrl), 54);
}

TEST_F(KeyboardTest, ShiftQHoldsCapitalQOnlyAndReleasingShiftFirstStillClearsIt) {
  press('q', 'Q', {.shift = true});
  EXPECT_EQ(keys.key_down(81), -1);
  EXPECT_EQ(keys.key_down(113), 0);
  keys.release_key(304);  // Shift goes up first: nothing stored under it
  keys.release_key('q');
  EXPECT_TRUE(keys.held_codes().empty());
}

TEST_F(KeyboardTest, RepeatedPressStoresOnceAndOneReleaseClears) {
  press(sym::kLeft, 0);
  press(sym::kLeft, 0);
  EXPECT_EQ(keys.held_codes(), std::vector<int32_t>{19200});
  keys.release_key(sym::kLeft);
  EXPECT_EQ(keys.key_down(19200), 0);
}

TEST_F(KeyboardTest, KeypadTwinsAnswerForArrowsDigitsAndOperators) {
  press(sym::kKp0 + 6, 0);  // keypad 6 without Num Lock
  EXPECT_EQ(keys.key_down(19712), -1);
  EXPECT_EQ(keys.key_down(19200), 0);
  keys.release_key(sym::kKp0 + 6);
  press(sym::kKp0 + 7, '7');
  EXPECT_EQ(keys.key_down('7'), -1);
  press(sym::kKpEnter, 13);
  EXPECT_EQ(keys.key_down(13), -1);
}

TEST_F(KeyboardTest, BadCodesRaiseButQueriesWorkWhileAnErrorIsPending) {
  EXPECT_EQ(keys.key_down(0), 0);
  EXPECT_EQ(errors.pending(), 5);
  press(sym::kSpace, ' ');
  EXPECT_EQ(keys.key_down(32), -1);
  EXPECT_EQ(keys.key_down(-5), 0);
  EXPECT_EQ(errors.pending(), 5);
}

TEST_F(KeyboardTest, LockStatesFollowThePlatform) {
  keys.sync_locks({.numLock = true, .capsLock = false, .scrollLock = true});
  EXPECT_EQ(keys.key_down(key::kNumLockOn), -1);
  EXPECT_EQ(keys.key_down(key::kScrollLockOn), -1);
  EXPECT_EQ(keys.key_down(key::kCapsLockOn), 0);
  keys.sync_locks({.numLock = false, .capsLock = true, .scrollLock = true});
  EXPECT_EQ(keys.key_down(key::kNumLockOn), 0);
  EXPECT_EQ(keys.key_down(key::kCapsLockOn), -1);
}

TEST_F(KeyboardTest, PauseKeyPausesUntilTheNextKeyPress) {
  keys.press_key(100019, sym::kPause);
  EXPECT_EQ(errors.pauseFlags.load() & 1, 1);
  EXPECT_TRUE(errors.event_pending());
  press(sym::kSpace, ' ');
  EXPECT_EQ(errors.pauseFlags.load() & 1, 0);
}

}  // namespace
}  // namespace kelvo
