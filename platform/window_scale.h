// The window's size: the game's picture enlarged by whole pixels, as the player chose with
// --scale or as large as the desktop comfortably holds.
#pragma once

#include <optional>

#include "runtime/display/fullscreen.h"

namespace kelvo {

inline constexpr int kMaxWindowScale = 8;

struct DesktopSize {
  int width = 0;  // 0: unknown
  int height = 0;
};

// The desktop's size as SDL reports it before the first video mode is set.
DesktopSize desktop_size();

// The scale `chosen`, else the largest (at most kMaxWindowScale) whose window stays within 85 %
// of the desktop's width and height; 1 when even that does not fit or the desktop is unknown.
int window_scale(std::optional<int> chosen, DesktopSize desktop, int contentWidth,
                 int contentHeight);

// The window for content shown at `scale`: the picture fills it.
inline VideoGeometry scaled_window(int contentWidth, int contentHeight, int scale) {
  return {contentWidth * scale, contentHeight * scale, scale, 0, 0};
}

}  // namespace kelvo
