// The picture decoder of load_image, built on SDL_image.
#pragma once

#include <string>
#include <string_view>

#include "runtime/display/image_decoder.h"

namespace kelvo {

// The largest picture file read.
constexpr size_t kMaxPictureFileBytes = size_t{64} << 20;

// Decodes a picture file's bytes as IMG_Load decodes a file whose name ends in `.extension`,
// when its format is a sturdy one and its header's size passes picture_size_allowed.
std::optional<DecodedPicture> decode_picture(std::string_view bytes, std::string_view extension);

// The file a picture name stands for: "\" separates directories as "/" does.
std::string picture_path(const std::string& name);

// Reads regular files of at most kMaxPictureFileBytes and decodes them with decode_picture; needs
// no video mode, so headless runs use it too.
class SdlImageDecoder : public ImageDecoder {
 public:
  std::optional<DecodedPicture> decode(const std::string& name) override;
};

}  // namespace kelvo
