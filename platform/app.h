// The program: start-up in order, the game thread, the display loop and shutdown.
#pragma once

#include <functional>

#include "platform/options.h"

namespace kelvo {

class Runtime;
struct GameState;

// The routine run on the game thread: the game itself, or a test's stand-in for it.
using GameRoutine = std::function<void(Runtime&, GameState&)>;

// Runs the whole program with these options and returns its exit status.
int run_program(const Options& options);
int run_program(const Options& options, const GameRoutine& routine);

// The command-line entry: parses the options, answers --help and --version, runs the program.
int kelvo_main(int argc, const char* const* argv);
int kelvo_main(int argc, const char* const* argv, const GameRoutine& routine);

}  // namespace kelvo
