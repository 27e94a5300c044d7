// A gamepad through SDL 1.2's joystick interface: its d-pad (a hat) or left stick act as Left and
// Right, its first button as Space and its start button as P. Its events become the key events
// the keyboard would give, so that the game sees one held-key state whichever the player uses.
#pragma once

#include <SDL.h>

#include <vector>

namespace kelvo {

class Gamepad {
 public:
  Gamepad() = default;
  ~Gamepad();
  Gamepad(const Gamepad&) = delete;
  Gamepad& operator=(const Gamepad&) = delete;

  // Opens the first joystick there is; without one nothing changes.
  void open();

  // The start button of a pad with `buttons` buttons: the Xbox layout (11 buttons) has it 8th,
  // layouts with L2 and R2 buttons 10th, smaller pads last.
  static int start_button(int buttons);
  void set_start_button(int button) { startButton_ = button; }

  // The key presses and releases (SDL_KEYDOWN, SDL_KEYUP) that a joystick event makes; none for
  // other events or when the held directions stay as they were.
  std::vector<SDL_Event> key_events(const SDL_Event& event);

 private:
  void follow_direction(bool& held, bool now, SDLKey sym, std::vector<SDL_Event>& out);

  SDL_Joystick* joystick_ = nullptr;
  int startButton_ = 7;
  bool hatLeft_ = false, hatRight_ = false, stickLeft_ = false, stickRight_ = false;
  bool left_ = false, right_ = false;
};

}  // namespace kelvo
