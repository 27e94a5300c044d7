// Props: the hut, hearts, the balloon, birds, airships, the UFO, the crane and the level-1
// street (barrier, ground, ambulance) with its nurse.
#include <algorithm>
#include <cmath>
#include <string>

#include "tools/art_parts.h"
#include "tools/asset_set.h"
#include "tools/colours.h"
#include "tools/dither.h"
#include "tools/lettering.h"

namespace kelvo::assets {

using namespace col;

// A site cabin of corrugated sheet with a door and a window; its roof at row 16 carries the duo.
Canvas hut_picture() {
  Canvas c(80, 40);
  for (int y = 18; y < 40; ++y)
    for (int x = 6; x < 74; ++x) c.set(x, y, (x % 3 == 0) ? kDarkTeal : kTeal);
  c.fill_rect(4, 16, 72, 2, kGreyA2);  // roof edge
  c.hline(4, 75, 16, kGreyCA);
  c.fill_rect(4, 18, 72, 1, kGrey51);  // shadow under the eave
  // Window with a light inside and a door with a warning sign.
  c.fill_rect(12, 22, 16, 9, kGreyB6);
  c.fill_rect(13, 23, 14, 7, kPaleLemon);
  c.vline(20, 23, 29, kGreyB6);
  c.hline(13, 26, 26, kGreyB6);
  c.fill_rect(50, 22, 14, 18, kGreyB6);
  c.fill_rect(51, 23, 12, 17, kSilver);
  c.set(61, 31, kInk);
  c.fill_rect(54, 25, 6, 5, kYellow);
  c.set(56, 26, kInk);
  c.set(57, 26, kInk);
  c.set(56, 28, kInk);
  c.set(57, 28, kInk);
  // Skids.
  c.fill_rect(6, 38, 68, 2, kGrey45);
  c.outline(kInk);
  return c;
}

namespace {

// A few pixels in a hundred, scattered by a hash of the position: the same place always gets
// the same speck, whichever picture it is drawn in.
bool speck_at(int x, int y, int percent) {
  uint32_t h = static_cast<uint32_t>(x) * 73856093u ^ static_cast<uint32_t>(y) * 19349663u;
  h ^= h >> 13;
  h *= 0x5BD1E995u;
  h ^= h >> 15;
  return static_cast<int>(h % 100) < percent;
}

// Paving slabs with grit on them, darkening by a share `t` towards the chestnut of the dirt.
uint8_t paving(int x, int depth, double t) {
  if (depth < 3) return kKhaki;
  if (speck_at(x, depth, 6)) return (x + depth) % 2 ? kKhaki : kUmber;
  return dither(kTan, kChestnut, t, x, depth);
}

}  // namespace

uint8_t pavement_pixel(int x, int depth) {
  return paving(x, depth, std::min(depth - 3, 8) / 17.0 * 0.6);
}

uint8_t street_pixel(int x, int depth) {
  if (depth < 20) return paving(x, depth, (depth - 3) / 17.0 * 0.6);  // darker by the kerb
  if (depth < 23) return kGreyA2;                                     // the kerb
  if (depth < 25) return kGrey61;
  if (depth >= 50 && depth < 52 && (x + 30) % 40 < 20) return kGreyE3;  // road marking
  return dither(kGrey45, kGrey39, 0.3, x, depth);
}

namespace {

// A heart, 8 by 8: a 7-pixel heart in a dark outline with a drop shadow one pixel down and
// right. The game draws the HUD's hearts 5 pixels apart, so each one covers the right lobe of
// the one before: the outline and the notch keep every heart readable as its own, on any
// background. `filled` is a collected heart; otherwise an empty slot of the quota.
Canvas heart(bool filled) {
  const Canvas shape = from_grid(
      {
          ".kk.kk.",
          "kabkbbk",
          "kbbbbck",
          "kbbbbck",
          ".kbbck.",
          "..kck..",
          "...k...",
      },
      filled ? Legend{{'k', kInk}, {'a', kWhite}, {'b', kRed}, {'c', kDarkRed}}
             : Legend{{'k', kInk}, {'a', kSalmon}, {'b', kMutedRed}, {'c', kNightRed}});
  Canvas c(8, 8);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 7; ++x)
      if (shape.at(x, y)) c.set(x + 1, y + 1, kShadow);
  c.blit(shape, 0, 0);
  return c;
}

// The hot-air balloon, 44 by 56; the five frames sway the basket under the envelope. Hearts
// drop from the basket area (columns 10 to 33, rows 25 to 54).
Canvas balloon_frame(int frame) {
  Canvas c(44, 56);
  const int sway[5] = {0, 1, 2, 1, -1};  // a pendulum; no two neighbours alike
  const int s = sway[frame - 1] - 1;
  // Envelope with vertical gores in alternating colours.
  for (int y = 0; y < 38; ++y)
    for (int x = 0; x < 44; ++x) {
      const double dx = (x - 21.5) / 21.0, dy = (y - 17.0) / 17.5;
      const double narrow = y > 24 ? 1.0 - (y - 24) * 0.045 : 1.0;
      if (dx * dx / (narrow * narrow) + dy * dy > 1.0) continue;
      const double u = std::asin(std::max(-1.0, std::min(1.0, dx / narrow)));
      const int gore = static_cast<int>(std::floor((u + 1.6) * 2.5));
      uint8_t colour = gore % 2 ? kRed : kYellow;
      if (x < 10 || (x < 16 && y > 25)) colour = gore % 2 ? kDarkRed : kAmber;  // shade
      if (x > 28 && y < 14 && (x + y) % 2 == 0) colour = gore % 2 ? kCoral : kPaleLemon;
      c.set(x, y, colour);
    }
  c.hline(12, 31, 33, kDarkRed);
  // Ropes and the wicker basket, swinging.
  c.line(14, 35, 17 + s, 46, kTan);
  c.line(29, 35, 26 + s, 46, kTan);
  c.fill_rect(16 + s, 46, 12, 8, kChestnut);
  for (int x = 16 + s; x < 28 + s; x += 2) c.vline(x, 47, 53, kBrown);
  c.hline(16 + s, 27 + s, 46, kTan);
  // The pilot's flame.
  if (frame % 2) c.set(21 + s, 40, kYellow), c.set(22 + s, 39, kOrange);
  c.outline(kInk);
  return c;
}

// A gull, 16 by 10, flapping through four wing positions: up, level, down, level.
Canvas bird_frame(int frame) {
  static const char* const kUp[10] = {"..k.............", "..gk............", "...gk.....k.....",
                                      "...ggk...kg.....", "....ggk.kgg.....", ".....gwwwg......",
                                      "....wwwwwwwwo...", ".....wwwwwwwwyy.", ".......ggg......",
                                      "................"};
  static const char* const kLevel[10] = {"................", "................", "................",
                                         "................", "................", "kkggg.wwww.gggkk",
                                         "...gggwwwwwggo..", ".....wwwwwwwwyy.", ".......ggg......",
                                         "................"};
  static const char* const kDown[10] = {"................", "................", "................",
                                        "................", "................", "......wwww......",
                                        "....wwwwwwwwo...", "....gwwwwwwgwyy.", "...ggk....kgg...",
                                        "..kk........kk.."};
  const char* const* rows = frame == 1 ? kUp : (frame == 3 ? kDown : kLevel);
  Canvas c(16, 10);
  const Legend legend{{'k', kGrey39}, {'g', kGreyA2}, {'w', kWhite}, {'o', kInk}, {'y', kAmber}};
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 16; ++x) c.set(x, y, legend[rows[y][x]]);
  return c;
}

