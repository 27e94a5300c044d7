// The copy of the last frame shown and its conversion to 32 bits.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "runtime/display/image.h"

namespace kelvo {

// The last frame taken from the screen: indexed pixels with their palette, or 32-bit pixels.
struct FrameCache {
  int width = 0;
  int height = 0;
  int bytesPerPixel = 1;
  std::vector<uint8_t> pixels;
  Palette palette{};
};

// Where a converted frame goes: 0x00RRGGBB pixels, `pitch` pixels per line.
struct FrameTarget {
  uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int pitch = 0;
};

// The copy of the screen last shown, kept so that an unchanged frame is not drawn again.
class FrameCopy {
 public:
  // Copies the screen into the cache when it differs from it; true when it did.
  bool take_frame(const Image& screen);
  // The last frame taken; a deferred one is taken now.
  const FrameCache& frame() {
    if (deferred_) take_frame(*std::exchange(deferred_, nullptr));
    return cache_;
  }
  // For a frame that nothing may read (a headless run without screenshots): the screen as shown
  // is taken only if frame() is asked for before end_deferral, while the screen is unchanged.
  void defer_frame(const Image& screen) { deferred_ = &screen; }
  // Writes only what defer_frame set: a window run, whose main thread reads frames, never does.
  void end_deferral() {
    if (deferred_) deferred_ = nullptr;
  }

 private:
  FrameCache cache_;
  FrameCache scratch_;
  const Image* deferred_ = nullptr;
};

// Writes the frame at (offsetX, offsetY) of the target, each pixel `scale` times in both
// directions, through the frame's palette when it is indexed.
void convert_frame(const FrameCache& frame, const FrameTarget& target, int scale, int offsetX,
                   int offsetY);

}  // namespace kelvo
