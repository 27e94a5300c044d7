// Blitting: the corner forms of put_image, clipping, the unscaled and nearest-neighbour scaled
// copies, and the pixel operations of each pair of image depths.
#include "runtime/display/blit.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

#include "runtime/services/numbers.h"

namespace kelvo {
namespace {

struct Rect {
  int64_t x1, y1, x2, y2;
};

struct Plan {
  Rect dst;
  Rect src;
  bool scaled = false;
  bool mirrorX = false;
  bool mirrorY = false;
};

// A corner coordinate: the value as a 32-bit float, to the nearest integer, ties to even. Values
// past the 32-bit range give its lowest value, as the processor's conversion does.
int64_t corner(double v) {
  const double f = static_cast<float>(v);
  constexpr double kRange = 2147483648.0;
  if (!(f > -kRange - 0.5 && f < kRange - 0.5)) return std::numeric_limits<int32_t>::min();
  return nearest_even(f);
}

// The nearest integer of a sampling position; clamped far beyond any image.
int64_t nearest(double v) {
  constexpr double kLimit = 4.0e18;
  if (!(v > -kLimit)) return static_cast<int64_t>(-kLimit);
  if (v > kLimit) return static_cast<int64_t>(kLimit);
  return nearest_even(v);
}

// True when one pair of coordinates runs left to right and the other right to left.
bool opposite(int64_t a1, int64_t a2, int64_t b1, int64_t b2) {
  return (a2 < a1 && b1 < b2) || (b2 < b1 && a1 < a2);
}

void order(Rect& r) {
  if (r.x2 < r.x1) std::swap(r.x1, r.x2);
  if (r.y2 < r.y1) std::swap(r.y1, r.y2);
}

struct Corners {
  int64_t x1, y1, x2, y2, sx1, sy1, sx2, sy2;
};

Corners corners_of(const PutImageArgs& a) {
  const auto given = [&a](uint32_t bit, double v) { return (a.passed & bit) ? corner(v) : 0; };
  return {given(kPutCorner1, a.x1),        given(kPutCorner1, a.y1),
          given(kPutCorner2, a.x2),        given(kPutCorner2, a.y2),
          given(kPutSourceCorner1, a.sx1), given(kPutSourceCorner1, a.sy1),
          given(kPutSourceCorner2, a.sx2), given(kPutSourceCorner2, a.sy2)};
}

// The forms without a second corner: at a point, or the whole source over the whole destination.
Plan plan_without_second_corners(bool atPoint, const Corners& c, int64_t sw, int64_t sh, int64_t dw,
                                 int64_t dh) {
  Plan p;
  p.src = {0, 0, sw - 1, sh - 1};
  if (atPoint) {
    p.dst = {c.x1, c.y1, c.x1 + sw - 1, c.y1 + sh - 1};
  } else {
    p.dst = {0, 0, dw - 1, dh - 1};
    p.scaled = sw != dw || sh != dh;
  }
  return p;
}

// The forms with a second corner; a rectangle missing on one side is implied by the other.
Plan plan_with_second_corners(uint32_t passed, const Corners& c, int64_t sw, int64_t sh, int64_t dw,
                              int64_t dh) {
  Plan p;
  const int64_t dx = std::abs(c.x2 - c.x1), dy = std::abs(c.y2 - c.y1);
  const int64_t sdx = std::abs(c.sx2 - c.sx1), sdy = std::abs(c.sy2 - c.sy1);
  const bool second = passed & kPutCorner2, sourceSecond = passed & kPutSourceCorner2;
  if (second && !sourceSecond) {
    p.dst = {c.x1, c.y1, c.x2, c.y2};
    if (passed & kPutSourceCorner1) {
      p.src = {c.sx1, c.sy1, c.sx1 + dx, c.sy1 + dy};
    } else {
      p.src = {0, 0, sw - 1, sh - 1};
      p.scaled = dx + 1 != sw || dy + 1 != sh;
    }
  } else if (sourceSecond && !second) {
    p.src = {c.sx1, c.sy1, c.sx2, c.sy2};
    if (passed & kPutCorner1) {
      p.dst = {c.x1, c.y1, c.x1 + sdx, c.y1 + sdy};
    } else {
      p.dst = {0, 0, dw - 1, dh - 1};
      p.scaled = sdx + 1 != dw || sdy + 1 != dh;
    }
  } else {
    p.dst = {c.x1, c.y1, c.x2, c.y2};
    p.src = {c.sx1, c.sy1, c.sx2, c.sy2};
    p.scaled = dx != sdx || dy != sdy;
  }
  p.mirrorX = opposite(p.dst.x1, p.dst.x2, p.src.x1, p.src.x2);
  p.mirrorY = opposite(p.dst.y1, p.dst.y2, p.src.y1, p.src.y2);
  order(p.dst);
  order(p.src);
  return p;
}

// Which rectangles the call names and how they map; nothing (after raising 5) for a first source
// corner alone.
std::optional<Plan> plan_copy(const PutImageArgs& a, const Image& s, const Image& d,
                              Errors& errors) {
  const Corners c = corners_of(a);
  if (!(a.passed & (kPutCorner2 | kPutSourceCorner2))) {
    if (a.passed & kPutSourceCorner1) {
      errors.raise_error(kIllegalFunctionCall);
      return std::nullopt;
    }
    return plan_without_second_corners(a.passed & kPutCorner1, c, s.width, s.height, d.width,
                                       d.height);
  }
  return plan_with_second_corners(a.passed, c, s.width, s.height, d.width, d.height);
}

// ---- Unscaled clipping ----

// Clips one axis of an unscaled copy to the destination (0..dn-1), then to the source
// (0..sn-1). A mirrored copy trims the opposite end of the other rectangle.
void clip_axis(int64_t& d1, int64_t& d2, int64_t& s1, int64_t& s2, int64_t dn, int64_t sn,
               bool mirror) {
  if (d1 < 0) {
    if (mirror)
      s2 += d1;
    else
      s1 -= d1;
    d1 = 0;
  }
  if (d2 >= dn) {
    const int64_t cut = d2 - dn + 1;
    if (mirror)
      s1 += cut;
    else
      s2 -= cut;
    d2 = dn - 1;
  }
  if (s1 < 0) {
    if (mirror)
      d2 += s1;
    else
      d1 -= s1;
    s1 = 0;
  }
  if (s2 >= sn) {
    const int64_t cut = s2 - sn + 1;
    if (mirror)
      d1 += cut;
    else
      d2 -= cut;
    s2 = sn - 1;
  }
}

// ---- Scaled clipping ----

struct Edges {
  double left, right, top, bottom, stepX, stepY;
};

Edges edges_of(const Plan& p) {
  constexpr double kHalf = 0.499999;
  Edges e{};
  e.left = static_cast<double>(p.src.x1) - kHalf;
  e.right = static_cast<double>(p.src.x2) + kHalf;
  e.top = static_cast<double>(p.src.y1) - kHalf;
  e.bottom = static_cast<double>(p.src.y2) + kHalf;
  const int64_t spanX = p.dst.x2 - p.dst.x1, spanY = p.dst.y2 - p.dst.y1;
  e.stepX = spanX == 0 ? 0.0 : (e.right - e.left) / static_cast<double>(spanX);
  e.stepY = spanY == 0 ? 0.0 : (e.bottom - e.top) / static_cast<double>(spanY);
  return e;
}

// Clips one axis of a scaled copy: destination first, moving the source edges by whole steps,
// then the source, dropping the destination pixels whose samples would fall outside it.
void clip_scaled_axis(int64_t& d1, int64_t& d2, double& lo, double& hi, double step, int64_t dn,
                      int64_t sn, bool mirror) {
  if (d1 < 0) {
    if (mirror)
      hi += step * static_cast<double>(d1);
    else
      lo -= step * static_cast<double>(d1);
    d1 = 0;
  }
  if (d2 >= dn) {
    const double cut = step * static_cast<double>(d2 - dn + 1);
    if (mirror)
      lo += cut;
    else
      hi -= cut;
    d2 = dn - 1;
  }
  if (step == 0.0) return;
  if (lo < -0.4999999) {
    const int64_t k = nearest((-0.499999 - lo) / step + 1.0);
    if (mirror)
      d2 -= k;
    else
      d1 += k;
    lo += step * static_cast<double>(k);
  }
  const double end = static_cast<double>(sn);
  if (hi > end - 0.5000001) {
    const int64_t k = nearest((hi - (end - 0.500001)) / step + 1.0);
    if (mirror)
      d1 += k;
    else
      d2 -= k;
    hi -= step * static_cast<double>(k);
  }
}

// ---- Pixel operations ----

uint32_t load32(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

void store32(uint8_t* p, uint32_t v) {
  std::memcpy(p, &v, 4);
}

#if defined(__SSE2__)
// Sixteen bytes at a time: the destination keeps the bytes where the source holds the key. Every
// block is written back, kept bytes unchanged: skipping all-clear blocks costs more in mispredicted
// branches than the store does. The row's last block may overlap the one before it, which changes
// nothing.
void copy_keyed_16(uint8_t* dst, const uint8_t* src, __m128i key) {
  const __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src));
  const __m128i clear = _mm_cmpeq_epi8(in, key);
  const __m128i old = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst));
  const __m128i out = _mm_or_si128(_mm_and_si128(clear, old), _mm_andnot_si128(clear, in));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), out);
}
#endif

