// The villains: the ape on the crane's rope with its bananas, the barrels, and the plumber duo
// (red and green) on their hut, falling, climbing away and riding the flying shell.
#include <cmath>
#include <string>

#include "tools/art_parts.h"
#include "tools/asset_set.h"
#include "tools/colours.h"

namespace kelvo::assets {
namespace {

using namespace col;

// A limb: a line drawn with a square brush `width` pixels wide.
void limb(Canvas& c, int x0, int y0, int x1, int y1, uint8_t colour, int width = 3) {
  for (int dy = 0; dy < width; ++dy)
    for (int dx = 0; dx < width; ++dx) c.line(x0 + dx, y0 + dy, x1 + dx, y1 + dy, colour);
}

// The ape, 40 by 30. Its hands hold the rope at column 7 (column 2 in the throwing pose, which
// the game draws 5 pixels further right); frames 1 and 2 climb hand over hand, 3 throws.
Canvas ape_frame(int frame) {
  Canvas c(40, 30);
  const int rope = frame == 3 ? 2 : 7;
  const int bx = frame == 3 ? 19 : 22;
  // Where each hand grips: the far one (behind the body) and the near one.
  const int far_y = frame == 1 ? 19 : (frame == 2 ? 3 : 12);
  const int near_y = frame == 1 ? 2 : 18;
  // Far arm and leg first, in the darker fur.
  limb(c, bx - 6, 11, rope, far_y, kUmber);
  c.fill_rect(rope - 1, far_y - 1, 4, 4, kTan);
  limb(c, bx - 5, 21, rope + 1, frame == 2 ? 24 : 26, kUmber);
  // Body, chest and the near leg.
  c.fill_ellipse(bx, 16, 10, 9, kChestnut);
  c.fill_ellipse(bx - 3, 11, 6, 4, kBrown);  // shoulder lit from above
  c.fill_ellipse(bx + 2, 18, 5, 5, kTan);
  c.fill_ellipse(bx + 6, 24, 4, 3, kChestnut);
  limb(c, bx + 7, 24, bx + 9, 27, kChestnut, 2);
  c.hline(bx + 8, bx + 12, 28, kUmber);
  // Head with a pale face, a heavy brow and a grin.
  c.fill_ellipse(bx + 2, 7, 7, 6, kChestnut);
  c.fill_ellipse(bx + 5, 9, 5, 3, kPeach);
  c.fill_ellipse(bx + 3, 5, 4, 2, kPeach);
  c.hline(bx - 1, bx + 8, 3, kUmber);
  c.hline(bx, bx + 8, 2, kBrown);
  c.set(bx + 2, 5, kWhite);
  c.set(bx + 3, 5, kInk);
  c.set(bx + 6, 5, kWhite);
  c.set(bx + 7, 5, kInk);
  c.set(bx + 5, 8, kUmber);
  c.set(bx + 7, 8, kUmber);
  c.hline(bx + 3, bx + 9, 10, kDarkRed);
  c.hline(bx + 4, bx + 8, 11, kWhite);
  c.set(bx - 1, 1, kBrown);  // tuft
  c.set(bx, 0, kBrown);
  // Near arm: on the rope while climbing, flung up and out when throwing.
  if (frame == 3) {
    limb(c, bx + 5, 12, 34, 3, kChestnut);
    c.fill_rect(34, 1, 4, 4, kPeach);
  } else {
    limb(c, bx - 4, 12, rope, near_y, kChestnut);
    c.fill_rect(rope - 1, near_y - 1, 4, 4, kPeach);
  }
  c.outline(kInk);
  return c;
}

// A banana, 10 by 10, turned a quarter further in each frame.
Canvas banana_frame(int frame) {
  Canvas c = from_grid(
      {
          "..........",
          "......kk..",
          ".......yk.",
          ".......yyk",
          "......yyYk",
          ".....yyYYk",
          "..yyyyYYk.",
          ".kYYYYkk..",
          "..kkkk....",
          "..........",
      },
      Legend{{'k', kUmber}, {'y', kYellow}, {'Y', kAmber}});
  for (int i = 1; i < frame; ++i) c = c.rotated90();
  return c;
}

uint8_t ring_colour(double r) {
  if (r > 5.0) return kUmber;
  if (r > 4.2) return kGrey82;
  return 0;
}

}  // namespace

// Barrel seen end on: a rim, an iron hoop and a cross of staves that turns 22.5 degrees a frame.
Canvas barrel_picture(int quarter) {
  Canvas c(12, 12);
  const double angle = quarter * 3.14159265358979 / 8;
  const double ca = std::cos(angle), sa = std::sin(angle);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) {
      const double dx = x - 5.5, dy = y - 5.5;
      const double r = std::sqrt(dx * dx + dy * dy);
      if (r > 5.9) continue;
      uint8_t colour = ring_colour(r);
      if (!colour) {
        const double u = dx * ca + dy * sa, v = -dx * sa + dy * ca;
        colour = (std::fabs(u) < 0.9 || std::fabs(v) < 0.9) ? kChestnut : kBrown;
        if (dx + dy < -4.5 && colour == kBrown) colour = kTan;
      }
      c.set(x, y, colour);
    }
  c.set(5, 5, kUmber);
  c.set(6, 6, kUmber);
  return c;
}

