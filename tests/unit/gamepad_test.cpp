// The gamepad's events as the key events the keyboard gives.
#include "platform/gamepad.h"

#include <gtest/gtest.h>

#include <string>

namespace kelvo {
namespace {

SDL_Event pad(Uint8 type, int index, int value) {
  SDL_Event e{};
  e.type = type;
  if (type == SDL_JOYHATMOTION) {
    e.jhat.hat = static_cast<Uint8>(index);
    e.jhat.value = static_cast<Uint8>(value);
  } else if (type == SDL_JOYAXISMOTION) {
    e.jaxis.axis = static_cast<Uint8>(index);
    e.jaxis.value = static_cast<Sint16>(value);
  } else {
    e.jbutton.button = static_cast<Uint8>(index);
  }
  return e;
}

std::string name(SDLKey sym) {
  switch (sym) {
    case SDLK_LEFT:
      return "left";
    case SDLK_RIGHT:
      return "right";
    case SDLK_SPACE:
      return "space";
    case SDLK_p:
      return "p";
    default:
      return std::to_string(sym);
  }
}

// "+left -space": presses and releases by key symbol.
std::string keys(Gamepad& g, const SDL_Event& e) {
  std::string out;
  for (const SDL_Event& k : g.key_events(e)) {
    out += std::string(out.empty() ? "" : " ") + (k.type == SDL_KEYDOWN ? "+" : "-") +
           name(k.key.keysym.sym);
  }
  return out;
}

TEST(Gamepad, DpadAndStickHoldLeftAndRightButtonsPressSpaceAndP) {
  Gamepad g;
  g.set_start_button(Gamepad::start_button(11));
  EXPECT_EQ(keys(g, pad(SDL_JOYHATMOTION, 0, SDL_HAT_LEFTUP)), "+left");
  EXPECT_EQ(keys(g, pad(SDL_JOYAXISMOTION, 0, -32768)), "");  // Left is held already
  EXPECT_EQ(keys(g, pad(SDL_JOYHATMOTION, 0, SDL_HAT_CENTERED)), "");
  EXPECT_EQ(keys(g, pad(SDL_JOYAXISMOTION, 0, 32767)), "-left +right");
  EXPECT_EQ(keys(g, pad(SDL_JOYAXISMOTION, 0, 5000)), "-right");  // back within the dead zone
  EXPECT_EQ(keys(g, pad(SDL_JOYAXISMOTION, 1, 32767)), "");       // the stick's vertical axis
  EXPECT_EQ(keys(g, pad(SDL_JOYBUTTONDOWN, 0, 0)), "+space");
  EXPECT_EQ(keys(g, pad(SDL_JOYBUTTONUP, 0, 0)), "-space");
  EXPECT_EQ(keys(g, pad(SDL_JOYBUTTONDOWN, 7, 0)), "+p");
  EXPECT_EQ(keys(g, pad(SDL_JOYBUTTONDOWN, 3, 0)), "");
  EXPECT_EQ(Gamepad::start_button(13), 9);
  EXPECT_EQ(Gamepad::start_button(6), 5);
}

}  // namespace
}  // namespace kelvo