// Eight bytes at a time in a 64-bit word; the mask has 0xFF in every byte that differs from the
// key (exact: no carry crosses a byte).
void copy_keyed_8(uint8_t* dst, const uint8_t* src, uint64_t keys) {
  constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full, kHigh = 0x8080808080808080ull;
  uint64_t in, old;
  std::memcpy(&in, src, 8);
  const uint64_t diff = in ^ keys;
  const uint64_t differs = (((diff & kLow7) + kLow7) | diff) & kHigh;
  if (differs == 0) return;
  const uint64_t take = (differs >> 7) * 0xFF;
  std::memcpy(&old, dst, 8);
  const uint64_t out = (in & take) | (old & ~take);
  std::memcpy(dst, &out, 8);
}

// The key repeated over a block and a word, made once per copy.
struct KeyPattern {
  explicit KeyPattern(uint8_t k) : key(k), word(0x0101010101010101ull * k) {
#if defined(__SSE2__)
    block = _mm_set1_epi8(static_cast<char>(k));
#endif
  }
  uint8_t key;
  uint64_t word;
#if defined(__SSE2__)
  __m128i block;
#endif
};

// One row of n bytes; rows of 16 or more take whole blocks, the last one overlapping.
[[gnu::always_inline]] inline void keyed_row(uint8_t* dst, const uint8_t* src, size_t n,
                                             const KeyPattern& k) {
#if defined(__SSE2__)
  if (n >= 16) {
    size_t i = 0;
    for (; i + 16 <= n; i += 16) copy_keyed_16(dst + i, src + i, k.block);
    if (i < n) copy_keyed_16(dst + n - 16, src + n - 16, k.block);
    return;
  }
#endif
  size_t i = 0;
  for (; i + 8 <= n; i += 8) copy_keyed_8(dst + i, src + i, k.word);
  if (i < n && n >= 8) {
    copy_keyed_8(dst + n - 8, src + n - 8, k.word);
    return;
  }
  for (; i < n; ++i) {
    if (src[i] != k.key) dst[i] = src[i];
  }
}

