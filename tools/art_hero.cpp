// Dr Kelvo: a doctor in a white coat with dark hair and a head mirror, 14 by 16 pixels, facing
// right; the left-facing, idle, knocked-out and super frames are derived from the same grids.
#include <string>

#include "tools/art_parts.h"
#include "tools/asset_set.h"
#include "tools/colours.h"

namespace kelvo::assets {
namespace {

using namespace col;

// The hero's picture (14 by 16) hangs from his position, the soles on its last row.
constexpr int kHeroH = 16;

const Legend kDoctor{{'h', kUmber},  {'H', kChestnut}, {'s', kSkin},    {'S', kPeach},
                     {'e', kInk},    {'m', kGreyE3},   {'w', kWhite},   {'g', kGreyB6},
                     {'t', kGrey51}, {'r', kRed},      {'b', kSlate},   {'B', kDeepBlue},
                     {'f', kGrey2D}, {'c', kRed},      {'C', kDarkRed}, {'y', kYellow}};

// Rows 0 to 10 are shared by the walking frames: the head in profile (hair at the back, the
// head mirror on his forehead), the collar and the stethoscope.
#define KELVO_HERO_TOP                                                                          \
  "..............", ".....hhhhh....", "....hhhhhhhh..", "...hhhhhmmms..", "...hHhhsssess.",     \
      "...hhhsssssss.", "....hhsssss...", ".....sssss....", "....wwtwwww...", "...wwwwtwwww..", \
      "...wgwwwtwrw.."

Canvas with_outline(Canvas c, uint8_t ink) {
  c.outline(ink);
  return c;
}

Canvas hero_frame(int frame) {
  switch (frame) {
    case 1:  // stride: front hand forward, legs apart
      return from_grid({KELVO_HERO_TOP, "...wgwwwwwwws.", "...wgwwwwwww..", "..bbb...bbb...",
                        ".fff.....fff..", ".............."},
                       kDoctor);
    case 2:  // standing
      return from_grid({KELVO_HERO_TOP, "..swgwwwwwws..", "...wgwwwwwww..", "....bbb.bbb...",
                        "...fff..ffff..", ".............."},
                       kDoctor);
    default:  // passing step, back hand swinging; also the jump
      return from_grid({KELVO_HERO_TOP, "..swgwwwwwww..", "...wgwwwwwww..", ".....bbbbb....",
                        ".....ffffff...", ".............."},
                       kDoctor);
  }
}

// Idle: 1 stands, 2 looks back over his shoulder, 3 looks up, 4 lifts his toes, 5 blinks.
Canvas idle_frame(int frame) {
  Canvas c = hero_frame(2);
  if (frame == 2) {
    Canvas head = c.cropped(3, 1, 10, 6).mirrored();
    c.fill_rect(3, 1, 10, 6, kClear);
    c.blit(head, 2, 1);
  } else if (frame == 3) {  // eyes up
    c.set(10, 4, kSkin);
    c.set(10, 3, kInk);
  } else if (frame == 4) {  // toes up
    c.fill_rect(8, 14, 4, 1, kClear);
    c.fill_rect(8, 13, 4, 1, kGrey2D);
    c.set(11, 12, kGrey2D);
  } else if (frame == 5) {  // blink
    c.set(10, 4, kPeach);
  }
  return c;
}

// Knocked out: lying on his back, 22 by 16, with stars circling over his head.
Canvas ko_frame(int frame) {
  Canvas c(22, kHeroH);
  const Canvas body = from_grid(
      {
          "..........hhh.........",
          "..ff.bbbwwwwhhhhs.....",
          ".fffbbbwwwgtwmmhse....",
          ".ff.bbbwwwwwthhssss...",
          "....bbbwwrwwwhhsSs....",
      },
      kDoctor);
  c.blit(body, 0, 10);
  c.outline(kInk);
  static const int kStarX[4] = {10, 14, 18, 14};
  static const int kStarY[4] = {5, 2, 5, 7};
  for (int i = 0; i < 3; ++i) {
    const int k = (frame - 1 + i) % 4;
    const uint8_t colour = i == 0 ? kYellow : (i == 1 ? kPaleLemon : kAmber);
    const int x = kStarX[k], y = kStarY[k];
    c.set(x, y, colour);
    c.set(x - 1, y, colour);
    c.set(x + 1, y, colour);
    c.set(x, y - 1, colour);
    c.set(x, y + 1, colour);
  }
  return c;
}

// Super form: a red cape flowing behind, a golden glow for an outline, the cross turned gold.
Canvas super_frame(int frame) {
  Canvas c = hero_frame(frame == 1 ? 2 : 1).recoloured({{kRed, kYellow}});
  const int sweep = frame == 1 ? 0 : 1;  // the cape flies out further while running
  for (int y = 8; y <= 14; ++y) {
    const int len = 1 + (y - 8) / 2 + sweep;
    for (int x = 4 - len; x < 4; ++x) c.set_under(x, y - sweep, (x + y) % 4 == 0 ? kDarkRed : kRed);
  }
  c.hline(4, 8, 8, kRed);  // the cape's collar
  c.outline(kAmber);
  return c;
}

}  // namespace

Canvas hero_ko_frame(int frame) {
  return ko_frame(frame);
}

Canvas hero_walk_frame(int frame) {
  return with_outline(hero_frame(frame), kInk);
}

void add_hero(AssetSet& set) {
  for (int f = 1; f <= 3; ++f) {
    const Canvas right = with_outline(hero_frame(f), kInk);
    set.picture("hro0" + std::to_string(f) + ".xxx", right);
    set.picture("hro0" + std::to_string(f) + "g.xxx", right.mirrored());
  }
  for (int f = 1; f <= 5; ++f) {
    const Canvas right = with_outline(idle_frame(f), kInk);
    set.picture("docpause" + std::to_string(f) + ".xxx", right);
    set.picture("docpause_g" + std::to_string(f) + ".xxx", right.mirrored());
  }
  for (int f = 1; f <= 4; ++f) set.picture("dockoar" + std::to_string(f) + "g.xxx", ko_frame(f));
  for (int f : {1, 3}) {
    const Canvas right = super_frame(f);
    set.picture("superhro0" + std::to_string(f) + ".xxx", right);
    set.picture("superhro0" + std::to_string(f) + "g.xxx", right.mirrored());
  }
}

}  // namespace kelvo::assets
