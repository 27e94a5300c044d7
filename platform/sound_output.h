// The player's hold on the sound output: muting and pausing act on the mixer's output only, so
// that the game's own sound operations, and their traces, go on as they would.
#pragma once

namespace kelvo {

// Once the mixer is open: its output passes through the mute from then on.
void install_output_mute();

// Main thread: M. Muted sounds go on playing in silence.
void set_output_muted(bool muted);
bool output_muted();

// Main thread: the pause. Every sound and the music stop where they are and go on from there.
void pause_output(bool paused);

}  // namespace kelvo
