// Header readers for the picture formats SDL_image decodes: each finds the width and height a
// file claims without decoding a pixel.
#include "platform/picture_size.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>

namespace kelvo {
namespace {

using Size = std::optional<PictureSize>;

// Bounds-checked reads of little- and big-endian numbers; nothing past the end.
class Header {
 public:
  explicit Header(std::string_view bytes) : b_(bytes) {}
  size_t size() const { return b_.size(); }
  bool has(size_t at, size_t n) const { return at <= b_.size() && n <= b_.size() - at; }
  bool is(size_t at, std::string_view text) const {
    return has(at, text.size()) && b_.substr(at, text.size()) == text;
  }
  uint8_t byte(size_t at) const { return static_cast<uint8_t>(b_[at]); }
  std::optional<uint32_t> le(size_t at, int n) const {
    if (!has(at, static_cast<size_t>(n))) return std::nullopt;
    uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = v << 8 | byte(at + static_cast<size_t>(i));
    return v;
  }
  std::optional<uint32_t> be(size_t at, int n) const {
    if (!has(at, static_cast<size_t>(n))) return std::nullopt;
    uint32_t v = 0;
    for (int i = 0; i < n; ++i) v = v << 8 | byte(at + static_cast<size_t>(i));
    return v;
  }
  std::string_view view() const { return b_; }

 private:
  std::string_view b_;
};

Size both(std::optional<uint32_t> w, std::optional<uint32_t> h) {
  if (!w || !h) return std::nullopt;
  return PictureSize{*w, *h};
}

// Signed 32-bit fields (BMP) count by their magnitude: a negative height is a top-down picture.
Size both_signed(std::optional<uint32_t> w, std::optional<uint32_t> h) {
  if (!w || !h) return std::nullopt;
  return PictureSize{std::llabs(static_cast<int32_t>(*w)), std::llabs(static_cast<int32_t>(*h))};
}

Size larger(Size a, Size b) {
  if (!a) return b;
  if (!b) return a;
  return PictureSize{std::max(a->width, b->width), std::max(a->height, b->height)};
}

Size bmp_info(const Header& h, size_t at) {
  const auto infoSize = h.le(at, 4);
  if (!infoSize) return std::nullopt;
  if (*infoSize == 12) return both(h.le(at + 4, 2), h.le(at + 6, 2));  // OS/2 header
  return both_signed(h.le(at + 4, 4), h.le(at + 8, 4));
}

// Every entry's bitmap counts (its height covers the picture and its mask).
Size ico(const Header& h) {
  const auto count = h.le(4, 2);
  Size found;
  for (uint32_t i = 0; count && i < *count; ++i) {
    const auto offset = h.le(6 + 16 * size_t{i} + 12, 4);
    if (!offset) break;
    const Size entry = bmp_info(h, *offset);
    if (entry) found = larger(found, PictureSize{entry->width, entry->height / 2});
  }
  return found;
}

// The screen and the first image, whose size SDL_image gives the picture.
Size gif(const Header& h) {
  const Size screen = both(h.le(6, 2), h.le(8, 2));
  const auto flags = h.le(10, 1);
  if (!screen || !flags) return std::nullopt;
  size_t at = 13 + ((*flags & 0x80) ? 3u * (2u << (*flags & 7)) : 0u);
  while (h.has(at, 1)) {
    const uint8_t block = h.byte(at);
    if (block == 0x2C) return larger(screen, both(h.le(at + 5, 2), h.le(at + 7, 2)));
    if (block != 0x21) break;
    at += 2;  // the extension's introducer and label, then its sub-blocks
    while (h.has(at, 1) && h.byte(at) != 0) at += 1u + h.byte(at);
    at += 1;
  }
  return screen;
}

// SDL_image's PNG reader ignores the end of the file and then reads its last bytes over and over,
// for ever when they look like chunks: only a PNG whose chunks all lie inside it, up to its end
// chunk, has a size.
Size png(const Header& h) {
  size_t at = 8;
  while (h.has(at, 12)) {
    const auto length = h.be(at, 4);
    if (*length > 0x7FFFFFFFu || !h.has(at + 8, size_t{*length} + 4)) return std::nullopt;
    if (h.is(at + 4, "IEND")) return both(h.be(16, 4), h.be(20, 4));
    at += 12 + size_t{*length};
  }
  return std::nullopt;
}

bool jpeg_frame_marker(uint8_t m) {
  return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC;
}

Size jpeg(const Header& h) {
  size_t at = 2;
  while (h.has(at, 2)) {
    if (h.byte(at) != 0xFF) {  // stray bytes between segments, which the decoder skips too
      ++at;
      continue;
    }
    const uint8_t marker = h.byte(at + 1);
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    at += 2;
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) continue;  // no length
    if (marker == 0xD9 || marker == 0xDA) return std::nullopt;           // no frame before the scan
    const auto length = h.be(at, 2);
    if (!length) return std::nullopt;
    if (jpeg_frame_marker(marker)) return both(h.be(at + 5, 2), h.be(at + 3, 2));
    at += *length;
  }
  return std::nullopt;
}

Size lbm(const Header& h) {
  size_t at = 12;
  while (h.has(at, 8)) {
    const auto length = h.be(at + 4, 4);
    if (h.is(at, "BMHD")) return both(h.be(at + 8, 2), h.be(at + 10, 2));
    at += 8 + size_t{*length} + (*length & 1);
  }
  return std::nullopt;
}

Size pcx(const Header& h) {
  const auto x0 = h.le(4, 2), y0 = h.le(6, 2), x1 = h.le(8, 2), y1 = h.le(10, 2);
  if (!x0 || !y0 || !x1 || !y1) return std::nullopt;
  return PictureSize{int64_t{*x1} - *x0 + 1, int64_t{*y1} - *y0 + 1};
}

// Decimal numbers between blanks and "#" comments, as in PNM and XV headers.
class NumberReader {
 public:
  NumberReader(std::string_view text, size_t at) : t_(text), at_(at) {}
  std::optional<int64_t> next() {
    for (;;) {
      while (at_ < t_.size() && std::isspace(static_cast<unsigned char>(t_[at_]))) ++at_;
      if (at_ >= t_.size() || t_[at_] != '#') break;
      while (at_ < t_.size() && t_[at_] != '\n' && t_[at_] != '\r') ++at_;
    }
    int64_t value = 0;
    const size_t start = at_;
    for (; at_ < t_.size() && std::isdigit(static_cast<unsigned char>(t_[at_])); ++at_) {
      value = std::min<int64_t>(value * 10 + (t_[at_] - '0'), int64_t{1} << 40);
    }
    if (at_ == start) return std::nullopt;
    return value;
  }

