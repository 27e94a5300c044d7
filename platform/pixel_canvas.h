// Drawing boxes and text of the built-in 8 x 16 font on 0x00RRGGBB pixels: the error dialog and
// the pause panel are drawn with it.
#pragma once

#include <cstdint>
#include <string>

namespace kelvo {

struct PixelRect {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
  bool contains(int px, int py) const { return px >= x && py >= y && px < x + w && py < y + h; }
};

inline constexpr int kCanvasCharW = 8;
inline constexpr int kCanvasCharH = 16;

// Pixels of `width` x `height`, `pitch` pixels a line; drawing is clipped to them. Text is drawn
// with each glyph pixel as a `scale` x `scale` block.
struct PixelCanvas {
  uint32_t* pixels;
  int width;
  int height;
  int pitch;

  void fill(const PixelRect& r, uint32_t colour);
  void outline(const PixelRect& r, uint32_t colour);
  void text(int x, int y, const std::string& s, uint32_t colour, int scale = 1);
};

}  // namespace kelvo
