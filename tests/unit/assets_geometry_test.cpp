// The pictures fit the game's numbers: girder lines, open ends, contact boxes, fixed places.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "assets_test_support.h"
#include "game/world.h"

namespace kelvo::asset_tests {
namespace {

using namespace world;

double hero_line(int girder, double x) {
  return girder_line(kGirderBaseY[girder], girder % 2, x);
}

struct Box {  // the opaque pixels' bounding box, inclusive
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};

Box opaque_box(const Indexed& p) {
  Box b;
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x)
      if (p.at(x, y)) {
        b.left = std::min(b.left, x);
        b.right = std::max(b.right, x);
        b.top = std::min(b.top, y);
        b.bottom = std::max(b.bottom, y);
      }
  return b;
}

int hero_height() {
  return load_picture("hro02.xxx").height;
}
int hero_width() {
  return load_picture("hro02.xxx").width;
}

// Checks that a picture drawn at world (ox, oy) has a surface on row `expected` (world) in world
// column x: opaque within one pixel of it, with two clear rows above.
::testing::AssertionResult surface_at(const Indexed& p, int ox, int oy, int x, double expected) {
  const int col = x - ox;
  const int row = static_cast<int>(std::lround(expected)) - oy;
  int top = -1;
  for (int y = row - 3; y <= row + 3; ++y)
    if (p.at(col, y)) {
      top = y;
      break;
    }
  if (top < row - 1 || top > row + 1)
    return ::testing::AssertionFailure()
           << "column " << x << ": surface expected at row " << row + oy << ", found "
           << (top < 0 ? std::string("none") : std::to_string(top + oy));
  for (int y = top; y < top + 2; ++y)
    if (!p.at(col, y))
      return ::testing::AssertionFailure() << "column " << x << ": no rail under the surface";
  return ::testing::AssertionSuccess();
}

bool open_at(const Indexed& p, int x, double line_row) {
  const int row = static_cast<int>(std::lround(line_row));
  for (int y = row - 1; y <= row + 3; ++y)
    if (p.at(x, y)) return false;
  return true;
}

// For both structures: the hero stands on every girder wherever the game keeps him on it, and
// finds an opening wherever the game lets him fall through.
TEST(GirderGeometry, SurfacesLieOnTheHeroLinesAndOpeningsAreOpen) {
  const int h = hero_height();
  const int half = hero_width() / 2;  // the hero's x is his left edge
  for (const char* file : {"niveau1.xxx", "niveaufinal.xxx"}) {
    SCOPED_TRACE(file);
    const Indexed level = load_picture(file);
    ASSERT_TRUE(level.ok);
    for (int g = 1; g <= 7; ++g) {
      SCOPED_TRACE("girder " + std::to_string(g));
      const bool odd = g % 2;
      const int from = odd && g > 1 ? kHeroOddDropX + half : 0;
      const int to = (odd ? kFallRightX : kHeroEvenDropX) + half;
      for (int x = (from + 7) / 8 * 8; x <= to; x += 8)
        EXPECT_TRUE(surface_at(level, 0, 0, x, hero_line(g, x) + h));
      if (odd && g > 1) {
        for (int x = 0; x <= kHeroOddDropX + half - 6; ++x) {
          EXPECT_TRUE(open_at(level, x, hero_line(g, x) + h)) << x;
        }
      }
      if (!odd) {
        for (int x = kHeroEvenDropX + half + 6; x < level.width; ++x) {
          EXPECT_TRUE(open_at(level, x, hero_line(g, x) + h)) << x;
        }
      }
    }
  }
  // Levels 1 to 9: the hero stands on the top platform once he reaches it.
  const Indexed level = load_picture("niveau1.xxx");
  for (int x = (static_cast<int>(kTopLeftX) + half + 7) / 8 * 8; x <= kFallRightX + half; x += 8)
    EXPECT_TRUE(surface_at(level, 0, 0, x, kTopStandY + h)) << "top platform";
}

// The level picture starts at x 0; the girders that reach the left fall edge continue in the hook's
// picture, drawn on every level at (-64, 21).
TEST(GirderGeometry, GirderEndsLeftOfTheLevelPictureAreInTheHookPicture) {
  const int h = hero_height();
  const Indexed hook = load_picture("crochet.xxx");
  ASSERT_TRUE(hook.ok);
  for (int g : {1, 2, 4, 6})
    for (int x : {static_cast<int>(kFallLeftX) + hero_width() / 2, -1}) {
      SCOPED_TRACE("girder " + std::to_string(g));
      EXPECT_TRUE(surface_at(hook, -64, 21, x, hero_line(g, x) + h));
    }
}

// Barrels, bananas and bonus items rest on lines 4 pixels below the hero's, so they are 4
// pixels shorter and sit on their last row. The game's contact boxes must never report a touch
// where the pictures do not overlap on screen.
TEST(SpriteGeometry, ContactBoxesLieWithinThePicturesOverlap) {
  const Indexed hero = load_picture("hro02.xxx");
  const Box hb = opaque_box(hero);
  EXPECT_EQ(hb.bottom, hero.height - 1) << "the hero's soles are on his last row";
  struct Case {
    std::vector<std::string> files;
    ContactBox box;  // touch when dx, dy lie strictly inside
    bool rests_on_girder;
  };
  // clang-format off
  const std::vector<Case> cases = {
      {{"baril.xxx", "baril2.xxx", "baril3.xxx", "baril4.xxx"}, kHazardBox, true},
      {{"banane.xxx", "banane2.xxx", "banane3.xxx", "banane4.xxx"}, kHazardBox, false},
      {{"pitfallbonus1.xxx", "pitfallbonus2.xxx", "pengobonus.xxx", "froggerbonus.xxx", "qbertbonus1.xxx",
        "qbertbonus2.xxx", "qbertbonus3.xxx", "qbertbonus4.xxx", "pacmanbonus.xxx", "pooyanbonus.xxx",
        "joustbonus.xxx", "junglehuntbonus.xxx", "ETbonus.xxx"}, kHazardBox, true},
      {{"coeur.xxx"}, kHeartBox, false},
      {{"boulon.xxx"}, kBoltBoxes[1], false}};  // the larger of the two
  // clang-format on
  for (const Case& c : cases)
    for (const std::string& file : c.files) {
      SCOPED_TRACE(file);
      const Indexed p = load_picture(file);
      ASSERT_TRUE(p.ok);
      const Box b = opaque_box(p);
      // dx = heroX - x: the pictures overlap when b.left - hb.right <= dx <= b.right - hb.left.
      EXPECT_LE(b.left - hb.right, c.box.left + 1);
      EXPECT_GE(b.right - hb.left, c.box.right - 1);
      EXPECT_LE(b.top - hb.bottom, c.box.top + 1);
      EXPECT_GE(b.bottom - hb.top, c.box.bottom - 1);
      if (c.rests_on_girder) {
        EXPECT_EQ(p.height, hero.height - kItemDrop);
        EXPECT_EQ(b.bottom, p.height - 1);
      }
    }
}

TEST(SpriteGeometry, HeroFramesShareTheHeroHeight) {
  const int h = hero_height();
  for (const char* file : {"hro01.xxx", "hro03.xxx", "hro01g.xxx", "hro02g.xxx", "hro03g.xxx",
                           "docpause1.xxx", "docpause3.xxx", "docpause_g5.xxx", "superhro01.xxx",
                           "superhro03g.xxx", "dockoar1g.xxx", "dockoar4g.xxx"}) {
    const Indexed p = load_picture(file);
    EXPECT_EQ(p.height, h) << file;
    EXPECT_EQ(opaque_box(p).bottom, h - 1) << file << " must stand on its last row";
  }
}

// Pieces drawn at fixed places meet: the cauldron, the hut and the ladder piece stand on the top
// platform, the chain ends on the captive's head, the HUD hearts fit the 12 rows left at y 288.
TEST(SpriteGeometry, FixedPiecesMeetWhereTheGameDrawsThem) {
  const int platform = kTopStandY + hero_height();
  for (int f = 1; f <= 4; ++f) {
    EXPECT_EQ(19 + load_picture("chaudronh" + std::to_string(f) + ".xxx").height, platform);
    EXPECT_EQ(24 + load_picture("chaudronb" + std::to_string(f) + ".xxx").height, platform);
  }
  EXPECT_EQ(load_picture("cabane.xxx").height, platform);
  for (int f = 1; f <= 12; ++f) {
    const Indexed duo = load_picture("mario-luigi" + std::to_string(f) + ".xxx");
    EXPECT_EQ(duo.width, load_picture("cabane.xxx").width) << f;
    EXPECT_EQ(duo.height, platform) << f;
  }
  EXPECT_EQ(-110 + load_picture("echelle2.xxx").height, platform);
  // Chain at y -106 - t and captive at 16 - t: the chain is 122 rows long and ends over the
  // captive (x 210), whose top row is opaque below it.
  const Indexed chain = load_picture("chaine.xxx");
  EXPECT_EQ(chain.height, 122);
  const Box cb = opaque_box(chain);
  for (const char* file :
       {"pitfall_a.xxx", "pengo1.xxx", "frogger1.xxx", "qbert_a.xxx", "pacman1.xxx", "pooyan_a.xxx",
        "joust_a.xxx", "junglehunt1.xxx", "et_a.xxx"}) {
    const Indexed captive = load_picture(file);
    const Box b = opaque_box(captive);
    EXPECT_LE(b.top, 1) << file;
    bool under_chain = false;
    for (int x = 215 + cb.left; x <= 215 + cb.right; ++x)
      under_chain |= captive.at(x - 210, b.top) != 0;
    EXPECT_TRUE(under_chain) << file << " does not hang from the chain";
  }
  for (const char* file : {"coeur.xxx", "coeurtransparent.xxx"})
    EXPECT_LE(load_picture(file).height, 12);
}

// The ape climbs the rope that hangs from the hook, and the crane's cable holds the hook.
TEST(SpriteGeometry, ApeHoldsTheRopeAndTheCraneHoldsTheHook) {
  // The hook picture is drawn at x craneX and the ape at craneX (climbing) or craneX + 5
  // (throwing); the rope is the hook picture's column 7 from its row 12 down.
  const Indexed hook = load_picture("crochet.xxx");
  ASSERT_TRUE(hook.ok);
  int rope = -1;
  for (int x = 0; x < 16 && rope < 0; ++x)
    if (hook.at(x, 200) && hook.at(x, 300)) rope = x;
  ASSERT_GE(rope, 0) << "no rope under the hook";
  for (int f = 1; f <= 3; ++f) {
    const Indexed ape = load_picture("kong" + std::to_string(f) + ".xxx");
    const int column = rope - (f == 3 ? 5 : 0);
    int grips = 0;
    for (int y = 0; y < ape.height; ++y) grips += ape.at(column, y) != 0;
    EXPECT_GE(grips, 3) << "kong" << f << " does not hold the rope";
  }
  // The crane is drawn at (craneX - 140, -25) and the hook at (craneX, 21).
  for (int f = 1; f <= 5; ++f) {
    const Indexed crane = load_picture("grue" + std::to_string(f) + ".xxx");
    const Box hb = opaque_box(hook);
    bool cable = false;
    for (int x = hb.left; x <= hb.right; ++x) cable |= crane.at(140 + x, 21 + 25 - 1) != 0;
    EXPECT_TRUE(cable) << "grue" << f << ": no cable reaches the hook";
  }
}

// Level 10: the hut at (240, -28) stands on a beam, the two bolts at (190, 16) and (265, 16)
// sit on it; the level-1 street pieces all stand on the ground line at y 540.
TEST(SpriteGeometry, FinalBeamAndStreetPiecesStandWhereTheyAreDrawn) {
  const Indexed level = load_picture("niveaufinal.xxx");
  const Indexed hut = load_picture("cabane.xxx");
  const int hut_bottom = -28 + hut.height;
  const Box hb = opaque_box(hut);
  for (int x = 240 + hb.left; x <= 240 + hb.right; x += 4)
    EXPECT_NE(level.at(x, hut_bottom), 0) << "nothing under the hut at x " << x;
  const Indexed bolt = load_picture("boulon.xxx");
  for (int bx : {kBoltX[1], kBoltX[2]})
    for (int x = bx; x < bx + bolt.width; x += 3) {
      bool beam = false;
      for (int y = kBoltY; y < kBoltY + bolt.height; ++y) beam |= level.at(x, y) != 0;
      EXPECT_TRUE(beam) << "no beam behind the bolt at " << bx;
    }
  EXPECT_EQ(485 + load_picture("barrieregrue.xxx").height, 540);
  EXPECT_EQ(494 + load_picture("ambulance1.xxx").height, 540);
  EXPECT_EQ(494 + load_picture("ambulance2.xxx").height, 540);
  EXPECT_EQ(488 + load_picture("echelle.xxx").height, 540);
  const Indexed ground = load_picture("sol.xxx");
  EXPECT_GE(-240 + ground.width, 420) << "the ground must reach under the whole structure";
}

// The HUD draws walking frame 2 stretched into 11 by 11 pixels for each life; it must keep the
// hero's hair, face and white coat.
TEST(SpriteGeometry, LivesIconStillShowsTheHero) {
  const Indexed hero = load_picture("hro02.xxx");
  const double step_x = (hero.width - 1 + 2 * 0.499999) / 10;
  const double step_y = (hero.height - 1 + 2 * 0.499999) / 10;
  int hair = 0, skin = 0, coat = 0;
  for (int j = 0; j < 11; ++j)
    for (int i = 0; i < 11; ++i) {
      const uint8_t c = hero.at(static_cast<int>(std::nearbyint(-0.499999 + i * step_x)),
                                static_cast<int>(std::nearbyint(-0.499999 + j * step_y)));
      const SDL_Color& rgb = hero.palette[c];
      if (c == 0) continue;
      if (rgb.r == 255 && rgb.g == 255 && rgb.b == 255)
        ++coat;
      else if (rgb.r > 200 && rgb.g > 120 && rgb.b < 200 && rgb.r > rgb.b + 60)
        ++skin;
      else if (rgb.r > rgb.b + 20 && rgb.r < 140)
        ++hair;
    }
  EXPECT_GE(coat, 12);
  EXPECT_GE(skin, 4);
  EXPECT_GE(hair, 4);
}

}  // namespace
}  // namespace kelvo::asset_tests
