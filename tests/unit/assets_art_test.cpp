// Rules of the art that the game relies on: see-through pictures never show pure black, skies
// reach the screen's bottom at every camera height, screens leave room for their text, and the
// music loops end where they start.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "assets_test_support.h"

namespace kelvo::asset_tests {
namespace {

// Index 0 is the see-through colour; the game matches colours when it loads a picture, so any
// other pure-black entry (16, 248 to 255) would turn see-through too.
TEST(PictureArt, SeeThroughPicturesUseNoOtherPureBlack) {
  for (const std::string& file : picture_files()) {
    if (is_opaque_picture(file)) continue;
    const Indexed p = load_picture(file);
    ASSERT_TRUE(p.ok) << file;
    int bad = 0, visible = 0;
    for (uint8_t index : p.pixels) {
      if (index != 0 && p.black(index)) ++bad;
      if (index != 0) ++visible;
    }
    EXPECT_EQ(bad, 0) << file;
    EXPECT_GT(visible, 0) << file << " is empty";
  }
}

TEST(PictureArt, SkiesCoverTheScreenAtEveryCameraHeight) {
  struct Sky {
    const char* file;
    double lowest_top;  // the most negative y the game draws it at
  };
  // Level 1 and the storm follow -heroY / 1.8 with heroY up to 530; the other levels stop at
  // -253; the closing scene scrolls the morning sky by 243 and the story the night sky by 191.
  const Sky skies[] = {{"fondaube.xxx", -530 / 1.8}, {"fondpluienuitorage.xxx", -530 / 1.8},
                       {"fondmatin.xxx", -253},      {"fondmidi.xxx", -253},
                       {"fondapresmidi.xxx", -253},  {"fondpluiejour.xxx", -253},
                       {"fondsoir.xxx", -253},       {"fondnuit.xxx", -253},
                       {"fondpluienuit.xxx", -253}};
  for (const Sky& sky : skies) {
    const Indexed p = load_picture(sky.file);
    EXPECT_EQ(p.width, 320) << sky.file;
    EXPECT_GE(sky.lowest_top + p.height, 300) << sky.file;
  }
  for (const char* file : {"pluie1.xxx", "pluie2.xxx", "pluie3.xxx"}) {
    const Indexed p = load_picture(file);
    EXPECT_EQ(p.width, 320) << file;
    EXPECT_EQ(p.height, 300) << file;
  }
}

TEST(PictureArt, ScreensLeaveRoomForTheirText) {
  // The title is drawn at (0, 0); "INSERT COIN" and the credits use text rows 14 and below.
  const Indexed title = load_picture("titre.xxx");
  ASSERT_TRUE(title.ok);
  for (int y = 13 * 16; y < title.height; ++y)
    for (int x = 0; x < title.width; ++x) ASSERT_EQ(title.at(x, y), 0) << x << "," << y;
  // The game-over emblem is drawn at (95, 45), above "GAME OVER" on text row 13.
  const Indexed over = load_picture("gameover.xxx");
  EXPECT_LE(95 + over.width, 320);
  EXPECT_LE(45 + over.height, 12 * 16);
}

// Every animation shows movement from each frame to the next, the last one back to the first.
TEST(PictureArt, AnimationFramesDifferFromTheirNeighbours) {
  const std::vector<std::vector<std::string>> cycles = {
      {"baril", "baril2", "baril3", "baril4"},
      {"banane", "banane2", "banane3", "banane4"},
      {"oiseau1", "oiseau2", "oiseau3", "oiseau4"},
      {"montgolfiere1", "montgolfiere2", "montgolfiere3", "montgolfiere4", "montgolfiere5"},
      {"chaudronh1", "chaudronh2", "chaudronh3", "chaudronh4"},
      {"chaudronb1", "chaudronb2", "chaudronb3", "chaudronb4"},
      {"grue1", "grue2", "grue3", "grue4", "grue5", "grue3"},
      {"ambulance1", "ambulance2"},
      {"ovni1", "ovni2"},
      {"pluie1", "pluie2", "pluie3"},
      {"kong1", "kong2"},
      {"mario-luigi11", "mario-luigi12"},
      {"mariofall1", "mariofall2"},
      {"mario_ech1", "mario_ech2", "mario_ech3", "mario_ech4"},
      {"mario_obus4", "mario_obus5"},
      {"mario_obus6", "mario_obus7"},
      {"obus1", "obus2"},
      {"qbertbonus1", "qbertbonus2", "qbertbonus3", "qbertbonus4"},
      {"pitfallbonus1", "pitfallbonus2"},
      {"docpause1", "docpause2", "docpause3", "docpause4", "docpause5"},
      {"dockoar1g", "dockoar2g", "dockoar3g", "dockoar4g"},
      {"hro01", "hro02", "hro03"},
      {"superhro01", "superhro03"},
      {"pitfall_a", "pitfall_b"},
      {"pengo1", "pengo2"},
      {"frogger1", "frogger2"},
      {"qbert_a", "qbert_b"},
      {"pacman1", "pacman2"},
      {"pooyan_a", "pooyan_b"},
      {"joust_a", "joust_b"},
      {"junglehunt1", "junglehunt2"},
      {"et_a", "et_b"}};
  for (const auto& cycle : cycles)
    for (size_t i = 0; i < cycle.size(); ++i) {
      const std::string a = cycle[i] + ".xxx", b = cycle[(i + 1) % cycle.size()] + ".xxx";
      const Indexed pa = load_picture(a), pb = load_picture(b);
      ASSERT_TRUE(pa.ok && pb.ok) << a << " " << b;
      EXPECT_TRUE(pa.width != pb.width || pa.height != pb.height || pa.pixels != pb.pixels)
          << a << " and " << b << " are the same picture";
    }
  // The throw: eight steps of the barrel countdown, each one a different picture.
  for (int f = 1; f < 8; ++f)
    EXPECT_NE(load_picture("mario-luigi" + std::to_string(f) + ".xxx").pixels,
              load_picture("mario-luigi" + std::to_string(f + 1) + ".xxx").pixels)
        << f;
  // Facing left is facing right mirrored.
  for (const char* stem : {"hro01", "hro02", "hro03", "docpause", "superhro01", "superhro03"}) {
    const std::string right = std::string(stem) + (std::string(stem) == "docpause" ? "1" : "");
    const std::string left = std::string(stem) + (std::string(stem) == "docpause" ? "_g1" : "g");
    const Indexed r = load_picture(right + ".xxx"), l = load_picture(left + ".xxx");
    ASSERT_EQ(r.width, l.width) << stem;
    bool mirrored = r.height == l.height;
    for (int y = 0; mirrored && y < r.height; ++y)
      for (int x = 0; x < r.width; ++x) mirrored &= r.at(x, y) == l.at(r.width - 1 - x, y);
    EXPECT_TRUE(mirrored) << left << " is not " << right << " mirrored";
  }
}

std::vector<int16_t> samples(const std::string& file) {
  SDL_AudioSpec spec{};
  Uint8* buffer = nullptr;
  Uint32 length = 0;
  std::vector<int16_t> out;
  if (!SDL_LoadWAV((built_assets() / file).string().c_str(), &spec, &buffer, &length)) return out;
  out.assign(reinterpret_cast<int16_t*>(buffer), reinterpret_cast<int16_t*>(buffer) + length / 2);
  SDL_FreeWAV(buffer);
  return out;
}

// A looped sound clicks when its last sample jumps to its first.
TEST(SoundArt, LoopsJoinWithoutAClickAndTheFastMusicIsTwiceAsFast) {
  for (const char* file : {"music3.yyy", "music3_2x.yyy", "hurry.yyy"}) {
    const std::vector<int16_t> s = samples(file);
    ASSERT_GT(s.size(), 22050u) << file;
    EXPECT_LT(std::abs(s.front()), 300) << file;
    EXPECT_LT(std::abs(s.back() - s.front()), 300) << file;
  }
  const double normal = samples("music3.yyy").size();
  const double fast = samples("music3_2x.yyy").size();
  EXPECT_NEAR(normal / fast, 2.0, 0.01);
}

TEST(SoundArt, SoundsAreNotSilentAndDoNotClip) {
  for (const std::string& file : sound_files()) {
    const std::vector<int16_t> s = samples(file);
    int peak = 0, clipped = 0;
    for (int16_t v : s) {
      peak = std::max(peak, std::abs(static_cast<int>(v)));
      if (std::abs(static_cast<int>(v)) >= 32000) ++clipped;
    }
    EXPECT_GT(peak, 3000) << file;
    EXPECT_LT(clipped, static_cast<int>(s.size() / 1000) + 1) << file;
  }
}

// Each sound fits the moment the game plays it in (the game runs at 120 frames a second).
TEST(SoundArt, SoundsFitTheMomentsTheGamePlaysThem) {
  auto seconds = [](const char* file) { return samples(file).size() / 22050.0; };
  EXPECT_LT(seconds("level.yyy"), 3.5);   // during the 420-frame introduction
  EXPECT_LT(seconds("music2.yyy"), 2.5);  // the completion sequence stops it after 300 frames
  EXPECT_LT(seconds("jump.yyy"), 40 / 120.0);
  EXPECT_LT(seconds("beep.yyy"), 0.5);  // initials keys repeat every 30 frames at 60
  EXPECT_LT(seconds("coeur4.yyy"), 1.0);
  EXPECT_LT(seconds("coeur4b.yyy"), 1.0);
  EXPECT_LT(seconds("bonus.yyy"), 1.0);
  EXPECT_GT(seconds("music3.yyy"), 8.0);  // a loop long enough not to nag
  EXPECT_GT(seconds("hurry.yyy"), 4.0);
  // The laugh restarts on every frame of its stage, so it must sound at once.
  const std::vector<int16_t> laugh = samples("rire.yyy");
  int early_peak = 0;
  for (size_t i = 0; i < 22050 / 120 && i < laugh.size(); ++i)
    early_peak = std::max(early_peak, std::abs(static_cast<int>(laugh[i])));
  EXPECT_GT(early_peak, 4000);
}

}  // namespace
}  // namespace kelvo::asset_tests
