// Drawing operations on 8-bit palette pictures.
#include "tools/canvas.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace kelvo::assets {

Canvas::Canvas(int width, int height, uint8_t fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

uint8_t Canvas::at(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return kClear;
  return pixels_[static_cast<size_t>(y) * width_ + x];
}

void Canvas::set(int x, int y, uint8_t c) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<size_t>(y) * width_ + x] = c;
}

void Canvas::set_under(int x, int y, uint8_t c) {
  if (at(x, y) == kClear) set(x, y, c);
}

void Canvas::fill_rect(int x, int y, int w, int h, uint8_t c) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) set(i, j, c);
}

void Canvas::hline(int x0, int x1, int y, uint8_t c) {
  if (x1 < x0) std::swap(x0, x1);
  for (int x = x0; x <= x1; ++x) set(x, y, c);
}

void Canvas::vline(int x, int y0, int y1, uint8_t c) {
  if (y1 < y0) std::swap(y0, y1);
  for (int y = y0; y <= y1; ++y) set(x, y, c);
}

void Canvas::line(int x0, int y0, int x1, int y1, uint8_t c) {
  const int dx = std::abs(x1 - x0);
  const int dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1;
  const int sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    set(x0, y0, c);
    if (x0 == x1 && y0 == y1) break;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

void Canvas::fill_ellipse(int cx, int cy, int rx, int ry, uint8_t c) {
  for (int y = -ry; y <= ry; ++y)
    for (int x = -rx; x <= rx; ++x) {
      const double v =
          (rx ? double(x * x) / (rx * rx + rx) : 0) + (ry ? double(y * y) / (ry * ry + ry) : 0);
      if (v <= 1.0) set(cx + x, cy + y, c);
    }
}

void Canvas::ellipse(int cx, int cy, int rx, int ry, uint8_t c) {
  Canvas shape(2 * rx + 3, 2 * ry + 3);
  shape.fill_ellipse(rx + 1, ry + 1, rx, ry, 1);
  for (int y = 0; y < shape.height(); ++y)
    for (int x = 0; x < shape.width(); ++x) {
      if (!shape.at(x, y)) continue;
      if (!shape.at(x - 1, y) || !shape.at(x + 1, y) || !shape.at(x, y - 1) || !shape.at(x, y + 1))
        set(cx - rx - 1 + x, cy - ry - 1 + y, c);
    }
}

void Canvas::blit(const Canvas& src, int x, int y, bool keyed) {
  for (int j = 0; j < src.height(); ++j)
    for (int i = 0; i < src.width(); ++i) {
      const uint8_t c = src.at(i, j);
      if (keyed && c == kClear) continue;
      set(x + i, y + j, c);
    }
}

void Canvas::outline(uint8_t c) {
  const Canvas before = *this;
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      if (before.at(x, y) != kClear) continue;
      if (before.at(x - 1, y) || before.at(x + 1, y) || before.at(x, y - 1) || before.at(x, y + 1))
        set(x, y, c);
    }
}

void Canvas::replace(uint8_t from, uint8_t to) {
  std::replace(pixels_.begin(), pixels_.end(), from, to);
}

Canvas Canvas::mirrored() const {
  Canvas out(width_, height_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) out.set(width_ - 1 - x, y, at(x, y));
  return out;
}

Canvas Canvas::flipped() const {
  Canvas out(width_, height_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) out.set(x, height_ - 1 - y, at(x, y));
  return out;
}

Canvas Canvas::rotated90() const {
  Canvas out(height_, width_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) out.set(height_ - 1 - y, x, at(x, y));
  return out;
}

Canvas Canvas::scaled(int factor) const {
  Canvas out(width_ * factor, height_ * factor);
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x) out.set(x, y, at(x / factor, y / factor));
  return out;
}

Canvas Canvas::recoloured(std::initializer_list<std::pair<uint8_t, uint8_t>> map) const {
  std::array<uint8_t, 256> table{};
  for (int i = 0; i < 256; ++i) table[i] = static_cast<uint8_t>(i);
  for (const auto& [from, to] : map) table[from] = to;
  Canvas out = *this;
  for (auto& p : out.pixels_) p = table[p];
  return out;
}

Canvas Canvas::cropped(int x, int y, int w, int h) const {
  Canvas out(w, h);
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) out.set(i, j, at(x + i, y + j));
  return out;
}

Legend::Legend(std::initializer_list<std::pair<char, uint8_t>> entries) {
  map_.fill(-1);
  map_['.'] = kClear;
  map_[' '] = kClear;
  for (const auto& [ch, index] : entries) map_[static_cast<unsigned char>(ch) & 127] = index;
}

bool Legend::has(char c) const {
  return map_[static_cast<unsigned char>(c) & 127] >= 0;
}

uint8_t Legend::operator[](char c) const {
  const int16_t v = map_[static_cast<unsigned char>(c) & 127];
  if (v < 0)
    throw std::runtime_error(std::string("sprite grid uses a character without legend: ") + c);
  return static_cast<uint8_t>(v);
}

Canvas from_grid(std::initializer_list<std::string_view> rows, const Legend& legend) {
  const int h = static_cast<int>(rows.size());
  const int w = h ? static_cast<int>(rows.begin()->size()) : 0;
  Canvas out(w, h);
  int y = 0;
  for (std::string_view row : rows) {
    if (static_cast<int>(row.size()) != w)
      throw std::runtime_error("sprite grid row is " + std::to_string(row.size()) + " wide, not " +
                               std::to_string(w) + ": " + std::string(row));
    for (int x = 0; x < w; ++x) out.set(x, y, legend[row[x]]);
    ++y;
  }
  return out;
}

}  // namespace kelvo::assets
