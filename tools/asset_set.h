// The complete set of generated files: pictures (indexed PNG) and sounds (16-bit PCM WAV).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/asset_table.h"
#include "tools/canvas.h"

namespace kelvo::assets {

inline constexpr int kSampleRate = 22050;

struct Picture {
  std::string file;  // file name inside rurazedudi/, e.g. "hro01.xxx"
  Canvas image;
  bool opaque = false;  // drawn without a see-through colour by the game (game/asset_table.h)
};

struct Sound {
  std::string file;              // e.g. "jump.yyy"
  std::vector<int16_t> samples;  // mono, kSampleRate
};

struct AssetSet {
  std::vector<Picture> pictures;
  std::vector<Sound> sounds;

  void picture(std::string file, Canvas image) {
    const bool opaque = opaque_picture(file);
    pictures.push_back({std::move(file), std::move(image), opaque});
  }
  void sound(std::string file, std::vector<int16_t> samples) {
    sounds.push_back({std::move(file), std::move(samples)});
  }
};

// Each group of the catalogue adds its files.
void add_hero(AssetSet& set);
void add_villains(AssetSet& set);
void add_captives(AssetSet& set);
void add_structure(AssetSet& set);
void add_skies(AssetSet& set);
void add_props(AssetSet& set);
void add_screens(AssetSet& set);
void add_sounds(AssetSet& set);

AssetSet build_all();

// Empty when the set holds exactly the files of the game's asset table, else what is missing or
// left over.
std::string differences_from_table(const AssetSet& set);

}  // namespace kelvo::assets