// An airship, 96 by 30: `variant` 1 is silver with a red stripe, 2 is blue with a banner.
Canvas zeppelin(int variant) {
  Canvas c(96, 30);
  const uint8_t light = variant == 1 ? kGreyE3 : kPaleAzure;
  const uint8_t mid = variant == 1 ? kGreyA2 : kCornflower;
  const uint8_t dark = variant == 1 ? kGrey61 : kDenim;
  for (int y = 0; y < 22; ++y)
    for (int x = 0; x < 90; ++x) {
      const double dx = (x - 45.0) / 44.0, dy = (y - 10.5) / 10.5;
      if (dx * dx + dy * dy > 1.0) continue;
      uint8_t colour =
          dy < -0.3 ? light : (dy < 0.4 ? dither(light, mid, (dy + 0.3) / 0.7, x, y) : dark);
      if (dy > 0.55) colour = dither(mid, dark, (dy - 0.55) * 3, x, y);
      if (x % 12 == 0 && colour != light) colour = dark;  // rib lines
      c.set(x + 6, y, colour);
    }
  // Tail fins.
  for (int k = 0; k < 8; ++k) {
    c.hline(1 + k / 2, 12, 2 + k, dark);
    c.hline(1 + k / 2, 12, 19 - k, dark);
  }
  if (variant == 1)
    c.fill_rect(20, 10, 70, 2, kRed);
  else {
    c.fill_rect(30, 7, 42, 8, kPaleLemon);
    draw_text(c, 34, 8, "AIR 83", kDeepBlue);
  }
  // Gondola.
  c.fill_rect(40, 22, 22, 5, kGrey51);
  for (int x = 43; x < 60; x += 4) c.fill_rect(x, 23, 2, 2, kPaleLemon);
  c.line(44, 20, 44, 22, kGrey39);
  c.line(58, 20, 58, 22, kGrey39);
  c.outline(kInk);
  return c;
}

