// Screenshots read back as RGB pixels, and the text cells they show.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kelvo::test {

struct Shot {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> rgb;  // 0xRRGGBB, rows top to bottom
  uint32_t at(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x]; }
};

Shot read_shot(const std::string& path);

// Pixels that differ between two shots inside (or, with `inside` false, outside) a text row.
int differences(const Shot& a, const Shot& b, int row, bool inside);

// Whether any pixel of the text cell (row, column) has the given colour.
bool cell_has(const Shot& s, int row, int column, uint32_t rgb);

}  // namespace kelvo::test
