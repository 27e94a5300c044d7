// The window: SDL video, events and the display loop on the main thread.
#pragma once

#include <SDL.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/dialog_handoff.h"
#include "platform/frame_pause.h"
#include "platform/gamepad.h"
#include "platform/sdl_dialog.h"
#include "platform/window_scale.h"
#include "runtime/display/fullscreen.h"
#include "runtime/frontend.h"
#include "runtime/runtime.h"

namespace kelvo {

// Asks the SDL 1.2 compatibility layer over SDL2 to scale full screen by whole pixels, unless the
// player chose otherwise. Must run before SDL_Init.
void prefer_nearest_scaling();

// "SDL X.Y.Z" of the SDL library loaded, which may be another than the one built against (the
// SDL2-based compatibility library, say).
std::string loaded_sdl_version();

// The exit status when SDL cannot start.
constexpr int kSdlStartExitStatus = 100;

// Starts SDL, with its audio subsystem unless `withAudio` is false, and its font library; on
// failure writes the reason and returns the exit status (100 or 7000), else 0. Without an X
// display, and unless the player chose a video driver, SDL is not started at all: its fallback
// drivers would draw the game as text escape codes that nobody sees.
int start_sdl(bool withAudio = true);

// Every SDL video call happens on the main thread, inside run_loop: the game thread hands its
// frames over and waits until they are on screen.
class SdlFrontend : public Frontend {
 public:
  explicit SdlFrontend(Runtime& rt);
  ~SdlFrontend() override;

  // Main thread, before the game starts: lock keys, display modes, key repeat, icon, caption,
  // gamepad, pointer.
  void prepare_window();
  // Replaces the display modes read at start-up (tests give their own lists).
  void set_display_modes(DisplayModes modes) { modes_ = std::move(modes); }
  const DisplayModes& display_modes() const { return modes_; }
  // With `keep` the game's own full-screen requests are ignored; Alt+Enter still switches.
  void keep_window_for_game(bool keep) { keepWindow_ = keep; }
  // The window's whole-pixel scale as the player chose it; without one the desktop's size decides.
  void set_window_scale(std::optional<int> scale) { chosenScale_ = scale; }
  // Main thread: the display loop; returns when the game asks to exit or the window is closed.
  void run_loop(std::atomic<int>& closeRequested) override;
  // Main thread, at shutdown: hides and frees the pointer.
  void release_pointer();

  // Hands the frame to the display loop, waits out the player's pause, then hands the keys taken
  // since the last frame to the keyboard: the game sees keys change only between frames, so a
  // recorded run can be replayed exactly.
  void show_frame() override;
  void request_fullscreen(int target) override;
  // Game thread: hands the waiting key events (and a deferred close) to the game; true when there
  // were any. Called between frames and while the game is paused.
  bool apply_keys();
  // Any thread: key events wait for apply_keys.
  bool keys_waiting() const;
  // A replay plays its own keys: the player's never reach the game (Alt+Enter still switches).
  void ignore_player_keys(bool ignore) { ignoreKeys_ = ignore; }
  // Closing the window waits for the next frame too, so that a recording ends where its replay
  // ends; otherwise a close stops the game at once.
  void defer_close(bool defer) { deferClose_ = defer; }
  // Game thread: shows a dialog in the window and waits for its answer (false on a stop).
  bool ask(DialogRequest request) { return dialogs_.ask(std::move(request)); }
  // Dialogs drawn in the window so far; the count changes (and the hub is notified) once the
  // dialog is on screen.
  uint32_t dialogs_shown() const { return dialogsShown_.load(); }

 private:
  // A window event kept for the game's next frame boundary.
  struct KeyEvent {
    enum Kind { kPress, kRelease, kReleaseCode, kLocks, kClose } kind;
    int32_t code = 0;
    uint32_t platformKey = 0;
    LockStates locks;
  };

  void queue(const KeyEvent& event);

  void refresh(bool periodic);
  void present(bool frameChanged);
  void fullscreen_changed();
  bool ensure_video_mode(const VideoGeometry& g, bool fullscreen);
  VideoGeometry geometry(int32_t mode, const ModeChoice& found, const FrameCache& frame) const;
  void draw(const FrameCache& frame, const VideoGeometry& g, bool frameChanged);
  void events_pass(std::atomic<int>& closeRequested);
  void take_event(const SDL_Event& event, std::atomic<int>& closeRequested);
  // Main thread: true for a key-down to drop (see repeat_of_released_key), and notes key-ups.
  bool repeat_after_release(const SDL_Event& event);
  void key_pressed(const SDL_keysym& key);
  void follow_focus();
  void open_dialog();
  // Main thread: true when the event belonged to the dialog.
  bool dialog_event(const SDL_Event& event);
  void redraw_window();
  // The player's own keys and the pause (sdl_frontend_player.cpp). Main thread: true when the
  // press must not reach the game.
  bool program_key(const SDL_keysym& key);
  void program_key_released(const SDL_keysym& key);
  void set_pause(bool on);
  void focus_event(const SDL_ActiveEvent& event);
  void refresh_paused();
  // Main thread: `frame` has just been converted into `target`.
  void frame_drawn(const FrameCache& frame, const FrameTarget& target, const VideoGeometry& g);

  PlatformPort port_;
  DialogHandoff dialogs_;
  SdlDialog dialog_;
  std::atomic<uint32_t> dialogsShown_{0};
  SDL_Surface* surface_ = nullptr;
  bool surfaceFullscreen_ = false;
  DisplayModes modes_;
  bool keepWindow_ = false;
  std::optional<int> chosenScale_;
  DesktopSize desktop_;
  std::vector<uint32_t> shadow_;  // used when the surface's channels are laid out otherwise
  SDL_Cursor* arrow_ = nullptr;
  bool keyRepeatOn_ = false;
  bool scrollLock_ = false;
  bool windowLossTaken_ = false;
  bool ignoreKeys_ = false;
  bool deferClose_ = false;
  LockStates lastLocks_;  // main thread: the lock states last queued
  mutable std::mutex keyMutex_;
  std::vector<KeyEvent> keyEvents_;
  std::atomic<int>* closeFlag_ = nullptr;  // run_loop's, set before any close is queued
  FramePause pause_{port_.hub(), port_.stop_flag()};
  std::array<bool, 4> playerKeyHeld_{};  // main thread; by PlayerKey
  // Main thread, by key symbol: a key-up came after the last key-down taken.
  std::array<bool, SDLK_LAST> keyLetGo_{};
  Gamepad gamepad_;
  FrameCache shown_;          // main thread: the frame on view, for screenshots
  bool panelOnView_ = false;  // main thread: the pause panel is drawn over it
};

}  // namespace kelvo
