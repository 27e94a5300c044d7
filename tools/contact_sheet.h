// One PNG that shows every generated picture with its file name, for review.
#pragma once

#include "tools/asset_set.h"

namespace kelvo::assets {

// Pictures on a grey background, see-through pixels showing the grey, sprites up to 64 pixels
// shown at twice their size; the window icon last.
Canvas contact_sheet(const AssetSet& set);

}  // namespace kelvo::assets
