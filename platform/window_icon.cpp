// The window icon: Dr Kelvo's head with his head mirror on an orange girder badge.
#include "platform/window_icon.h"

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

}  // namespace

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
