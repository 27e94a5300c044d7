// load_image: decoding picture files and matching them into the destination's palette.
#pragma once

#include <cstdint>
#include <string_view>
#include <unordered_map>

#include "runtime/display/image_decoder.h"
#include "runtime/display/image_table.h"
#include "runtime/services/errors.h"

namespace kelvo {

// Nearest palette indexes found so far, kept from one load to the next: the pictures of a game
// share most of their colours, and a search runs through the whole palette.
class ColourMatches {
 public:
  // Matches against the first `count` entries of `palette` from now on; what was found against
  // other colours is forgotten.
  void use_palette(const Palette& palette, int count);
  // nearest_index of the colour (its low 24 bits) in the palette in use.
  uint8_t nearest(uint32_t colour, int excluded);

 private:
  uint8_t search(uint32_t rgb, int excluded);

  Palette palette_{};
  int count_ = -1;
  std::unordered_map<uint64_t, uint8_t> known_;
};

// Loads the picture file `name` as a new image and returns its handle; -1 when the name is empty,
// the file cannot be decoded or the image cannot be made; 0 when an error was raised or pending.
// Without a mode (bit 0 of `passed` clear) the image matches the destination: an indexed
// destination gets an image of palette indexes (nearest colours, a least-used clear index for
// transparent pixels). Mode 256 keeps an 8-bit picture's own indexes and palette; mode 32 keeps
// its ARGB pixels. A null decoder decodes nothing. `matches`, when given, keeps the colour
// matches for the next loads.
int32_t load_image(ImageTable& table, Errors& errors, ImageDecoder* decoder, std::string_view name,
                   int32_t mode, uint32_t passed, ColourMatches* matches = nullptr);

// Colour distance of two 0xAARRGGBB colours: the sum of the channel differences (alpha ignored).
int colour_distance(uint32_t a, uint32_t b);

// The index among 0 to count - 1, `excluded` left out (-1 leaves none out), of least distance to
// `colour`; the lowest index wins among equals.
int nearest_index(const Palette& palette, int count, uint32_t colour, int excluded);

}  // namespace kelvo
