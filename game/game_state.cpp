// JSON dumps of the game state, and the error sink of the game's arrays.
#include "game/game_state.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "runtime/runtime.h"

namespace kelvo {
namespace {

thread_local Runtime* arrayErrors = nullptr;

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

// Splits "name[1][2]" into the name and its indexes; false when the brackets are malformed.
bool split_field(const std::string& text, std::string& name, std::vector<long>& indexes) {
  const size_t open = text.find('[');
  name = text.substr(0, open);
  size_t at = open;
  while (at != std::string::npos && at < text.size()) {
    if (text[at] != '[') return false;
    const size_t close = text.find(']', at);
    if (close == std::string::npos || close == at + 1) return false;
    const std::string digits = text.substr(at + 1, close - at - 1);
    if (digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 6)
      return false;
    indexes.push_back(std::stol(digits));
    at = close + 1;
  }
  return !name.empty();
}

template <size_t N>
Num* element(GameArray<Num, N>& array, long index) {
  return index >= 0 && static_cast<size_t>(index) < GameArray<Num, N>::kSize ? array.begin() + index
                                                                             : nullptr;
}

}  // namespace

Num* find_number_field(GameState& s, const std::string& text) {
  std::string name;
  std::vector<long> at;
  if (!split_field(text, name, at)) return nullptr;
#define KELVO_FIND_NUMBER(field) \
  if (name == #field) return at.empty() ? &s.field : nullptr;
#define KELVO_FIND_ARRAY(field, upper) \
  if (name == #field) return at.size() == 1 ? element(s.field, at[0]) : nullptr;
#define KELVO_FIND_GRID(field, rows, cols)                             \
  if (name == #field) {                                                \
    if (at.size() != 2 || at[0] < 0 || at[0] > (rows)) return nullptr; \
    return element(*(s.field.begin() + at[0]), at[1]);                 \
  }
  KELVO_GAME_NUMBERS(KELVO_FIND_NUMBER)
  KELVO_GAME_ARRAYS(KELVO_FIND_ARRAY)
  KELVO_GAME_IMAGES(KELVO_FIND_NUMBER)
  KELVO_GAME_IMAGE_ARRAYS(KELVO_FIND_ARRAY)
  KELVO_GAME_IMAGE_GRIDS(KELVO_FIND_GRID)
  KELVO_GAME_SOUNDS(KELVO_FIND_NUMBER)
#undef KELVO_FIND_NUMBER
#undef KELVO_FIND_ARRAY
#undef KELVO_FIND_GRID
  return nullptr;
}

void set_array_error_sink(Runtime* rt) {
  arrayErrors = rt;
}

void report_bad_index() {
  if (arrayErrors) arrayErrors->raise_error(kSubscriptOutOfRange);
}

int64_t index_of(double value) {
  if (!(std::fabs(value) < 1e15)) return -1;  // far out of range, or not a number
  return static_cast<int64_t>(std::nearbyint(value));
}

std::optional<std::string> field_to_text(const GameState& s, const std::string& text) {
  std::string out;
  if (const Num* number = find_number_field(const_cast<GameState&>(s), text)) {
    append_value(out, *number);
    return out;
  }
  std::string name;
  std::vector<long> at;
  if (!split_field(text, name, at) || at.size() > 1) return std::nullopt;
#define KELVO_FIELD_TEXT(field, ...)  \
  if (name == #field && at.empty()) { \
    append_value(out, s.field);       \
    return out;                       \
  }
  KELVO_GAME_ARRAYS(KELVO_FIELD_TEXT)
  KELVO_GAME_STRING_ARRAYS(KELVO_FIELD_TEXT)
  KELVO_GAME_IMAGE_ARRAYS(KELVO_FIELD_TEXT)
  KELVO_GAME_IMAGE_GRIDS(KELVO_FIELD_TEXT)
#undef KELVO_FIELD_TEXT
#define KELVO_TEXT_ELEMENT(field, upper)                                    \
  if (name == #field && at.size() == 1 && at[0] >= 0 && at[0] <= (upper)) { \
    append_value(out, *(s.field.begin() + at[0]));                          \
    return out;                                                             \
  }
  KELVO_GAME_STRING_ARRAYS(KELVO_TEXT_ELEMENT)
#undef KELVO_TEXT_ELEMENT
  return std::nullopt;
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
