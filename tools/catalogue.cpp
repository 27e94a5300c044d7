// Builds the whole set, group by group, in the order the game loads them.
#include "tools/asset_set.h"

namespace kelvo::assets {

AssetSet build_all() {
  AssetSet set;
  add_sounds(set);
  add_screens(set);
  add_props(set);
  add_hero(set);
  add_structure(set);
  add_skies(set);
  add_villains(set);
  add_captives(set);
  return set;
}

}  // namespace kelvo::assets
