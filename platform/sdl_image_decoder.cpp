// IMG_Load and the reading of SDL surfaces of any pixel format into ARGB pixels and index rows.
#include "platform/sdl_image_decoder.h"

#include <SDL.h>
#include <SDL_image.h>

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <memory>
#include <string>

#include "platform/picture_size.h"

namespace kelvo {
namespace {

struct SurfaceDeleter {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

// Locks the surface for the duration of the read when SDL asks for it.
class SurfaceLock {
 public:
  explicit SurfaceLock(SDL_Surface* s)
      : s_(s), locked_(SDL_MUSTLOCK(s) && SDL_LockSurface(s) == 0) {}
  ~SurfaceLock() {
    if (locked_) SDL_UnlockSurface(s_);
  }
  SurfaceLock(const SurfaceLock&) = delete;
  SurfaceLock& operator=(const SurfaceLock&) = delete;
  bool ok() const { return locked_ || !SDL_MUSTLOCK(s_); }

 private:
  SDL_Surface* s_;
  bool locked_;
};

Uint32 read_pixel(const Uint8* p, int bytes) {
  switch (bytes) {
    case 1:
      return *p;
    case 2:
      return *reinterpret_cast<const Uint16*>(p);
    case 3:
      if (SDL_BYTEORDER == SDL_BIG_ENDIAN) return (Uint32{p[0]} << 16) | (Uint32{p[1]} << 8) | p[2];
      return Uint32{p[0]} | (Uint32{p[1]} << 8) | (Uint32{p[2]} << 16);
    default:
      return *reinterpret_cast<const Uint32*>(p);
  }
}

// A pixel value as 0xAARRGGBB through the surface's format; the colour key, when set, comes out
// transparent, as does alpha 0 in formats with an alpha channel.
Uint32 argb_of(Uint32 value, SDL_Surface* s) {
  SDL_PixelFormat* f = s->format;
  Uint8 r, g, b, a;
  SDL_GetRGBA(value, f, &r, &g, &b, &a);
  if ((s->flags & SDL_SRCCOLORKEY) != 0 && value == f->colorkey) a = 0;
  return (Uint32{a} << 24) | (Uint32{r} << 16) | (Uint32{g} << 8) | b;
}

// What each of the 256 values of a one-byte pixel shows.
std::array<Uint32, 256> argb_of_values(SDL_Surface* s) {
  std::array<Uint32, 256> byValue{};
  for (Uint32 v = 0; v < 256; ++v) byValue[v] = argb_of(v, s);
  return byValue;
}

// Every pixel as 0xAARRGGBB; one-byte pixels through their values' table.
void read_argb(SDL_Surface* s, DecodedPicture& pic) {
  const int bytes = s->format->BytesPerPixel;
  pic.argb.resize(static_cast<size_t>(s->w) * s->h);
  const auto byValue = bytes == 1 ? argb_of_values(s) : std::array<Uint32, 256>{};
  for (int y = 0; y < s->h; ++y) {
    const Uint8* row = static_cast<const Uint8*>(s->pixels) + static_cast<size_t>(y) * s->pitch;
    Uint32* out = pic.argb.data() + static_cast<size_t>(y) * s->w;
    if (bytes == 1) {
      for (int x = 0; x < s->w; ++x) out[x] = byValue[row[x]];
      continue;
    }
    for (int x = 0; x < s->w; ++x) out[x] = argb_of(read_pixel(row + x * bytes, bytes), s);
  }
}

// An 8-bit palette picture keeps its rows as they are, and its pixels' look by index value.
void read_indexes(SDL_Surface* s, DecodedPicture& pic) {
  const SDL_Palette* p = s->format->palette;
  pic.indexed = true;
  pic.argbOfIndex = argb_of_values(s);
  pic.colourCount = std::clamp(p->ncolors, 0, 256);
  for (int c = 0; c < pic.colourCount; ++c) {
    const SDL_Color& colour = p->colors[c];
    pic.palette[static_cast<size_t>(c)] =
        0xFF000000u | (Uint32{colour.r} << 16) | (Uint32{colour.g} << 8) | colour.b;
  }
  pic.indexes.resize(static_cast<size_t>(s->w) * s->h);
  for (int y = 0; y < s->h; ++y) {
    const Uint8* row = static_cast<const Uint8*>(s->pixels) + static_cast<size_t>(y) * s->pitch;
    std::copy(row, row + s->w, pic.indexes.begin() + static_cast<ptrdiff_t>(y) * s->w);
  }
}

// The whole file, when it is a regular file of a size a picture may have.
std::optional<std::string> read_picture_file(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) ||
      static_cast<uint64_t>(st.st_size) > kMaxPictureFileBytes) {
    return std::nullopt;
  }
  std::ifstream in(path, std::ios::binary);
  std::string bytes(static_cast<size_t>(st.st_size), '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!in) return std::nullopt;
  return bytes;
}

// A broken file can give a surface whose format claims more bytes a pixel than a row holds.
bool readable(const SDL_Surface* s) {
  const SDL_PixelFormat* f = s->format;
  return s->pixels && s->w >= 1 && s->h >= 1 && f->BytesPerPixel >= 1 && f->BytesPerPixel <= 4 &&
         f->BitsPerPixel <= 32 && s->pitch >= s->w * f->BytesPerPixel;
}

}  // namespace

std::optional<DecodedPicture> decode_picture(std::string_view bytes, std::string_view extension) {
  const auto format = picture_format(bytes, extension);
  const auto size = picture_size(bytes, extension);
  if (!format || !sturdy_picture_format(*format) || !size || !picture_size_allowed(*size)) {
    return std::nullopt;
  }
  SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  if (!rw) return std::nullopt;
  std::string type(extension);
  SurfacePtr surface(IMG_LoadTyped_RW(rw, 1, type.data()));
  if (!surface || !readable(surface.get())) return std::nullopt;
  SurfaceLock lock(surface.get());
  if (!lock.ok()) return std::nullopt;
  DecodedPicture pic;
  pic.width = surface->w;
  pic.height = surface->h;
  const SDL_PixelFormat* f = surface->format;
  if (f->BitsPerPixel == 8 && f->palette) {
    read_indexes(surface.get(), pic);
  } else {
    read_argb(surface.get(), pic);
  }
  return pic;
}

std::string picture_path(const std::string& name) {
  std::string path = name;
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

// IMG_Load takes the type from whatever follows the path's last dot.
std::optional<DecodedPicture> SdlImageDecoder::decode(const std::string& name) {
  const std::string path = picture_path(name);
  const auto bytes = read_picture_file(path);
  if (!bytes) return std::nullopt;
  const size_t dot = path.find_last_of('.');
  return decode_picture(*bytes, dot == std::string::npos ? "" : path.substr(dot + 1));
}

}  // namespace kelvo
