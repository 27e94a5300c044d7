// Boxes and built-in-font text on 0x00RRGGBB pixels.
#include "platform/pixel_canvas.h"

#include <algorithm>

#include "runtime/display/fonts.h"

namespace kelvo {

void PixelCanvas::fill(const PixelRect& r, uint32_t colour) {
  for (int y = std::max(r.y, 0); y < std::min(r.y + r.h, height); ++y) {
    uint32_t* line = pixels + static_cast<size_t>(y) * pitch;
    std::fill(line + std::max(r.x, 0), line + std::max(std::min(r.x + r.w, width), 0), colour);
  }
}

void PixelCanvas::outline(const PixelRect& r, uint32_t colour) {
  fill({r.x, r.y, r.w, 1}, colour);
  fill({r.x, r.y + r.h - 1, r.w, 1}, colour);
  fill({r.x, r.y, 1, r.h}, colour);
  fill({r.x + r.w - 1, r.y, 1, r.h}, colour);
}

void PixelCanvas::text(int x, int y, const std::string& s, uint32_t colour, int scale) {
  const auto& font = font_8x16_table();
  for (unsigned char c : s) {
    const uint8_t* glyph = font.data() + static_cast<size_t>(c) * kCanvasCharW * kCanvasCharH;
    for (int gy = 0; gy < kCanvasCharH; ++gy) {
      for (int gx = 0; gx < kCanvasCharW; ++gx) {
        if (glyph[gy * kCanvasCharW + gx] != 0) {
          fill({x + gx * scale, y + gy * scale, scale, scale}, colour);
        }
      }
    }
    x += kCanvasCharW * scale;
  }
}

}  // namespace kelvo
