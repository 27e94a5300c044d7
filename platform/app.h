// The program: start-up in order, the game thread, the display loop and shutdown.
#pragma once

#include "platform/options.h"
#include "runtime/platform_entry.h"

namespace kelvo {

// Runs the whole program with these options and returns its exit status.
int run_program(const Options& options);
int run_program(const Options& options, const GameRoutine& routine);

}  // namespace kelvo
