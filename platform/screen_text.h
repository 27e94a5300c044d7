// Reading a frame's text back from its pixels: each 8 x 16 cell that shows a glyph of the
// built-in font, in whatever colour and over whatever picture, gives that character.
#pragma once

#include <string>
#include <vector>

#include "runtime/display/display.h"

namespace kelvo {

// The text rows of the frame, top to bottom, without trailing blanks. A cell reads as the glyph
// whose pixels all have one colour that the rest of the cell shows least (a few such pixels of a
// picture behind the text are allowed); glyphs of a few pixels (".", "-", ...) count only beside
// other text, where the edges of pictures cannot pass for them. Other cells read as blanks.
std::vector<std::string> frame_text_rows(const FrameCache& frame);

}  // namespace kelvo
