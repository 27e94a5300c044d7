// Drawing the pause panel over a converted frame.
#include "platform/pause_panel.h"

#include <algorithm>

#include "platform/pixel_canvas.h"

namespace kelvo {
namespace {

constexpr int kMargin = 10;
constexpr uint32_t kFace = 0x101030;
constexpr uint32_t kEdge = 0xFFFFFF;
constexpr uint32_t kTitle = 0xFFFF55;
constexpr uint32_t kText = 0xFFFFFF;

// Halves every channel: the game's picture stays recognisable behind the panel.
void dim(const FrameTarget& target, const PixelRect& r) {
  for (int y = std::max(r.y, 0); y < std::min(r.y + r.h, target.height); ++y) {
    uint32_t* line = target.pixels + static_cast<size_t>(y) * target.pitch;
    for (int x = std::max(r.x, 0); x < std::min(r.x + r.w, target.width); ++x) {
      line[x] = (line[x] >> 1) & 0x7F7F7F;
    }
  }
}

}  // namespace

const std::vector<std::string>& pause_panel_lines() {
  static const std::vector<std::string> lines = {
      "PAUSED",
      "",
      "P          resume",
      "Shift+Q    abandon the game",
      "Escape     quit",
      "M          sound on/off",
      "F12        screenshot",
      "Alt+Enter  full screen",
  };
  return lines;
}

void draw_pause_panel(const FrameTarget& target, const VideoGeometry& g, int contentWidth,
                      int contentHeight) {
  const int s = g.scale;
  dim(target, {g.offsetX, g.offsetY, contentWidth * s, contentHeight * s});
  const auto& lines = pause_panel_lines();
  size_t longest = 0;
  for (const auto& line : lines) longest = std::max(longest, line.size());
  const int w = static_cast<int>(longest) * kCanvasCharW + 2 * kMargin;
  const int h = static_cast<int>(lines.size()) * kCanvasCharH + 2 * kMargin;
  const PixelRect box{g.offsetX + (contentWidth - w) / 2 * s,
                      g.offsetY + (contentHeight - h) / 2 * s, w * s, h * s};
  PixelCanvas canvas{target.pixels, target.width, target.height, target.pitch};
  canvas.fill(box, kFace);
  for (int k = 0; k < s; ++k)
    canvas.outline({box.x + k, box.y + k, box.w - 2 * k, box.h - 2 * k}, kEdge);
  int y = box.y + kMargin * s;
  for (size_t i = 0; i < lines.size(); ++i, y += kCanvasCharH * s) {
    const int x = i == 0
                      ? box.x + (box.w - static_cast<int>(lines[i].size()) * kCanvasCharW * s) / 2
                      : box.x + kMargin * s;
    canvas.text(x, y, lines[i], i == 0 ? kTitle : kText, s);
  }
}

}  // namespace kelvo
