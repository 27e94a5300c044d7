// Reading numbers (all 32-bit floats) out of the game's JSON state dumps.
#pragma once

#include <string>

namespace kelvo::test {

// The value of a top-level number field, or of element `index` of a number array.
double dump_number(const std::string& json, const std::string& field);
double dump_element(const std::string& json, const std::string& field, int index);

}  // namespace kelvo::test