// A flying saucer, 40 by 20, its lights chasing round the rim.
Canvas ufo_frame(int frame) {
  Canvas c(40, 20);
  c.fill_ellipse(19, 6, 7, 5, kLightCyan);
  c.set(16, 4, kWhite);
  c.set(17, 3, kWhite);
  c.fill_ellipse(19, 11, 19, 4, kGreyB6);
  c.hline(2, 37, 12, kGrey82);
  c.hline(6, 33, 14, kGrey61);
  for (int x = 5; x < 36; x += 5)
    c.fill_rect(x, 10, 2, 2, ((x / 5) % 2) == frame % 2 ? kYellow : kRed);
  if (frame == 2)
    for (int y = 16; y < 20; ++y)
      for (int x = 12 - (y - 16); x < 28 + (y - 16); ++x)
        if ((x + y) % 2 == 0) c.set(x, y, kPaleGreen);  // tractor beam flickers on
  c.outline(kInk);
  return c;
}

// The ambulance parked by the site, 60 by 46, its roof light flashing.
Canvas ambulance_frame(int frame) {
  Canvas c(60, 46);
  c.fill_rect(2, 14, 56, 24, kWhite);
  c.fill_rect(40, 6, 18, 10, kWhite);    // cab roof
  c.fill_rect(43, 8, 12, 8, kLightSky);  // windscreen
  c.fill_rect(2, 14, 38, 2, kGreyCA);
  c.fill_rect(2, 26, 56, 3, kRed);   // stripe
  c.fill_rect(14, 17, 4, 12, kRed);  // cross
  c.fill_rect(10, 21, 12, 4, kRed);
  c.fill_rect(40, 18, 10, 8, kLightSky);  // side window
  c.vline(39, 14, 37, kGreyA2);
  c.fill_rect(2, 36, 56, 2, kGrey82);
  c.set(57, 32, kYellow);  // headlight
  c.set(57, 33, kYellow);
  for (int wx : {12, 46}) {
    c.fill_ellipse(wx, 39, 6, 6, kGrey2D);
    c.fill_ellipse(wx, 39, 2, 2, kGreyA2);
  }
  // Flashing beacon: blue on frame 1, red on frame 2, with a glow.
  const uint8_t lamp = frame == 1 ? kAzure : kRed;
  const uint8_t glow = frame == 1 ? kLightSky : kSalmon;
  c.fill_rect(46, 2, 6, 4, lamp);
  c.fill_rect(47, 1, 4, 1, lamp);
  for (int i = 0; i < 4; ++i) {
    c.set(44 - i, 2 - (i % 2), glow);
    c.set(53 + i, 2 - (i % 2), glow);
  }
  c.outline(kInk);
  return c;
}

