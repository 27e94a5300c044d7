// Text read back from a frame by matching its cells against the built-in 8 x 16 font.
#include "platform/screen_text.h"

#include <cstring>
#include <optional>
#include <vector>

#include "runtime/display/fonts.h"

namespace kelvo {
namespace {

constexpr int kCellHeight = 16;
constexpr int kThinInk = 10;
// Pixels of the text colour that the picture behind a glyph may show in its cell.
constexpr int kMostStrayInk = 12;

uint32_t pixel_at(const FrameCache& frame, int x, int y) {
  const size_t at = static_cast<size_t>(y) * frame.width + x;
  if (frame.bytesPerPixel == 1) return frame.pixels[at];
  uint32_t value = 0;
  std::memcpy(&value, &frame.pixels[4 * at], 4);
  return value;
}

const uint8_t* glyph_of(int c) {
  return font_8x16_table().data() + c * kGlyphWidth * kCellHeight;
}

// How many pixels outside glyph c have the colour that all its pixels share in the cell at
// (x0, y0); -1 when its pixels differ in colour.
int stray_ink(const FrameCache& frame, int x0, int y0, int c) {
  const uint8_t* glyph = glyph_of(c);
  std::optional<uint32_t> ink;
  for (int i = 0; i < kGlyphWidth * kCellHeight; ++i) {
    if (glyph[i] == 0) continue;
    const uint32_t p = pixel_at(frame, x0 + i % kGlyphWidth, y0 + i / kGlyphWidth);
    if (ink && p != *ink) return -1;
    ink = p;
  }
  if (!ink) return -1;
  int stray = 0;
  for (int i = 0; i < kGlyphWidth * kCellHeight; ++i) {
    stray += glyph[i] == 0 && pixel_at(frame, x0 + i % kGlyphWidth, y0 + i / kGlyphWidth) == *ink;
  }
  return stray;
}

// The glyph whose pixels share one colour that the rest of the cell shows least: a picture behind
// glyph-only text may hold a few pixels of the text's colour, but a glyph contained in the one
// drawn leaves that one's other pixels outside it.
char cell_character(const FrameCache& frame, int x0, int y0) {
  char best = ' ';
  int fewest = kMostStrayInk + 1;
  for (int c = 33; c < 127; ++c) {
    const int stray = stray_ink(frame, x0, y0, c);
    if (stray >= 0 && stray < fewest) {
      best = static_cast<char>(c);
      fewest = stray;
    }
  }
  return best;
}

// Glyphs of a few pixels (".", ",", "-", "_", ":", "'") that a picture's edges can mimic.
bool thin(char c) {
  const uint8_t* glyph = glyph_of(static_cast<uint8_t>(c));
  int ink = 0;
  for (int i = 0; i < kGlyphWidth * kCellHeight; ++i) ink += glyph[i] != 0;
  return ink < kThinInk;
}

// A thin glyph counts only beside other text: within two cells of a glyph that is not thin, or
// next to a thin glyph that counts ("...").
void drop_lone_thin_glyphs(std::string& line) {
  const auto counts = [&line](size_t i) { return line[i] != ' ' && !thin(line[i]); };
  std::vector<bool> kept(line.size());
  for (size_t i = 0; i < line.size(); ++i) {
    for (size_t j = i < 2 ? 0 : i - 2; j <= i + 2 && j < line.size(); ++j) {
      kept[i] = kept[i] || (line[i] != ' ' && counts(j));
    }
  }
  for (bool grew = true; grew;) {
    grew = false;
    for (size_t i = 0; i < line.size(); ++i) {
      const bool besideKept = (i > 0 && kept[i - 1]) || (i + 1 < line.size() && kept[i + 1]);
      if (!kept[i] && line[i] != ' ' && besideKept) kept[i] = grew = true;
    }
  }
  for (size_t i = 0; i < line.size(); ++i) {
    if (!kept[i]) line[i] = ' ';
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