#if defined(__x86_64__) && defined(__GNUC__)
#define KELVO_KEYED_AVX2 1
// Rows of 32 bytes or more, 32 at a time where the processor has AVX2: a blend by the key's
// mask, half the instructions of the 16-byte steps. Shorter rows take the 16-byte steps. A block
// that is all clear is left alone: the game's large pictures (girders, cranes, clouds) are clear
// in long runs, where the branch is well predicted and the untouched screen bytes save a load
// and a store; scattered pictures pay about as much in mispredictions as they save.
[[gnu::target("avx2")]] void keyed_rows_avx2(uint8_t* d, ptrdiff_t dPitch, const uint8_t* s,
                                             ptrdiff_t sPitch, size_t n, int64_t rows,
                                             const KeyPattern& k) {
  if (n < 32) {
    for (int64_t r = 0; r < rows; ++r, d += dPitch, s += sPitch) keyed_row(d, s, n, k);
    return;
  }
  const __m256i key = _mm256_set1_epi8(static_cast<char>(k.key));
  for (int64_t r = 0; r < rows; ++r, d += dPitch, s += sPitch) {
    // The last block of a row overlaps the one before it, which changes nothing there.
    for (size_t i = 0;; i += 32) {
      if (i + 32 > n) i = n - 32;
      const __m256i in = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i));
      const __m256i clear = _mm256_cmpeq_epi8(in, key);
      if (_mm256_movemask_epi8(clear) != -1) {
        const __m256i old = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d + i));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + i), _mm256_blendv_epi8(in, old, clear));
      }
      if (i + 32 >= n) break;
    }
  }
}

