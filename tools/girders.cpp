// Girder, post and ladder drawing.
#include "tools/girders.h"

#include "tools/colours.h"
#include "tools/structure_geometry.h"

namespace kelvo::assets {

using namespace col;

const SteelStyle kDaySteel{kCream, kOrange, kBrown, kChestnut, kPaleSkin};
const SteelStyle kNightSteel{kAmber, kBrown, kChestnut, kUmber, kGreyA2};

namespace {

int positive_mod(int a, int m) {
  return ((a % m) + m) % m;
}

// One column of girder starting at row `top`: rails, a Warren truss between them, rivets.
void girder_column(WorldCanvas& w, int x, int top, const SteelStyle& s) {
  const int d = positive_mod(x, 8);
  w.set(x, top, s.highlight);
  w.set(x, top + 1, d == 0 ? s.rivet : s.main);
  for (int r = 0; r < 3; ++r)
    if (d == 0 || d == 1 + r || d == 7 - r) w.set(x, top + 2 + r, s.truss);
  w.set(x, top + 5, d == 4 ? s.rivet : s.main);
  w.set(x, top + 6, s.shadow);
}

}  // namespace

void draw_girder(WorldCanvas& w, int girder, int x0, int x1, const SteelStyle& s, bool plate_left,
                 bool plate_right) {
  for (int x = x0; x <= x1; ++x) girder_column(w, x, geo::surface_y(girder, x), s);
  for (int x : {x0, x1}) {
    if ((x == x0 && !plate_left) || (x == x1 && !plate_right)) continue;
    const int top = geo::surface_y(girder, x);
    for (int y = top; y < top + kGirderThickness; ++y)
      w.set(x, y, y == top ? s.highlight : s.shadow);
  }
}

void draw_flat_girder(WorldCanvas& w, int top, int x0, int x1, const SteelStyle& s) {
  for (int x = x0; x <= x1; ++x) girder_column(w, x, top, s);
  for (int x : {x0, x1})
    for (int y = top + 1; y < top + kGirderThickness; ++y) w.set(x, y, s.shadow);
}

void draw_post(WorldCanvas& w, int x, int y0, int y1, const SteelStyle& s) {
  for (int y = y0; y <= y1; ++y) {
    w.set(x, y, s.main);
    w.set(x + 1, y, s.shadow);
    w.set(x + 4, y, s.main);
    w.set(x + 5, y, s.shadow);
    const int k = positive_mod(y - y0, 8);
    const int diag = k < 4 ? 1 + k : 8 - k;  // zig-zag between the rails
    if (diag >= 2 && diag <= 3) w.set(x + diag, y, s.truss);
  }
}

void draw_ladder(Canvas& c, int x, int y0, int y1, uint8_t rail, uint8_t rung, uint8_t dark) {
  for (int y = y0; y <= y1; ++y) {
    c.set(x, y, rail);
    c.set(x + 6, y, dark);
    if ((y - y0) % 4 == 2) c.hline(x + 1, x + 5, y, rung);
  }
}

}  // namespace kelvo::assets
