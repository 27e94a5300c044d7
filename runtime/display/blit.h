// put_image: clipped, optionally stretched and mirrored copies between images.
#pragma once

#include <cstdint>

#include "runtime/display/image_table.h"
#include "runtime/services/errors.h"

namespace kelvo {

// Bits of put_image's `passed` mask: which corners and handles were given.
enum PutImagePassed : uint32_t {
  kPutCorner1 = 1,         // destination corner (x1, y1)
  kPutCorner2 = 2,         // destination corner (x2, y2)
  kPutSource = 4,          // source handle
  kPutDestination = 8,     // destination handle
  kPutSourceCorner1 = 16,  // source corner (sx1, sy1)
  kPutSourceCorner2 = 32,  // source corner (sx2, sy2)
};

struct PutImageArgs {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  int32_t source = 0;
  int32_t destination = 0;
  double sx1 = 0, sy1 = 0, sx2 = 0, sy2 = 0;
  uint32_t passed = 0;
};

// Draws the source image (or the current source) onto the destination image (or the current
// destination). 8-bit onto 8-bit copies palette indexes and skips the source's clear colour;
// 8-bit onto 32-bit goes through the source palette; 32-bit onto 32-bit blends by alpha unless
// the destination's noBlend is set. Raises 5 for text images, 32-bit onto 8-bit, an image onto
// itself and a source corner without a second corner; 258 for bad handles.
void put_image(ImageTable& table, Errors& errors, const PutImageArgs& args);

// Whether put_image with these arguments would write every pixel of its destination with a source
// pixel, so that whatever the destination held before cannot show: the whole-image form at a
// point, an 8-bit source without clear colour onto the 8-bit destination image, covering it.
// Raises nothing; false for anything else, also where put_image would raise an error.
bool covers_destination(ImageTable& table, const Errors& errors, const PutImageArgs& args);

// Copies n bytes from src to dst, leaving dst unchanged where src holds `key`.
void copy_keyed_row(uint8_t* dst, const uint8_t* src, size_t n, uint8_t key);

}  // namespace kelvo