bool has_avx2() {
  static const bool has = __builtin_cpu_supports("avx2");
  return has;
}
#endif

// Keyed rows of n bytes: 32 at a time where the processor can, else 16 at a time.
void keyed_block(uint8_t* d, ptrdiff_t dPitch, const uint8_t* s, ptrdiff_t sPitch, size_t n,
                 int64_t rows, uint8_t clear) {
  const KeyPattern key(clear);
#if defined(KELVO_KEYED_AVX2)
  if (has_avx2()) {
    keyed_rows_avx2(d, dPitch, s, sPitch, n, rows, key);
    return;
  }
#endif
  for (int64_t r = 0; r < rows; ++r, d += dPitch, s += sPitch) keyed_row(d, s, n, key);
}

// 8-bit onto 8-bit: indexes copied unchanged, the clear colour (when 0..255) skipped.
struct Indexed {
  static constexpr int kSrcBytes = 1, kDstBytes = 1;
  int clear;
  void span(uint8_t* d, const uint8_t* s, size_t n) const {
    if (clear < 0) {
      std::memcpy(d, s, n);
    } else {
      copy_keyed_row(d, s, n, static_cast<uint8_t>(clear));
    }
  }
  void pixel(uint8_t* d, const uint8_t* s) const {
    if (*s != clear) *d = *s;
  }
  // Whole rectangles keep the key pattern and the loop in one place; a negative source pitch
  // reads the rows bottom to top.
  void block(uint8_t* d, ptrdiff_t dPitch, const uint8_t* s, ptrdiff_t sPitch, size_t n,
             int64_t rows) const {
    if (clear < 0) {
      if (dPitch == sPitch && sPitch == static_cast<ptrdiff_t>(n)) {
        std::memcpy(d, s, n * static_cast<size_t>(rows));  // whole rows: one run of bytes
        return;
      }
      for (int64_t r = 0; r < rows; ++r, d += dPitch, s += sPitch) std::memcpy(d, s, n);
      return;
    }
    keyed_block(d, dPitch, s, sPitch, n, rows, static_cast<uint8_t>(clear));
  }
};

// Rectangles of ops without a block copy of their own: row by row.
template <class Op>
void block_by_rows(const Op& op, uint8_t* d, ptrdiff_t dPitch, const uint8_t* s, ptrdiff_t sPitch,
                   size_t n, int64_t rows) {
  for (int64_t r = 0; r < rows; ++r, d += dPitch, s += sPitch) op.span(d, s, n);
}

// 8-bit onto 32-bit: each index through the source palette.
struct IndexedToArgb {
  static constexpr int kSrcBytes = 1, kDstBytes = 4;
  int clear;
  const Palette* palette;
  void span(uint8_t* d, const uint8_t* s, size_t n) const {
    for (size_t i = 0; i < n; ++i) pixel(d + 4 * i, s + i);
  }
  void pixel(uint8_t* d, const uint8_t* s) const {
    if (*s != clear) store32(d, (*palette)[*s]);
  }
  void block(uint8_t* d, ptrdiff_t dPitch, const uint8_t* s, ptrdiff_t sPitch, size_t n,
             int64_t rows) const {
    block_by_rows(*this, d, dPitch, s, sPitch, n, rows);
  }
};

// 32-bit onto 32-bit: straight copies.
struct ArgbCopy {
  static constexpr int kSrcBytes = 4, kDstBytes = 4;
  void span(uint8_t* d, const uint8_t* s, size_t n) const { std::memcpy(d, s, 4 * n); }
  void pixel(uint8_t* d, const uint8_t* s) const { std::memcpy(d, s, 4); }
  void block(uint8_t* d, ptrdiff_t dPitch, const uint8_t* s, ptrdiff_t sPitch, size_t n,
             int64_t rows) const {
    block_by_rows(*this, d, dPitch, s, sPitch, n, rows);
  }
};

