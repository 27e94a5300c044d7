// The window icon: Dr Kelvo's head with his head mirror on an orange girder badge, drawn at 32
// and, for the small sizes, at 16 pixels.
#include "runtime/display/window_icon.h"

#include <optional>

#include "runtime/display/default_palette.h"

namespace kelvo {
namespace {

// One character per pixel; icon_pixel() gives its palette index.
constexpr const char* kRows[32] = {
    "................................", "...........oooooooooo...........",
    "........ooooOOOOOOOOoooo........", "......oooOOOhhhhhhhhOOOooo......",
    ".....ooOOhhhhHhhhhhhhhhOOoo.....", "....ooOhhhHHhhhhhhhhhhhhhOoo....",
    "...ooOhhhHhhhhhhhhhhhhhhhhOoo...", "...oOhhhhhhhhccccchhhhhhhhhOo...",
    "..ooOhhhhhhhcwwwwwchhhhhhhhOoo..", "..oOhhhhhhhcwwcccwwchhhhhhhhOo..",
    ".ooOhhhhhhhcwcgggcwcshhhhhhhOoo.", ".oOhhhhsssscwcgggcwcssssshhhhOo.",
    ".oOhhhssssscwwcccwwcsssssshhhOo.", ".oOhhsssssssccccccccssssssshhOo.",
    ".oOhhsssssssssssssssssssssshhOo.", ".oOhsskkkkssssssssssskkkkssshOo.",
    ".oOhssswkkssssssssssswkkssssSOo.", ".oOSsssskkssssSSssssskkssssSSOo.",
    ".oOSSsssssssssSSsssssssssssSSOo.", ".oOOSSssssssssSSSssssssssssSOOo.",
    ".ooOOSsssssssssssssssssssssSOoo.", "..oOOSssssssmmmmmmmmsssssssSOo..",
    "..ooOOSssssssmwwwwmsssssssSOoo..", "...oOOSSsssssssmmsssssssSSSOo...",
    "...ooOOSSSssssssssssssSSSOOoo...", "....ooOwwwSSSSSSSSSSSSwwwOoo....",
    ".....oowwwwwwSSSSSSwwwwwwoo.....", "......wwwwgwwwwrrwwwwgwwww......",
    ".....wwwwwgwwwrrrrwwwgwwwww.....", "....wwwwwwgwwwwrrwwwwgwwwwww....",
    "....wwwwwwgwwwwwwwwwwgwwwwww....", "................................",
};

constexpr uint8_t icon_pixel(char c) {
  switch (c) {
    case 'o':
      return 42;  // orange badge
    case 'O':
      return 6;  // badge rim shadow
    case 'h':
      return 186;  // dark brown hair
    case 'H':
      return 114;  // hair highlight
    case 's':
      return 66;  // skin
    case 'S':
      return 65;  // skin shadow
    case 'k':
      return 17;  // eyes and brows
    case 'w':
      return 15;  // white: coat, eye glint, teeth, mirror
    case 'c':
      return 25;  // head-mirror rim
    case 'g':
      return 28;  // coat folds, mirror centre
    case 'r':
      return 40;  // red cross
    case 'm':
      return 112;  // mouth
    default:
      return 0;
  }
}

// The same head drawn for 16 pixels, where the 32-pixel drawing halved would lose the eyes.
constexpr const char* kSmallRows[16] = {
    "................", ".....oooooo.....", "...ooOOOOOOoo...", "..oOhhhhhhhhOo..",
    ".oOhhhhcchhhhOo.", ".oOhhhcwgchhhOo.", ".oOhsssccsssSOo.", ".oOskksssskksOo.",
    ".oOssssssssssOo.", ".oOSsssSSsssSOo.", ".ooOSsmwwmsSOoo.", "..oOSssssssSOo..",
    "...oOSSSSSSOo...", "...wwwwSSwwww...", "..wwwgwrrwgwww..", "..wwwgwwwwgwww..",
};

// The drawing for `size` and how many times each of its pixels is repeated.
struct IconSource {
  const char* const* rows;
  int side;
  int scale;
};

std::optional<IconSource> icon_source(int size) {
  for (const int side : {16, 32}) {
    if (size % side != 0) continue;
    const int scale = size / side;
    // 16 and 48 come from the small drawing; 32, 64, 128 and 256 from the large one.
    if (side == 16 && scale != 1 && scale != 3) continue;
    return IconSource{side == 16 ? kSmallRows : kRows, side, scale};
  }
  return std::nullopt;
}

}  // namespace

std::vector<uint32_t> window_icon_argb(int size) {
  const auto source = icon_source(size);
  if (!source) return {};
  const Palette& palette = default_palette();
  std::vector<uint32_t> pixels(static_cast<size_t>(size) * size);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const uint8_t index = icon_pixel(source->rows[y / source->scale][x / source->scale]);
      pixels[static_cast<size_t>(y) * size + x] = index == 0 ? 0 : palette[index];
    }
  }
  return pixels;
}

#define KELVO_PX(y, x) icon_pixel(kRows[y][x])
#define KELVO_PX8(y, x)                                                                           \
  KELVO_PX(y, x), KELVO_PX(y, x + 1), KELVO_PX(y, x + 2), KELVO_PX(y, x + 3), KELVO_PX(y, x + 4), \
      KELVO_PX(y, x + 5), KELVO_PX(y, x + 6), KELVO_PX(y, x + 7)
#define KELVO_ROW(y) KELVO_PX8(y, 0), KELVO_PX8(y, 8), KELVO_PX8(y, 16), KELVO_PX8(y, 24)

const uint8_t kWindowIcon[32 * 32] = {
    KELVO_ROW(0),  KELVO_ROW(1),  KELVO_ROW(2),  KELVO_ROW(3),  KELVO_ROW(4),  KELVO_ROW(5),
    KELVO_ROW(6),  KELVO_ROW(7),  KELVO_ROW(8),  KELVO_ROW(9),  KELVO_ROW(10), KELVO_ROW(11),
    KELVO_ROW(12), KELVO_ROW(13), KELVO_ROW(14), KELVO_ROW(15), KELVO_ROW(16), KELVO_ROW(17),
    KELVO_ROW(18), KELVO_ROW(19), KELVO_ROW(20), KELVO_ROW(21), KELVO_ROW(22), KELVO_ROW(23),
    KELVO_ROW(24), KELVO_ROW(25), KELVO_ROW(26), KELVO_ROW(27), KELVO_ROW(28), KELVO_ROW(29),
    KELVO_ROW(30), KELVO_ROW(31)};

#undef KELVO_ROW
#undef KELVO_PX8
#undef KELVO_PX

}  // namespace kelvo
