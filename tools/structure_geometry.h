// The structure's pictures around the world's geometry (game/world.h): where the girders are
// drawn to end, and the ground rows of the street, the yard and the skies.
#pragma once

#include "game/world.h"

namespace kelvo::assets::geo {

using world::kHeroHeight;
inline constexpr int kTopStandY = static_cast<int>(world::kTopStandY);

// Drawn ends of the girders, in picture columns: each stands under the middle of the hero's
// 14-pixel body (his x is his left edge) at the edge where the game lets him drop off.
inline constexpr int kHalfHero = 7;
inline constexpr int kLeftEnd =
    static_cast<int>(world::kFallLeftX) + kHalfHero;  // girder 1, even girders
inline constexpr int kOddLeftEnd =
    static_cast<int>(world::kHeroOddDropX) + kHalfHero;  // odd ones above 1
inline constexpr int kEvenRightEnd = static_cast<int>(world::kHeroEvenDropX) + kHalfHero;
inline constexpr int kRightEnd = static_cast<int>(world::kFallRightX) + kHalfHero;  // odd girders
inline constexpr int kTopLeftEnd = static_cast<int>(world::kTopLeftX) + kHalfHero;

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
  const double line = world::girder_line(world::kGirderBaseY[girder], is_odd(girder), x);
  return static_cast<int>(line + kHeroHeight + 0.5 + 1000) - 1000;  // round half up
}

inline int girder_left(int girder) {
  return is_odd(girder) && girder > 1 ? kOddLeftEnd : kLeftEnd;
}
inline int girder_right(int girder) {
  return is_odd(girder) ? kRightEnd : kEvenRightEnd;
}

}  // namespace kelvo::assets::geo
