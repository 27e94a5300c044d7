// Gamepad events as keyboard events.
#include "platform/gamepad.h"

namespace kelvo {
namespace {

// About a third of the stick's travel: a stick at rest never drifts past it.
constexpr int kStickDeadZone = 12000;
constexpr int kXbox360Buttons = 11;

SDL_Event key_event(bool down, SDLKey sym) {
  SDL_Event e{};
  e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.key.keysym.sym = sym;
  e.key.keysym.unicode = sym == SDLK_SPACE || sym == SDLK_p ? static_cast<Uint16>(sym) : 0;
  return e;
}

}  // namespace

Gamepad::~Gamepad() {
  if (joystick_) SDL_JoystickClose(joystick_);
}

void Gamepad::open() {
  if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) < 0) return;
  if (SDL_NumJoysticks() > 0) joystick_ = SDL_JoystickOpen(0);
  if (!joystick_) {
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    return;
  }
  startButton_ = start_button(SDL_JoystickNumButtons(joystick_));
  SDL_JoystickEventState(SDL_ENABLE);
}

int Gamepad::start_button(int buttons) {
  if (buttons == kXbox360Buttons) return 7;
  return buttons >= 10 ? 9 : buttons - 1;
}

void Gamepad::follow_direction(bool& held, bool now, SDLKey sym, std::vector<SDL_Event>& out) {
  if (held == now) return;
  held = now;
  out.push_back(key_event(now, sym));
}

std::vector<SDL_Event> Gamepad::key_events(const SDL_Event& event) {
  std::vector<SDL_Event> out;
  switch (event.type) {
    case SDL_JOYHATMOTION:
      if (event.jhat.hat != 0) return out;
      hatLeft_ = (event.jhat.value & SDL_HAT_LEFT) != 0;
      hatRight_ = (event.jhat.value & SDL_HAT_RIGHT) != 0;
      break;
    case SDL_JOYAXISMOTION:
      if (event.jaxis.axis != 0) return out;
      stickLeft_ = event.jaxis.value < -kStickDeadZone;
      stickRight_ = event.jaxis.value > kStickDeadZone;
      break;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP: {
      const bool down = event.type == SDL_JOYBUTTONDOWN;
      if (event.jbutton.button == 0) out.push_back(key_event(down, SDLK_SPACE));
      if (event.jbutton.button == startButton_) out.push_back(key_event(down, SDLK_p));
      return out;
    }
    default:
      return out;
  }
  follow_direction(left_, hatLeft_ || stickLeft_, SDLK_LEFT, out);
  follow_direction(right_, hatRight_ || stickRight_, SDLK_RIGHT, out);
  return out;
}

}  // namespace kelvo
