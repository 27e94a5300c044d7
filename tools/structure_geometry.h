// Where the game stands its hero: girder lines, open ends and the top platform, in world pixels.
#pragma once

namespace kelvo::assets::geo {

// The hero's picture is this tall; his position is its top-left corner.
inline constexpr int kHeroHeight = 16;
// Barrels and bonus items rest on lines 4 pixels lower, so they are 4 pixels shorter.
inline constexpr int kItemHeight = kHeroHeight - 4;

// Base heights of girders 1 (bottom) to 7; odd girders rise to the right, even ones fall.
inline constexpr int kHeroFloorBaseY[8] = {0, 457, 381, 354, 275, 249, 168, 142};

// Drawn ends of the girders, in picture columns. The game lets the hero (whose x is his left
// edge) walk off an odd girder left of x 22, an even one right of x 368 and the structure left
// of x -15 or right of x 399; the drawn ends stand under the middle of his 14-pixel body.
inline constexpr int kLeftEnd = -8;        // girder 1 and the even girders
inline constexpr int kOddLeftEnd = 29;     // odd girders above the first
inline constexpr int kEvenRightEnd = 375;  // even girders
inline constexpr int kRightEnd = 406;      // odd girders

// The hero stands at y 24 on the top platform once past x 142.
inline constexpr int kTopStandY = 24;
inline constexpr int kTopLeftEnd = 149;

// The ground line: the street of level 1 and the yard of the other levels begin here, and the
// posts, the crane's mast and the bottom ladder stand on it.
inline constexpr int kGroundY = 540;
// A hero who falls off the structure lies at y 530; the camera then shows the ground line at
// screen row 235, and the sky stands at -253 on levels 2 to 10 (as low as the game lets it go)
// and at -294 on level 1. The skies paint their far ground from these rows down, so that it
// meets the ground of the pictures drawn in the world where he lies.
inline constexpr int kSkyGroundRow = 488;
inline constexpr int kDawnSkyGroundRow = 529;

inline constexpr bool is_odd(int girder) {
  return girder % 2 == 1;
}

// Top row of girder `girder`'s surface in column x: the hero's line plus his height.
inline int surface_y(int girder, int x) {
  const double line =
      is_odd(girder) ? kHeroFloorBaseY[girder] - x / 16.0 : kHeroFloorBaseY[girder] + x / 16.0;
  return static_cast<int>(line + kHeroHeight + 0.5 + 1000) - 1000;  // round half up
}

inline int girder_left(int girder) {
  return is_odd(girder) && girder > 1 ? kOddLeftEnd : kLeftEnd;
}
inline int girder_right(int girder) {
  return is_odd(girder) ? kRightEnd : kEvenRightEnd;
}

}  // namespace kelvo::assets::geo
