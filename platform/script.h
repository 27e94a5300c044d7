// Input scripts: timed key presses, screenshots, state dumps and window closing for scripted runs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kelvo {

enum class ScriptAction {
  Press,
  Release,
  Shot,
  Dump,
  Close,
  Answer,
  Set,
  Text,
  Until,
  Time,
  Level
};

// The comparisons of `until`.
enum class Comparison { Equal, NotEqual, Less, LessOrEqual, Greater, GreaterOrEqual };

struct ScriptCommand {
  uint32_t frame = 0;     // acts after this many display_now calls
  bool relative = false;  // `frame` counts from the frame where the command before acted
  ScriptAction action = ScriptAction::Close;
  int32_t key = 0;                  // Press, Release
  std::string path;                 // Shot, Dump, Text; the field of Set and Until
  std::vector<std::string> fields;  // Dump: the fields to write, none for the whole state
  bool withHandles = false;         // Dump: the whole state with the game's handles ("all")
  double value = 0;                 // Set, Until; the ms of day of Time; the level of Level
  Comparison comparison = Comparison::Equal;  // Until
  uint32_t maxFrames = 0;                     // Until: frames to wait at most
  bool answerYes = true;                      // Answer
  int line = 0;                               // line in the script file
};

// A key name of a script: a key code, a named key or one printable character; 0 when unknown.
int32_t script_key_code(const std::string& name);

// Says whether a command may name this field.
using FieldCheck = bool (*)(const std::string& field);

// Parses script text; on a fault returns nullopt with "LINE: reason" in `error`. `numberField`
// checks the fields of `set` and `until`, `dumpField` those of `dump` (numbers, whole arrays and
// texts).
std::optional<std::vector<ScriptCommand>> parse_script(const std::string& text, std::string& error,
                                                       FieldCheck numberField = nullptr,
                                                       FieldCheck dumpField = nullptr);

// Reads and parses a script file: a regular file of at most kMaxScriptBytes. On a fault returns
// nullopt with the reason (prefixed by the file name) in `error`.
inline constexpr uint64_t kMaxScriptBytes = 16u << 20;
std::optional<std::vector<ScriptCommand>> load_script(const std::string& path, std::string& error,
                                                      FieldCheck numberField, FieldCheck dumpField);

// Whether `value` holds for `field` OP `limit`.
bool compare(double field, Comparison op, double limit);

// The written forms: a time of day "HH:MM:SS.mmm", a comparison "<=".
std::string time_of_day_text(uint32_t msOfDay);
const char* comparison_text(Comparison op);

}  // namespace kelvo
