// SDL window, display loop, key events and the frame hand-over from the game thread.
#include "platform/sdl_frontend.h"

#include <SDL_ttf.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/key_translation.h"
#include "platform/x11_hints.h"
#include "platform/x11_window_watch.h"
#include "runtime/display/default_palette.h"
#include "runtime/display/window_icon.h"

namespace kelvo {
namespace {

constexpr auto kPassInterval = std::chrono::milliseconds(16);

// The mouse pointer: "X" black, "." white, blank transparent; hot spot at the top left.
constexpr const char* kArrowRows[] = {
    "X",           "XX",          "X.X",       "X..X",       "X...X",       "X....X",
    "X.....X",     "X......X",    "X.......X", "X........X", "X.........X", "X......XXXXX",
    "X...X..X",    "X..XX..X",    "X.X  X..X", "XX   X..X",  "X     X..X",  "      X..X",
    "       X..X", "       X..X", "        XX"};

SDL_Cursor* make_arrow_cursor() {
  uint8_t data[32 * 4] = {};
  uint8_t mask[32 * 4] = {};
  int row = 0;
  for (const char* line : kArrowRows) {
    for (int x = 0; line[x] != '\0' && x < 32; ++x) {
      const uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
      const int at = row * 4 + x / 8;
      if (line[x] == 'X') data[at] |= bit;
      if (line[x] != ' ') mask[at] |= bit;
    }
    ++row;
  }
  return SDL_CreateCursor(data, mask, 32, 32, 0, 0);
}

void set_window_icon() {
  SDL_Surface* icon = SDL_CreateRGBSurface(SDL_SWSURFACE, 32, 32, 8, 0, 0, 0, 0);
  if (!icon) return;
  SDL_Color colours[256];
  const Palette& palette = default_palette();
  for (int i = 0; i < 256; ++i) {
    colours[i] = {red_of(palette[static_cast<size_t>(i)]),
                  green_of(palette[static_cast<size_t>(i)]),
                  blue_of(palette[static_cast<size_t>(i)]), 0};
  }
  SDL_SetColors(icon, colours, 0, 256);
  SDL_SetColorKey(icon, SDL_SRCCOLORKEY, 0);
  for (int y = 0; y < 32; ++y) {
    std::memcpy(static_cast<uint8_t*>(icon->pixels) + y * icon->pitch, kWindowIcon + y * 32, 32);
  }
  SDL_WM_SetIcon(icon, nullptr);
  SDL_FreeSurface(icon);
}

bool standard_layout(const SDL_PixelFormat* f) {
  return f->BytesPerPixel == 4 && f->Rmask == 0xFF0000u && f->Gmask == 0xFF00u && f->Bmask == 0xFFu;
}

// Copies 0x00RRGGBB pixels into a surface whose channels sit elsewhere.
void copy_shadow(const std::vector<uint32_t>& shadow, SDL_Surface* s) {
  const SDL_PixelFormat* f = s->format;
  for (int y = 0; y < s->h; ++y) {
    auto* dst = static_cast<uint8_t*>(s->pixels) + y * s->pitch;
    for (int x = 0; x < s->w; ++x) {
      const uint32_t px = shadow[static_cast<size_t>(y) * s->w + x];
      const uint32_t mapped = SDL_MapRGB(f, static_cast<uint8_t>(px >> 16),
                                         static_cast<uint8_t>(px >> 8), static_cast<uint8_t>(px));
      std::memcpy(dst + x * f->BytesPerPixel, &mapped, f->BytesPerPixel);
    }
  }
}

// The full-screen sizes SDL offers; none when it gives no list or accepts any size.
DisplayModes list_display_modes() {
  SDL_Rect** rects = SDL_ListModes(nullptr, SDL_FULLSCREEN | SDL_HWSURFACE);
  DisplayModes modes;
  if (!rects || rects == reinterpret_cast<SDL_Rect**>(static_cast<intptr_t>(-1))) return modes;
  for (; *rects; ++rects) modes.push_back({(*rects)->w, (*rects)->h});
  return modes;
}

// Once another client has destroyed the window, SDL's own shut-down would destroy it again and
// the X error that follows (reported after SDL has put back Xlib's handler, under the SDL2-based
// compatibility library) would end the process with status 1: the process then leaves the
// window's resources to the X server.
std::atomic<bool> windowStillOurs{true};

void quit_sdl() {
  if (windowStillOurs.load() && !x_connection_lost()) SDL_Quit();
}

// A key-down for a key that was let go, is up, and has no key-up waiting in the queue is a
// repeat made after the release: SDL 1.2's compatibility library over SDL2 goes on repeating a
// key pressed and released within one event pump (a quick tap). The key state and the queue are
// filled in the same pump, so a quick tap's own key-down always has its key-up behind it.
bool repeat_of_released_key(const SDL_keysym& key) {
  int count = 0;
  const Uint8* held = SDL_GetKeyState(&count);
  if (!held || static_cast<int>(key.sym) >= count || held[key.sym]) return false;
  SDL_Event waiting[128];
  const int n = SDL_PeepEvents(waiting, 128, SDL_PEEKEVENT, SDL_KEYUPMASK);
  for (int i = 0; i < n; ++i) {
    if (waiting[i].key.keysym.sym == key.sym) return false;
  }
  return true;
}

}  // namespace

void prefer_nearest_scaling() {
  setenv("SDL12COMPAT_SCALE_METHOD", "nearest", 0);
}

std::string loaded_sdl_version() {
  const SDL_version* v = SDL_Linked_Version();
  return "SDL " + std::to_string(v->major) + "." + std::to_string(v->minor) + "." +
         std::to_string(v->patch);
}

int start_sdl(bool withAudio) {
  const auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
  };
  if (!set("DISPLAY") && !set("SDL_VIDEODRIVER")) {
    std::fprintf(stderr,
                 "kelvo: no display (DISPLAY is not set); run with --headless to play "
                 "without a window\n");
    return kSdlStartExitStatus;
  }
  // Only what the game uses: SDL's timer subsystem runs a thread that wakes about a thousand
  // times a second though the game sets no SDL timer (its ticks need no subsystem), and the
  // CD-ROM subsystem reads the mount table for nothing.
  const Uint32 subsystems = SDL_INIT_VIDEO | (withAudio ? SDL_INIT_AUDIO : 0u);
  prefer_nearest_scaling();
  // Without audio output some SDL builds refuse the whole start; play on without it then.
  if (SDL_Init(subsystems) < 0 && SDL_Init(SDL_INIT_VIDEO) < 0) {
    std::fprintf(stderr, "Unable to init SDL: %s\n", SDL_GetError());
    return kSdlStartExitStatus;
  }
  std::atexit(quit_sdl);
  if (TTF_Init() < 0) {
    std::fprintf(stderr, "Unable to init the font library: %s\n", TTF_GetError());
    return 7000;
  }
  std::atexit(TTF_Quit);
  return 0;
}

