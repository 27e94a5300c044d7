// Pictures that more than one group of the catalogue builds on.
#pragma once

#include "tools/canvas.h"

namespace kelvo::assets {

// The hero walking, frames 1 to 3, facing right (14 by 16).
Canvas hero_walk_frame(int frame);
// The hero knocked out, frames 1 to 4 (22 by 16).
Canvas hero_ko_frame(int frame);
// The site hut at the top: 80 by 40, the cabin in the lower 24 rows, its roof free for the duo.
Canvas hut_picture();
// A barrel end-on, 12 by 12, turned by `quarter` steps of rotation.
Canvas barrel_picture(int quarter);
// The ground the site stands on, one pixel at a time: `depth` counts the rows below the ground
// line. The pavement is the site's yard on every level; the street in front of level 1 adds a
// kerb and the road. Both depend only on their arguments, so pictures that show the same ground
// (the level pictures, the street, the skies' far ground) look alike where they meet.
uint8_t pavement_pixel(int x, int depth);
uint8_t street_pixel(int x, int depth);
// A plumber standing, 12 by 16, in red (green = false) or green.
Canvas plumber_standing(bool green);

}  // namespace kelvo::assets