uint32_t blend_channel(uint32_t s, uint32_t d, uint32_t a) {
  return (s * a + d * (255 - a) + 127) / 255;
}

// 32-bit onto 32-bit: the source drawn over the destination by its alpha.
struct ArgbBlend {
  static constexpr int kSrcBytes = 4, kDstBytes = 4;
  void span(uint8_t* d, const uint8_t* s, size_t n) const {
    for (size_t i = 0; i < n; ++i) pixel(d + 4 * i, s + 4 * i);
  }
  void pixel(uint8_t* d, const uint8_t* s) const {
    const uint32_t src = load32(s);
    const uint32_t a = src >> 24;
    if (a == 0) return;
    if (a == 255) {
      store32(d, src);
      return;
    }
    const uint32_t dst = load32(d);
    uint32_t out = (a + blend_channel(0, dst >> 24, a)) << 24;
    for (int shift = 0; shift < 24; shift += 8) {
      out |= blend_channel((src >> shift) & 0xFF, (dst >> shift) & 0xFF, a) << shift;
    }
    store32(d, out);
  }
  void block(uint8_t* d, ptrdiff_t dPitch, const uint8_t* s, ptrdiff_t sPitch, size_t n,
             int64_t rows) const {
    block_by_rows(*this, d, dPitch, s, sPitch, n, rows);
  }
};

// ---- Copies ----

template <class Op>
void copy_unscaled(const Plan& p, const Image& s, Image& d, const Op& op) {
  const size_t n = static_cast<size_t>(p.dst.x2 - p.dst.x1 + 1);
  const int64_t rows = p.dst.y2 - p.dst.y1 + 1;
  if (!p.mirrorX) {
    const ptrdiff_t srcPitch = static_cast<ptrdiff_t>(s.width) * Op::kSrcBytes;
    const uint8_t* first = s.row(static_cast<int>(p.mirrorY ? p.src.y2 : p.src.y1));
    op.block(d.row(static_cast<int>(p.dst.y1)) + p.dst.x1 * Op::kDstBytes,
             static_cast<ptrdiff_t>(d.width) * Op::kDstBytes, first + p.src.x1 * Op::kSrcBytes,
             p.mirrorY ? -srcPitch : srcPitch, n, rows);
    return;
  }
  // A mirrored row reads the source from its right end leftwards.
  for (int64_t r = 0; r < rows; ++r) {
    const int64_t sy = p.mirrorY ? p.src.y2 - r : p.src.y1 + r;
    uint8_t* out = d.row(static_cast<int>(p.dst.y1 + r)) + p.dst.x1 * Op::kDstBytes;
    const uint8_t* in = s.row(static_cast<int>(sy));
    for (size_t i = 0; i < n; ++i) {
      op.pixel(out + i * Op::kDstBytes, in + (p.src.x2 - static_cast<int64_t>(i)) * Op::kSrcBytes);
    }
  }
}

// Columns are sampled in chunks so the per-column source positions need no heap table.
constexpr size_t kColumnChunk = 512;

int64_t clamp_to(int64_t v, int64_t size) {
  return std::clamp<int64_t>(v, 0, size - 1);
}

template <class Op>
void copy_scaled_rows(const Plan& p, const Edges& e, const Image& s, Image& d, const Op& op,
                      size_t first, const uint32_t* columns, size_t count) {
  const int64_t rows = p.dst.y2 - p.dst.y1 + 1;
  double rowAt = e.top;
  for (int64_t r = 0; r < rows; ++r) {
    if (r > 0) rowAt += e.stepY;
    const int64_t sy = clamp_to(nearest(rowAt), s.height);
    const int64_t dy = p.mirrorY ? p.dst.y2 - r : p.dst.y1 + r;
    const uint8_t* in = s.row(static_cast<int>(sy));
    uint8_t* out = d.row(static_cast<int>(dy));
    for (size_t i = 0; i < count; ++i) {
      const int64_t column = static_cast<int64_t>(first + i);
      const int64_t dx = p.mirrorX ? p.dst.x2 - column : p.dst.x1 + column;
      op.pixel(out + dx * Op::kDstBytes, in + static_cast<size_t>(columns[i]) * Op::kSrcBytes);
    }
  }
}

