// Number display texts, rounding to integers, array bounds checks and reading the data list.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelvo {

class Errors;

// The display text of a single-precision number: a blank or "-", then fixed notation for values
// of up to seven significant digits below 10^7, otherwise scientific notation with the fewest
// digits that keep the value ("1100" -> " 1100", 12345678 -> " 1.234568E+07", 0.1 -> " .1").
std::string number_to_string(float x);

// The same rule for a double; number_to_string widens its float to this. Exposed so the
// three-digit exponents that no float reaches can be exercised too.
std::string number_text(double x);

// The nearest integer to v, ties to even, whatever the rounding mode; |v| below 2^62. The
// fraction is exact: v minus its truncation needs no rounding below 2^52, and is 0 above.
[[gnu::always_inline]] inline int64_t nearest_even(double v) {
  int64_t i = static_cast<int64_t>(v);
  const double fraction = v - static_cast<double>(i);
  if (fraction > 0.5 || (fraction == 0.5 && (i & 1))) {
    ++i;
  } else if (fraction < -0.5 || (fraction == -0.5 && (i & 1))) {
    --i;
  }
  return i;
}

// The nearest integer, ties to the even neighbour, whatever the FPU rounding mode.
// NaN and values outside the int64_t range give INT64_MIN, as the x87's integer indefinite does.
int64_t round_to_int(long double x);

// Bounds check of an array access: offset is index - lower bound wrapped to unsigned, so a
// negative index is a huge offset. Returns offset when below count, else raises 9 and returns 0.
uint32_t array_check(Errors& errors, uint32_t offset, uint32_t count);

// Reads the next item of a data list (comma-separated, items optionally in double quotes) into
// dest, starting at pos and leaving pos after the item's comma. Running out of data, or a
// character after a closing quote, raises 4 and stores an empty string. Does nothing while an
// error is pending.
void read_data_string(Errors& errors, std::string_view data, uint32_t& pos, std::string& dest);

}  // namespace kelvo
