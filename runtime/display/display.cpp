// Frame cache comparison and the 8-bit to 32-bit conversion of the refresh.
#include "runtime/display/display.h"

#include "runtime/display/text.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kelvo {
namespace {

bool same_frame(const FrameCache& a, const FrameCache& b) {
  return a.width == b.width && a.height == b.height && a.bytesPerPixel == b.bytesPerPixel &&
         a.pixels == b.pixels && (a.bytesPerPixel != 1 || a.palette == b.palette);
}

bool same_shape(const FrameCache& c, const Image& img) {
  return c.width == img.width && c.height == img.height && c.bytesPerPixel == img.bytesPerPixel &&
         c.pixels.size() == img.pixels.size();
}

// Compares `from` with `to` block by block and copies it from the first block that differs on:
// one pass over the frame, where a comparison and then a copy would take two. True when it
// copied anything.
bool copy_from_first_difference(const std::vector<uint8_t>& from, std::vector<uint8_t>& to) {
  constexpr size_t kBlock = 512;
  const size_t n = from.size();
  size_t at = 0;
  while (at < n) {
    const size_t length = std::min(kBlock, n - at);
    if (std::memcmp(from.data() + at, to.data() + at, length) != 0) break;
    at += length;
  }
  if (at == n) return false;
  std::memcpy(to.data() + at, from.data() + at, n - at);
  return true;
}

// The window's pixels are read next by the window system, not by us, and are not in our cache:
// stores that bypass the cache write them without reading them in first, which takes a scale-2
// frame from about 160 to 40 microseconds. They need 16-byte aligned addresses.
bool streamable(const uint32_t* dst) {
  return reinterpret_cast<uintptr_t>(dst) % 16 == 0;
}

#if defined(__SSE2__)
template <bool kStream>
[[gnu::always_inline]] inline void store4(uint32_t* dst, __m128i four) {
  if constexpr (kStream) {
    _mm_stream_si128(reinterpret_cast<__m128i*>(dst), four);
  } else {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), four);
  }
}

[[gnu::always_inline]] inline __m128i colour_of(const uint32_t* lut, uint64_t eight, int k) {
  return _mm_cvtsi32_si128(static_cast<int>(lut[(eight >> (8 * k)) & 0xFF]));
}

// Four colours gathered into one 16-byte store: the processor stores one value per cycle, so
// wide stores, not table loads, set the pace.
[[gnu::always_inline]] inline __m128i four_colours(const uint32_t* lut, uint64_t eight, int first) {
  const __m128i low =
      _mm_unpacklo_epi32(colour_of(lut, eight, first), colour_of(lut, eight, first + 1));
  const __m128i high =
      _mm_unpacklo_epi32(colour_of(lut, eight, first + 2), colour_of(lut, eight, first + 3));
  return _mm_unpacklo_epi64(low, high);
}
#endif

// Eight source pixels are read as one word; each byte indexes the colour table.
template <bool kStream>
void convert_indexed_line(const uint8_t* __restrict src, int width, const uint32_t* __restrict lut,
                          uint32_t* __restrict dst) {
  int x = 0;
#if defined(__SSE2__)
  for (; x + 8 <= width; x += 8) {
    uint64_t eight;
    std::memcpy(&eight, src + x, 8);
    store4<kStream>(dst + x, four_colours(lut, eight, 0));
    store4<kStream>(dst + x + 4, four_colours(lut, eight, 4));
  }
#endif
  for (; x < width; ++x) dst[x] = lut[src[x]];
}

// Doubled: each pixel is a pair of equal colours, written to both lines at once.
template <bool kStream>
void convert_indexed_line_doubled(const uint8_t* __restrict src, int width,
                                  const uint64_t* __restrict pairs, uint32_t* __restrict dst,
                                  int pitch) {
  uint32_t* __restrict below = dst + pitch;
  int x = 0;
#if defined(__SSE2__)
  for (; x + 2 <= width; x += 2) {
    const __m128i a = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(&pairs[src[x]]));
    const __m128i b = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(&pairs[src[x + 1]]));
    const __m128i both = _mm_unpacklo_epi64(a, b);
    store4<kStream>(dst + 2 * x, both);
    store4<kStream>(below + 2 * x, both);
  }
#endif
  for (; x < width; ++x) {
    std::memcpy(dst + 2 * x, &pairs[src[x]], 8);
    std::memcpy(below + 2 * x, &pairs[src[x]], 8);
  }
}

