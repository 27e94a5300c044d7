// The program: start-up in order, the game and timer threads, the display loop and shutdown.
#pragma once

#include "platform/options.h"

namespace kelvo {

// Runs the whole program with these options and returns its exit status.
int run_program(const Options& options);

// The command-line entry: parses the options, answers --help and --version, runs the program.
int kelvo_main(int argc, const char* const* argv);

}  // namespace kelvo
