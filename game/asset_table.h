// The files of rurazedudi/ in the order the game opens them, each with the handle it fills: the
// game loads from this table, the asset generator checks that it makes exactly these files, and
// the tests read it.
#pragma once

#include <string>
#include <vector>

namespace kelvo {

// The folder of the game's files, as the game names them.
inline const std::string kAssetFolder = "rurazedudi/";

// One file, or a numbered series of them, as the table lists it.
struct AssetRow {
  const char* slot;     // the handle ("titleImg", "heroRightImg[2]"), or the array a series fills
  const char* file;     // the file's name without its extension; a series' stem, numbered from 1
  int frames = 0;       // the length of a series, 0 for one file
  bool opaque = false;  // drawn without a see-through colour
};

// One file opened into one handle, the series spelled out.
struct AssetFile {
  std::string slot;  // a handle as find_number_field names it
  std::string file;  // the file's name in rurazedudi/, with its extension
  bool opaque = false;
};

// Pictures (".xxx") and sounds (".yyy") in the order they are opened; some pictures are opened
// more than once.
const std::vector<AssetFile>& picture_files();
const std::vector<AssetFile>& sound_files();

// A picture drawn without a see-through colour wherever it is used.
bool opaque_picture(const std::string& file);

}  // namespace kelvo
