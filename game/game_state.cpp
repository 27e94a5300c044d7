// JSON dumps of the game state, and the error sink of the game's arrays.
#include "game/game_state.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "runtime/services/errors.h"

namespace kelvo {
namespace {

thread_local Errors* arrayErrors = nullptr;

// The shortest text that reads back as the same 32-bit float.
void append_number(std::string& out, float value) {
  char text[48];
  if (value == std::trunc(value) && std::fabs(value) < 1e15f) {
    std::snprintf(text, sizeof text, "%.0f", static_cast<double>(value));
    out += text;
    return;
  }
  for (int digits = 1; digits <= 9; ++digits) {
    std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(value));
    if (std::strtof(text, nullptr) == value || std::isnan(value)) break;
  }
  out += text;
}

void append_string(std::string& out, const std::string& s) {
  out += '"';
  for (unsigned char c : s) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c >= 0x7F) {
      char esc[8];
      std::snprintf(esc, sizeof esc, "\\u%04x", c);
      out += esc;
    } else {
      out += static_cast<char>(c);
    }
  }
  out += '"';
}

void append_value(std::string& out, const Num& n) {
  append_number(out, n.value());
}
void append_value(std::string& out, const std::string& s) {
  append_string(out, s);
}

template <class T, size_t N>
void append_value(std::string& out, const GameArray<T, N>& array) {
  out += '[';
  bool first = true;
  for (const T& item : array) {
    if (!first) out += ',';
    first = false;
    append_value(out, item);
  }
  out += ']';
}

template <class T>
void append_field(std::string& out, const char* name, const T& value) {
  if (out.size() > 1) out += ',';
  append_string(out, name);
  out += ':';
  append_value(out, value);
}

}  // namespace

void set_array_error_sink(Errors* errors) {
  arrayErrors = errors;
}

void report_bad_index() {
  if (arrayErrors) arrayErrors->raise_error(9);
}

int64_t index_of(double value) {
  if (!(std::fabs(value) < 1e15)) return -1;  // far out of range, or not a number
  return static_cast<int64_t>(std::nearbyint(value));
}

std::string state_to_json(const GameState& s) {
  std::string out = "{";
#define KELVO_DUMP_FIELD(name, ...) append_field(out, #name, s.name);
  KELVO_GAME_NUMBERS(KELVO_DUMP_FIELD)
  KELVO_GAME_ARRAYS(KELVO_DUMP_FIELD)
  KELVO_GAME_STRING_ARRAYS(KELVO_DUMP_FIELD)
  KELVO_GAME_IMAGES(KELVO_DUMP_FIELD)
  KELVO_GAME_IMAGE_ARRAYS(KELVO_DUMP_FIELD)
  KELVO_GAME_IMAGE_GRIDS(KELVO_DUMP_FIELD)
  KELVO_GAME_SOUNDS(KELVO_DUMP_FIELD)
#undef KELVO_DUMP_FIELD
  out += '}';
  return out;
}

}  // namespace kelvo
