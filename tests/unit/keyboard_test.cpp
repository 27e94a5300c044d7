// Key codes from key events, held keys and their keypad twins.
#include <gtest/gtest.h>

#include <atomic>

#include "game/game_state.h"
#include "platform/key_translation.h"
#include "platform/script.h"
#include "platform/script_player.h"
#include "runtime/runtime.h"
#include "runtime/services/keyboard.h"
#include "support/fake_clock.h"

namespace kelvo {
namespace {

TEST(KeyTranslation, KeyEventsGiveTheirCodes) {
  const KeyModifiers none{}, shift{.shift = true}, ctrl{.ctrl = true};
  const KeyModifiers shiftCaps{.shift = true, .capsLock = true},
      shiftCtrl{.shift = true, .ctrl = true};
  struct Case {
    uint32_t sym, character;
    KeyModifiers modifiers;
    int32_t code;
  };
  // Typed characters give their code (code page 437 beyond ASCII); then keys without
  // characters; then Ctrl, which gives back the pressed key.
  // clang-format off
  const Case cases[] = {
      {'q', 'Q', shift, 81}, {'q', 'q', none, 113}, {sym::kSpace, ' ', none, 32}, {sym::kEscape, 27, none, 27},
      {sym::kReturn, 13, none, 13}, {sym::kBackspace, 127, none, 8}, {'e', 0xE9, none, 130},
      {0, 0xFF21, none, 'A'}, {0, 0x3000, none, 32}, {0, 0x4E2D, none, 0x4E2D | (1 << 30)},
      {sym::kLeft, 0, none, 19200}, {sym::kRight, 0, none, 19712}, {sym::kDelete, 127, none, 21248},
      {sym::kF1, 0, none, 15104}, {sym::kF1 + 9, 0, none, 17408}, {sym::kF1 + 10, 0, none, 34048},
      {sym::kF1 + 11, 0, none, 34304}, {sym::kHome, 0, none, 18176}, {sym::kPageDown, 0, none, 20736},
      {sym::kKp0 + 4, 0, none, 200004}, {sym::kKpPeriod, 0, none, 200010}, {sym::kKp0 + 4, '4', none, 100260},
      {sym::kKpEnter, 13, none, 100271}, {sym::kKpDivide, 0, none, 100267}, {304, 0, none, 100304},
      {sym::kPause, 0, none, 100019}, {'a', 0, none, 'a'}, {'a', 0, shift, 'A'}, {'a', 0, shiftCaps, 'a'},
      {',', 0, none, 0}, {'a', 1, ctrl, 'a'}, {'z', 26, shiftCtrl, 'Z'}, {sym::kBackspace, 8, ctrl, 8},
      {sym::kReturn, 10, ctrl, 13}, {sym::kSpace, 0, ctrl, 32}, {sym::kLeftBracket, 27, ctrl, 91},
      {sym::kBackslash, 28, ctrl, 92}, {'6', 30, ctrl, 54}};
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_EQ(translate_key(c.sym, c.character, c.modifiers), c.code)
        << c.sym << " " << c.character;
  }
}

struct KeyboardTest : ::testing::Test {
  WaitHub hub;
  Errors errors{hub};
  Keyboard keys{errors};

  void press(uint32_t s, uint32_t ch, KeyModifiers m = {}) {
    keys.press_key(translate_key(s, ch, m), s, s == sym::kPause);
  }
};

TEST_F(KeyboardTest, AKeyIsHeldUnderItsPressCodeUntilItsReleaseWhateverTheShiftDoes) {
  press('q', 'Q', {.shift = true});
  EXPECT_EQ(keys.key_down(81), -1);
  EXPECT_EQ(keys.key_down(113), 0);
  keys.release_key(304);  // Shift goes up first: nothing stored under it
  keys.release_key('q');
  EXPECT_TRUE(keys.held_codes().empty());
  press(sym::kLeft, 0);
  press(sym::kLeft, 0);  // a repeat stores nothing more
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

TEST_F(KeyboardTest, PauseKeyPausesUntilTheNextKeyPressAndBadCodesRaiseFive) {
  EXPECT_EQ(keys.key_down(0), 0);
  EXPECT_EQ(errors.pending(), 5);
  keys.press_key(100019, sym::kPause, true);
  EXPECT_EQ(errors.pauseFlags.load() & 1, 1);
  EXPECT_TRUE(errors.event_pending());
  press(sym::kSpace, ' ');
  EXPECT_EQ(errors.pauseFlags.load() & 1, 0);
}

// A script's key stays held until the script lets it go, whatever keys go up in the window: a key
// tapped while the game is paused (its key-down swallowed, its key-up passed on) must not end the
// script's hold of the same key, or a paused scripted run plays on differently.
TEST(ScriptedKeys, AKeyUpInTheWindowLeavesTheScriptsHoldAlone) {
  test::FakeClock clock;
  Runtime rt{clock, TimeReference{}};
  GameState state;
  std::atomic<int> closeRequested{0}, status{0};
  std::string error;
  auto commands = parse_script("1 press Space\n1 press q\n2 release Space\n", error);
  ASSERT_TRUE(commands) << error;
  ScriptPlayer player(rt, state, *commands, std::nullopt, closeRequested, status, true);
  player.run_frame(1);
  ASSERT_EQ(rt.key_down(32), -1);
  ASSERT_EQ(rt.key_down('q'), -1);
  rt.platform().release_key(sym::kSpace);
  rt.platform().release_key('q');
  EXPECT_EQ(rt.key_down(32), -1);
  EXPECT_EQ(rt.key_down('q'), -1);
  player.run_frame(2);
  EXPECT_EQ(rt.key_down(32), 0);
  EXPECT_EQ(rt.key_down('q'), -1);
}

}  // namespace
}  // namespace kelvo