// Larger window scales and 32-bit frames: the widened line is made once where it stays in the
// cache, then stored on each of its `scale` lines.
void widen_indexed_line(const uint8_t* src, int width, const uint32_t* lut, uint32_t* line,
                        int scale) {
#if defined(__SSE2__)
  // Each colour fills whole 4-pixel stores from its first pixel on; the next colour's stores
  // overwrite what fell beyond it, and the line has room for the last one's.
  for (int x = 0; x < width; ++x) {
    const __m128i colour = _mm_set1_epi32(static_cast<int>(lut[src[x]]));
    for (int k = 0; k < scale; k += 4) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(line + scale * x + k), colour);
    }
  }
#else
  for (int x = 0; x < width; ++x) std::fill_n(line + scale * x, scale, lut[src[x]]);
#endif
}

void widen_direct_line(const uint8_t* src, int width, uint32_t* line, int scale) {
  for (int x = 0; x < width; ++x) {
    uint32_t px;
    std::memcpy(&px, src + 4 * x, 4);
    std::fill_n(line + scale * x, scale, px & 0xFFFFFFu);
  }
}

void store_line(uint32_t* __restrict dst, const uint32_t* __restrict line, int count) {
  int x = 0;
#if defined(__SSE2__)
  for (; x < count && !streamable(dst + x); ++x) dst[x] = line[x];
  for (; x + 4 <= count; x += 4) {
    store4<true>(dst + x, _mm_loadu_si128(reinterpret_cast<const __m128i*>(line + x)));
  }
#endif
  std::memcpy(dst + x, line + x, sizeof(uint32_t) * static_cast<size_t>(count - x));
}

// A text screen is shown as its cells drawn in the 8 by 16 font.
void render_text_screen(const Image& screen, FrameCache& out) {
  out.width = screen.width * 8;
  out.height = screen.height * 16;
  out.bytesPerPixel = 1;
  out.pixels.assign(static_cast<size_t>(out.width) * out.height, 0);
  out.palette = *screen.palette;
  render_text_image(screen, out.pixels.data(), static_cast<size_t>(out.width));
}

}  // namespace

bool FrameCopy::take_frame(const Image& screen) {
  if (screen.isText) {
    render_text_screen(screen, scratch_);
    if (same_frame(scratch_, cache_)) return false;
    std::swap(scratch_, cache_);
    return true;
  }
  if (same_shape(cache_, screen)) {
    const bool paletteChanged = screen.palette && cache_.palette != *screen.palette;
    if (paletteChanged) cache_.palette = *screen.palette;
    return copy_from_first_difference(screen.pixels, cache_.pixels) || paletteChanged;
  }
  cache_.width = screen.width;
  cache_.height = screen.height;
  cache_.bytesPerPixel = screen.bytesPerPixel;
  cache_.pixels = screen.pixels;
  if (screen.palette) cache_.palette = *screen.palette;
  return true;
}

void convert_frame(const FrameCache& frame, const FrameTarget& target, int scale, int offsetX,
                   int offsetY) {
  uint32_t lut[256];
  uint64_t pairs[256];
  for (int i = 0; i < 256; ++i) {
    lut[i] = frame.palette[static_cast<size_t>(i)] & 0xFFFFFFu;
    pairs[i] = (uint64_t{lut[i]} << 32) | lut[i];
  }
  const int width = std::min(frame.width, (target.width - offsetX) / scale);
  const int height = std::min(frame.height, (target.height - offsetY) / scale);
  if (width <= 0 || height <= 0) return;
  const size_t srcPitch = static_cast<size_t>(frame.width) * frame.bytesPerPixel;
  const bool indexed = frame.bytesPerPixel == 1;
  thread_local std::vector<uint32_t> line;
  if (scale > 2 || !indexed) line.resize(static_cast<size_t>(width) * scale + 4);
  for (int y = 0; y < height; ++y) {
    const uint8_t* src = frame.pixels.data() + srcPitch * y;
    uint32_t* dst =
        target.pixels + static_cast<size_t>(offsetY + scale * y) * target.pitch + offsetX;
    const bool stream = streamable(dst) && target.pitch % 4 == 0;
    if (indexed && scale == 1) {
      stream ? convert_indexed_line<true>(src, width, lut, dst)
             : convert_indexed_line<false>(src, width, lut, dst);
    } else if (indexed && scale == 2) {
      stream ? convert_indexed_line_doubled<true>(src, width, pairs, dst, target.pitch)
             : convert_indexed_line_doubled<false>(src, width, pairs, dst, target.pitch);
    } else {
      if (indexed) {
        widen_indexed_line(src, width, lut, line.data(), scale);
      } else {
        widen_direct_line(src, width, line.data(), scale);
      }
      for (int k = 0; k < scale; ++k) {
        store_line(dst + static_cast<size_t>(k) * target.pitch, line.data(), width * scale);
      }
    }
  }
#if defined(__SSE2__)
  _mm_sfence();  // the streamed stores are complete before the window system is told of them
#endif
}

}  // namespace kelvo
