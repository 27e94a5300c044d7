// The world's geometry in world pixels: girder lines, drop-off edges, the top platform, the barrel
// launch point and the contact boxes. The game plays by it, the asset generator draws the
// structure to it and the tests check the pictures against it.
#pragma once

namespace kelvo::world {

// Base lines of girders 1 (bottom) to 7 where the hero's top-left corner rests: odd girders rise
// to the right, even ones fall, one pixel in 16.
inline constexpr int kGirderBaseY[8] = {0, 457, 381, 354, 275, 249, 168, 142};
// Barrels and bonus items rest on lines this much lower, being as much shorter than the hero.
inline constexpr int kItemDrop = 4;
inline constexpr int kHeroHeight = 16;

// The line under column x of a girder with base line `base`: a rising girder lies x / 16 higher
// there, a falling one x / 16 lower.
constexpr double girder_line(double base, bool rising, double x) {
  return rising ? base - x / 16 : base + x / 16;
}

// A girder ends where whatever walks on it drops to the girder below: the hero left of x 22 on
// an odd girder above the first and right of x 368 on an even one, barrels at 20 and 370. Left
// of x -15 or right of x 399 the hero falls off the structure. Kept quirk: the two pairs differ.
inline constexpr double kHeroOddDropX = 22;
inline constexpr double kHeroEvenDropX = 368;
inline constexpr double kBarrelOddDropX = 20;
inline constexpr double kBarrelEvenDropX = 370;
inline constexpr double kFallLeftX = -15;
inline constexpr double kFallRightX = 399;

// The top platform: the hero who climbs above y 28 right of x 142 has finished the level and
// stands there at y 24.
inline constexpr double kTopReachY = 28;
inline constexpr double kTopLeftX = 142;
inline constexpr double kTopStandY = 24;

// The ape launches barrels from here, on girder 7.
inline constexpr double kLaunchX = 375;
inline constexpr double kLaunchY = 35;
inline constexpr int kLaunchGirder = 7;

// The two bolts of the final level, on its top beam.
inline constexpr double kBoltX[3] = {0, 190, 265};
inline constexpr double kBoltY = 16;

// The hero touches a thing at (x, y) when heroX - x and heroY - y lie strictly inside a box.
struct ContactBox {
  double left, right, top, bottom;
};
inline constexpr ContactBox kHeartBox = {-11, 7, -12, 6};
inline constexpr ContactBox kHazardBox = {-10, 6, -11, 7};  // barrels, bananas, bonus items
inline constexpr ContactBox kBoltBoxes[3] = {{}, {-13, 4, -12, 12}, {-13, 4, -12, 8}};

constexpr bool touches(const ContactBox& box, double heroX, double heroY, double x, double y) {
  const double dx = heroX - x;
  const double dy = heroY - y;
  return dx > box.left && dx < box.right && dy > box.top && dy < box.bottom;
}

}  // namespace kelvo::world
