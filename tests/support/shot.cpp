// Reading screenshots back with SDL_image.
#include "support/shot.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstring>

namespace kelvo::test {

Shot read_shot(const std::string& path) {
  Shot shot;
  SDL_Surface* s = IMG_Load(path.c_str());
  if (!s) return shot;
  shot.width = s->w;
  shot.height = s->h;
  for (int y = 0; y < s->h; ++y) {
    for (int x = 0; x < s->w; ++x) {
      const auto* p =
          static_cast<const uint8_t*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
      uint32_t value = 0;
      std::memcpy(&value, p, s->format->BytesPerPixel);
      uint8_t r, g, b;
      SDL_GetRGB(value, s->format, &r, &g, &b);
      shot.rgb.push_back(static_cast<uint32_t>(r) << 16 | g << 8 | b);
    }
  }
  SDL_FreeSurface(s);
  return shot;
}

// Pixels that differ between two shots inside (or, with `inside` false, outside) a text band.
int differences(const Shot& a, const Shot& b, int row, bool inside) {
  int count = 0;
  for (int y = 0; y < a.height; ++y) {
    const bool inBand = y >= 16 * (row - 1) && y < 16 * row;
    for (int x = 0; x < a.width; ++x) count += inBand == inside && a.at(x, y) != b.at(x, y);
  }
  return count;
}

// Whether any pixel of the text cell (row, column) has the given colour.
bool cell_has(const Shot& s, int row, int column, uint32_t rgb) {
  for (int y = 16 * (row - 1); y < 16 * row; ++y) {
    for (int x = 8 * (column - 1); x < 8 * column; ++x) {
      if (s.at(x, y) == rgb) return true;
    }
  }
  return false;
}

}  // namespace kelvo::test