SdlFrontend::SdlFrontend(Runtime& rt)
    : port_(rt.platform()), dialogs_(port_.hub(), port_.stop_flag()) {}

SdlFrontend::~SdlFrontend() {
  release_pointer();
}

void SdlFrontend::prepare_window() {
  lastLocks_ = {(SDL_GetModState() & KMOD_NUM) != 0, (SDL_GetModState() & KMOD_CAPS) != 0, false};
  port_.sync_locks(lastLocks_);
  modes_ = list_display_modes();
  desktop_ = desktop_size();
  SDL_EnableKeyRepeat(500, 30);
  keyRepeatOn_ = true;
  SDL_EnableUNICODE(1);
  set_window_icon();
  gamepad_.open();
  SDL_WM_SetCaption("Dr Kelvo", "Dr Kelvo");
  arrow_ = make_arrow_cursor();
  if (arrow_) SDL_SetCursor(arrow_);
}

void SdlFrontend::release_pointer() {
  if (!arrow_) return;
  SDL_ShowCursor(SDL_DISABLE);
  SDL_FreeCursor(arrow_);
  arrow_ = nullptr;
}

void SdlFrontend::run_loop(std::atomic<int>& closeRequested) {
  closeFlag_ = &closeRequested;
  using Steady = std::chrono::steady_clock;
  auto next = Steady::now() + kPassInterval;
  int phase = 0;
  FrameHandover& handover = port_.handover();
  // A refresh the game waits for is made at once, not at the next refresh pass up to 32 ms later.
  for (;;) {
    port_.hub().wait_until(next, [&] {
      return (handover.refresh_awaited() && !dialog_.is_open()) || dialogs_.asked() ||
             port_.exit_requested() || closeRequested.load() != 0;
    });
    if (port_.exit_requested() || closeRequested.load() != 0) return;
    if (dialogs_.asked()) open_dialog();
    refresh(false);
    const auto now = Steady::now();
    if (now < next) continue;
    next = now - next > kPassInterval ? now + kPassInterval : next + kPassInterval;
    phase ^= 1;
    if (phase == 1) {
      refresh(true);
    } else {
      events_pass(closeRequested);
      // A refresh pass would find nothing to do: the loop sleeps through it, as every wake-up
      // costs the process CPU time (about 40 us of it on a virtual machine).
      if (handover.game_refreshes()) {
        next += kPassInterval;
        phase = 1;
      }
    }
  }
}

