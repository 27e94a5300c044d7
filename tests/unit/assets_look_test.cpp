// How the art and sound come across in play: the HUD reads over every sky the camera can show,
// the HUD hearts can be counted, and no mix the game plays goes past full scale.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

#include "assets_test_support.h"

namespace kelvo::asset_tests {
namespace {

double luminance(const SDL_Color& c) {
  auto linear = [](int v) {
    const double s = v / 255.0;
    return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
}

// Contrast of white (colour 15, the HUD's text) against a colour.
double contrast_with_white(const SDL_Color& c) {
  return 1.05 / (luminance(c) + 0.05);
}

// The score and timer are printed on screen rows 0 to 31 over the sky, which the game draws at
// backgroundY = heroY / -1.8 rounded, on levels 2 to 10 never below -253; the storm of level 10
// follows heroY / -1.8 without that bound. heroY goes down to 530 (a fall stops there) and up
// to 24 on levels 1 to 9 (reaching the top sets it there); on level 10 the highest jump starts
// from the top girder's right end (y 142 - 399 / 16) and rises 104 pixels in the super mode.
TEST(LookOfPlay, HudTextStandsOutAgainstEverySkyRowTheCameraShowsBehindIt) {
  struct Sky {
    int level;
    const char* file;
    double highest_hero_y;
    bool clamped;
  };
  const double top10 = 142 - 399 / 16.0 - 104;
  const Sky skies[] = {{1, "fondaube.xxx", 24, false},
                       {2, "fondmatin.xxx", 24, true},
                       {3, "fondmidi.xxx", 24, true},
                       {4, "fondapresmidi.xxx", 24, true},
                       {5, "fondapresmidi.xxx", 24, true},
                       {6, "fondpluiejour.xxx", 24, true},
                       {7, "fondsoir.xxx", 24, true},
                       {8, "fondnuit.xxx", 24, true},
                       {9, "fondnuit.xxx", 24, true},
                       {10, "fondpluienuit.xxx", top10, true},
                       {10, "fondpluienuitorage.xxx", top10, false}};
  for (const Sky& sky : skies) {
    SCOPED_TRACE(std::string(sky.file) + " on level " + std::to_string(sky.level));
    const Indexed p = load_picture(sky.file);
    ASSERT_TRUE(p.ok);
    const double lowest = sky.clamped ? std::max(530 / -1.8, -253.0) : 530 / -1.8;
    const int drawn_low = static_cast<int>(std::nearbyint(lowest));
    const int drawn_high = static_cast<int>(std::nearbyint(sky.highest_hero_y / -1.8));
    double worst = 21;
    int worst_row = -1;
    for (int row = std::max(0, -drawn_high); row <= 31 - drawn_low; ++row)
      for (int x = 0; x < p.width; ++x) {
        const double c = contrast_with_white(p.palette[p.at(x, row)]);
        if (c < worst) worst = c, worst_row = row;
      }
    EXPECT_GE(worst, 4.5) << "at sky row " << worst_row;
    char measured[16];
    std::snprintf(measured, sizeof measured, "%.2f", worst);
    RecordProperty(std::string("level") + std::to_string(sky.level) + "_" + sky.file, measured);
  }
}

// The HUD draws the quota's empty hearts at x = 5, 10, ... 45 (nine on level 10) and then the
// collected ones over them. Where two of them meet, one of the two pixels must be dark, so that
// every heart reads as its own instead of a chain; and each keeps enough of itself in sight.
TEST(LookOfPlay, HudHeartsStayDistinctAtFivePixelSpacing) {
  const Indexed empty = load_picture("coeurtransparent.xxx");
  const Indexed full = load_picture("coeur.xxx");
  ASSERT_TRUE(empty.ok && full.ok);
  ASSERT_LE(std::max(empty.height, full.height), 12);
  for (int collected : {0, 5, 9}) {
    SCOPED_TRACE(std::to_string(collected) + " of 9 collected");
    const int w = 60, h = 12;
    std::vector<int> owner(w * h, -1);
    std::vector<SDL_Color> colour(w * h);
    auto draw = [&](const Indexed& p, int id, int x0) {
      for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
          if (p.at(x, y))
            owner[y * w + x0 + x] = id, colour[y * w + x0 + x] = p.palette[p.at(x, y)];
    };
    for (int i = 1; i <= 9; ++i) draw(empty, i, i * 5);
    for (int i = 1; i <= collected; ++i) draw(full, i, i * 5);
    std::map<int, int> bright_pixels;
    int bright_meetings = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const int i = y * w + x;
        if (owner[i] < 0) continue;
        const bool bright = luminance(colour[i]) > 0.05;
        bright_pixels[owner[i]] += bright;
        for (int j : {i + 1, i + w})
          if (x + 1 < w && j < w * h && owner[j] >= 0 && owner[j] != owner[i] && bright &&
              luminance(colour[j]) > 0.05)
            ++bright_meetings;
      }
    EXPECT_EQ(bright_meetings, 0);
    for (int id = 1; id <= 9; ++id) EXPECT_GE(bright_pixels[id], 6) << "heart " << id;
  }
}

std::vector<int16_t> samples_of(const std::string& file) {
  SDL_AudioSpec spec{};
  Uint8* buffer = nullptr;
  Uint32 length = 0;
  std::vector<int16_t> out;
  if (!SDL_LoadWAV((built_assets() / file).string().c_str(), &spec, &buffer, &length)) return out;
  out.assign(reinterpret_cast<int16_t*>(buffer), reinterpret_cast<int16_t*>(buffer) + length / 2);
  SDL_FreeWAV(buffer);
  return out;
}

struct Peaks {
  int high = 0, low = 0;  // the largest and the most negative sample
};

Peaks peaks_of(const std::string& file) {
  const std::vector<int16_t> s = samples_of(file);
  Peaks p;
  for (int16_t v : s) p.high = std::max<int>(p.high, v), p.low = std::min<int>(p.low, v);
  return p;
}

// The mixer adds the sounds playing at once at full volume and clips what passes full scale. The
// loudest mix the game plays is a tune, the thunder of level 10 and one effect; at the worst
// offsets their largest samples of one sign fall on the same instant.
TEST(LookOfPlay, TuneThunderAndAnyEffectTogetherNeverPassFullScale) {
  const Peaks thunder = peaks_of("tonnerre1.yyy");
  int loudest = 0;
  for (const char* tune : {"level.yyy", "music3.yyy", "music3_2x.yyy", "hurry.yyy", "music2.yyy"})
    for (const char* effect : {"jump.yyy", "die.yyy", "fall.yyy", "banane2.yyy", "coeur4.yyy",
                               "coeur4b.yyy", "bonus.yyy", "rire.yyy", "beep.yyy"}) {
      const Peaks t = peaks_of(tune), e = peaks_of(effect);
      const int high = t.high + thunder.high + e.high, low = t.low + thunder.low + e.low;
      EXPECT_LE(high, 32767) << tune << " + thunder + " << effect;
      EXPECT_GE(low, -32768) << tune << " + thunder + " << effect;
      loudest = std::max({loudest, high, -low});
    }
  RecordProperty("worst_case_mix_peak", loudest);
}

// The closing scene restarts the laugh on every frame, so the mixer keeps playing its first
// buffer of 1024 samples over and over: that buffer has to hold a whole syllable, from silence
// to silence, or every repeat clicks and stutters.
TEST(LookOfPlay, LaughRepeatsItsFirstMixerBufferWithoutAClick) {
  const std::vector<int16_t> s = samples_of("rire.yyy");
  ASSERT_GT(s.size(), 1024u);
  int loud = 0, tail = 0;
  for (int i = 0; i < 1024; ++i) {
    int& peak = i < 960 ? loud : tail;
    peak = std::max(peak, std::abs(static_cast<int>(s[i])));
  }
  EXPECT_GT(loud, 4000);
  EXPECT_LT(tail, 200);
  EXPECT_LT(std::abs(static_cast<int>(s[0])), 200);
}

}  // namespace
}  // namespace kelvo::asset_tests
