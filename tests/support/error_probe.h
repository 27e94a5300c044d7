// A stand-in game routine for tests that need errors the game itself cannot raise yet: it shows
// frames, passes bad arguments to real operations and raises a critical error on request.
#pragma once

#include <string>

#include "game/game_state.h"
#include "runtime/runtime.h"

namespace kelvo::test {

// "error": a bad key code at frame 10 (line 6) and a negative delay at frame 20 (line 7), both
// error 5; frames go on until the program is ended. "critical": error 504 at frame 1.
// Keys that answer dialogs are traced as "held CODE" whenever the routine sees them held.
void error_probe(const std::string& mode, Runtime& rt, GameState& state);

}  // namespace kelvo::test
