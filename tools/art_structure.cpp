// The building site: the level pictures, ladders, cauldron, chain, bolt and the hook whose
// picture also carries the girder ends left of x 0 (the level picture starts at x 0).
#include <algorithm>
#include <string>

#include "tools/art_parts.h"
#include "tools/asset_set.h"
#include "tools/colours.h"
#include "tools/dither.h"
#include "tools/girders.h"
#include "tools/structure_geometry.h"

namespace kelvo::assets {
namespace {

using namespace col;

constexpr int kLevelW = 420;
constexpr int kLevelH = 552;
constexpr int kGroundY = geo::kGroundY;

struct LadderSpot {
  int lower_girder;
  int x;
};
// Broken ladders hang from the girder above and stop short of the one below: for show only.
constexpr LadderSpot kLadders[] = {{1, 97},  {1, 298}, {2, 201}, {3, 122}, {3, 282}, {4, 59},
                                   {4, 233}, {5, 178}, {5, 330}, {6, 90},  {6, 258}};

// The site's yard from the ground line to the picture's bottom, in world columns x0 to x1.
void draw_yard(WorldCanvas& w, int x0, int x1, int bottom) {
  for (int y = kGroundY; y <= bottom; ++y)
    for (int x = x0; x <= x1; ++x) w.set(x, y, pavement_pixel(x, y - kGroundY));
}

// A concrete footing under a post, `width` columns wide from x, set into the ground.
void draw_footing(WorldCanvas& w, int x, int width) {
  for (int y = kGroundY - 3; y <= kGroundY + 6; ++y)
    for (int i = 0; i < width; ++i) {
      const bool top = y == kGroundY - 3, edge = i == 0 || i == width - 1 || y == kGroundY + 6;
      w.set(x + i, y, top ? kGreyCA : (edge ? kGrey61 : (i < width / 3 ? kGreyA2 : kGrey82)));
    }
}

// The girders of one structure on its yard; `top_platform` adds the platform of levels 1 to 9.
void draw_structure(WorldCanvas& w, const SteelStyle& s, bool top_platform) {
  draw_yard(w, 0, kLevelW - 1, kLevelH - 1);
  // Footings: lattice posts from the bottom girder down to concrete pads on the ground.
  for (int x : {42, 201, 362}) {
    draw_post(w, x, geo::surface_y(1, x + 3) + kGirderThickness, kGroundY + 2, s);
    draw_footing(w, x - 2, 10);
  }
  for (const LadderSpot& l : kLadders) {
    const int top = geo::surface_y(l.lower_girder + 1, l.x + 3) + kGirderThickness;
    const int bottom = geo::surface_y(l.lower_girder, l.x + 3) - 6;
    const bool broken = (l.x / 7) % 2 == 0;
    draw_ladder(w.canvas, l.x, top, broken ? bottom - 5 : bottom, s.highlight, s.main, s.shadow);
    if (broken) w.set(l.x + 6, bottom - 4, s.shadow);  // a bent rail end
  }
  for (int g = 1; g <= 7; ++g)
    draw_girder(w, g, std::max(0, geo::girder_left(g)), geo::girder_right(g), s,
                geo::girder_left(g) >= 0);
  if (top_platform) {
    const int top = geo::kTopStandY + geo::kHeroHeight;
    // Two posts carry the platform; they stand between the columns that girder tests sample.
    for (int x : {153, 393})
      draw_post(w, x, top + kGirderThickness, geo::surface_y(7, x + 3) - 1, s);
    draw_flat_girder(w, top, geo::kTopLeftEnd, geo::kRightEnd, s);
  }
}

Canvas level_picture() {
  Canvas c(kLevelW, kLevelH);
  WorldCanvas w{c, 0, 0};
  draw_structure(w, kDaySteel, true);
  return c;
}

// Level 10: the same site at night, lamps under the girders, scorched rails, and the beam on
// which the duo's hut stands, held by the two bolts.
Canvas final_level_picture() {
  Canvas c(kLevelW, kLevelH);
  WorldCanvas w{c, 0, 0};
  // The girders keep the day steel: their ends left of x 0 are in the hook's picture, which
  // every level shares. The night shows in the lamps, the soot and the hut's dark beam.
  draw_structure(w, kDaySteel, false);
  for (int g = 1; g <= 7; ++g) {
    for (int x = geo::girder_left(g) + 20; x < geo::girder_right(g) - 10; x += 67) {
      if (x < 2) continue;
      const int y = geo::surface_y(g, x) + kGirderThickness;
      c.set(x, y, kGrey61);
      c.fill_rect(x - 1, y + 1, 3, 2, kPaleLemon);
      c.set(x, y + 1, kWhite);
      for (int i = -2; i <= 2; ++i) c.set_under(x + i, y + 3 + (i * i) / 3, kAmber);
    }
    for (int x = geo::girder_left(g) + 45; x < geo::girder_right(g) - 10; x += 91) {
      if (x < 2) continue;
      const int y = geo::surface_y(g, x);
      c.set(x, y + 1, kGrey2D);
      c.set(x + 1, y + 1, kGrey2D);
      c.set(x + 2, y + 5, kGrey2D);
    }
  }
  // The hut's beam (rows 12 to 24) and its two posts down to the top girder.
  draw_flat_girder(w, 12, 180, 332, kNightSteel);
  for (int y = 19; y <= 24; ++y) c.hline(180, 332, y, y == 24 ? kUmber : kBrown);
  for (int x = 180; x <= 332; x += 8) c.set(x, 21, kAmber);
  for (int x : {209, 297}) draw_post(w, x, 25, geo::surface_y(7, x + 3) - 1, kNightSteel);
  return c;
}

// The hook on the crane's cable, the rope the ape climbs, the girder ends left of x 0 and the
// yard under them. Drawn at world (-64, 21).
Canvas hook_picture() {
  constexpr int kOriginX = -64, kOriginY = 21;
  Canvas c(80, 530);
  const Canvas hook = from_grid(
      {
          "....kkkkkkkk....",
          "...kGgggggggGk..",
          "...kgwwwwwwwgk..",
          "...kGgggggggGk..",
          "....kkkgGkkk....",
          "......kgGk......",
          ".....kgGGgk.....",
          "....kgk..kgk....",
          "....kgk...kk....",
          "....kgk.........",
          "....kgk...kk....",
          ".....kgk.kgk....",
          "......kgggk.....",
          ".......kkk......",
      },
      Legend{{'k', kGrey2D}, {'g', kGreyA2}, {'G', kGrey61}, {'w', kGreyE3}});
  c.blit(hook, 0, 0);
  // Rope tied to the hook's eye, hanging down past the ape's lowest perch.
  for (int y = 12; y < 440; ++y) {
    c.set(7, y, (y / 3) % 2 ? kTan : kKhaki);
    c.set(8, y, (y / 3) % 2 ? kChestnut : kTan);
  }
  c.fill_rect(6, 436, 4, 5, kTan);
  c.set(7, 441, kChestnut);
  c.set(8, 442, kChestnut);
  WorldCanvas w{c, kOriginX, kOriginY};
  for (int g : {1, 2, 4, 6}) draw_girder(w, g, geo::kLeftEnd, -1, kDaySteel, true, false);
  // The yard goes on left of the level picture, under the hook and the crane.
  draw_yard(w, kOriginX, kOriginX + c.width() - 1, kOriginY + c.height() - 1);
  return c;
}

Canvas bottom_ladder() {
  Canvas c(7, 52);
  draw_ladder(c, 0, 0, 51, kDaySteel.highlight, kDaySteel.main, kDaySteel.shadow);
  return c;
}

// The ladder piece let down at the end of a level: 150 rows, its foot on the top platform.
Canvas ladder_piece() {
  Canvas c(11, 150);
  for (int y = 0; y < 150; ++y) {
    c.set(1, y, kGreyCA);
    c.set(2, y, kGrey82);
    c.set(8, y, kGreyCA);
    c.set(9, y, kGrey82);
    if (y % 5 == 3) c.hline(3, 7, y, kGreyE3);
  }
  c.outline(kGrey39);
  return c;
}

Canvas chain_picture() {
  Canvas c(5, 122);
  for (int y = 0; y < 122; ++y) {
    if ((y / 4) % 2 == 0) {  // link seen face on
      const int k = y % 4;
      if (k == 0 || k == 3)
        c.hline(1, 3, y, kGrey82);
      else {
        c.set(0, y, kGreyB6);
        c.set(4, y, kGrey61);
      }
    } else {  // link seen edge on
      c.set(2, y, kGreyCA);
      c.set(1, y, kGrey51);
    }
  }
  return c;
}

constexpr int kCauldronW = 36;

// Back of the cauldron at (202, 19): the far rim and the bubbling brew, 21 rows.
Canvas cauldron_back(int frame) {
  Canvas c(kCauldronW, 21);
  c.fill_ellipse(17, 5, 16, 4, kGrey39);
  c.fill_ellipse(17, 6, 14, 3, kForest);
  c.hline(5, 29, 4, kGreen);
  static const int kBubbles[4][3] = {{6, 14, 24}, {9, 18, 27}, {12, 21, 8}, {15, 25, 11}};
  for (int i = 0; i < 3; ++i) {
    const int bx = kBubbles[frame - 1][i];
    const int size = (frame + i) % 3;
    c.set(bx, 5 - size, kLime);
    if (size > 0) {
      c.set(bx + 1, 5 - size, kLime);
      c.set(bx, 4 - size, kPaleGreen);
    }
  }
  // Steam curls rising from the brew.
  for (int i = 0; i < 3; ++i) {
    const int sx = 9 + i * 9 + (frame + i) % 2;
    c.set(sx, 1 - (frame + i) % 2, kGreyCA);
  }
  return c;
}

// Front of the cauldron at (202, 24): the near rim, the iron pot and the fire, 16 rows.
Canvas cauldron_front(int frame) {
  Canvas c(kCauldronW, 16);
  // The iron belly, lit from the upper left and warmed by the fire beneath it.
  for (int y = 1; y < 13; ++y)
    for (int x = 0; x < kCauldronW; ++x) {
      const double dx = (x - 17.5) / 17.5, dy = (y - 1) / 11.5;
      if (dx * dx + dy * dy > 1.0) continue;
      const double t = (x - 9) / 26.0 + y / 24.0;
      uint8_t colour = t < 0.45 ? dither(kGrey61, kGrey45, t / 0.45, x, y)
                                : dither(kGrey45, kGrey2D, (t - 0.45) / 0.55, x, y);
      if (y >= 9) colour = dither(colour, kRust, (y - 8) / 8.0, x, y);
      c.set(x, y, colour);
    }
  c.set(8, 3, kGreyA2);  // a glint
  c.set(9, 4, kGrey82);
  c.outline(kInk);
  c.fill_rect(0, 0, kCauldronW, 1, kClear);
  c.hline(0, 35, 0, kGreyA2);  // the near rim
  c.hline(0, 35, 1, kGrey61);
  c.fill_rect(8, 12, 2, 4, kGrey39);  // legs
  c.fill_rect(26, 12, 2, 4, kGrey39);
  // Flames under the pot.
  static const int kFlame[4][5] = {
      {3, 2, 4, 1, 3}, {2, 4, 2, 3, 1}, {4, 1, 3, 2, 4}, {1, 3, 4, 3, 2}};
  for (int i = 0; i < 5; ++i) {
    const int fx = 11 + i * 3;
    const int h = kFlame[frame - 1][i];
    for (int k = 0; k < h; ++k) {
      c.set(fx, 15 - k, k == 0 ? kYellow : (k + 1 == h ? kOrangeRed : kOrange));
      if (k < h - 1) c.set(fx + 1, 15 - k, k == 0 ? kPaleLemon : kOrange);
    }
  }
  return c;
}

// A hex bolt, 10 by 12: its head on the beam and the end of its shank below it.
Canvas bolt_picture() {
  return from_grid(
      {
          "..kkkkkk..",
          ".kwwggggk.",
          "kwwgggGGGk",
          "kwgkkkkGGk",
          "kggkggkGdk",
          "kggkggkGdk",
          "kgGkkkkGdk",
          "kGGGGGdddk",
          ".kdddddddk",
          "..kkgGkkk.",
          "...kGdk...",
          "...kkkk...",
      },
      Legend{{'k', kGrey2D}, {'w', kGreyE3}, {'g', kGreyB6}, {'G', kGrey92}, {'d', kGrey61}});
}

}  // namespace

void add_structure(AssetSet& set) {
  for (int q = 0; q < 4; ++q)
    set.picture(q == 0 ? "baril.xxx" : "baril" + std::to_string(q + 1) + ".xxx", barrel_picture(q));
  set.picture("niveau1.xxx", level_picture());
  set.picture("niveaufinal.xxx", final_level_picture());
  set.picture("boulon.xxx", bolt_picture());
  set.picture("echelle.xxx", bottom_ladder());
  set.picture("echelle2.xxx", ladder_piece());
  for (int f = 1; f <= 4; ++f)
    set.picture("chaudronh" + std::to_string(f) + ".xxx", cauldron_back(f));
  for (int f = 1; f <= 4; ++f)
    set.picture("chaudronb" + std::to_string(f) + ".xxx", cauldron_front(f));
  set.picture("chaine.xxx", chain_picture());
  set.picture("crochet.xxx", hook_picture());
}

}  // namespace kelvo::assets
