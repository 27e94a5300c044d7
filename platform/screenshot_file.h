// Screenshots: the frame on view saved as a PNG file in the player's pictures folder, never
// beside the executable (an installed game's folder is not the player's to fill).
#pragma once

#include <optional>
#include <string>

#include "runtime/display/display.h"

namespace kelvo {

// The pictures folder: `xdgPictures` ($XDG_PICTURES_DIR) when it is a full path, else the
// XDG_PICTURES_DIR line of `userDirs` (the text of user-dirs.dirs, where "$HOME" stands for
// `home`), else `home`/Pictures; empty without any of them.
std::string pictures_directory(const char* xdgPictures, const std::string& userDirs,
                               const std::string& home);

// The same, from this process's environment and the player's user-dirs.dirs.
std::string pictures_directory();

// Saves `frame` at its own size as a new file kelvo-YYYYMMDD-HHMMSS[-N].png in `folder`, made if
// missing; returns its path, or nullopt after telling why on standard error.
std::optional<std::string> save_screenshot(const FrameCache& frame, const std::string& folder);

}  // namespace kelvo