template <class Op>
void copy_scaled(const Plan& p, const Edges& e, const Image& s, Image& d, const Op& op) {
  const size_t width = static_cast<size_t>(p.dst.x2 - p.dst.x1 + 1);
  uint32_t columns[kColumnChunk];
  double columnAt = e.left - e.stepX;
  for (size_t first = 0; first < width; first += kColumnChunk) {
    const size_t count = std::min(kColumnChunk, width - first);
    for (size_t i = 0; i < count; ++i) {
      columnAt += e.stepX;
      columns[i] = static_cast<uint32_t>(clamp_to(nearest(columnAt), s.width));
    }
    copy_scaled_rows(p, e, s, d, op, first, columns, count);
  }
}

template <class Op>
void run_copy(const Plan& p, const Image& s, Image& d, const Op& op) {
  if (!p.scaled) {
    Plan c = p;
    clip_axis(c.dst.x1, c.dst.x2, c.src.x1, c.src.x2, d.width, s.width, c.mirrorX);
    clip_axis(c.dst.y1, c.dst.y2, c.src.y1, c.src.y2, d.height, s.height, c.mirrorY);
    if (c.dst.x2 < c.dst.x1 || c.dst.y2 < c.dst.y1) return;
    if (c.src.x2 < c.src.x1 || c.src.y2 < c.src.y1) return;
    copy_unscaled(c, s, d, op);
    return;
  }
  Plan c = p;
  Edges e = edges_of(p);
  clip_scaled_axis(c.dst.x1, c.dst.x2, e.left, e.right, e.stepX, d.width, s.width, c.mirrorX);
  clip_scaled_axis(c.dst.y1, c.dst.y2, e.top, e.bottom, e.stepY, d.height, s.height, c.mirrorY);
  if (c.dst.x2 < c.dst.x1 || c.dst.y2 < c.dst.y1) return;
  copy_scaled(c, e, s, d, op);
}

bool valid_pair(const Image& s, const Image& d, Errors& errors) {
  if (s.isText || d.isText || (s.bytesPerPixel == 4 && d.bytesPerPixel == 1) || &s == &d) {
    errors.raise_error(kIllegalFunctionCall);
    return false;
  }
  return true;
}

void copy_by_depth(const Plan& p, const Image& s, Image& d) {
  if (s.bytesPerPixel == 1 && d.bytesPerPixel == 1) {
    run_copy(p, s, d, Indexed{s.clearColour});
  } else if (s.bytesPerPixel == 1) {
    run_copy(p, s, d, IndexedToArgb{s.clearColour, s.palette.get()});
  } else if (d.noBlend) {
    run_copy(p, s, d, ArgbCopy{});
  } else {
    run_copy(p, s, d, ArgbBlend{});
  }
}

}  // namespace

void copy_keyed_row(uint8_t* dst, const uint8_t* src, size_t n, uint8_t key) {
  keyed_block(dst, 0, src, 0, n, 1, key);
}

bool covers_destination(ImageTable& table, const Errors& errors, const PutImageArgs& args) {
  if (errors.pending() || args.passed != (kPutCorner1 | kPutSource) || args.source >= 0)
    return false;
  const auto index = static_cast<size_t>(-static_cast<int64_t>(args.source));
  const Image* d = table.destination();
  if (index >= table.handed_out() || !d) return false;
  const Image& s = table.at(static_cast<int>(index));
  if (!s.inUse || &s == d || s.isText || d->isText || s.bytesPerPixel != 1 ||
      d->bytesPerPixel != 1 || s.clearColour >= 0) {
    return false;
  }
  const int64_t x = corner(args.x1), y = corner(args.y1);
  return x <= 0 && y <= 0 && x + s.width >= d->width && y + s.height >= d->height;
}

void put_image(ImageTable& table, Errors& errors, const PutImageArgs& args) {
  if (errors.pending()) return;
  Image* s = (args.passed & kPutSource) ? table.resolve(args.source) : table.source();
  if (!s) return;
  Image* d =
      (args.passed & kPutDestination) ? table.resolve(args.destination) : table.destination();
  if (!d || !valid_pair(*s, *d, errors)) return;
  const auto plan = plan_copy(args, *s, *d, errors);
  if (plan) copy_by_depth(*plan, *s, *d);
}

}  // namespace kelvo