namespace {

const Legend kPlumberRed{{'c', kRed},   {'C', kDarkRed}, {'h', kUmber},   {'s', kSkin},
                         {'S', kPeach}, {'e', kInk},     {'m', kUmber},   {'o', kBlue},
                         {'O', kNavy},  {'y', kYellow},  {'b', kChestnut}};

Canvas plumber_grid(int pose) {
  // pose 0 standing, 1 arms up, 2 bending.
  if (pose == 1)
    return from_grid({"..s......s..", "..s.cccc.s..", "..scccccCs..", "..ccccccCCC.",
                      "...hsssess..", "...hssssSSs.", "....smmmmm..", ".....ssss...",
                      "...ccoocc...", "...ccooocc..", "....oyoyo...", "...oooooo...",
                      "...oooooo...", "...ooo.ooo..", "..bbb..bbb..", "............"},
                     kPlumberRed);
  if (pose == 2)
    return from_grid({"............", "............", "....cccc....", "...cccccc...",
                      "...cccccCCC.", "...hsssess..", "...hssssSSs.", "....smmmmm..",
                      "...ccoocc...", "..sccooocc..", "..s.oyoyos..", "...oooooos..",
                      "...oooooo...", "...ooo.ooo..", "..bbb..bbb..", "............"},
                     kPlumberRed);
  return from_grid({"............", "....cccc....", "...cccccc...", "...cccccCCC.", "...hsssess..",
                    "...hssssSSs.", "....smmmmm..", ".....ssss...", "...ccoocc...", "..sccooocc..",
                    "..s.oyoyos..", "...oooooos..", "...oooooo...", "...ooo.ooo..", "..bbb..bbb..",
                    "............"},
                   kPlumberRed);
}

// The red one wears denim overalls, the green one brown dungarees.
Canvas dress(const Canvas& grid, bool green) {
  return green ? grid.recoloured(
                     {{kRed, kGreen}, {kDarkRed, kForest}, {kBlue, kChestnut}, {kNavy, kUmber}})
               : grid.recoloured({{kBlue, kDenim}, {kNavy, kSlate}});
}

Canvas plumber(bool green, int pose) {
  Canvas c = dress(plumber_grid(pose), green);
  c.outline(kInk);
  return c;
}

// The duo on their hut, 80 by 40: frames 1 to 8 throw a barrel (the green plumber lifts one from
// the pile and hurls it down in front of the hut, where the game puts the real barrel at column
// 60, row 35); 9 to 12 stand and taunt.
Canvas duo_frame(int frame) {
  Canvas c = hut_picture();
  // The pile of barrels on the roof.
  c.blit(barrel_picture(0), 24, 4);
  c.blit(barrel_picture(2), 35, 4);
  const bool idle = frame >= 9;
  const int red_pose = idle ? (frame % 2) : (frame / 2) % 2;
  c.blit(plumber(false, red_pose), 10, 0);
  int green_pose = 0;
  int bx = -100, by = 0;
  switch (frame) {
    case 1:
      green_pose = 2;
      bx = 40;
      by = 5;
      break;
    case 2:
      green_pose = 2;
      bx = 44;
      by = 6;
      break;
    case 3:
      green_pose = 0;
      bx = 47;
      by = 4;
      break;
    case 4:
      green_pose = 1;
      bx = 49;
      by = -4;
      break;
    case 5:
      green_pose = 1;
      bx = 50;
      by = -6;
      break;
    case 6:
      green_pose = 1;
      bx = 53;
      by = -4;
      break;
    case 7:
      green_pose = 0;
      bx = 60;
      by = 8;
      break;
    case 8:
      green_pose = 0;
      bx = 61;
      by = 22;
      break;
    case 12:
      green_pose = 1;
      break;
    default:
      break;
  }
  c.blit(plumber(true, green_pose), 48, 0);
  if (bx > -100) c.blit(barrel_picture(frame % 4), bx, by);
  if (frame == 8)
    for (int i = 0; i < 3; ++i) c.vline(63 + 3 * i, 16, 20, kGreyE3);  // motion lines
  return c;
}

// The red plumber falling with arms and legs flailing, 16 by 16.
Canvas falling_plumber(int frame) {
  Canvas base = dress(plumber_grid(1), false);
  Canvas c(16, 16);
  c.blit(base, 2, 0);
  if (frame == 2) c = c.mirrored();
  c.set(1, 2, kWhite);
  c.set(14, 5, kWhite);
  c.outline(kInk);
  return c;
}

// Climbing the ladder piece, seen from behind, 12 by 16.
Canvas climbing_plumber(int frame) {
  Canvas c = from_grid({"............", "..s.cccc....", "..sccccccc..", "...cccccc.s.",
                        "...hhhhhhhs.", "....hhhhh...", "...cooooc...", "..ccooooccc.",
                        "...coooooc..", "....oooooo..", "...oooooo...", "...ooo.ooo..",
                        "...ooo.ooo..", "..bbb...bb..", "..bbb.......", "............"},
                       kPlumberRed);
  c = dress(c, false);
  if (frame % 2 == 0) c = c.mirrored();
  c.outline(kInk);
  return c;
}

// The flying shell, 30 by 12, flame flickering behind it.
Canvas shell_picture(int frame) {
  Canvas c = from_grid(
      {
          "......RR......................",
          "......RRR.....................",
          "......RRwwwwwwwwwwwwwwwggg....",
          ".....RRwwwwwwwwwwwwwwwwgggGG..",
          "....RRRwggggggggggggggggggGGG.",
          "....ffRwgGGGGGGGGGGGGGGGGGGGGG",
          "....ffRgGGGGGGGGGGGGGGGGGGGGG.",
          ".....RRGGGGGGGGGGGGGGGGGGGGG..",
          "......RRGGGGGGGGGGGGGGGGGG....",
          "......RRR.....................",
          "......RR......................",
          "..............................",
      },
      Legend{{'R', kRed}, {'w', kGreyE3}, {'g', kGreyA2}, {'G', kGrey61}, {'f', kYellow}});
  // The exhaust flame flickers between a short and a long tongue.
  const int len = frame == 1 ? 2 : 4;
  for (int i = 0; i < len; ++i) {
    c.set(3 - i, 5, i < 1 ? kYellow : kOrange);
    c.set(3 - i, 6, i < 1 ? kPaleLemon : kOrangeRed);
  }
  c.outline(kInk);
  return c;
}

// The red plumber (who fell from the hut) on the shell, 30 by 26: 1 lands, 2 rises, 3 crouches, 4
// and 5 laugh, 6 and 7 wave goodbye as he flies away.
Canvas shell_rider(int frame) {
  Canvas c(30, 26);
  c.blit(shell_picture(frame % 2 + 1), 0, 14);
  const int pose = (frame == 4 || frame == 6) ? 1 : (frame == 3 ? 2 : 0);
  Canvas p = plumber(false, pose);
  c.blit(p, 11, frame == 1 ? 0 : 1);
  if (frame == 4 || frame == 5) {  // laughing: "HA" puffs
    c.set(25, 2 + frame % 2, kWhite);
    c.set(27, 1 + frame % 2, kWhite);
    c.set(26, 4, kWhite);
  }
  return c;
}

}  // namespace

Canvas plumber_standing(bool green) {
  return plumber(green, 0);
}

void add_villains(AssetSet& set) {
  for (int f = 1; f <= 12; ++f)
    set.picture("mario-luigi" + std::to_string(f) + ".xxx", duo_frame(f));
  for (int f = 1; f <= 2; ++f)
    set.picture("mariofall" + std::to_string(f) + ".xxx", falling_plumber(f));
  set.picture("cabane.xxx", hut_picture());
  for (int f = 1; f <= 4; ++f)
    set.picture("mario_ech" + std::to_string(f) + ".xxx", climbing_plumber(f));
  for (int f = 1; f <= 3; ++f) set.picture("kong" + std::to_string(f) + ".xxx", ape_frame(f));
  for (int f = 1; f <= 4; ++f)
    set.picture(f == 1 ? "banane.xxx" : "banane" + std::to_string(f) + ".xxx", banana_frame(f));
  for (int f = 1; f <= 2; ++f) set.picture("obus" + std::to_string(f) + ".xxx", shell_picture(f));
  for (int f = 1; f <= 7; ++f)
    set.picture("mario_obus" + std::to_string(f) + ".xxx", shell_rider(f));
}

}  // namespace kelvo::assets
