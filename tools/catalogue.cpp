// Builds the whole set, group by group, in the order the game loads them, and checks it against
// the game's asset table.
#include <set>

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

std::string differences_from_table(const AssetSet& set) {
  std::set<std::string> wanted, made;
  for (const AssetFile& f : picture_files()) wanted.insert(f.file);
  for (const AssetFile& f : sound_files()) wanted.insert(f.file);
  for (const Picture& p : set.pictures) made.insert(p.file);
  for (const Sound& s : set.sounds) made.insert(s.file);
  std::string text;
  for (const std::string& file : wanted)
    if (!made.contains(file)) text += " missing " + file;
  for (const std::string& file : made)
    if (!wanted.contains(file)) text += " not in the table " + file;
  if (made.size() != set.pictures.size() + set.sounds.size()) text += " a file made twice";
  return text;
}

}  // namespace kelvo::assets
