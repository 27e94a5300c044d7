// Steel girders, posts and ladders drawn in world coordinates, so that pieces drawn into
// different pictures join without a seam.
#pragma once

#include <cstdint>

#include "tools/canvas.h"

namespace kelvo::assets {

struct SteelStyle {
  uint8_t highlight, main, truss, shadow, rivet;
};

// Orange construction steel; darker steel for the beam that carries the duo's hut at the end.
extern const SteelStyle kDaySteel;
extern const SteelStyle kNightSteel;

inline constexpr int kGirderThickness = 7;

// A view of a canvas whose column 0 and row 0 stand at world (origin_x, origin_y).
struct WorldCanvas {
  Canvas& canvas;
  int origin_x = 0;
  int origin_y = 0;
  void set(int x, int y, uint8_t c) { canvas.set(x - origin_x, y - origin_y, c); }
  uint8_t at(int x, int y) const { return canvas.at(x - origin_x, y - origin_y); }
};

// Girder `girder` (1..7) from world column x0 to x1, its top surface on the hero's line.
// End plates are drawn only at ends that are real ends, not at a seam between two pictures.
void draw_girder(WorldCanvas& w, int girder, int x0, int x1, const SteelStyle& s,
                 bool plate_left = true, bool plate_right = true);
// A level girder whose top surface is row `top` from x0 to x1.
void draw_flat_girder(WorldCanvas& w, int top, int x0, int x1, const SteelStyle& s);
// A lattice post, 6 columns wide, from y0 to y1.
void draw_post(WorldCanvas& w, int x, int y0, int y1, const SteelStyle& s);
// A ladder 7 columns wide with rungs every 4 rows from y0 to y1.
void draw_ladder(Canvas& c, int x, int y0, int y1, uint8_t rail, uint8_t rung, uint8_t dark);

}  // namespace kelvo::assets
