// What the platform library offers the programs linked with it (the kelvo executable and the
// benchmarks), so that they reach the platform without including its headers.
#pragma once

#include <functional>
#include <memory>

#include "runtime/services/audio_backend.h"
#include "runtime/services/clock.h"

namespace kelvo {

class Runtime;
struct GameState;

// The routine run on the game thread: the game itself, or a test's stand-in for it.
using GameRoutine = std::function<void(Runtime&, GameState&)>;

// The command-line entry: parses the options, answers --help and --version, runs the program.
int kelvo_main(int argc, const char* const* argv);
int kelvo_main(int argc, const char* const* argv, const GameRoutine& routine);

// The wall clock that a windowed game runs on.
std::unique_ptr<Clock> make_real_clock();
// SDL_mixer's output; `exit` ends the program with a status when the audio fails for good.
std::unique_ptr<AudioBackend> make_mixer_audio(std::function<void(int)> exit);

}  // namespace kelvo
