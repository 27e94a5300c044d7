// Notices when another X client destroys the game's window, so that the program ends as after
// a close instead of dying of the X errors its next drawing raises, or waiting for ever on a
// dialog nobody can see.
#pragma once

#include <SDL.h>

namespace kelvo {

// Main thread, after every change of video mode: asks X to report the window's destruction and
// catches the errors about windows that are gone. Does nothing unless SDL draws through X11.
void watch_window_destruction();

// True once the window is known to be gone: from a window-manager event that SDL hands over
// (SDL_SYSWMEVENT), or from an X error about a window that no longer exists.
bool window_destroyed(const SDL_Event& event);
bool window_lost();

// True once the connection to the X server is broken: SDL must not be shut down through it.
bool x_connection_lost();

}  // namespace kelvo
