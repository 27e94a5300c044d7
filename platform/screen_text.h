// Reading a frame's text back from its pixels: each 8 x 16 cell that shows a glyph of the
// built-in font, in whatever colour and over whatever picture, gives that character.
#pragma once

#include <string>
#include <vector>

#include "runtime/display/display.h"

namespace kelvo {

// The text rows of the frame, top to bottom, without trailing blanks. A cell reads as a character
// when every pixel of its glyph has one colour and no other pixel of the cell has that colour;
// cells that show no glyph read as blanks.
std::vector<std::string> frame_text_rows(const FrameCache& frame);

}  // namespace kelvo
