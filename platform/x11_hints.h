// Desktop hints that SDL 1.2 does not give an X11 window: the icon at every size and the class.
#pragma once

namespace kelvo {

// Main thread, after each video mode is set: gives the window the game's icon at every desktop
// size (_NET_WM_ICON, which task bars and window switchers read) and the class "kelvo" (WM_CLASS,
// which desktops match with the launcher). Does nothing outside X11.
void set_x11_window_hints();

}  // namespace kelvo
