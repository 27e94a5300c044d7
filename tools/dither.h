// Ordered dithering and a small seeded random generator, so that every picture is reproducible.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "tools/canvas.h"

namespace kelvo::assets {

// Threshold of the 8 by 8 Bayer matrix at (x, y), in (0, 1).
double bayer(int x, int y);

// Picks between two colours so that, over an area, a share `t` of the pixels takes `b`.
inline uint8_t dither(uint8_t a, uint8_t b, double t, int x, int y) {
  return t > bayer(x, y) ? b : a;
}

struct GradientStop {
  double at;  // 0 at the top of the span, 1 at the bottom
  uint8_t colour;
};

// Fills rows y0..y1 of the canvas with a dithered vertical gradient through the stops.
void vertical_gradient(Canvas& c, int y0, int y1, std::initializer_list<GradientStop> stops);

// xorshift32: the same seed always gives the same sequence.
class Rng {
 public:
  explicit Rng(uint32_t seed) : state_(seed ? seed : 1) {}
  uint32_t next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  int below(int n) { return static_cast<int>(next() % static_cast<uint32_t>(n)); }

 private:
  uint32_t state_;
};

}  // namespace kelvo::assets
