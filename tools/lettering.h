// A 5 by 7 capital font for the contact sheet's labels and the big lettering of the screens.
#pragma once

#include <cstdint>
#include <string_view>

#include "tools/canvas.h"

namespace kelvo::assets {

inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 7;

// Glyph mask for a character (lower case is drawn as capitals); unknown characters are blank.
const char* const* glyph_rows(char c);

// Draws text with each glyph pixel as a `scale` by `scale` block; 1 blank column between glyphs.
// Returns the width used.
int draw_text(Canvas& canvas, int x, int y, std::string_view text, uint8_t colour, int scale = 1);
int text_width(std::string_view text, int scale = 1);

}  // namespace kelvo::assets
