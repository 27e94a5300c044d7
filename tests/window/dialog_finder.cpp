// Finds the error dialog, pixel for pixel as the program draws it, in a screenshot of the X
// screen, and prints the centre of each of its buttons in screen coordinates, one per line.
// Usage: dialog_finder SHOT.png yesno|ok TITLE TEXT ("\n" separates lines); status 1 if absent.
#include <png.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/dialog_box.h"

namespace {

constexpr int kWindowWidth = 320;
constexpr int kWindowHeight = 300;

struct Picture {
  int w = 0;
  int h = 0;
  std::vector<uint8_t> rgb;
  uint32_t at(int x, int y) const {
    const size_t i = (static_cast<size_t>(y) * w + x) * 3;
    return static_cast<uint32_t>(rgb[i]) << 16 | static_cast<uint32_t>(rgb[i + 1]) << 8 |
           rgb[i + 2];
  }
};

bool read_png(const char* path, Picture& picture) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path)) return false;
  image.format = PNG_FORMAT_RGB;
  picture.w = static_cast<int>(image.width);
  picture.h = static_cast<int>(image.height);
  picture.rgb.resize(PNG_IMAGE_SIZE(image));
  return png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr) != 0;
}

std::string unescape(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size() && s[i + 1] == 'n') {
      out += '\n';
      ++i;
    } else {
      out += s[i];
    }
  }
  return out;
}

bool matches(const Picture& shot, int x0, int y0, const std::vector<uint32_t>& box, int w, int h) {
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (shot.at(x0 + x, y0 + y) != box[static_cast<size_t>(y) * w + x]) return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: dialog_finder SHOT.png yesno|ok TITLE TEXT\n");
    return 2;
  }
  Picture shot;
  if (!read_png(argv[1], shot)) {
    std::fprintf(stderr, "dialog_finder: cannot read %s\n", argv[1]);
    return 2;
  }
  const kelvo::DialogRequest request{
      std::string(argv[2]) == "ok" ? kelvo::DialogKind::Ok : kelvo::DialogKind::YesNo, argv[3],
      unescape(argv[4])};
  const kelvo::DialogLayout layout = kelvo::layout_dialog(request, kWindowWidth, kWindowHeight);
  const std::vector<uint32_t> box = kelvo::render_dialog(request, layout);
  const int w = layout.box.w, h = layout.box.h;
  for (int y = 0; y + h <= shot.h; ++y) {
    for (int x = 0; x + w <= shot.w; ++x) {
      if (shot.at(x, y) != box[0] || !matches(shot, x, y, box, w, h)) continue;
      for (const auto& b : layout.buttons) {
        std::printf("%d %d\n", x + b.x - layout.box.x + b.w / 2, y + b.y - layout.box.y + b.h / 2);
      }
      return 0;
    }
  }
  return 1;
}
