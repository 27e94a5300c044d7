// The asset catalogue: every sound and picture of the game (game/asset_table.h), opened once at
// start-up in order.
#include <vector>

#include "game/asset_table.h"
#include "game/game.h"

namespace kelvo {

void Game::open_sounds() {
  for (const AssetFile& sound : sound_files()) {
    *find_number_field(s_, sound.slot) = rt_.sound_open(kAssetFolder + sound.file, "sync");
    pause_error_or_stop(901);
  }
}

// Colour 0 is see-through on every picture but the opaque ones, set once all are loaded.
void Game::load_images() {
  std::vector<const Num*> seeThrough;
  for (const AssetFile& picture : picture_files()) {
    Num* slot = find_number_field(s_, picture.slot);
    *slot = rt_.load_image(kAssetFolder + picture.file);
    pause_error_or_stop(902);
    if (!picture.opaque) seeThrough.push_back(slot);
  }
  for (const Num* slot : seeThrough) {
    rt_.set_clear_colour(0, handle(*slot));
    pause_error_or_stop(903);
  }
}

}  // namespace kelvo
