// The decoder interface through which load_image reads picture files; the platform supplies it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "runtime/display/default_palette.h"

namespace kelvo {

// A decoded picture, rows top to bottom without padding, each pixel as 0xAARRGGBB; pixels the
// file marks as transparent come out with alpha 0. A picture that is not indexed holds them in
// `argb`. An 8-bit indexed picture keeps its index rows, the colours of its palette and what each
// of the 256 index values shows: a pixel is one byte, not four, and transparency is a property of
// its index.
struct DecodedPicture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> argb;  // width * height unless indexed
  bool indexed = false;
  std::vector<uint8_t> indexes;             // width * height when indexed
  std::array<uint32_t, 256> argbOfIndex{};  // when indexed
  int colourCount = 0;                      // palette entries the file defines (at most 256)
  Palette palette{};                        // 0xFFRRGGBB for the first colourCount entries

  uint32_t argb_at(size_t pixel) const {
    return indexed ? argbOfIndex[indexes[pixel]] : argb[pixel];
  }
  size_t pixel_count() const { return indexed ? indexes.size() : argb.size(); }
};

class ImageDecoder {
 public:
  virtual ~ImageDecoder() = default;
  // Decodes the file `name` (relative to the working directory; "\" separates directories as "/"
  // does). Nothing when the file is missing, unreadable or not a picture.
  virtual std::optional<DecodedPicture> decode(const std::string& name) = 0;
};

}  // namespace kelvo
