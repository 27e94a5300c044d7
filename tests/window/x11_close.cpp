// Asks an X window, found by its title, to close, as a window manager's close button does; with
// --destroy destroys it instead, as a misbehaving client may.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstring>

namespace {

Window find_window(Display* display, Window window, const char* title) {
  char* name = nullptr;
  if (XFetchName(display, window, &name) && name) {
    const bool match = std::strcmp(name, title) == 0;
    XFree(name);
    if (match) return window;
  }
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  Window found = 0;
  if (XQueryTree(display, window, &root, &parent, &children, &count)) {
    for (unsigned i = 0; i < count && !found; ++i) found = find_window(display, children[i], title);
    if (children) XFree(children);
  }
  return found;
}

}  // namespace

int main(int argc, char** argv) {
  const bool destroy = argc == 3 && std::strcmp(argv[1], "--destroy") == 0;
  if (argc != 2 && !destroy) {
    std::fprintf(stderr, "usage: x11_close [--destroy] TITLE\n");
    return 2;
  }
  const char* title = argv[argc - 1];
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 2;
  const Window window = find_window(display, DefaultRootWindow(display), title);
  if (!window) {
    std::fprintf(stderr, "x11_close: no window titled %s\n", title);
    return 1;
  }
  if (destroy) {
    XDestroyWindow(display, window);
    XCloseDisplay(display);
    return 0;
  }
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XFlush(display);
  XCloseDisplay(display);
  return 0;
}