// The game's frame, or before its first the screen as it is now when `periodic`.
void SdlFrontend::refresh(bool periodic) {
  if (dialog_.is_open()) return;
  const std::optional<bool> frameChanged = port_.handover().begin_refresh(periodic);
  if (!frameChanged) return;
  present(*frameChanged);
  port_.handover().end_refresh();
}

bool SdlFrontend::ensure_video_mode(const VideoGeometry& g, bool fullscreen) {
  if (surface_ && surface_->w == g.width && surface_->h == g.height &&
      surfaceFullscreen_ == fullscreen) {
    return true;
  }
  surface_ = SDL_SetVideoMode(g.width, g.height, 32, fullscreen ? SDL_FULLSCREEN : 0);
  surfaceFullscreen_ = fullscreen;
  port_.handover().invalidate_window();
  if (!surface_) {
    std::fprintf(stderr, "kelvo: cannot open a %dx%d %s: %s\n", g.width, g.height,
                 fullscreen ? "full screen" : "window", SDL_GetError());
    return false;
  }
  set_x11_window_hints();
  watch_window_destruction();
  if (standard_layout(surface_->format)) {
    shadow_.clear();
  } else {
    shadow_.assign(static_cast<size_t>(g.width) * g.height, 0);
  }
  return true;
}

// The refresh: takes a pending full-screen request or Alt+Enter press, sets the video mode the
// result needs and shows the frame handed over in it.
void SdlFrontend::present(bool frameChanged) {
  if (window_lost_by_now()) return;  // the next events pass closes
  FrameHandover& handover = port_.handover();
  const FrameCache& frame = handover.frame();
  const ModeChoice found = find_modes(modes_, frame.width, frame.height);
  if (handover.take_fullscreen_step(found)) fullscreen_changed();
  if (frame.width == 0) return;
  VideoGeometry g = geometry(handover.fullscreen_mode(), found, frame);
  if (!ensure_video_mode(g, handover.fullscreen_mode() != kWindowed)) {
    if (handover.fullscreen_mode() == kWindowed) return;
    // The platform refused the full-screen mode it listed: go on in the window.
    handover.fall_back_to_window();
    fullscreen_changed();
    g = geometry(kWindowed, found, frame);
    if (!ensure_video_mode(g, false)) return;
  }
  draw(frame, g, frameChanged);
}

