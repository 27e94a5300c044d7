// Skies (320 by 600, one per time of day and weather), the storm, clouds and rain overlays.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "tools/art_parts.h"
#include "tools/asset_set.h"
#include "tools/colours.h"
#include "tools/dither.h"

namespace kelvo::assets {
namespace {

using namespace col;

constexpr int kSkyW = 320;
// Level 1 draws its sky at -heroY / 1.8 with heroY up to 530, the story scrolls the night sky by
// about 190 and the other levels stop at -253: 600 rows always reach the screen's bottom.
constexpr int kSkyH = 600;

struct SkylineStyle {
  uint8_t far, near, window;
  int lit_percent;
};

// Two rows of distant buildings along the bottom of the sky, with lit windows.
void draw_skyline(Canvas& c, const SkylineStyle& s, uint32_t seed) {
  Rng rng(seed);
  for (int layer = 0; layer < 2; ++layer) {
    const uint8_t colour = layer == 0 ? s.far : s.near;
    int x = -rng.below(20);
    while (x < kSkyW) {
      const int w = 14 + rng.below(26);
      const int h = (layer == 0 ? 40 : 18) + rng.below(layer == 0 ? 50 : 40);
      const int top = kSkyH - h;
      c.fill_rect(x, top, w, h, colour);
      if (rng.below(4) == 0) c.vline(x + w / 2, top - 6 - rng.below(8), top, colour);  // mast
      for (int wy = top + 3; wy < kSkyH - 2; wy += 4)
        for (int wx = x + 2; wx < x + w - 2; wx += 3)
          if (rng.below(100) < s.lit_percent) c.set(wx, wy, s.window);
      x += w + (layer == 0 ? rng.below(6) : 4 + rng.below(20));
    }
  }
}

void draw_stars(Canvas& c, int count, int max_y, uint32_t seed) {
  Rng rng(seed);
  for (int i = 0; i < count; ++i) {
    const int x = rng.below(kSkyW), y = rng.below(max_y);
    const int kind = rng.below(10);
    c.set(x, y, kind < 6 ? kGrey92 : (kind < 9 ? kGreyCA : kWhite));
    if (kind == 9) {  // a bright star with a small cross
      c.set(x - 1, y, kGrey61);
      c.set(x + 1, y, kGrey61);
      c.set(x, y - 1, kGrey61);
      c.set(x, y + 1, kGrey61);
    }
  }
}

void draw_disc(Canvas& c, int cx, int cy, int r, uint8_t colour) {
  c.fill_ellipse(cx, cy, r, r, colour);
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
  draw_disc(c, cx, cy, r, rim);
  draw_disc(c, cx - 1, cy - 1, r - 2, core);
}

void draw_moon(Canvas& c, int cx, int cy) {
  for (int y = cy - 30; y <= cy + 30; ++y)
    for (int x = cx - 30; x <= cx + 30; ++x) {
      const double d = std::hypot(x - cx, y - cy);
      if (d > 11 && d < 26 && (1.0 - (d - 11) / 15) * 0.45 > bayer(x, y)) c.set(x, y, kNightViolet);
    }
  draw_disc(c, cx, cy, 10, kPaleLemon);
  draw_disc(c, cx - 3, cy + 2, 2, kPaleGold);
  draw_disc(c, cx + 4, cy - 3, 2, kPaleGold);
  c.set(cx + 2, cy + 5, kPaleGold);
  c.set(cx - 5, cy - 4, kPaleGold);
}

// Soft horizontal cloud bands painted straight into a sky; `thick` makes heavy rain clouds.
void draw_bands(Canvas& c, int y0, int y1, uint8_t colour, double density, uint32_t seed,
                bool thick = false) {
  Rng rng(seed);
  const int count = thick ? 14 : 6;
  for (int band = 0; band < count; ++band) {
    const int cy = y0 + rng.below(y1 - y0);
    const int cx = rng.below(kSkyW);
    const int half_w = 40 + rng.below(80);
    const int half_h = thick ? 8 + rng.below(14) : 3 + rng.below(5);
    for (int y = cy - half_h; y <= cy + half_h; ++y)
      for (int x = cx - half_w; x <= cx + half_w; ++x) {
        const double u = double(x - cx) / half_w, v = double(y - cy) / half_h;
        const double t = (1.0 - (u * u + v * v)) * density;
        if (t > bayer(x, y)) c.set(((x % kSkyW) + kSkyW) % kSkyW, y, colour);
      }
  }
}

Canvas make_sky(const char* name) {
  Canvas c(kSkyW, kSkyH);
  if (!std::strcmp(name, "dawn")) {
    vertical_gradient(c, 0, kSkyH - 1,
                      {{0.0, kNight},
                       {0.25, kNightViolet},
                       {0.45, kDusk},
                       {0.62, kHazeRose},
                       {0.78, kPalePink},
                       {0.9, kPaleRose},
                       {1.0, kPeach}});
    draw_stars(c, 40, 140, 11);
    draw_bands(c, 330, 470, kPaleMauve, 0.8, 12);
    draw_sun(c, 230, 520, 16, kPaleLemon, kCream, kPaleGold);
    draw_skyline(c, {kHazeViolet, kMauve, kPaleGold, 8}, 13);
  } else if (!std::strcmp(name, "morning")) {
    vertical_gradient(
        c, 0, kSkyH - 1,
        {{0.0, kAzure}, {0.4, kCornflower}, {0.7, kLightSky}, {0.9, kPaleAzure}, {1.0, kPaleSky}});
    draw_sun(c, 70, 470, 12, kWhite, kPaleLemon, kPaleSky);
    draw_skyline(c, {kPaleAzure, kHazeSteel, kPaleSky, 0}, 21);
  } else if (!std::strcmp(name, "noon")) {
    vertical_gradient(c, 0, kSkyH - 1,
                      {{0.0, kAzure}, {0.55, kSky}, {0.85, kLightSky}, {1.0, kPaleCyan}});
    draw_sun(c, 250, 90, 13, kWhite, kPaleLemon, kLightSky);
    draw_skyline(c, {kPaleSky, kCornflower, kPaleCyan, 0}, 31);
  } else if (!std::strcmp(name, "afternoon")) {
    vertical_gradient(c, 0, kSkyH - 1,
                      {{0.0, kCornflower},
                       {0.45, kLightSky},
                       {0.75, kPaleSky},
                       {0.92, kPaleGold},
                       {1.0, kCream}});
    draw_sun(c, 260, 300, 13, kWhite, kPaleLemon, kPaleGold);
    draw_bands(c, 360, 520, kPaleLemon, 0.7, 41);
    draw_skyline(c, {kHazeTan, kHazeSteel, kPaleLemon, 0}, 42);
  } else if (!std::strcmp(name, "rain")) {
    vertical_gradient(c, 0, kSkyH - 1,
                      {{0.0, kGrey51}, {0.35, kHaze}, {0.7, kGrey82}, {1.0, kGreyA2}});
    draw_bands(c, 0, 560, kGrey61, 1.2, 51, true);
    draw_bands(c, 60, 560, kGreyB6, 0.6, 52, true);
    draw_skyline(c, {kGrey82, kGrey71, kPaleLemon, 10}, 53);
  } else if (!std::strcmp(name, "evening")) {
    vertical_gradient(c, 0, kSkyH - 1,
                      {{0.0, kDeepBlue},
                       {0.3, kIndigo},
                       {0.5, kPlum},
                       {0.66, kRose},
                       {0.8, kCoral},
                       {0.92, kOrange},
                       {1.0, kAmber}});
    draw_stars(c, 25, 120, 61);
    draw_bands(c, 380, 500, kWine, 0.9, 62);
    draw_sun(c, 110, 560, 22, kPaleLemon, kYellow, kAmber);
    draw_skyline(c, {kWine, kAubergine, kYellow, 25}, 63);
  } else if (!std::strcmp(name, "night")) {
    vertical_gradient(c, 0, kSkyH - 1,
                      {{0.0, kMidnight}, {0.5, kNight}, {0.8, kDeepBlue}, {1.0, kSlate}});
    draw_stars(c, 260, 520, 71);
    draw_moon(c, 240, 110);
    draw_skyline(c, {kNight, kShadow, kPaleLemon, 30}, 72);
  } else if (!std::strcmp(name, "rainnight")) {
    vertical_gradient(c, 0, kSkyH - 1,
                      {{0.0, kNight}, {0.5, kShadow}, {0.85, kSlate}, {1.0, kGrey51}});
    draw_bands(c, 0, 560, kGrey2D, 1.2, 81, true);
    draw_bands(c, 40, 560, kShadowPlum, 0.7, 82, true);
    draw_skyline(c, {kShadow, kGrey2D, kAmber, 25}, 83);
  } else {  // the rainy night lit by lightning
    vertical_gradient(
        c, 0, kSkyH - 1,
        {{0.0, kNightViolet}, {0.35, kPeriwinkle}, {0.7, kPaleBlue}, {1.0, kPaleMauve}});
    draw_bands(c, 0, 560, kDusk, 1.1, 91, true);
    Rng rng(92);
    for (int bolt = 0; bolt < 2; ++bolt) {
      int x = 90 + bolt * 140 + rng.below(30), y = 0;
      while (y < 520) {
        const int nx = x + rng.below(21) - 10, ny = y + 8 + rng.below(14);
        c.line(x, y, nx, ny, kWhite);
        c.line(x + 1, y, nx + 1, ny, kPaleLemon);
        if (rng.below(5) == 0) c.line(nx, ny, nx + rng.below(31) - 15, ny + 20, kPaleLemon);
        x = nx;
        y = ny;
      }
    }
    draw_skyline(c, {kSlate, kNight, kWhite, 5}, 93);
  }
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
  set.picture("fondaube.xxx", make_sky("dawn"), true);
  set.picture("fondmatin.xxx", make_sky("morning"), true);
  set.picture("fondmidi.xxx", make_sky("noon"), true);
  set.picture("fondapresmidi.xxx", make_sky("afternoon"), true);
  set.picture("fondpluiejour.xxx", make_sky("rain"), true);
  set.picture("fondsoir.xxx", make_sky("evening"), true);
  set.picture("fondnuit.xxx", make_sky("night"), true);
  set.picture("fondpluienuit.xxx", make_sky("rainnight"), true);
  set.picture("fondpluienuitorage.xxx", make_sky("storm"), true);

  struct CloudStyle {
    const char* name;
    uint8_t light, mid, dark;
  };
  const CloudStyle kStyles[] = {{"aube", kPaleRose, kPalePink, kHazeRose},
                                {"matin", kWhite, kPaleAzure, kHaze},
                                {"midi", kWhite, kGreyE3, kGreyB6},
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
