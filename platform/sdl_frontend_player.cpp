// The SDL frontend's side of the player's own keys: the pause at the frame hand-over, the sound
// switch and screenshots. None of them reaches the game.
#include <utility>

#include "platform/pause_panel.h"
#include "platform/screenshot_file.h"
#include "platform/sdl_frontend.h"
#include "platform/sound_output.h"

namespace kelvo {

bool SdlFrontend::program_key(const SDL_keysym& key) {
  const PlayerKey which = player_key(key.sym, (key.mod & (KMOD_CTRL | KMOD_ALT)) != 0);
  // A held key repeats as presses: P, M and F12 act once per press.
  bool& held = playerKeyHeld_[static_cast<size_t>(which)];
  if (which != PlayerKey::kNone && std::exchange(held, true)) return true;
  switch (which) {
    case PlayerKey::kPause:
      set_pause(!pause_.on());
      return true;
    case PlayerKey::kMute:
      set_output_muted(!output_muted());
      return true;
    case PlayerKey::kScreenshot:
      save_screenshot(shown_, pictures_directory());
      return true;
    case PlayerKey::kNone:
      break;
  }
  if (!pause_.on()) return false;
  // Capital Q and Escape end the pause and reach the game as they would without it: the panel
  // offers them. Any other key is lost.
  const bool leaves = key.sym == SDLK_ESCAPE || key.unicode == 'Q';
  if (leaves) set_pause(false);
  return !leaves;
}

void SdlFrontend::program_key_released(const SDL_keysym& key) {
  playerKeyHeld_[static_cast<size_t>(player_key(key.sym, false))] = false;
}

// The next hand-over draws the frame on view again, with the panel or without it.
void SdlFrontend::set_pause(bool on) {
  if (on == pause_.on()) return;
  pause_output(on);
  port_.handover().invalidate_window();
  pause_.set(on);
}

// A player who turns to another window finds the game where he left it.
void SdlFrontend::focus_event(const SDL_ActiveEvent& event) {
  if (event.gain == 0 && (event.state & (SDL_APPINPUTFOCUS | SDL_APPACTIVE)) != 0) set_pause(true);
}

// While the game waits in the pause its frame stays put, and the window is drawn here: the panel,
// should the game have reached the pause without a hand-over, and full-screen switches.
void SdlFrontend::refresh_paused() {
  if (!pause_.on() || !pause_.held()) return;
  if (!panelOnView_ || port_.handover().fullscreen_switch_pending()) redraw_window();
}

void SdlFrontend::frame_drawn(const FrameCache& frame, const FrameTarget& target,
                              const VideoGeometry& g) {
  shown_ = frame;
  panelOnView_ = pause_.on();
  if (panelOnView_) draw_pause_panel(target, g, frame.width, frame.height);
}

}  // namespace kelvo
