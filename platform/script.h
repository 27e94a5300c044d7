// Input scripts: timed key presses, screenshots, state dumps and window closing for scripted runs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kelvo {

enum class ScriptAction { Press, Release, Shot, Dump, Close, Answer, Set };

struct ScriptCommand {
  uint32_t frame = 0;  // acts after this many display_now calls
  ScriptAction action = ScriptAction::Close;
  int32_t key = 0;        // Press, Release
  std::string path;       // Shot, Dump; the field of Set
  double value = 0;       // Set
  bool answerYes = true;  // Answer
  int line = 0;           // line in the script file
};

// A key name of a script: a key code, a named key or one printable character; 0 when unknown.
int32_t script_key_code(const std::string& name);

// Says whether a `set` command may name this field.
using FieldCheck = bool (*)(const std::string& field);

// Parses script text; on a fault returns nullopt with "LINE: reason" in `error`.
std::optional<std::vector<ScriptCommand>> parse_script(const std::string& text, std::string& error,
                                                       FieldCheck knownField = nullptr);

}  // namespace kelvo
