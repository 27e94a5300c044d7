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
// A plumber standing, 12 by 16, in red (green = false) or green.
Canvas plumber_standing(bool green);

}  // namespace kelvo::assets
