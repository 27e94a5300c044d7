// Writing pictures as PNG files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kelvo {

// Writes 8-bit RGB rows (width * 3 bytes each); false when the file cannot be written.
bool write_png_rgb(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);

}  // namespace kelvo
