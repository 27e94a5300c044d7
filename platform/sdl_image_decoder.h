// The picture decoder of load_image, built on SDL_image.
#pragma once

#include "runtime/display/image_decoder.h"

namespace kelvo {

// Decodes with IMG_Load; needs no video mode, so headless runs use it too.
class SdlImageDecoder : public ImageDecoder {
 public:
  std::optional<DecodedPicture> decode(const std::string& name) override;
};

}  // namespace kelvo
