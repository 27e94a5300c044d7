// Skies (320 by 600, one per time of day and weather), the storm, clouds and rain overlays.
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "tools/art_parts.h"
#include "tools/asset_set.h"
#include "tools/colours.h"
#include "tools/dither.h"
#include "tools/structure_geometry.h"

namespace kelvo::assets {
namespace {

using namespace col;

constexpr int kSkyW = 320;
// Level 1 draws its sky at -heroY / 1.8 with heroY up to 530, the story scrolls the night sky by
// about 190 and the other levels stop at -253: 600 rows always reach the screen's bottom.
constexpr int kSkyH = 600;

// The score and timer are white text on screen rows 0 to 31. The camera shows them over sky
// rows up to 31 + 253 on levels 2 to 10 and up to 31 + 294 on level 1 and in the storm, so above
// these rows a sky uses only colours that keep white text readable (4.5 : 1 at least): dim
// stars, no sun, no moon, no bright cloud.
constexpr int kHudRowsEnd = 285;
constexpr int kDawnHudRowsEnd = 326;

using Stop = std::pair<int, uint8_t>;  // a sky row and its colour

// A dithered vertical gradient through the stops, which are given top to bottom.
void gradient(Canvas& c, std::initializer_list<Stop> stops) {
  const Stop* s = stops.begin();
  for (size_t i = 0; i + 1 < stops.size(); ++i) {
    const auto [y0, a] = s[i];
    const auto [y1, b] = s[i + 1];
    for (int y = y0; y <= y1; ++y)
      for (int x = 0; x < kSkyW; ++x) c.set(x, y, dither(a, b, double(y - y0) / (y1 - y0), x, y));
  }
}

struct SkylineStyle {
  uint8_t far, near, window;
  int lit_percent;
};

// Two rows of distant buildings standing on row `base`, with lit windows.
void draw_skyline(Canvas& c, const SkylineStyle& s, int base, uint32_t seed) {
  Rng rng(seed);
  for (int layer = 0; layer < 2; ++layer) {
    const uint8_t colour = layer == 0 ? s.far : s.near;
    int x = -rng.below(20);
    while (x < kSkyW) {
      const int w = 14 + rng.below(26);
      const int h = (layer == 0 ? 40 : 18) + rng.below(layer == 0 ? 50 : 40);
      const int top = base - h;
      c.fill_rect(x, top, w, h, colour);
      if (rng.below(4) == 0) c.vline(x + w / 2, top - 6 - rng.below(8), top, colour);  // mast
      for (int wy = top + 3; wy < base - 2; wy += 4)
        for (int wx = x + 2; wx < x + w - 2; wx += 3)
          if (rng.below(100) < s.lit_percent) c.set(wx, wy, s.window);
      x += w + (layer == 0 ? rng.below(6) : 4 + rng.below(20));
    }
  }
}

// Stars between rows y0 and y1: dim points where the HUD can stand over them, bright ones (some
// with a small cross) elsewhere.
void draw_stars(Canvas& c, int count, int y0, int y1, bool bright, uint32_t seed) {
  Rng rng(seed);
  for (int i = 0; i < count; ++i) {
    const int x = rng.below(kSkyW), y = y0 + rng.below(y1 - y0);
    const int kind = rng.below(10);
    if (!bright) {
      c.set(x, y, kind < 7 ? kGrey61 : kGrey71);
      continue;
    }
    c.set(x, y, kind < 6 ? kGrey92 : (kind < 9 ? kGreyCA : kWhite));
    if (kind == 9) {
      c.set(x - 1, y, kGrey61);
      c.set(x + 1, y, kGrey61);
      c.set(x, y - 1, kGrey61);
      c.set(x, y + 1, kGrey61);
    }
  }
}

// A glowing sun: rings of dithered halo around a bright disc.
void draw_sun(Canvas& c, int cx, int cy, int r, uint8_t core, uint8_t rim, uint8_t halo) {
  for (int y = cy - r * 3; y <= cy + r * 3; ++y)
    for (int x = cx - r * 3; x <= cx + r * 3; ++x) {
      const double d = std::hypot(x - cx, y - cy);
      if (d > r * 2.6 || d <= r) continue;
      const double t = 1.0 - (d - r) / (r * 1.6);
      if (t * 0.7 > bayer(x, y)) c.set(x, y, halo);
    }
  c.fill_ellipse(cx, cy, r, r, rim);
  c.fill_ellipse(cx - 1, cy - 1, r - 2, r - 2, core);
}

// A sun hidden by cloud: only a soft, wide brightening of the overcast.
void draw_veiled_sun(Canvas& c, int cx, int cy, int r, uint8_t glow, uint8_t core) {
  for (int y = cy - r; y <= cy + r; ++y)
    for (int x = cx - r; x <= cx + r; ++x) {
      const double t = 1.0 - std::hypot(x - cx, (y - cy) * 1.6) / r;
      if (t <= 0) continue;
      if (t * 0.9 > bayer(x, y)) c.set(x, y, glow);
      if (t > 0.55 && (t - 0.55) * 2.5 > bayer(x, y)) c.set(x, y, core);
    }
}

void draw_moon(Canvas& c, int cx, int cy) {
  for (int y = cy - 30; y <= cy + 30; ++y)
    for (int x = cx - 30; x <= cx + 30; ++x) {
      const double d = std::hypot(x - cx, y - cy);
      if (d > 11 && d < 26 && (1.0 - (d - 11) / 15) * 0.45 > bayer(x, y)) c.set(x, y, kNightViolet);
    }
  c.fill_ellipse(cx, cy, 10, 10, kPaleLemon);
  c.fill_ellipse(cx - 3, cy + 2, 2, 2, kPaleGold);
  c.fill_ellipse(cx + 4, cy - 3, 2, 2, kPaleGold);
  c.set(cx + 2, cy + 5, kPaleGold);
  c.set(cx - 5, cy - 4, kPaleGold);
}

// Soft horizontal cloud bands painted straight into a sky, their middles between rows y0 and
// y1; `thick` makes heavy rain clouds.
void draw_bands(Canvas& c, int y0, int y1, uint8_t colour, double density, uint32_t seed,
                bool thick = false) {
  Rng rng(seed);
  const int count = thick ? 14 : 6;
  for (int band = 0; band < count; ++band) {
    const int half_h = thick ? 8 + rng.below(14) : 3 + rng.below(5);
    const int cy = y0 + half_h + rng.below(std::max(1, y1 - y0 - 2 * half_h));
    const int cx = rng.below(kSkyW);
    const int half_w = 40 + rng.below(80);
    for (int y = cy - half_h; y <= cy + half_h; ++y)
      for (int x = cx - half_w; x <= cx + half_w; ++x) {
        const double u = double(x - cx) / half_w, v = double(y - cy) / half_h;
        const double t = (1.0 - (u * u + v * v)) * density;
        if (t > bayer(x, y)) c.set(((x % kSkyW) + kSkyW) % kSkyW, y, colour);
      }
  }
}

// Far rain: thin slanting streaks between rows y0 and y1.
void draw_far_rain(Canvas& c, int y0, int y1, uint8_t colour, uint32_t seed) {
  Rng rng(seed);
  for (int i = 0; i < 220; ++i) {
    const int x = rng.below(kSkyW), y = y0 + rng.below(y1 - y0 - 6);
    for (int k = 0; k < 5; ++k) c.set(x - k / 3, y + k, colour);
  }
}

// The far ground from row `top` down: the site's yard (or level 1's street) reaching to the
// skyline, so that a hero who falls off the structure lies on the ground. Away from the daylight
// a share `dusk` of its pixels takes the colour `shade`.
void draw_far_ground(Canvas& c, int top, bool street, uint8_t shade = kClear, double dusk = 0.0) {
  for (int y = top; y < kSkyH; ++y)
    for (int x = 0; x < kSkyW; ++x) {
      const uint8_t ground = street ? street_pixel(x, y - top) : pavement_pixel(x, y - top);
      c.set(x, y, dither(ground, shade, dusk, x, y));
    }
}

// Puddles on a wet yard: short streaks of reflected sky, below the first rows of the ground
// (which meet the level picture's yard and stay as they are).
void draw_puddles(Canvas& c, int top, uint8_t light, uint8_t dark, uint32_t seed) {
  Rng rng(seed);
  for (int i = 0; i < 34; ++i) {
    const int y = top + 14 + rng.below(kSkyH - top - 16), x = rng.below(kSkyW);
    const int w = 8 + rng.below(22);
    c.hline(x, x + w, y, dark);
    c.hline(x + 2, x + w - 3, y + 1, dark);
    c.hline(x + 3, x + w / 2, y, light);
  }
}

Canvas dawn_sky() {
  Canvas c(kSkyW, kSkyH);
  const int ground = geo::kDawnSkyGroundRow;
  gradient(c, {{0, kNight},
               {140, kNightViolet},
               {250, kDusk},
               {kDawnHudRowsEnd - 1, kHazeRose},
               {420, kPalePink},
               {490, kPaleRose},
               {ground, kPeach}});
  draw_stars(c, 50, 0, 200, false, 11);
  draw_bands(c, 405, 485, kPaleMauve, 0.8, 12);
  draw_sun(c, 215, 446, 16, kPaleLemon, kCream, kPaleGold);
  draw_skyline(c, {kHazeViolet, kMauve, kPaleGold, 8}, ground, 13);
  draw_far_ground(c, ground, true);
  return c;
}

Canvas morning_sky() {
  Canvas c(kSkyW, kSkyH);
  const int ground = geo::kSkyGroundRow;
  gradient(c, {{0, kBlue},
               {160, kRoyalBlue},
               {kHudRowsEnd - 1, kRoyalBlue},
               {330, kAzure},
               {395, kCornflower},
               {435, kLightSky},
               {465, kPaleAzure},
               {ground, kPaleSky}});
  draw_bands(c, 370, 450, kPaleAzure, 0.6, 22);
  draw_sun(c, 70, 445, 12, kWhite, kPaleLemon, kPaleSky);
  draw_skyline(c, {kPaleAzure, kHazeSteel, kPaleSky, 0}, ground, 21);
  draw_far_ground(c, ground, false);
  return c;
}

// The rainy noon of level 3: a low, even overcast, the sun a pale glow behind it, far rain over
// a misty city and puddles on the yard.
Canvas overcast_sky() {
  Canvas c(kSkyW, kSkyH);
  const int ground = geo::kSkyGroundRow;
  gradient(c, {{0, kDenim},
               {130, kHaze},
               {kHudRowsEnd - 1, kGrey71},
               {335, kGrey71},
               {395, kGrey82},
               {450, kGreyA2},
               {ground, kGreyB6}});
  draw_bands(c, 0, kHudRowsEnd, kGrey51, 1.1, 31, true);
  draw_bands(c, 20, kHudRowsEnd, kHazeSlate, 0.9, 32, true);
  draw_bands(c, kHudRowsEnd + 5, 470, kGrey92, 0.8, 33, true);
  draw_veiled_sun(c, 235, 345, 60, kGreyA2, kGreyCA);
  draw_far_rain(c, 4, kHudRowsEnd, kGrey71, 34);
  draw_far_rain(c, kHudRowsEnd, ground, kGreyCA, 35);
  draw_skyline(c, {kGrey92, kGrey82, kPaleLemon, 6}, ground, 36);
  draw_far_ground(c, ground, false, kGrey45, 0.3);
  draw_puddles(c, ground, kGreyB6, kGrey61, 37);
  return c;
}

Canvas afternoon_sky() {
  Canvas c(kSkyW, kSkyH);
  const int ground = geo::kSkyGroundRow;
  gradient(c, {{0, kBlue},
               {110, kRoyalBlue},
               {kHudRowsEnd - 1, kRoyalBlue},
               {320, kAzure},
               {375, kCornflower},
               {420, kPaleSky},
               {455, kPaleGold},
               {ground, kCream}});
  draw_sun(c, 260, 345, 13, kWhite, kPaleLemon, kPaleGold);
  draw_bands(c, 395, 475, kPaleLemon, 0.7, 41);
  draw_skyline(c, {kHazeTan, kHazeSteel, kPaleLemon, 0}, ground, 42);
  draw_far_ground(c, ground, false);
  return c;
}

// The rainy day of level 6: heavier and darker than level 3's overcast.
Canvas rainy_day_sky() {
  Canvas c(kSkyW, kSkyH);
  const int ground = geo::kSkyGroundRow;
  gradient(c, {{0, kGrey39},
               {140, kGrey45},
               {kHudRowsEnd - 1, kGrey51},
               {335, kGrey61},
               {400, kGrey71},
               {450, kGrey82},
               {ground, kGrey92}});
  draw_bands(c, 0, kHudRowsEnd, kGrey2D, 1.2, 51, true);
  draw_bands(c, 40, kHudRowsEnd, kGrey61, 0.6, 52, true);
  draw_bands(c, kHudRowsEnd + 5, 470, kGreyA2, 0.6, 53, true);
  draw_far_rain(c, 4, kHudRowsEnd, kGrey61, 54);
  draw_far_rain(c, kHudRowsEnd, ground, kGreyA2, 55);
  draw_skyline(c, {kGrey82, kGrey71, kPaleLemon, 10}, ground, 56);
  draw_far_ground(c, ground, false, kGrey45, 0.4);
  draw_puddles(c, ground, kGreyA2, kGrey51, 57);
  return c;
}

Canvas evening_sky() {
  Canvas c(kSkyW, kSkyH);
  const int ground = geo::kSkyGroundRow;
  gradient(c, {{0, kDeepBlue},
               {150, kIndigo},
               {kHudRowsEnd - 1, kPlum},
               {350, kRose},
               {410, kCoral},
               {455, kOrange},
               {ground, kAmber}});
  draw_stars(c, 30, 0, 150, false, 61);
  draw_bands(c, 360, 440, kWine, 0.9, 62);
  draw_sun(c, 110, 478, 22, kPaleLemon, kYellow, kAmber);
  draw_skyline(c, {kWine, kAubergine, kYellow, 25}, ground, 63);
  draw_far_ground(c, ground, false, kShadowBrown, 0.45);
  return c;
}

// The night of levels 8 and 9, also behind the scrolling story texts: the moon rises at their
// right, clear of the longest line.
Canvas night_sky() {
  Canvas c(kSkyW, kSkyH);
  const int ground = geo::kSkyGroundRow;
  gradient(c, {{0, kMidnight}, {250, kNight}, {380, kDeepBlue}, {ground, kSlate}});
  draw_stars(c, 170, 0, kHudRowsEnd, false, 71);
  draw_stars(c, 80, kHudRowsEnd, 440, true, 72);
  draw_moon(c, 305, 340);
  draw_skyline(c, {kNight, kShadow, kPaleLemon, 30}, ground, 73);
  draw_far_ground(c, ground, false, kShadow, 0.7);
  return c;
}

Canvas rainy_night_sky() {
  Canvas c(kSkyW, kSkyH);
  const int ground = geo::kSkyGroundRow;
  gradient(c, {{0, kNight}, {200, kShadow}, {400, kSlate}, {ground, kGrey51}});
  draw_bands(c, 0, 480, kGrey2D, 1.2, 81, true);
  draw_bands(c, 40, 480, kShadowPlum, 0.7, 82, true);
  draw_skyline(c, {kShadow, kGrey2D, kAmber, 25}, ground, 83);
  draw_far_ground(c, ground, false, kShadow, 0.7);
  draw_puddles(c, ground, kGrey61, kGrey39, 84);
  return c;
}

// A lightning bolt from the cloud base at row y0 down to row y1: violet where the HUD can stand
// over it, white below.
void draw_bolt(Canvas& c, int x, int y0, int y1, Rng& rng) {
  int y = y0;
  while (y < y1) {
    const int nx = x + rng.below(21) - 10, ny = y + 8 + rng.below(14);
    const bool high = y < kDawnHudRowsEnd;
    c.line(x, y, nx, ny, high ? kSoftBlue : kWhite);
    c.line(x + 1, y, nx + 1, ny, high ? kViolet : kPaleLemon);
    if (rng.below(5) == 0)
      c.line(nx, ny, nx + rng.below(31) - 15, ny + 20, ny < kDawnHudRowsEnd ? kViolet : kPaleLemon);
    x = nx;
    y = ny;
  }
}

// The rainy night lit by lightning. It is drawn where level 1's sky would be (down to -294), so
// it stays dark down to the rows that can lie behind the HUD there.
Canvas storm_sky() {
  Canvas c(kSkyW, kSkyH);
  const int ground = geo::kSkyGroundRow;
  gradient(c, {{0, kNightViolet},
               {150, kDusk},
               {kDawnHudRowsEnd - 1, kHazeMauve},
               {385, kPeriwinkle},
               {440, kPaleBlue},
               {ground, kPaleMauve}});
  draw_bands(c, 0, kDawnHudRowsEnd, kNightViolet, 1.1, 91, true);
  draw_bands(c, kDawnHudRowsEnd + 5, 470, kLilac, 0.7, 92, true);
  Rng rng(93);
  for (int bolt = 0; bolt < 2; ++bolt) draw_bolt(c, 90 + bolt * 140 + rng.below(30), 0, 470, rng);
  draw_skyline(c, {kSlate, kNight, kWhite, 5}, ground, 94);
  draw_far_ground(c, ground, false, kShadowPlum, 0.5);
  draw_puddles(c, ground, kPaleBlue, kGrey51, 95);
  return c;
}

// A cloud: a flat-bottomed base with round puffs along its top, lit from above. Each pixel is
// light near the cloud's upper edge, mid-tone inside and dark along the bottom, dithered between.
Canvas cloud(int w, int h, uint8_t light, uint8_t mid, uint8_t dark, uint32_t seed) {
  Canvas shape(w, h);
  Rng rng(seed);
  const int base_y = h * 7 / 10;
  shape.fill_ellipse(w / 2, base_y, w / 2 - 2, h - base_y - 2, 1);
  const int puffs = 4 + rng.below(3);
  for (int i = 0; i < puffs; ++i) {
    const int r = h / 4 + rng.below(h / 6 + 1);
    const int cx = w / 5 + (w * 3 / 5) * i / (puffs - 1) + rng.below(5) - 2;
    const int cy = std::max(r + 1, base_y - r / 2 - rng.below(r / 2 + 1));
    shape.fill_ellipse(cx, cy, r + r / 3, r, 1);
  }
  Canvas c(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (!shape.at(x, y)) continue;
      int depth = 0;  // clear pixels are this far above
      while (depth < 8 && shape.at(x, y - depth - 1)) ++depth;
      const double from_bottom = double(h - 1 - y) / (h - base_y);
      uint8_t colour = dither(light, mid, (depth - 1) / 5.0, x, y);
      if (from_bottom < 1.0) colour = dither(colour, dark, (1.0 - from_bottom) * 0.9, x, y);
      c.set(x, y, colour);
    }
  return c;
}

// Rain over the whole 320 by 300 screen; the three frames move the same streaks down.
Canvas rain_frame(int frame) {
  Canvas c(320, 300);
  Rng rng(1234);
  for (int i = 0; i < 260; ++i) {
    const int x = rng.below(340), y = rng.below(300);
    const int len = 3 + rng.below(4);
    const uint8_t colour = rng.below(3) ? kPaleAzure : kGreyCA;
    const int dy = (frame - 1) * 10;
    for (int k = 0; k < len; ++k)
      c.set(x - k / 2 - (frame - 1) * 5 + 0, (y + dy + k) % 300, colour);
  }
  for (int i = 0; i < 40; ++i) {  // splash drops
    const int x = rng.below(320), y = rng.below(300);
    c.set(x, (y + (frame - 1) * 10) % 300, kWhite);
  }
  return c;
}

}  // namespace

void add_skies(AssetSet& set) {
  set.picture("fondaube.xxx", dawn_sky());
  set.picture("fondmatin.xxx", morning_sky());
  set.picture("fondmidi.xxx", overcast_sky());
  set.picture("fondapresmidi.xxx", afternoon_sky());
  set.picture("fondpluiejour.xxx", rainy_day_sky());
  set.picture("fondsoir.xxx", evening_sky());
  set.picture("fondnuit.xxx", night_sky());
  set.picture("fondpluienuit.xxx", rainy_night_sky());
  set.picture("fondpluienuitorage.xxx", storm_sky());

  struct CloudStyle {
    const char* name;
    uint8_t light, mid, dark;
  };
  const CloudStyle kStyles[] = {{"aube", kPaleRose, kPalePink, kHazeRose},
                                {"matin", kWhite, kPaleAzure, kHaze},
                                {"midi", kGreyE3, kGreyB6, kGrey82},
                                {"soir", kPaleGold, kCoral, kWine},
                                {"nuitpluie", kGrey61, kGrey45, kGrey2D}};
  uint32_t seed = 300;
  for (const CloudStyle& s : kStyles) {
    set.picture(std::string("nuage") + s.name + "1.xxx",
                cloud(72, 30, s.light, s.mid, s.dark, ++seed));
    set.picture(std::string("nuage") + s.name + "2.xxx",
                cloud(52, 24, s.light, s.mid, s.dark, ++seed));
  }
  for (int f = 1; f <= 3; ++f) set.picture("pluie" + std::to_string(f) + ".xxx", rain_frame(f));
}

}  // namespace kelvo::assets
