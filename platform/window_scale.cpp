// Choosing the window's whole-pixel scale.
#include "platform/window_scale.h"

#include <SDL.h>

namespace kelvo {

DesktopSize desktop_size() {
  const SDL_VideoInfo* info = SDL_GetVideoInfo();
  if (info == nullptr) return {};
  return {info->current_w, info->current_h};
}

int window_scale(std::optional<int> chosen, DesktopSize desktop, int contentWidth,
                 int contentHeight) {
  if (chosen) return *chosen;
  // A window that fills the desktop leaves no room for its frame and the desktop's panels.
  const auto fits = [&](int scale) {
    return contentWidth * scale * 100 <= desktop.width * 85 &&
           contentHeight * scale * 100 <= desktop.height * 85;
  };
  int scale = 1;
  while (scale < kMaxWindowScale && fits(scale + 1)) ++scale;
  return scale;
}

}  // namespace kelvo
