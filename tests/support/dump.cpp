// A small reader for the flat JSON objects the state dumps are.
#include "support/dump.h"

#include <cstdlib>
#include <stdexcept>

namespace kelvo::test {
namespace {

size_t value_start(const std::string& json, const std::string& field) {
  const std::string key = "\"" + field + "\":";
  const size_t at = json.find(key);
  if (at == std::string::npos) throw std::runtime_error("no field " + field);
  return at + key.size();
}

}  // namespace

double dump_number(const std::string& json, const std::string& field) {
  return std::strtof(json.c_str() + value_start(json, field), nullptr);
}

double dump_element(const std::string& json, const std::string& field, int index) {
  size_t at = value_start(json, field) + 1;  // past '['
  for (int i = 0; i < index; ++i) at = json.find(',', at) + 1;
  return std::strtof(json.c_str() + at, nullptr);
}

}  // namespace kelvo::test