VideoGeometry SdlFrontend::geometry(int32_t mode, const ModeChoice& found,
                                    const FrameCache& frame) const {
  if (mode != kWindowed) return video_geometry(mode, found, frame.width, frame.height);
  return scaled_window(frame.width, frame.height,
                       window_scale(chosenScale_, desktop_, frame.width, frame.height));
}

// The pointer is hidden in full screen, where nothing can be pointed at, and shown in the window.
void SdlFrontend::fullscreen_changed() {
  const int32_t mode = port_.handover().fullscreen_mode();
  SDL_ShowCursor(mode == kWindowed ? SDL_ENABLE : SDL_DISABLE);
  port_.trace("fullscreen", std::to_string(mode));
}

void SdlFrontend::draw(const FrameCache& frame, const VideoGeometry& g, bool frameChanged) {
  const bool valid = port_.handover().window_valid();
  if (!frameChanged && valid) return;
  if (SDL_MUSTLOCK(surface_) && SDL_LockSurface(surface_) < 0) return;
  FrameTarget target{static_cast<uint32_t*>(surface_->pixels), surface_->w, surface_->h,
                     surface_->pitch / 4};
  if (!shadow_.empty()) target = {shadow_.data(), surface_->w, surface_->h, surface_->w};
  if (!valid) {  // a new mode or screen: the borders around the picture must be black
    for (int y = 0; y < target.height; ++y) {
      std::memset(target.pixels + static_cast<size_t>(y) * target.pitch, 0, 4u * target.width);
    }
  }
  convert_frame(frame, target, g.scale, g.offsetX, g.offsetY);
  frame_drawn(frame, target, g);
  if (!shadow_.empty()) copy_shadow(shadow_, surface_);
  if (SDL_MUSTLOCK(surface_)) SDL_UnlockSurface(surface_);
  SDL_UpdateRect(surface_, 0, 0, 0, 0);
  port_.handover().window_drawn();
}

void SdlFrontend::show_frame() {
  port_.handover().hand_over_frame();
  pause_.hold();
  apply_keys();
}

void SdlFrontend::request_fullscreen(int target) {
  if (!keepWindow_) port_.handover().request_fullscreen(target);
}

void SdlFrontend::follow_focus() {
  const Uint8 state = SDL_GetAppState();
  const bool focused = (state & SDL_APPINPUTFOCUS) && (state & SDL_APPACTIVE);
  if (focused == keyRepeatOn_) return;
  keyRepeatOn_ = focused;
  SDL_EnableKeyRepeat(focused ? 500 : 0, focused ? 30 : 0);
}

void SdlFrontend::events_pass(std::atomic<int>& closeRequested) {
  follow_focus();
  const SDLMod mod = SDL_GetModState();
  const LockStates locks{(mod & KMOD_NUM) != 0, (mod & KMOD_CAPS) != 0, scrollLock_};
  if (!ignoreKeys_ &&
      (locks.numLock != lastLocks_.numLock || locks.capsLock != lastLocks_.capsLock ||
       locks.scrollLock != lastLocks_.scrollLock)) {
    lastLocks_ = locks;
    queue({KeyEvent::kLocks, 0, 0, locks});
  }
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (!repeat_after_release(event)) take_event(event, closeRequested);
  }
  // A window destroyed by another client is closed: the dialog, if one is open, answers as for
  // a close, and the program ends.
  if (window_lost() && !windowLossTaken_) {
    windowLossTaken_ = true;
    windowStillOurs.store(false);
    SDL_Event close{};
    close.type = SDL_QUIT;
    take_event(close, closeRequested);
  }
  refresh_paused();
}

