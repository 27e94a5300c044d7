// Text output on an image: cursor rules, printing with the built-in fonts, locate and clear.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace kelvo {

class Errors;
struct Image;

// What the bell character (byte 7) needs from the rest of the runtime.
struct TextHooks {
  // Puts a tone on the tone queue: frequency in Hz, length in the tone generator's units.
  std::function<void(double frequency, double length)> beep;
  // Pauses the game thread after the beep; a real sleep when not set.
  std::function<void(std::chrono::milliseconds)> sleep;
};

// Bits of locate's `passed` mask.
enum LocatePassed : uint32_t {
  kLocateRow = 1u << 0,
  kLocateColumn = 1u << 1,
  kLocateShown = 1u << 2,
  kLocateShape = 1u << 3,
};

// Bits of clear_screen's `passed` mask.
enum ClearPassed : uint32_t {
  kClearMethod = 1u << 0,
  kClearColour = 1u << 1,
};

// Text columns and rows of an image: cells of its font on a graphics image (an unknown font
// number counts as font 16), its own size on a text image.
int text_columns(const Image& image);
int text_rows(const Image& image);

// Draws c in the cell under the cursor by the image's print mode; the cursor does not move.
void draw_character(Image& image, uint8_t c);

// Moves to column 1 of the next row, scrolling the text view up one row past its bottom.
void line_feed(Image& image);

// Starts a new line first when the whole text would not fit on the rest of the current one.
void print_wrap_check(Image& image, Errors& errors, std::string_view text);

// Prints the bytes of text at the cursor, then a line feed when newline is not 0. A text that
// ends exactly at the right edge without newline postpones its line feed (newlinePending).
void print_text(Image& image, Errors& errors, std::string_view text, uint32_t newline,
                const TextHooks& hooks = {});

// Moves the cursor (1-based row and column) and sets the cursor's look; arguments whose bit is
// missing from `passed` keep their value. Out-of-range values raise 5 and change nothing.
void locate(Image& image, Errors& errors, int32_t row, int32_t column, int32_t shown, int32_t start,
            int32_t end, uint32_t passed);

// Fills the image (method 0 or 1) or the text view's rows (method 2) with the colour, the
// background when no colour is passed, and puts the text cursor at the top of the text view.
void clear_screen(Image& image, Errors& errors, int32_t method, int32_t colour, uint32_t passed);

// The pixel lines [firstLine, endLine) of an image in one colour (cells of it on a text image).
struct ScreenFill {
  int firstLine = 0;
  int endLine = 0;
  uint32_t colour = 0;
};

// clear_screen in two steps, for a caller that may find the fill overwritten before anything
// reads it: the checks and the cursors, which give the fill to make (none after an error)...
std::optional<ScreenFill> clear_screen_cursors(Image& image, Errors& errors, int32_t method,
                                               int32_t colour, uint32_t passed);
// ...and the fill itself.
void fill_screen(Image& image, const ScreenFill& fill);

// Renders a text image's cells (character, attribute) into 8-bit pixels with the 8 x 16 font:
// width * 8 by height * 16 pixels, `pitch` bytes per output line. The attribute's low nibble is
// the foreground, bits 4 to 6 the background.
void render_text_image(const Image& text, uint8_t* out, size_t pitch);

}  // namespace kelvo
