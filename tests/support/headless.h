// Running the whole program in-process for tests, headless or with SDL's dummy video driver.
#pragma once

#include <string>
#include <vector>

namespace kelvo::test {

struct RunResult {
  int status = -1;
  std::vector<std::string> trace;  // the trace's lines
};

// Runs kelvo with `args` plus a trace file; `scriptText`, when not empty, is passed as --script.
// Relative paths in the script are relative to `workDir`, which becomes the current directory.
RunResult run_in_process(const std::vector<std::string>& args, const std::string& scriptText,
                         const std::string& workDir);
// The same with the error probe's routine (see error_probe.h) in place of the game.
RunResult run_probe_in_process(const std::string& mode, const std::vector<std::string>& args,
                               const std::string& scriptText, const std::string& workDir);

// Makes `root` a game directory: rurazedudi/ with links to the built pictures and sounds and its
// own copy of score.txt (when the build has one), so that runs never change the build's files.
void make_game_dir(const std::string& root);

// The lines of `trace` whose event is `event` ("state", "seed", ...).
std::vector<std::string> events(const std::vector<std::string>& trace, const std::string& event);

}  // namespace kelvo::test
