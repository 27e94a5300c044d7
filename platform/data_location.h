// Where the game's files are: a build folder keeps them beside the executable, an installed game
// reads its pictures and sounds from the install tree and keeps the players' scores in their own
// data folder, so that neither a rebuild nor a read-only install tree loses them.
#pragma once

#include <string>

#include "runtime/services/files.h"

namespace kelvo {

// The name the game gives its high-score file, relative to the working directory.
inline constexpr const char* kScoreFileName = "rurazedudi/score.txt";

struct DataLocation {
  std::string directory;  // the working directory, which holds rurazedudi/
  std::string scoreFile;  // the players' own high-score file; empty: the one in rurazedudi/
};

// --dir DIR works in DIR. Otherwise a build folder (rurazedudi/ beside the executable) works
// there; an installed game works in its data folder, `dataFromBin` relative to the executable's
// directory, with the scores in `playerData`/score.txt. Anything else works beside the executable
// as a build folder does, and the game reports the missing files.
DataLocation find_data_location(const std::string& dirOption, const std::string& exeDir,
                                const std::string& dataFromBin, const std::string& playerData);

// $HOME when it is a full path, else the account's home folder; empty without one.
std::string home_directory();

// $XDG_DATA_HOME/kelvo, or ~/.local/share/kelvo; empty when there is no home folder.
std::string player_data_directory();

// Sends the high-score file to `scoreFile`: it is read from there once it exists (until then the
// installed default is read) and always written there, its folder created first. The first write
// tells the path once on standard error.
FilePathMap score_file_map(const std::string& scoreFile);

}  // namespace kelvo
