// Text read back from a frame by matching its cells against the built-in 8 x 16 font.
#include "platform/screen_text.h"

#include <cstring>

#include "runtime/display/fonts.h"

namespace kelvo {
namespace {

constexpr int kCellHeight = 16;
constexpr int kThinInk = 10;

uint32_t pixel_at(const FrameCache& frame, int x, int y) {
  const size_t at = static_cast<size_t>(y) * frame.width + x;
  if (frame.bytesPerPixel == 1) return frame.pixels[at];
  uint32_t value = 0;
  std::memcpy(&value, &frame.pixels[4 * at], 4);
  return value;
}

// Whether glyph c stands in the cell whose top left pixel is (x0, y0).
bool shows_glyph(const FrameCache& frame, int x0, int y0, int c) {
  const uint8_t* glyph = font_8x16_table().data() + c * kGlyphWidth * kCellHeight;
  bool inkFound = false;
  uint32_t ink = 0;
  for (int i = 0; i < kGlyphWidth * kCellHeight; ++i) {
    if (glyph[i] == 0) continue;
    const uint32_t p = pixel_at(frame, x0 + i % kGlyphWidth, y0 + i / kGlyphWidth);
    if (inkFound && p != ink) return false;
    ink = p;
    inkFound = true;
  }
  if (!inkFound) return false;
  for (int i = 0; i < kGlyphWidth * kCellHeight; ++i) {
    if (glyph[i] == 0 && pixel_at(frame, x0 + i % kGlyphWidth, y0 + i / kGlyphWidth) == ink) {
      return false;
    }
  }
  return true;
}

char cell_character(const FrameCache& frame, int x0, int y0) {
  for (int c = 33; c < 127; ++c) {
    if (shows_glyph(frame, x0, y0, c)) return static_cast<char>(c);
  }
  return ' ';
}

// Glyphs of a few pixels (".", ",", "-", "_", ":", "'") that a picture's edges can mimic.
bool thin(char c) {
  const uint8_t* glyph = font_8x16_table().data() + c * kGlyphWidth * kCellHeight;
  int ink = 0;
  for (int i = 0; i < kGlyphWidth * kCellHeight; ++i) ink += glyph[i] != 0;
  return ink < kThinInk;
}

// A thin glyph counts only beside other text: within two cells of a glyph that is not thin.
void drop_lone_thin_glyphs(std::string& line) {
  const std::string read = line;
  for (size_t i = 0; i < read.size(); ++i) {
    if (read[i] == ' ' || !thin(read[i])) continue;
    bool besideText = false;
    for (size_t j = i < 2 ? 0 : i - 2; j <= i + 2 && j < read.size(); ++j) {
      besideText = besideText || (read[j] != ' ' && !thin(read[j]));
    }
    if (!besideText) line[i] = ' ';
  }
}

}  // namespace

std::vector<std::string> frame_text_rows(const FrameCache& frame) {
  std::vector<std::string> rows;
  for (int y = 0; y + kCellHeight <= frame.height; y += kCellHeight) {
    std::string line;
    for (int x = 0; x + kGlyphWidth <= frame.width; x += kGlyphWidth) {
      line += cell_character(frame, x, y);
    }
    drop_lone_thin_glyphs(line);
    while (!line.empty() && line.back() == ' ') line.pop_back();
    rows.push_back(line);
  }
  return rows;
}

}  // namespace kelvo
