// Parsing of input scripts.
#include "platform/script.h"

#include <cstdlib>
#include <sstream>
#include <utility>

namespace kelvo {
namespace {

constexpr std::pair<const char*, int32_t> kNamedKeys[] = {
    {"Escape", 27}, {"Space", 32},   {"Enter", 13},    {"Left", 19200}, {"Right", 19712},
    {"Up", 18432},  {"Down", 20480}, {"Backspace", 8}, {"Tab", 9},
};

bool all_digits(const std::string& s) {
  return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
}

bool parse_set(const std::string& argument, ScriptCommand& c, FieldCheck knownField,
               std::string& error) {
  std::istringstream in(argument);
  std::string field, value, extra;
  in >> field >> value >> extra;
  char* end = nullptr;
  c.value = std::strtod(value.c_str(), &end);
  if (field.empty() || value.empty() || *end != '\0' || !extra.empty()) {
    error = "set takes a field and a number";
    return false;
  }
  if (knownField && !knownField(field)) {
    error = "unknown field '" + field + "'";
    return false;
  }
  c.path = field;
  return true;
}

std::optional<ScriptCommand> parse_line(const std::string& line, std::string& error,
                                        FieldCheck knownField) {
  std::istringstream in(line);
  std::string frame, verb, argument, extra;
  in >> frame >> verb;
  std::getline(in >> std::ws, argument);
  while (!argument.empty() &&
         (argument.back() == ' ' || argument.back() == '\t' || argument.back() == '\r')) {
    argument.pop_back();
  }
  if (!all_digits(frame) || frame.size() > 9) {
    error = "frame number expected, not '" + frame + "'";
    return std::nullopt;
  }
  ScriptCommand c;
  c.frame = static_cast<uint32_t>(std::strtoul(frame.c_str(), nullptr, 10));
  if (verb == "press" || verb == "release") {
    c.action = verb == "press" ? ScriptAction::Press : ScriptAction::Release;
    c.key = script_key_code(argument);
    if (c.key == 0) error = "unknown key '" + argument + "'";
  } else if (verb == "shot" || verb == "dump") {
    c.action = verb == "shot" ? ScriptAction::Shot : ScriptAction::Dump;
    c.path = argument;
    if (argument.empty()) error = verb + " needs a file name";
  } else if (verb == "close") {
    c.action = ScriptAction::Close;
    if (!argument.empty()) error = "close takes no argument";
  } else if (verb == "set") {
    c.action = ScriptAction::Set;
    parse_set(argument, c, knownField, error);
  } else if (verb == "answer") {
    c.action = ScriptAction::Answer;
    c.answerYes = argument == "yes";
    if (argument != "yes" && argument != "no") error = "answer takes yes or no";
  } else {
    error = "unknown command '" + verb + "'";
  }
  if (!error.empty()) return std::nullopt;
  return c;
}

}  // namespace

int32_t script_key_code(const std::string& name) {
  for (const auto& [keyName, code] : kNamedKeys) {
    if (name == keyName) return code;
  }
  if (name.size() == 1 && name[0] > 32 && name[0] < 127) return name[0];
  if (all_digits(name) && name.size() <= 9)
    return static_cast<int32_t>(std::strtol(name.c_str(), nullptr, 10));
  return 0;
}

std::optional<std::vector<ScriptCommand>> parse_script(const std::string& text, std::string& error,
                                                       FieldCheck knownField) {
  std::vector<ScriptCommand> commands;
  std::istringstream in(text);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    const size_t hash = line.find('#');
    if (hash != std::string::npos) line.erase(hash);
    if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
    std::string reason;
    auto command = parse_line(line, reason, knownField);
    if (command && !commands.empty() && command->frame < commands.back().frame) {
      reason = "frame " + std::to_string(command->frame) + " comes after frame " +
               std::to_string(commands.back().frame);
      command.reset();
    }
    if (!command) {
      error = std::to_string(number) + ": " + reason;
      return std::nullopt;
    }
    command->line = number;
    commands.push_back(*command);
  }
  return commands;
}

}  // namespace kelvo