// A nurse in a blue uniform and white cap, 12 by 18, waving.
Canvas nurse_frame(int frame) {
  Canvas c =
      from_grid({"...wwwww....", "...wwrww....", "..hhhhhhh...", "..hsssssh...", "..hseses....",
                 "...sssss....", "....sss.....", "..bbbbbbb...", ".bbbwwwbbb..", ".s.bwwwb.s..",
                 ".s.bbbbb.s..", "...bbbbb....", "..bbbbbbb...", "...ss.ss....", "...ss.ss....",
                 "...ww.ww....", "..www.www...", "............"},
                Legend{{'w', kWhite},
                       {'r', kRed},
                       {'h', kChestnut},
                       {'s', kSkin},
                       {'e', kInk},
                       {'b', kSoftBlue}});
  if (frame == 2) {  // waving arm raised
    c.set(9, 9, kClear);
    c.set(9, 10, kClear);
    c.set(10, 6, kSkin);
    c.set(10, 7, kSkin);
    c.set(9, 8, kSkin);
  }
  c.outline(kInk);
  return c;
}

// The tower crane at (craneX - 140, -25): 168 by 572. Its jib runs along rows 30 to 40 so that
// the hall of fame, which draws frame 4 at (0, -30), shows it across the top of the screen; the
// trolley and cable meet the hook at column 148, row 46; the mast stands on a concrete base on
// the yard, whose ground line is row 565. The frames blink two warning lights.
Canvas crane_frame(int frame) {
  constexpr int kW = 168, kH = 572;
  Canvas c(kW, kH);
  const uint8_t yellow = kAmber, shade = kBrown, dark = kChestnut;
  // Mast: a lattice tower from the jib down to the ground.
  for (int y = 30; y < kH; ++y) {
    c.set(30, y, yellow);
    c.set(31, y, shade);
    c.set(42, y, yellow);
    c.set(43, y, shade);
    const int k = (y - 30) % 12;
    c.set(32 + k, y, dark);
    c.set(41 - k, y, yellow);
    if (k == 0) c.hline(30, 43, y, yellow);
  }
  // Jib to the right and counter-jib to the left, both lattice.
  for (int x = 0; x < 162; ++x) {
    c.set(x, 31, yellow);
    c.set(x, 39, shade);
    const int k = x % 8;
    const int y = k < 4 ? 32 + k * 2 : 32 + (7 - k) * 2;
    c.set(x, y, yellow);
    c.set(x, y + 1, shade);
  }
  // Tower head with ties to both ends.
  for (int y = 4; y < 31; ++y) {
    c.set(35 - (31 - y) / 8, y, yellow);
    c.set(38 + (31 - y) / 8, y, shade);
  }
  c.line(36, 4, 160, 30, kGrey82);
  c.line(37, 4, 2, 30, kGrey82);
  // Counterweight blocks and the cab.
  c.fill_rect(2, 40, 18, 12, kGrey61);
  c.hline(2, 19, 40, kGrey92);
  c.vline(8, 41, 51, kGrey45);
  c.vline(14, 41, 51, kGrey45);
  c.fill_rect(44, 40, 16, 14, yellow);
  c.fill_rect(50, 42, 8, 7, kLightSky);
  c.hline(44, 59, 40, kPaleLemon);
  // Trolley and cable down to the hook.
  c.fill_rect(142, 39, 14, 4, kGrey61);
  c.vline(148, 43, 46, kGrey45);
  c.vline(149, 43, 46, kGrey45);
  // Warning lights on the tower head and the jib tip.
  const bool top_on = frame <= 2;
  const bool tip_on = frame == 3 || frame == 4;
  c.fill_rect(35, 1, 3, 3, top_on ? kRed : kMaroon);
  if (top_on) c.set(36, 0, kSalmon);
  c.fill_rect(159, 27, 3, 3, tip_on ? kRed : kMaroon);
  if (tip_on) c.set(160, 26, kSalmon);
  // A flag on the tower head sways through the cycle.
  const int flag = frame == 5 ? 2 : frame % 2;
  c.fill_rect(24, 4 + flag, 8, 4, kOrangeRed);
  c.vline(32, 2, 10, kGrey82);
  c.outline(kInk);
  // The yard from the ground line (row 565, world y 540) down, in world columns, and the
  // mast's concrete base on it.
  for (int y = 565; y < kH; ++y)
    for (int x = 0; x < kW; ++x) c.set(x, y, pavement_pixel(x - 204, y - 565));
  c.fill_rect(25, 561, 24, 11, kGrey82);
  c.fill_rect(25, 561, 8, 11, kGreyA2);
  c.hline(25, 48, 561, kGreyCA);
  c.vline(48, 562, 571, kGrey61);
  c.hline(25, 48, 571, kGrey61);
  return c;
}

