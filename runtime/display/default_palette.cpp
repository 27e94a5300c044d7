// Builds the VGA start-up palette from its 6-bit levels.
#include "runtime/display/default_palette.h"

namespace kelvo {
namespace {

constexpr uint32_t widen(int level6) {
  return static_cast<uint32_t>((level6 * 255 + 31) / 63);
}

constexpr uint32_t rgb6(int r, int g, int b) {
  return 0xFF000000u | widen(r) << 16 | widen(g) << 8 | widen(b);
}

// One block of 24 hues walks the colour circle from blue through magenta, red, yellow, green and
// cyan, with `lv` giving the five channel levels from the block's minimum to its maximum.
void fill_hue_block(Palette& p, int first, const int (&lv)[5]) {
  const int lo = lv[0];
  const int hi = lv[4];
  int i = first;
  for (int k = 0; k < 4; ++k) p[i++] = rgb6(lv[k], lo, hi);  // blue -> magenta
  for (int k = 4; k > 0; --k) p[i++] = rgb6(hi, lo, lv[k]);  // magenta -> red
  for (int k = 0; k < 4; ++k) p[i++] = rgb6(hi, lv[k], lo);  // red -> yellow
  for (int k = 4; k > 0; --k) p[i++] = rgb6(lv[k], hi, lo);  // yellow -> green
  for (int k = 0; k < 4; ++k) p[i++] = rgb6(lo, hi, lv[k]);  // green -> cyan
  for (int k = 4; k > 0; --k) p[i++] = rgb6(lo, lv[k], hi);  // cyan -> blue
}

Palette build() {
  Palette p{};
  static constexpr int kText[16][3] = {{0, 0, 0},    {0, 0, 42},   {0, 42, 0},   {0, 42, 42},
                                       {42, 0, 0},   {42, 0, 42},  {42, 21, 0},  {42, 42, 42},
                                       {21, 21, 21}, {21, 21, 63}, {21, 63, 21}, {21, 63, 63},
                                       {63, 21, 21}, {63, 21, 63}, {63, 63, 21}, {63, 63, 63}};
  for (int i = 0; i < 16; ++i) p[i] = rgb6(kText[i][0], kText[i][1], kText[i][2]);

  static constexpr int kGrey[16] = {0, 5, 8, 11, 14, 17, 20, 24, 28, 32, 36, 40, 45, 50, 56, 63};
  for (int i = 0; i < 16; ++i) p[16 + i] = rgb6(kGrey[i], kGrey[i], kGrey[i]);

  static constexpr int kBlocks[9][5] = {
      {0, 16, 31, 47, 63}, {31, 39, 47, 55, 63}, {45, 49, 54, 58, 63},   // bright
      {0, 7, 14, 21, 28},  {14, 17, 21, 24, 28}, {20, 22, 24, 26, 28},   // medium
      {0, 4, 8, 12, 16},   {8, 10, 12, 14, 16},  {11, 12, 13, 15, 16}};  // dark
  for (int b = 0; b < 9; ++b) fill_hue_block(p, 32 + 24 * b, kBlocks[b]);

  for (int i = 248; i < 256; ++i) p[i] = rgb6(0, 0, 0);
  return p;
}

}  // namespace

const Palette& default_palette() {
  static const Palette palette = build();
  return palette;
}

}  // namespace kelvo
