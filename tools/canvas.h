// An 8-bit picture of palette indexes with the few drawing operations the asset generator needs.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

namespace kelvo::assets {

// Index 0 is the see-through colour of every keyed picture.
inline constexpr uint8_t kClear = 0;

class Canvas {
 public:
  Canvas() = default;
  Canvas(int width, int height, uint8_t fill = kClear);

  int width() const { return width_; }
  int height() const { return height_; }
  const std::vector<uint8_t>& pixels() const { return pixels_; }

  // Reads outside the picture give kClear; writes outside it are dropped.
  uint8_t at(int x, int y) const;
  void set(int x, int y, uint8_t c);
  // Writes only where the picture is still clear.
  void set_under(int x, int y, uint8_t c);

  void fill_rect(int x, int y, int w, int h, uint8_t c);
  void hline(int x0, int x1, int y, uint8_t c);
  void vline(int x, int y0, int y1, uint8_t c);
  void line(int x0, int y0, int x1, int y1, uint8_t c);
  void fill_ellipse(int cx, int cy, int rx, int ry, uint8_t c);
  void ellipse(int cx, int cy, int rx, int ry, uint8_t c);

  // Copies `src` with its top-left corner at (x, y); clear source pixels are skipped when keyed.
  void blit(const Canvas& src, int x, int y, bool keyed = true);
  // Paints `c` on every clear pixel that touches a non-clear one (4-neighbourhood).
  void outline(uint8_t c);
  // Replaces colour `from` by `to` everywhere.
  void replace(uint8_t from, uint8_t to);

  Canvas mirrored() const;
  Canvas flipped() const;
  Canvas rotated90() const;  // clockwise
  Canvas scaled(int factor) const;
  // Recolours through a table of (from, to) pairs; other colours stay.
  Canvas recoloured(std::initializer_list<std::pair<uint8_t, uint8_t>> map) const;
  Canvas cropped(int x, int y, int w, int h) const;

  bool operator==(const Canvas&) const = default;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint8_t> pixels_;
};

// Legend of a text grid: each character stands for one palette index. '.' and ' ' are clear.
class Legend {
 public:
  Legend(std::initializer_list<std::pair<char, uint8_t>> entries);
  uint8_t operator[](char c) const;
  bool has(char c) const;

 private:
  std::array<int16_t, 128> map_{};
};

// Builds a picture from rows of characters; every row must be equally long.
Canvas from_grid(std::initializer_list<std::string_view> rows, const Legend& legend);

}  // namespace kelvo::assets
