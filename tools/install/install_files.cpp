// kelvo_install_files: the files an install adds to the game's pictures and sounds: the desktop
// icons at every size (PNG with transparency) and the default high-score table, kept apart from
// the build folder's own table, which holds the scores of runs from the build folder.
//
// Usage: kelvo_install_files OUTPUT_DIR
//   writes OUTPUT_DIR/icons/hicolor/NxN/apps/kelvo.png and OUTPUT_DIR/score.txt
#include <png.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "runtime/display/window_icon.h"
#include "tools/score_table.h"

namespace {

namespace fs = std::filesystem;

bool write_icon(const fs::path& path, int size) {
  const auto argb = kelvo::window_icon_argb(size);
  std::string rgba;
  for (const uint32_t p : argb) {
    rgba += {static_cast<char>(p >> 16), static_cast<char>(p >> 8), static_cast<char>(p),
             static_cast<char>(p >> 24)};
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(size);
  image.height = static_cast<png_uint_32>(size);
  image.format = PNG_FORMAT_RGBA;
  fs::create_directories(path.parent_path());
  return png_image_write_to_file(&image, path.c_str(), 0, rgba.data(), 0, nullptr) != 0;
}

bool write_text(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kelvo_install_files OUTPUT_DIR\n");
    return 2;
  }
  const fs::path dir = argv[1];
  for (const int size : kelvo::kIconSizes) {
    const std::string name = std::to_string(size) + "x" + std::to_string(size);
    if (!write_icon(dir / "icons/hicolor" / name / "apps/kelvo.png", size)) {
      std::fprintf(stderr, "kelvo_install_files: cannot write the %s icon\n", name.c_str());
      return 1;
    }
  }
  if (!write_text(dir / "score.txt", kelvo::assets::default_score_file())) {
    std::fprintf(stderr, "kelvo_install_files: cannot write score.txt\n");
    return 1;
  }
  return 0;
}
