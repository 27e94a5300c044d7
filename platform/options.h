// The command line of the kelvo program.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kelvo {

struct Options {
  bool window = false;    // start and stay in a window until Alt+Enter
  bool mute = false;      // no audio output
  bool headless = false;  // no window, no audio, virtual clock
  std::string scriptPath;
  std::string replayPath;  // a recording played as a script; the player's keys are ignored
  std::string recordPath;  // where the run is recorded
  std::optional<uint32_t> timeOfDayMs;   // local time at start-up
  std::optional<std::string> directory;  // replaces the executable's directory
  std::string tracePath;
  std::optional<uint32_t> closeAfterFrame;
  bool answerErrorsYes = true;
  int startLevel = 1;              // every new game starts at this level
  std::optional<int> windowScale;  // the window's whole-pixel scale; by default the desktop's
  bool help = false;
  bool version = false;
};

// Parses argv; on a bad command line returns nullopt after writing the reason to `error`.
std::optional<Options> parse_options(int argc, const char* const* argv, std::string& error);

const char* usage_text();

}  // namespace kelvo
