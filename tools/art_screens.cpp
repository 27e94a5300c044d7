// The title picture, the game-over emblem and the captive's "HELP!" bubble.
#include <string>

#include "tools/art_parts.h"
#include "tools/asset_set.h"
#include "tools/colours.h"
#include "tools/dither.h"
#include "tools/girders.h"
#include "tools/lettering.h"

namespace kelvo::assets {
namespace {

using namespace col;

// Big lettering: a dithered two-colour fill, a dark extrusion down and right, an outline.
void big_lettering(Canvas& c, int x, int y, std::string_view text, int scale, uint8_t top,
                   uint8_t bottom, uint8_t extrude, uint8_t ink) {
  const int w = text_width(text, scale), h = kGlyphHeight * scale;
  Canvas mask(w, h);
  draw_text(mask, 0, 0, text, 1, scale);
  Canvas out(w + 4, h + 4);
  for (int d = 3; d >= 1; --d)
    for (int j = 0; j < h; ++j)
      for (int i = 0; i < w; ++i)
        if (mask.at(i, j)) out.set(i + d, j + d, extrude);
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i)
      if (mask.at(i, j)) out.set(i, j, dither(top, bottom, double(j) / h, i, j));
  for (int j = 0; j < h; ++j)  // a bright line along the top of each stroke
    for (int i = 0; i < w; ++i)
      if (mask.at(i, j) && !mask.at(i, j - 1)) out.set(i, j, kPaleLemon);
  out.outline(ink);
  c.blit(out, x, y);
}

// The title, 320 by 300, drawn keyed over a cleared screen. Everything stays above row 200:
// "INSERT COIN" and the credit lines are printed from text row 14 (pixel row 208) down.
Canvas title() {
  Canvas c(320, 300);
  // A night-blue panel behind the name, with stars.
  for (int y = 0; y < 196; ++y)
    for (int x = 0; x < 320; ++x) {
      const double t = double(y) / 196;
      c.set(x, y, dither(kMidnight, kNight, t * 1.5, x, y));
    }
  Rng rng(2013);
  for (int i = 0; i < 70; ++i)
    c.set(rng.below(320), rng.below(150), rng.below(3) ? kGrey82 : kWhite);
  // Girders of the site in the background, sloping like the game's.
  Canvas steel(170, 110);
  for (int k = 0; k < 3; ++k) {
    const int y0 = 20 + k * 36;
    for (int x = 0; x < 170; ++x) {
      const int top = y0 + (k % 2 ? x / 16 : (169 - x) / 16);
      const int d = x % 8;
      steel.set(x, top, kDaySteel.highlight);
      steel.set(x, top + 1, d == 0 ? kDaySteel.rivet : kDaySteel.main);
      for (int r = 0; r < 3; ++r)
        if (d == 0 || d == 1 + r || d == 7 - r) steel.set(x, top + 2 + r, kDaySteel.truss);
      steel.set(x, top + 5, kDaySteel.main);
      steel.set(x, top + 6, kDaySteel.shadow);
    }
  }
  c.blit(steel, 150, 82);
  // The name.
  big_lettering(c, 22, 14, "DR KELVO", 6, kYellow, kOrange, kDarkRed, kInk);
  draw_text(c, 100, 66, "THE UNSUNG HERO", kPaleAzure);
  // Dr Kelvo, big, standing on a girder; a barrel rolls at him; the ape glowers from the rope.
  Canvas hero = hero_walk_frame(2).scaled(4);
  c.blit(hero, 36, 122);
  for (int x = 20; x < 130; ++x) {
    const int d = x % 8;
    c.set(x, 186, kDaySteel.highlight);
    c.set(x, 187, d == 0 ? kDaySteel.rivet : kDaySteel.main);
    for (int r = 0; r < 3; ++r)
      if (d == 0 || d == 1 + r || d == 7 - r) c.set(x, 188 + r, kDaySteel.truss);
    c.set(x, 191, kDaySteel.main);
    c.set(x, 192, kDaySteel.shadow);
  }
  c.blit(barrel_picture(1).scaled(2), 250, 162);
  c.blit(plumber_standing(false).scaled(2), 196, 77);
  c.blit(plumber_standing(true).scaled(2).mirrored(), 232, 75);
  return c;
}

// The game-over emblem at (95, 45), 130 by 140, opaque: a red seal with the words and the hero
// seeing stars. "GAME OVER" is also printed at text row 13, just under it.
Canvas game_over() {
  Canvas c(130, 140, 0);
  for (int y = 0; y < 140; ++y)
    for (int x = 0; x < 130; ++x) {
      const double dx = (x - 64.5) / 63.0, dy = (y - 69.5) / 68.0;
      const double r = dx * dx + dy * dy;
      if (r > 1.0) continue;
      uint8_t colour =
          r > 0.86 ? kAmber : (r > 0.78 ? kDarkRed : dither(kRed, kMaroon, r * 1.1, x, y));
      if (r > 0.86 && r <= 0.9) colour = kYellow;
      c.set(x, y, colour);
    }
  big_lettering(c, 22, 30, "GAME", 4, kWhite, kGreyB6, kOxblood, kInk);
  big_lettering(c, 22, 68, "OVER", 4, kWhite, kGreyB6, kOxblood, kInk);
  c.blit(hero_ko_frame(1).scaled(2), 43, 104);
  return c;
}

Canvas help_bubble() {
  Canvas c(36, 16);
  c.fill_rect(1, 0, 34, 12, kWhite);
  c.fill_rect(0, 1, 36, 10, kWhite);
  draw_text(c, 4, 3, "HELP!", kRed);
  // Tail towards the captive on the left.
  c.set(3, 12, kWhite);
  c.set(4, 12, kWhite);
  c.set(2, 13, kWhite);
  c.set(3, 13, kWhite);
  c.set(1, 14, kWhite);
  Canvas out(38, 17);
  out.blit(c, 1, 1);
  out.outline(kInk);
  return out;
}

}  // namespace

void add_screens(AssetSet& set) {
  set.picture("titre.xxx", title());
  set.picture("gameover.xxx", game_over());
  set.picture("help.xxx", help_bubble());
}

}  // namespace kelvo::assets
