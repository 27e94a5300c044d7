// Command-line parsing.
#include "platform/options.h"

#include <cstdlib>
#include <string_view>

#include "platform/system_queries.h"
#include "platform/window_scale.h"

namespace kelvo {
namespace {

std::optional<uint32_t> parse_count(const std::string& text) {
  if (text.empty() || text.size() > 9 ||
      text.find_first_not_of("0123456789") != std::string::npos) {
    return std::nullopt;
  }
  return static_cast<uint32_t>(std::strtoul(text.c_str(), nullptr, 10));
}

}  // namespace

const char* usage_text() {
  return "usage: kelvo [options]\n"
         "  --window               play in a window (Alt+Enter still toggles full screen)\n"
         "  --mute                 play without sound output\n"
         "  --headless             no window and no audio; a virtual clock runs as fast as it can\n"
         "  --script FILE          drive the run from an input script\n"
         "  --record FILE          record the run as a script that replays it\n"
         "  --replay FILE          play a recorded run (the keyboard is not read)\n"
         "  --time HH:MM:SS[.mmm]  the local time of day at start-up (headless: 12:00:00.000)\n"
         "  --dir DIR              use DIR instead of the executable's directory\n"
         "  --trace FILE           write one line per runtime event\n"
         "  --frames N             close the window after frame N\n"
         "  --on-error yes|no      how a headless run answers error dialogs (default yes)\n"
         "  --level N              every new game starts at level N (1 to 10), for practice;\n"
         "                         past level 1 the high scores are not saved\n"
         "  --scale N              the window shows every pixel N x N (1 to 8); by default as\n"
         "                         large as fits in 85 % of the desktop\n"
         "  --help, --version\n"
         "keys:\n"
         "  Left, Right            walk (a gamepad's d-pad or left stick too)\n"
         "  Space                  jump; climb by jumping where two girders meet (first button)\n"
         "  P                      pause, and resume (start button); so does leaving the window\n"
         "  Shift+Q                abandon the game\n"
         "  Escape                 quit\n"
         "  M                      sound on/off\n"
         "  F12                    save a screenshot in the pictures folder\n"
         "  Alt+Enter              full screen on/off\n";
}

std::optional<Options> parse_options(int argc, const char* const* argv, std::string& error) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= argc) {
        error = "option " + std::string(arg) + " needs a value";
        return false;
      }
      out = argv[++i];
      return true;
    };
    std::string v;
    if (arg == "--window") {
      o.window = true;
    } else if (arg == "--mute") {
      o.mute = true;
    } else if (arg == "--headless") {
      o.headless = true;
    } else if (arg == "--help") {
      o.help = true;
    } else if (arg == "--version") {
      o.version = true;
    } else if (arg == "--script") {
      if (!value(o.scriptPath)) return std::nullopt;
    } else if (arg == "--record") {
      if (!value(o.recordPath)) return std::nullopt;
    } else if (arg == "--replay") {
      if (!value(o.replayPath)) return std::nullopt;
    } else if (arg == "--dir") {
      if (!value(v)) return std::nullopt;
      o.directory = v;
    } else if (arg == "--trace") {
      if (!value(o.tracePath)) return std::nullopt;
    } else if (arg == "--time") {
      if (!value(v)) return std::nullopt;
      o.timeOfDayMs = parse_time_of_day(v);
      if (!o.timeOfDayMs) {
        error = "--time takes HH:MM:SS or HH:MM:SS.mmm, not '" + v + "'";
        return std::nullopt;
      }
    } else if (arg == "--frames") {
      if (!value(v)) return std::nullopt;
      o.closeAfterFrame = parse_count(v);
      if (!o.closeAfterFrame) {
        error = "--frames takes a frame number, not '" + v + "'";
        return std::nullopt;
      }
    } else if (arg == "--level") {
      if (!value(v)) return std::nullopt;
      const auto level = parse_count(v);
      if (!level || *level < 1 || *level > 10) {
        error = "--level takes a level from 1 to 10, not '" + v + "'";
        return std::nullopt;
      }
      o.startLevel = static_cast<int>(*level);
    } else if (arg == "--scale") {
      if (!value(v)) return std::nullopt;
      const auto scale = parse_count(v);
      if (!scale || *scale < 1 || *scale > kMaxWindowScale) {
        error = "--scale takes a whole number from 1 to 8, not '" + v + "'";
        return std::nullopt;
      }
      o.windowScale = static_cast<int>(*scale);
    } else if (arg == "--on-error") {
      if (!value(v)) return std::nullopt;
      if (v != "yes" && v != "no") {
        error = "--on-error takes yes or no, not '" + v + "'";
        return std::nullopt;
      }
      o.answerErrorsYes = v == "yes";
    } else {
      error = "unknown option '" + std::string(arg) + "'";
      return std::nullopt;
    }
  }
  if (!o.scriptPath.empty() && !o.replayPath.empty()) {
    error = "--script and --replay cannot be used together";
    return std::nullopt;
  }
  return o;
}

}  // namespace kelvo
