// Picture loading: the true-colour and indexed matching paths, the clear-index choice and the
// 32-bit and mode-256 loads.
#include "runtime/display/image_loader.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <unordered_map>

namespace kelvo {
namespace {

using UseCounts = std::array<uint32_t, 256>;

bool transparent(uint32_t argb) {
  return (argb >> 24) == 0;
}

// The index used least; among equals the highest index wins.
int least_used(const UseCounts& uses, int count) {
  int found = 0;
  uint32_t best = std::numeric_limits<uint32_t>::max();
  for (int i = 0; i < count; ++i) {
    if (uses[static_cast<size_t>(i)] <= best) {
      best = uses[static_cast<size_t>(i)];
      found = i;
    }
  }
  return found;
}

int palette_size(const Image& dest) {
  return static_cast<int>(std::min<uint32_t>(dest.colourMask, 255u)) + 1;
}

// A new image of the picture's size in `mode`, or null when the table cannot make one.
Image* make_image(ImageTable& table, const DecodedPicture& pic, int mode, int& index) {
  if (pic.width < 1 || pic.height < 1 || pic.width > 0xFFFF || pic.height > 0xFFFF) return nullptr;
  index = table.take_image(pic.width, pic.height, mode);
  return index == 0 ? nullptr : &table.at(index);
}

// An image matched to the destination takes over its text drawing state.
void finish(Image& img, const Image& dest) {
  img.font = dest.font;
  img.foreground = dest.foreground;
  img.background = dest.background;
  img.printMode = dest.printMode;
}

int32_t match_true_colour(ImageTable& table, const Image& dest, const DecodedPicture& pic,
                          ColourMatches& matches) {
  int index = 0;
  Image* img = make_image(table, pic, dest.mode, index);
  if (!img) return -1;
  *img->palette = *dest.palette;
  const int count = palette_size(dest);
  matches.use_palette(*img->palette, count);
  UseCounts uses{};
  bool anyTransparent = false;
  for (size_t i = 0; i < pic.argb.size(); ++i) {
    if (transparent(pic.argb[i])) {
      anyTransparent = true;
      continue;
    }
    const uint8_t found = matches.nearest(pic.argb[i], -1);
    img->pixels[i] = found;
    ++uses[found];
  }
  if (anyTransparent) {
    const int clear = least_used(uses, count);
    img->clearColour = clear;
    // The clear index must only mark transparency, so opaque pixels are matched without it.
    for (size_t i = 0; i < pic.argb.size(); ++i) {
      img->pixels[i] = transparent(pic.argb[i]) ? static_cast<uint8_t>(clear)
                                                : matches.nearest(pic.argb[i], clear);
    }
  }
  finish(*img, dest);
  return -index;
}

// How many pixels use each index. Four tables take turns, so that a run of one index does not
// wait on its counter's last store at every pixel.
UseCounts pixels_of_each_index(const std::vector<uint8_t>& indexes) {
  std::array<UseCounts, 4> part{};
  const uint8_t* in = indexes.data();
  const size_t n = indexes.size();
  size_t i = 0;
  for (; i + 4 <= n; i += 4) {
    ++part[0][in[i]];
    ++part[1][in[i + 1]];
    ++part[2][in[i + 2]];
    ++part[3][in[i + 3]];
  }
  for (; i < n; ++i) ++part[0][in[i]];
  for (size_t c = 0; c < part[0].size(); ++c) part[0][c] += part[1][c] + part[2][c] + part[3][c];
  return part[0];
}

// The first transparent pixel whose index is one of the picture's colours names the picture's
// transparent index; -1 when there is none. Only when several such indexes are in use does the
// first pixel have to be looked for.
int source_clear_index(const DecodedPicture& pic, const UseCounts& pixelsOf) {
  std::array<bool, 256> candidate{};
  int found = -1;
  int candidates = 0;
  for (int c = 0; c < pic.colourCount; ++c) {
    const auto at = static_cast<size_t>(c);
    candidate[at] = pixelsOf[at] != 0 && transparent(pic.argbOfIndex[at]);
    if (candidate[at]) {
      found = c;
      ++candidates;
    }
  }
  if (candidates <= 1) return found;
  for (const uint8_t i : pic.indexes) {
    if (candidate[i]) return i;
  }
  return -1;
}

int32_t load_own_palette(ImageTable& table, const DecodedPicture& pic) {
  int index = 0;
  Image* img = make_image(table, pic, 256, index);
  if (!img) return -1;
  img->clearColour = source_clear_index(pic, pixels_of_each_index(pic.indexes));
  std::memcpy(img->pixels.data(), pic.indexes.data(), pic.indexes.size());
  for (size_t c = 0; c < img->palette->size(); ++c) {
    (*img->palette)[c] =
        static_cast<int>(c) < pic.colourCount ? (0xFF000000u | pic.palette[c]) : 0xFF000000u;
  }
  return -index;
}

// Each of the picture's colours that its pixels use to its nearest destination index.
std::array<uint8_t, 256> colour_map(const DecodedPicture& pic, const UseCounts& pixelsOf,
                                    ColourMatches& matches, int excluded) {
  std::array<uint8_t, 256> map{};
  for (size_t c = 0; c < map.size(); ++c) {
    // Entries past the picture's colour count are black.
    const uint32_t colour = static_cast<int>(c) < pic.colourCount ? pic.palette[c] : 0u;
    if (pixelsOf[c] != 0) map[c] = matches.nearest(colour, excluded);
  }
  return map;
}

// Pixels are counted per picture index, so matching and the use counts of the destination indexes
// take one pass over the pixels, and writing them another.
int32_t match_indexed(ImageTable& table, const Image& dest, const DecodedPicture& pic,
                      ColourMatches& matches) {
  int index = 0;
  Image* img = make_image(table, pic, dest.mode, index);
  if (!img) return -1;
  const UseCounts pixelsOf = pixels_of_each_index(pic.indexes);
  const int sourceClear = source_clear_index(pic, pixelsOf);
  img->clearColour = -1;
  *img->palette = *dest.palette;
  const int count = palette_size(dest);
  matches.use_palette(*img->palette, count);
  auto map = colour_map(pic, pixelsOf, matches, -1);
  if (sourceClear >= 0) {
    UseCounts uses{};
    for (size_t c = 0; c < map.size(); ++c) {
      if (static_cast<int>(c) != sourceClear) uses[map[c]] += pixelsOf[c];
    }
    const int clear = least_used(uses, count);
    img->clearColour = clear;
    map = colour_map(pic, pixelsOf, matches, clear);
    map[static_cast<size_t>(sourceClear)] = static_cast<uint8_t>(clear);
  }
  const uint8_t* in = pic.indexes.data();
  uint8_t* out = img->pixels.data();
  for (size_t i = 0, n = pic.indexes.size(); i < n; ++i) out[i] = map[in[i]];
  finish(*img, dest);
  return -index;
}

int32_t load_argb(ImageTable& table, const DecodedPicture& pic, const Image* matched) {
  int index = 0;
  Image* img = make_image(table, pic, 32, index);
  if (!img) return -1;
  for (size_t i = 0; i < pic.pixel_count(); ++i) {
    const uint32_t argb = pic.argb_at(i);
    std::memcpy(img->pixels.data() + i * sizeof argb, &argb, sizeof argb);
  }
  if (matched) finish(*img, *matched);
  return -index;
}

bool complete(const DecodedPicture& pic) {
  const size_t pixels = static_cast<size_t>(pic.width) * static_cast<size_t>(pic.height);
  return pic.pixel_count() == pixels;
}

}  // namespace

int colour_distance(uint32_t a, uint32_t b) {
  return std::abs(red_of(a) - red_of(b)) + std::abs(green_of(a) - green_of(b)) +
         std::abs(blue_of(a) - blue_of(b));
}

int nearest_index(const Palette& palette, int count, uint32_t colour, int excluded) {
  int best = 1000;
  int found = 0;
  for (int i = 0; i < count; ++i) {
    if (i == excluded) continue;
    const int d = colour_distance(palette[static_cast<size_t>(i)], colour);
    if (d < best) {
      best = d;
      found = i;
    }
  }
  return found;
}

void ColourMatches::use_palette(const Palette& palette, int count) {
  if (count == count_ && palette == palette_) return;
  palette_ = palette;
  count_ = count;
  known_.clear();
}

uint8_t ColourMatches::nearest(uint32_t colour, int excluded) {
  const uint32_t rgb = colour & 0xFFFFFFu;
  const uint8_t best = search(rgb, -1);
  // Leaving out an index that does not win changes nothing.
  return excluded < 0 || best != excluded ? best : search(rgb, excluded);
}

uint8_t ColourMatches::search(uint32_t rgb, int excluded) {
  const uint64_t key = (static_cast<uint64_t>(excluded + 1) << 32) | rgb;
  const auto [at, added] = known_.try_emplace(key, 0);
  if (added) at->second = static_cast<uint8_t>(nearest_index(palette_, count_, rgb, excluded));
  return at->second;
}

int32_t load_image(ImageTable& table, Errors& errors, ImageDecoder* decoder, std::string_view name,
                   int32_t mode, uint32_t passed, ColourMatches* matches) {
  if (errors.pending()) return 0;
  const Image* dest = table.destination();
  const bool modeGiven = passed & kArg0;
  if ((!modeGiven && (!dest || dest->isText)) || (modeGiven && mode != 32 && mode != 256)) {
    errors.raise_error(kIllegalFunctionCall);
    return 0;
  }
  // The name ends at its first zero byte, as the decoder sees it.
  name = name.substr(0, name.find('\0'));
  if (name.empty() || !decoder) return -1;
  const auto pic = decoder->decode(std::string(name));
  if (!pic || !complete(*pic)) return -1;
  if (!modeGiven && dest->bytesPerPixel == 1) {
    ColourMatches forThisLoad;
    ColourMatches& m = matches ? *matches : forThisLoad;
    return pic->indexed ? match_indexed(table, *dest, *pic, m)
                        : match_true_colour(table, *dest, *pic, m);
  }
  if (modeGiven && mode == 256) return pic->indexed ? load_own_palette(table, *pic) : -1;
  return load_argb(table, *pic, modeGiven ? nullptr : dest);
}

}  // namespace kelvo
