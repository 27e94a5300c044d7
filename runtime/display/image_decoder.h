// The decoder interface through which load_image reads picture files; the platform supplies it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "runtime/display/default_palette.h"

namespace kelvo {

// A decoded picture. `argb` always holds every pixel as 0xAARRGGBB, rows top to bottom without
// padding; pixels the file marks as transparent come out with alpha 0. An 8-bit indexed picture
// also keeps its index rows and the colours of its palette.
struct DecodedPicture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> argb;
  bool indexed = false;
  std::vector<uint8_t> indexes;  // width * height when indexed
  int colourCount = 0;           // palette entries the file defines (at most 256)
  Palette palette{};             // 0xFFRRGGBB for the first colourCount entries
};

class ImageDecoder {
 public:
  virtual ~ImageDecoder() = default;
  // Decodes the file `name` (relative to the working directory; "\" separates directories as "/"
  // does). Nothing when the file is missing, unreadable or not a picture.
  virtual std::optional<DecodedPicture> decode(const std::string& name) = 0;
};

}  // namespace kelvo
