// The size of a picture as its file's header gives it, read before any decoding, so that a tiny
// file claiming a huge picture is refused before memory is spent on it.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kelvo {

struct PictureSize {
  int64_t width = 0;
  int64_t height = 0;
};

// The largest picture load_image decodes: 8192 pixels a side and 16,777,216 pixels in all.
constexpr int64_t kMaxPictureSide = 8192;
constexpr int64_t kMaxPicturePixels = int64_t{4096} * 4096;

// The picture formats SDL_image reads.
enum class PictureFormat {
  kTga,
  kIcon,
  kBmp,
  kGif,
  kJpeg,
  kLbm,
  kPcx,
  kPng,
  kPnm,
  kTiff,
  kXcf,
  kXpm,
  kXv,
  kWebp
};

// The format SDL_image reads the file `bytes` as: by its content, tried in SDL_image's order, or
// TGA when the file name's `extension` says so. Nothing for any other file.
std::optional<PictureFormat> picture_format(std::string_view bytes, std::string_view extension);

// The formats whose readers hold up against broken files: those of libpng, libjpeg, libtiff and
// libwebp, and SDL_image's BMP reader. SDL_image's own readers of the others crash (XPM), ask for
// absurd memory (PCX) or never end (GIF) on files a fuzzer makes in seconds.
bool sturdy_picture_format(PictureFormat format);

// The size in the header of the file `bytes`, for every format SDL_image tells apart by its
// content (ICO and CUR, BMP, GIF, JPEG, LBM, PCX, PNG, PNM, TIFF, XCF, XPM, XV, WebP) and for
// TGA, which it reads only when the file name's `extension` says so. The largest size the file
// names counts (a GIF's screen or first image, an icon's largest entry). Nothing when the format
// is none of these or its header is cut short.
std::optional<PictureSize> picture_size(std::string_view bytes, std::string_view extension);

// True when the size is at least 1 by 1 and within the limits above.
bool picture_size_allowed(const PictureSize& size);

}  // namespace kelvo
