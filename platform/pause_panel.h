// The "PAUSED" panel drawn over the frame on view while the game is paused: it lists the keys.
#pragma once

#include <string>
#include <vector>

#include "runtime/display/display.h"
#include "runtime/display/fullscreen.h"

namespace kelvo {

// The panel's text, one line each: the title, then the keys and what they do.
const std::vector<std::string>& pause_panel_lines();

// Dims the picture that `g` places in `target` (content of `contentWidth` x `contentHeight`) and
// draws the panel at its centre, at the picture's scale.
void draw_pause_panel(const FrameTarget& target, const VideoGeometry& g, int contentWidth,
                      int contentHeight);

}  // namespace kelvo