 private:
  std::string_view t_;
  size_t at_;
};

Size from_numbers(std::string_view text, size_t at) {
  NumberReader numbers(text, at);
  const auto w = numbers.next();
  const auto h = numbers.next();
  if (!w || !h) return std::nullopt;
  return PictureSize{*w, *h};
}

bool is_pnm(const Header& h) {
  return h.has(0, 3) && h.byte(0) == 'P' && h.byte(1) >= '1' && h.byte(1) <= '6' &&
         std::isspace(h.byte(2));
}

Size tiff(const Header& h) {
  const bool little = h.is(0, "II");
  const auto num = [&](size_t at, int n) { return little ? h.le(at, n) : h.be(at, n); };
  const auto ifd = num(4, 4);
  const auto count = ifd ? num(*ifd, 2) : std::nullopt;
  std::optional<uint32_t> width, height;
  for (uint32_t i = 0; count && i < *count; ++i) {
    const size_t entry = *ifd + 2 + 12 * size_t{i};
    const auto tag = num(entry, 2), type = num(entry + 2, 2);
    if (!tag || !type) break;
    const auto value = *type == 3 ? num(entry + 8, 2) : num(entry + 8, 4);
    if (*tag == 256) width = value;
    if (*tag == 257) height = value;
  }
  return both(width, height);
}

Size xpm(const Header& h) {
  const size_t quote = h.view().find('"');
  if (quote == std::string_view::npos) return std::nullopt;
  return from_numbers(h.view(), quote + 1);
}

Size xv(const Header& h) {
  size_t at = h.view().find('\n');
  while (at != std::string_view::npos && h.is(at + 1, "#")) at = h.view().find('\n', at + 1);
  if (at == std::string_view::npos) return std::nullopt;
  return from_numbers(h.view(), at + 1);
}

Size webp(const Header& h) {
  if (h.is(12, "VP8 ")) {
    const auto w = h.le(26, 2), ht = h.le(28, 2);
    if (!w || !ht) return std::nullopt;
    return PictureSize{*w & 0x3FFF, *ht & 0x3FFF};
  }
  if (h.is(12, "VP8L")) {
    const auto bits = h.le(21, 4);
    if (!bits) return std::nullopt;
    return PictureSize{(*bits & 0x3FFF) + 1, ((*bits >> 14) & 0x3FFF) + 1};
  }
  if (h.is(12, "VP8X")) {
    const auto w = h.le(24, 3), ht = h.le(27, 3);
    if (!w || !ht) return std::nullopt;
    return PictureSize{int64_t{*w} + 1, int64_t{*ht} + 1};
  }
  return std::nullopt;
}

bool is_tga_name(std::string_view extension) {
  std::string lower(extension);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower == "tga";
}

bool is_icon(const Header& h, uint32_t type) {
  const auto reserved = h.le(0, 2), kind = h.le(2, 2), count = h.le(4, 2);
  return reserved && *reserved == 0 && kind && *kind == type && count && *count != 0;
}

bool is_pcx(const Header& h) {
  return h.has(0, 3) && h.byte(0) == 0x0A &&
         (h.byte(1) == 0 || h.byte(1) == 2 || h.byte(1) == 3 || h.byte(1) == 5) && h.byte(2) == 1;
}

}  // namespace

