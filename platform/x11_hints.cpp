// _NET_WM_ICON and WM_CLASS through the X11 window that SDL reports.
#include "platform/x11_hints.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <vector>

#include "runtime/display/window_icon.h"

namespace kelvo {
namespace {

// Every size one after another, each as width, height and ARGB pixels. Format-32 properties are
// passed to Xlib as longs, whatever their width.
std::vector<unsigned long> icon_property() {
  std::vector<unsigned long> data;
  for (const int size : kIconSizes) {
    if (size > 128) break;  // a desktop scales these down well; 256 would only make it slower
    data.push_back(static_cast<unsigned long>(size));
    data.push_back(static_cast<unsigned long>(size));
    for (const uint32_t pixel : window_icon_argb(size)) data.push_back(pixel);
  }
  return data;
}

void set_hints(::Display* display, ::Window window) {
  static const std::vector<unsigned long> icon = icon_property();
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_ICON", False), XA_CARDINAL, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(icon.data()),
                  static_cast<int>(icon.size()));
  char name[] = "kelvo";
  XClassHint hint{name, name};
  XSetClassHint(display, window, &hint);
  XFlush(display);
}

}  // namespace

void set_x11_window_hints() {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWMInfo(&info) != 1 || info.subsystem != SDL_SYSWM_X11) return;
  const auto& x11 = info.info.x11;
  const ::Window window = x11.wmwindow != 0 ? x11.wmwindow : x11.window;
  if (x11.display == nullptr || window == 0) return;
  if (x11.lock_func) x11.lock_func();
  set_hints(x11.display, window);
  if (x11.unlock_func) x11.unlock_func();
}

}  // namespace kelvo
