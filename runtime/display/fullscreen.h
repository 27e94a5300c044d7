// Full-screen modes: the display-mode search, the window/stretched/4:3 decision and the geometry.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace kelvo {

// The full-screen modes.
enum FullscreenKind : int32_t { kWindowed = 0, kStretched = 1, kFourByThree = 2 };

struct DisplayMode {
  uint16_t width = 0;
  uint16_t height = 0;
  bool operator==(const DisplayMode&) const = default;
};

// The full-screen sizes the platform offers, in its order; empty when it offers none.
using DisplayModes = std::vector<DisplayMode>;

struct ModeChoice {
  std::optional<DisplayMode> bestAny;  // least waste among all qualifying modes
  std::optional<DisplayMode> best43;   // least waste among qualifying modes of ratio 4:3
};

// Content that fits within 512 by 384 is shown doubled in full screen.
bool shown_doubled(int contentWidth, int contentHeight);

// The best modes for showing content of this size; on equal waste the later mode wins.
ModeChoice find_modes(const DisplayModes& modes, int contentWidth, int contentHeight);

// The mode after a request (0, 1 or 2; anything else is none) or, without one, after one
// Alt+Enter press when `toggle` is true.
int32_t next_fullscreen_mode(int32_t mode, int32_t request, bool toggle, const ModeChoice& found);

// Where a frame goes: the video size, its integer scale and the offset of the picture.
struct VideoGeometry {
  int width = 0;
  int height = 0;
  int scale = 1;
  int offsetX = 0;
  int offsetY = 0;
  bool operator==(const VideoGeometry&) const = default;
};

// The window is the content's size; full screen is the chosen mode's size with the picture
// (doubled when small) centred. A full-screen kind without a mode falls back to the window.
VideoGeometry video_geometry(int32_t mode, const ModeChoice& found, int contentWidth,
                             int contentHeight);

// set_fullscreen's option (0 to 3) as the mode it asks for.
int32_t fullscreen_target(int32_t option);

// The full-screen kind tried when `target` could not be reached; -1 for the window.
int32_t other_fullscreen_kind(int32_t target);

}  // namespace kelvo