// The hoarding round the crane's foot at (-185, 485), 150 by 55, drawn opaque.
Canvas crane_barrier() {
  Canvas c(150, 55, kKhaki);
  for (int x = 0; x < 150; ++x)
    for (int y = 0; y < 55; ++y) {
      if (x % 25 == 0)
        c.set(x, y, kNightOlive);
      else if (x % 25 == 1)
        c.set(x, y, kOlive);
      else if ((x * 7 + y * 3) % 23 == 0)
        c.set(x, y, kTan);
    }
  for (int x = 0; x < 150; ++x)
    for (int y = 0; y < 8; ++y) c.set(x, y, ((x + y) / 6) % 2 ? kYellow : kGrey20);
  c.fill_rect(34, 18, 82, 22, kWhite);
  c.fill_rect(36, 20, 78, 18, kRed);
  draw_text(c, 42, 22, "DANGER", kWhite);
  draw_text(c, 42, 30, "CRANE!", kWhite);
  c.fill_rect(0, 52, 150, 3, kShadowOlive);
  return c;
}

// The street under level 1 at (-240, 540): pavement, kerb and road, 720 by 80, opaque.
Canvas ground() {
  Canvas c(720, 80);
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 720; ++x) c.set(x, y, street_pixel(x, y));
  return c;
}

// The heart bar (loaded by the game but never drawn): a gauge of ten heart cells, opaque.
Canvas heart_bar() {
  Canvas c(92, 12, kGrey2D);
  c.fill_rect(1, 1, 90, 10, kGrey45);
  for (int i = 0; i < 10; ++i) c.blit(heart(i < 6), 3 + i * 9, 3);
  return c;
}

}  // namespace

void add_props(AssetSet& set) {
  set.picture("coeur.xxx", heart(true));
  set.picture("coeurtransparent.xxx", heart(false));
  set.picture("barrecoeur.xxx", heart_bar());
  for (int f = 1; f <= 2; ++f)
    set.picture("ambulance" + std::to_string(f) + ".xxx", ambulance_frame(f));
  set.picture("barrieregrue.xxx", crane_barrier());
  set.picture("sol.xxx", ground());
  for (int f = 1; f <= 2; ++f)
    set.picture("infirmiere" + std::to_string(f) + ".xxx", nurse_frame(f));
  for (int f = 1; f <= 5; ++f)
    set.picture("montgolfiere" + std::to_string(f) + ".xxx", balloon_frame(f));
  for (int f = 1; f <= 4; ++f) set.picture("oiseau" + std::to_string(f) + ".xxx", bird_frame(f));
  for (int f = 1; f <= 2; ++f) set.picture("ovni" + std::to_string(f) + ".xxx", ufo_frame(f));
  set.picture("zeppelin.xxx", zeppelin(1));
  set.picture("zeppelin2.xxx", zeppelin(2));
  for (int f = 1; f <= 5; ++f) set.picture("grue" + std::to_string(f) + ".xxx", crane_frame(f));
}

}  // namespace kelvo::assets
