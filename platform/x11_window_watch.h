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
// Main thread, before drawing: also looks among the events that have arrived but wait in SDL's
// queue. Drawing into a destroyed window can stall for seconds (Mesa's software renderer under
// the SDL2-based compatibility library), and the events pass that would take the news may be up
// to 32 ms away.
bool window_lost_by_now();

// True once the connection to the X server is broken: SDL must not be shut down through it.
bool x_connection_lost();

}  // namespace kelvo
