// The image record: pixels, palette, colours and text state of one image in the image table.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "runtime/display/default_palette.h"

namespace kelvo {

enum ImageFlags : uint32_t {
  kOwnsPalette = 1u << 0,
  kScreenPage = 1u << 1,
  kOwnsPixels = 1u << 2,
};

// Print modes stored in an image (what set_print_mode's options 1, 2, 3 select).
enum PrintMode : uint8_t {
  kPrintGlyphOnly = 1,       // glyph pixels in the foreground; the cell keeps its pixels
  kPrintBackgroundOnly = 2,  // only the pixels outside the glyph, in the background colour
  kPrintFillCell = 3,        // glyph in the foreground, the rest of the cell in the background
};

struct Image {
  uint8_t inUse = 0;
  uint8_t isText = 0;
  uint16_t width = 0;   // pixels, or columns of a text image
  uint16_t height = 0;  // pixels, or rows of a text image
  uint8_t bytesPerPixel = 0;
  uint8_t bitsPerPixel = 0;
  uint32_t colourMask = 0;
  uint16_t mode = 0;  // 256, 32, 0 (text) or a legacy screen mode
  uint32_t foreground = 0;
  uint32_t background = 0;
  uint32_t drawColour = 0;
  uint32_t font = 0;
  int16_t textTop = 1;
  int16_t textBottom = 1;
  int16_t cursorColumn = 1;
  int16_t cursorRow = 1;
  uint8_t cursorVisible = 0;
  uint8_t cursorStart = 0;
  uint8_t cursorEnd = 0;
  // width * height * bytesPerPixel bytes, rows top to bottom without padding. A page that does not
  // own its pixels never exists in this runtime, so the vector always owns them.
  std::vector<uint8_t> pixels;
  uint32_t flags = 0;
  // 256 entries of 0xAARRGGBB; shared between a screen's pages, absent for 32-bit images.
  std::shared_ptr<Palette> palette;
  int32_t clearColour = -1;
  uint8_t noBlend = 0;
  uint8_t newlinePending = 0;
  uint8_t printMode = kPrintFillCell;
  int32_t viewLeft = 0;
  int32_t viewTop = 0;
  int32_t viewRight = 0;
  int32_t viewBottom = 0;
  float graphicsX = 0;
  float graphicsY = 0;

  bool indexed() const { return palette != nullptr && !isText; }
  uint8_t* row(int y) { return pixels.data() + static_cast<size_t>(y) * width * bytesPerPixel; }
  const uint8_t* row(int y) const {
    return pixels.data() + static_cast<size_t>(y) * width * bytesPerPixel;
  }
};

}  // namespace kelvo