// The formats are tried in the order SDL_image tries them, so the same reader reads the file.
std::optional<PictureFormat> picture_format(std::string_view bytes, std::string_view extension) {
  const Header h(bytes);
  if (is_tga_name(extension)) return PictureFormat::kTga;
  if (is_icon(h, 2) || is_icon(h, 1)) return PictureFormat::kIcon;
  if (h.is(0, "BM")) return PictureFormat::kBmp;
  if (h.is(0, "GIF87a") || h.is(0, "GIF89a")) return PictureFormat::kGif;
  if (h.has(0, 2) && h.byte(0) == 0xFF && h.byte(1) == 0xD8) return PictureFormat::kJpeg;
  if (h.is(0, "FORM") && (h.is(8, "ILBM") || h.is(8, "PBM "))) return PictureFormat::kLbm;
  if (is_pcx(h)) return PictureFormat::kPcx;
  if (h.is(0, "\x89PNG\r\n\x1a\n")) return PictureFormat::kPng;
  if (is_pnm(h)) return PictureFormat::kPnm;
  if (h.is(0, std::string_view("II*\0", 4)) || h.is(0, std::string_view("MM\0*", 4))) {
    return PictureFormat::kTiff;
  }
  if (h.is(0, "gimp xcf ")) return PictureFormat::kXcf;
  if (h.is(0, "/* XPM */")) return PictureFormat::kXpm;
  if (h.is(0, "P7 332")) return PictureFormat::kXv;
  if (h.is(0, "RIFF") && h.is(8, "WEBP")) return PictureFormat::kWebp;
  return std::nullopt;
}

std::optional<PictureSize> picture_size(std::string_view bytes, std::string_view extension) {
  const auto format = picture_format(bytes, extension);
  if (!format) return std::nullopt;
  const Header h(bytes);
  switch (*format) {
    case PictureFormat::kTga:
      return both(h.le(12, 2), h.le(14, 2));
    case PictureFormat::kIcon:
      return ico(h);
    case PictureFormat::kBmp:
      return bmp_info(h, 14);
    case PictureFormat::kGif:
      return gif(h);
    case PictureFormat::kJpeg:
      return jpeg(h);
    case PictureFormat::kLbm:
      return lbm(h);
    case PictureFormat::kPcx:
      return pcx(h);
    case PictureFormat::kPng:
      return png(h);
    case PictureFormat::kPnm:
      return from_numbers(bytes, 2);
    case PictureFormat::kTiff:
      return tiff(h);
    case PictureFormat::kXcf:
      return both(h.be(14, 4), h.be(18, 4));
    case PictureFormat::kXpm:
      return xpm(h);
    case PictureFormat::kXv:
      return xv(h);
    case PictureFormat::kWebp:
      return webp(h);
  }
  return std::nullopt;
}

bool sturdy_picture_format(PictureFormat format) {
  switch (format) {
    case PictureFormat::kPng:
    case PictureFormat::kJpeg:
    case PictureFormat::kBmp:
    case PictureFormat::kTiff:
    case PictureFormat::kWebp:
      return true;
    default:
      return false;
  }
}

bool picture_size_allowed(const PictureSize& size) {
  return size.width >= 1 && size.height >= 1 && size.width <= kMaxPictureSide &&
         size.height <= kMaxPictureSide && size.width * size.height <= kMaxPicturePixels;
}

}  // namespace kelvo
