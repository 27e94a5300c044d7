// The X11 side of the window watch: the structure events of SDL's top-level window and an error
// handler placed in front of SDL's.
#include "platform/x11_window_watch.h"

#include <SDL_syswm.h>

#include <atomic>
#include <cstring>

namespace kelvo {
namespace {

std::atomic<bool> lost{false};
std::atomic<unsigned long> watched{0};  // the window manager's window of the game
std::atomic<unsigned long> drawn{0};    // the window SDL draws into (the same or a child of it)
std::atomic<bool> connectionLost{false};
XErrorHandler sdlHandler = nullptr;
XIOErrorHandler sdlIoHandler = nullptr;
bool handlerInstalled = false;

// Drawing into, or pointing at, the game's destroyed window fails with one of these; SDL's own
// handler would end the process. Everything else, errors about other windows included (SDL2 under
// the compatibility library expects some of its own), still goes to SDL.
int on_x_error(Display* display, XErrorEvent* error) {
  const bool ours = error->resourceid != 0 &&
                    (error->resourceid == watched.load() || error->resourceid == drawn.load());
  if (ours && (error->error_code == BadWindow || error->error_code == BadDrawable)) {
    lost.store(true);
    return 0;
  }
  return sdlHandler ? sdlHandler(display, error) : 0;
}

// The X server went away (the desktop session ended): Xlib ends the process after this, and the
// exit must not hand SDL a display it can no longer talk to. SDL2's shutdown under the
// compatibility library waits for the window to unmap, for ever on a dead connection.
int on_x_io_error(Display* display) {
  connectionLost.store(true);
  return sdlIoHandler ? sdlIoHandler(display) : 0;
}

bool x11_info(SDL_SysWMinfo& info) {
  char name[16] = {};
  if (!SDL_VideoDriverName(name, sizeof name) || std::strcmp(name, "x11") != 0) return false;
  SDL_VERSION(&info.version);
  return SDL_GetWMInfo(&info) == 1 && info.subsystem == SDL_SYSWM_X11;
}

}  // namespace

void watch_window_destruction() {
  SDL_SysWMinfo info;
  if (!x11_info(info)) return;
  if (!handlerInstalled) {
    sdlHandler = XSetErrorHandler(on_x_error);
    sdlIoHandler = XSetIOErrorHandler(on_x_io_error);
    handlerInstalled = true;
  }
  SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
  Display* display = info.info.x11.display;
  // SDL 1.2 draws into a child of the window manager's window; the SDL2-based compatibility
  // library reports only the one window it draws into.
  const Window window = info.info.x11.wmwindow != 0 ? info.info.x11.wmwindow : info.info.x11.window;
  if (display == nullptr || window == 0) return;
  drawn.store(info.info.x11.window);
  info.info.x11.lock_func();
  XWindowAttributes attributes;
  // SDL chose the events it takes from this window; the destruction is added to them.
  if (XGetWindowAttributes(display, window, &attributes)) {
    XSelectInput(display, window, attributes.your_event_mask | StructureNotifyMask);
    watched.store(window);
  }
  info.info.x11.unlock_func();
}

bool window_destroyed(const SDL_Event& event) {
  if (event.type != SDL_SYSWMEVENT || event.syswm.msg == nullptr ||
      event.syswm.msg->subsystem != SDL_SYSWM_X11) {
    return false;
  }
  const XEvent& x = event.syswm.msg->event.xevent;
  if (x.type == DestroyNotify && x.xdestroywindow.window == watched.load()) lost.store(true);
  return lost.load();
}

bool window_lost() {
  return lost.load();
}

bool window_lost_by_now() {
  if (lost.load()) return true;
  if (watched.load() == 0) return false;  // no X11 window to hear of
  SDL_PumpEvents();
  SDL_Event waiting[32];
  const int n = SDL_PeepEvents(waiting, 32, SDL_PEEKEVENT, SDL_SYSWMEVENTMASK);
  for (int i = 0; i < n; ++i) window_destroyed(waiting[i]);
  return lost.load();
}

bool x_connection_lost() {
  return connectionLost.load();
}

}  // namespace kelvo