bool SdlFrontend::repeat_after_release(const SDL_Event& event) {
  if (event.type != SDL_KEYDOWN && event.type != SDL_KEYUP) return false;
  const SDLKey sym = event.key.keysym.sym;
  if (sym <= SDLK_UNKNOWN || sym >= SDLK_LAST) return false;
  bool& letGo = keyLetGo_[static_cast<size_t>(sym)];
  if (event.type == SDL_KEYUP) {
    letGo = true;
    return false;
  }
  if (letGo && repeat_of_released_key(event.key.keysym)) return true;
  letGo = false;
  return false;
}

void SdlFrontend::take_event(const SDL_Event& event, std::atomic<int>& closeRequested) {
  if (window_destroyed(event) || dialog_event(event)) return;
  switch (event.type) {
    case SDL_KEYDOWN:
      key_pressed(event.key.keysym);
      break;
    case SDL_KEYUP:
      program_key_released(event.key.keysym);
      if (!ignoreKeys_) queue({KeyEvent::kRelease, 0, event.key.keysym.sym, {}});
      break;
    case SDL_ACTIVEEVENT:
      focus_event(event.active);
      break;
    case SDL_JOYAXISMOTION:
    case SDL_JOYHATMOTION:
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
      for (const SDL_Event& key : gamepad_.key_events(event)) take_event(key, closeRequested);
      break;
    case SDL_QUIT:
      if (deferClose_) {
        set_pause(false);  // the close waits for the next frame
        queue({KeyEvent::kClose, 0, 0, {}});
        break;
      }
      closeRequested.store(1);
      port_.hub().notify();
      break;
    default:
      break;
  }
}

void SdlFrontend::key_pressed(const SDL_keysym& key) {
  if (key.sym == SDLK_RETURN && (key.mod & KMOD_ALT)) {
    port_.handover().press_alt_enter();
    return;
  }
  if (key.sym == SDLK_SCROLLOCK) scrollLock_ = !scrollLock_;
  if (program_key(key) || ignoreKeys_) return;
  const KeyModifiers mods{(key.mod & KMOD_SHIFT) != 0, (key.mod & KMOD_CTRL) != 0,
                          (key.mod & KMOD_ALT) != 0, (key.mod & KMOD_CAPS) != 0,
                          (key.mod & KMOD_NUM) != 0};
  const int32_t code = translate_key(key.sym, key.unicode, mods);
  if (code == 0) return;
  if (key.sym == SDLK_UNKNOWN) {  // a character typed without a key: pressed and released at once
    queue({KeyEvent::kPress, code, 0, {}});
    queue({KeyEvent::kReleaseCode, code, 0, {}});
    return;
  }
  queue({KeyEvent::kPress, code, key.sym, {}});
}

void SdlFrontend::queue(const KeyEvent& event) {
  {
    std::lock_guard<std::mutex> lock(keyMutex_);
    keyEvents_.push_back(event);
  }
  port_.hub().notify();  // a paused game takes keys while it waits
}

bool SdlFrontend::keys_waiting() const {
  std::lock_guard<std::mutex> lock(keyMutex_);
  return !keyEvents_.empty();
}

bool SdlFrontend::apply_keys() {
  std::vector<KeyEvent> events;
  {
    std::lock_guard<std::mutex> lock(keyMutex_);
    events.swap(keyEvents_);
  }
  for (const KeyEvent& e : events) {
    switch (e.kind) {
      case KeyEvent::kPress:
        port_.press_key(e.code, e.platformKey, e.platformKey == sym::kPause);
        break;
      case KeyEvent::kRelease:
        port_.release_key(e.platformKey);
        break;
      case KeyEvent::kReleaseCode:
        port_.release_code(e.code);
        break;
      case KeyEvent::kLocks:
        port_.sync_locks(e.locks);
        break;
      case KeyEvent::kClose:
        port_.request_stop();
        closeFlag_->store(1);
        port_.hub().notify();
        break;
    }
  }
  return !events.empty();
}

}  // namespace kelvo
