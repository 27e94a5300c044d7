// Bayer thresholds and dithered gradients.
#include "tools/dither.h"

#include <vector>

namespace kelvo::assets {

double bayer(int x, int y) {
  static constexpr int kMatrix[8][8] = {
      {0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26},
      {12, 44, 4, 36, 14, 46, 6, 38}, {60, 28, 52, 20, 62, 30, 54, 22},
      {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
      {15, 47, 7, 39, 13, 45, 5, 37}, {63, 31, 55, 23, 61, 29, 53, 21}};
  return (kMatrix[y & 7][x & 7] + 0.5) / 64.0;
}

void vertical_gradient(Canvas& c, int y0, int y1, std::initializer_list<GradientStop> stops) {
  const std::vector<GradientStop> s(stops);
  for (int y = y0; y <= y1; ++y) {
    const double f = y1 > y0 ? double(y - y0) / (y1 - y0) : 0.0;
    size_t i = 0;
    while (i + 2 < s.size() && f > s[i + 1].at) ++i;
    const double span = s[i + 1].at - s[i].at;
    double t = span > 0 ? (f - s[i].at) / span : 0.0;
    if (t < 0) t = 0;
    if (t > 1) t = 1;
    for (int x = 0; x < c.width(); ++x) c.set(x, y, dither(s[i].colour, s[i + 1].colour, t, x, y));
  }
}

}  // namespace kelvo::assets
