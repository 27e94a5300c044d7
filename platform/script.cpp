// Parsing of input scripts.
#include "platform/script.h"

#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <utility>

#include "platform/system_queries.h"

namespace kelvo {
namespace {

constexpr std::pair<const char*, int32_t> kNamedKeys[] = {
    {"Escape", 27}, {"Space", 32},   {"Enter", 13},    {"Left", 19200}, {"Right", 19712},
    {"Up", 18432},  {"Down", 20480}, {"Backspace", 8}, {"Tab", 9},
};

constexpr std::pair<const char*, Comparison> kComparisons[] = {
    {"==", Comparison::Equal},  {"!=", Comparison::NotEqual},
    {"<", Comparison::Less},    {"<=", Comparison::LessOrEqual},
    {">", Comparison::Greater}, {">=", Comparison::GreaterOrEqual},
};

// Every game number is a 32-bit float: beyond 2^24 it no longer holds every whole number, and the
// game turns some fields into integers for arithmetic of its own.
constexpr double kLargestSetValue = 16777216;
// Fields the game counts up to in a loop on every frame: a larger value would stall each frame.
constexpr const char* kCountFields[] = {"level", "lives", "heartCount", "barrelCount"};
constexpr double kLargestCount = 1000;

bool all_digits(const std::string& s) {
  return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
}

std::vector<std::string> words_of(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

std::optional<double> number_of(const std::string& text) {
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0') return std::nullopt;
  return value;
}

bool known(FieldCheck check, const std::string& field, std::string& error) {
  if (!check || check(field)) return true;
  error = "unknown field '" + field + "'";
  return false;
}

double largest_value(const std::string& field) {
  for (const char* name : kCountFields) {
    if (field == name) return kLargestCount;
  }
  return kLargestSetValue;
}

void parse_set(const std::string& argument, ScriptCommand& c, FieldCheck numberField,
               std::string& error) {
  const auto words = words_of(argument);
  const auto value = words.size() == 2 ? number_of(words[1]) : std::nullopt;
  if (!value) {
    error = "set takes a field and a number";
    return;
  }
  if (!known(numberField, words[0], error)) return;
  const double largest = largest_value(words[0]);
  if (!(std::fabs(*value) <= largest)) {  // NaN fails too
    char limit[32];
    std::snprintf(limit, sizeof limit, "%.0f", largest);
    error = "set " + words[0] + " takes a number from -" + limit + " to " + limit;
    return;
  }
  c.path = words[0];
  c.value = *value;
}

void parse_dump(const std::string& argument, ScriptCommand& c, FieldCheck dumpField,
                std::string& error) {
  auto words = words_of(argument);
  if (words.size() <= 1) {
    c.path = argument;  // the whole state as JSON; the name may hold blanks
    if (argument.empty()) error = "dump needs a file name";
    return;
  }
  c.path = words[0];
  if (words.size() == 2 && words[1] == "all") {
    c.withHandles = true;
    return;
  }
  c.fields.assign(words.begin() + 1, words.end());
  for (const auto& field : c.fields) {
    if (field != "frame" && field != "ms" && !known(dumpField, field, error)) return;
  }
}

void parse_until(const std::string& argument, ScriptCommand& c, FieldCheck numberField,
                 std::string& error) {
  const auto words = words_of(argument);
  error = "until takes a field, a comparison, a number and the most frames to wait";
  if (words.size() != 4 || !all_digits(words[3]) || words[3].size() > 9) return;
  const auto value = number_of(words[2]);
  if (!value || !std::isfinite(*value)) return;
  bool found = false;
  for (const auto& [text, op] : kComparisons) {
    if (words[1] == text) {
      c.comparison = op;
      found = true;
    }
  }
  if (!found) return;
  error.clear();
  if (words[0] != "frame" && !known(numberField, words[0], error)) return;
  c.path = words[0];
  c.value = *value;
  c.maxFrames = static_cast<uint32_t>(std::strtoul(words[3].c_str(), nullptr, 10));
}

void parse_level(const std::string& argument, ScriptCommand& c, std::string& error) {
  const long level = all_digits(argument) && argument.size() <= 2 ? std::stol(argument) : 0;
  if (level < 1 || level > 10) {
    error = "level takes a level from 1 to 10";
  } else if (c.frame != 0 || c.relative) {
    error = "level acts before the game starts: only at frame 0";
  }
  c.value = static_cast<double>(level);
}

// The frame field: "N" for the frame itself, "+N" for N frames after the command before.
bool parse_frame(const std::string& text, ScriptCommand& c, std::string& error) {
  c.relative = !text.empty() && text[0] == '+';
  const std::string digits = c.relative ? text.substr(1) : text;
  if (!all_digits(digits) || digits.size() > 9) {
    error = "frame number expected, not '" + text + "'";
    return false;
  }
  c.frame = static_cast<uint32_t>(std::strtoul(digits.c_str(), nullptr, 10));
  return true;
}

void parse_verb(const std::string& verb, const std::string& argument, ScriptCommand& c,
                FieldCheck numberField, FieldCheck dumpField, std::string& error) {
  if (verb == "press" || verb == "release") {
    c.action = verb == "press" ? ScriptAction::Press : ScriptAction::Release;
    c.key = script_key_code(argument);
    if (c.key == 0) error = "unknown key '" + argument + "'";
  } else if (verb == "shot" || verb == "text") {
    c.action = verb == "shot" ? ScriptAction::Shot : ScriptAction::Text;
    c.path = argument;
    if (argument.empty()) error = verb + " needs a file name";
  } else if (verb == "dump") {
    c.action = ScriptAction::Dump;
    parse_dump(argument, c, dumpField, error);
  } else if (verb == "close") {
    c.action = ScriptAction::Close;
    if (!argument.empty()) error = "close takes no argument";
  } else if (verb == "set") {
    c.action = ScriptAction::Set;
    parse_set(argument, c, numberField, error);
  } else if (verb == "until") {
    c.action = ScriptAction::Until;
    parse_until(argument, c, numberField, error);
  } else if (verb == "answer") {
    c.action = ScriptAction::Answer;
    c.answerYes = argument == "yes";
    if (argument != "yes" && argument != "no") error = "answer takes yes or no";
  } else if (verb == "time") {
    c.action = ScriptAction::Time;
    const auto ms = parse_time_of_day(argument);
    c.value = ms.value_or(0);
    if (!ms) error = "time takes HH:MM:SS or HH:MM:SS.mmm, not '" + argument + "'";
  } else if (verb == "level") {
    c.action = ScriptAction::Level;
    parse_level(argument, c, error);
  } else {
    error = "unknown command '" + verb + "'";
  }
}

std::optional<ScriptCommand> parse_line(const std::string& line, std::string& error,
                                        FieldCheck numberField, FieldCheck dumpField) {
  std::istringstream in(line);
  std::string frame, verb, argument;
  in >> frame >> verb;
  std::getline(in >> std::ws, argument);
  while (!argument.empty() &&
         (argument.back() == ' ' || argument.back() == '\t' || argument.back() == '\r')) {
    argument.pop_back();
  }
  ScriptCommand c;
  if (!parse_frame(frame, c, error)) return std::nullopt;
  parse_verb(verb, argument, c, numberField, dumpField, error);
  if (!error.empty()) return std::nullopt;
  return c;
}

}  // namespace

int32_t script_key_code(const std::string& name) {
  for (const auto& [keyName, code] : kNamedKeys) {
    if (name == keyName) return code;
  }
  if (name.size() == 1 && name[0] > 32 && name[0] < 127) return name[0];
  // Up to ten digits: typed characters beyond code page 437 carry bit 30.
  if (all_digits(name) && name.size() <= 10) {
    const long long code = std::strtoll(name.c_str(), nullptr, 10);
    return code <= INT32_MAX ? static_cast<int32_t>(code) : 0;
  }
  return 0;
}

std::optional<std::vector<ScriptCommand>> parse_script(const std::string& text, std::string& error,
                                                       FieldCheck numberField,
                                                       FieldCheck dumpField) {
  std::vector<ScriptCommand> commands;
  std::istringstream in(text);
  std::string line;
  int number = 0;
  std::optional<uint32_t> lastFrame;  // of the last command with a frame of its own
  while (std::getline(in, line)) {
    ++number;
    const size_t hash = line.find('#');
    if (hash != std::string::npos) line.erase(hash);
    if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
    std::string reason;
    auto command = parse_line(line, reason, numberField, dumpField);
    if (command && !command->relative && lastFrame && command->frame < *lastFrame) {
      reason = "frame " + std::to_string(command->frame) + " comes after frame " +
               std::to_string(*lastFrame);
      command.reset();
    }
    if (!command) {
      error = std::to_string(number) + ": " + reason;
      return std::nullopt;
    }
    if (!command->relative) lastFrame = command->frame;
    command->line = number;
    commands.push_back(*command);
  }
  return commands;
}

std::optional<std::vector<ScriptCommand>> load_script(const std::string& path, std::string& error,
                                                      FieldCheck numberField,
                                                      FieldCheck dumpField) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) {
    error = "cannot read the script " + path;
    return std::nullopt;
  }
  if (!S_ISREG(info.st_mode)) {
    error = "the script " + path + " is not a regular file";
    return std::nullopt;
  }
  if (static_cast<uint64_t>(info.st_size) > kMaxScriptBytes) {
    error = "the script " + path + " is larger than 16 MB";
    return std::nullopt;
  }
  // Read with a bound as well: the file may have grown since it was measured.
  std::ifstream in(path, std::ios::binary);
  std::string text;
  char block[65536];
  while (in && text.size() <= kMaxScriptBytes) {
    in.read(block, sizeof block);
    text.append(block, static_cast<size_t>(in.gcount()));
  }
  if (!in.eof() || text.size() > kMaxScriptBytes) {
    error = text.size() > kMaxScriptBytes ? "the script " + path + " is larger than 16 MB"
                                          : "cannot read the script " + path;
    return std::nullopt;
  }
  auto commands = parse_script(text, error, numberField, dumpField);
  if (!commands) error = "script " + path + ":" + error;
  return commands;
}

bool compare(double field, Comparison op, double limit) {
  switch (op) {
    case Comparison::Equal:
      return field == limit;
    case Comparison::NotEqual:
      return field != limit;
    case Comparison::Less:
      return field < limit;
    case Comparison::LessOrEqual:
      return field <= limit;
    case Comparison::Greater:
      return field > limit;
    case Comparison::GreaterOrEqual:
      return field >= limit;
  }
  return false;
}

std::string time_of_day_text(uint32_t msOfDay) {
  char text[16];
  std::snprintf(text, sizeof text, "%02u:%02u:%02u.%03u", msOfDay / 3600000, msOfDay / 60000 % 60,
                msOfDay / 1000 % 60, msOfDay % 1000);
  return text;
}

const char* comparison_text(Comparison op) {
  for (const auto& [text, value] : kComparisons) {
    if (value == op) return text;
  }
  return "?";
}

}  // namespace kelvo
