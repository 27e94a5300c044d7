// Number display texts, rounding, array bounds checks and the data-list reader.
#include "runtime/services/numbers.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "runtime/services/errors.h"

namespace kelvo {
namespace {

// Scientific form "% .6E" always padded to a three-digit exponent, so that every later step can
// index fixed positions: 0 sign, 1 digit, 2 point, 3-8 digits, 9 'E', 10 exponent sign, 11-13.
std::string scientific_work_text(double x) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "% .6E", x);
  std::string work(buf);
  if (work.size() == 13) work.insert(11, 1, '0');
  return work;
}

// Digits of the mantissa that carry the value, trailing zeros dropped; 0 for a zero.
int significant_digits(const std::string& work) {
  int count = 7;
  for (int i = 8; i >= 1; --i) {
    if (work[i] == '.') continue;
    if (work[i] != '0') break;
    --count;
  }
  return count;
}

int exponent_of(const std::string& work) {
  const int magnitude = std::stoi(work.substr(11, 3));
  return work[10] == '-' ? -magnitude : magnitude;
}

std::string fixed_text(double x, int decimals) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "% .*f", decimals, x);
  std::string text(buf);
  // Values below 1 in magnitude drop their leading zero: " .5", "-.25".
  if (text.size() > 1 && text[1] == '0') text.erase(1, 1);
  return text;
}

std::string scientific_text(const std::string& work, int count, int exponent) {
  std::string text = work.substr(0, 2);
  if (count > 1) text += work.substr(2, static_cast<size_t>(count));
  text += 'E';
  text += work[10];
  const int magnitude = exponent < 0 ? -exponent : exponent;
  text += magnitude > 99 ? work.substr(11, 3) : work.substr(12, 2);
  return text;
}

}  // namespace

std::string number_text(double x) {
  if (!std::isfinite(x)) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "% E", x);
    return buf;
  }
  const std::string work = scientific_work_text(x);
  const int count = significant_digits(work);
  if (count == 0) return " 0";
  const int exponent = exponent_of(work);
  if (exponent < 7 && exponent - count >= -8) {
    const int decimals = count - exponent - 1;
    return fixed_text(x, decimals < 0 ? 0 : decimals);
  }
  return scientific_text(work, count, exponent);
}

std::string number_to_string(float x) {
  return number_text(static_cast<double>(x));
}

int64_t round_to_int(long double x) {
  // The game's numbers are doubles: those round in SSE registers, without the x87 control-word
  // switches of floor, which stall the pipeline on every array index and picture handle.
  constexpr double kDoubleLimit = 4611686018427387904.0;  // 2^62, nearest_even's range
  const double asDouble = static_cast<double>(x);
  if (static_cast<long double>(asDouble) == x && std::fabs(asDouble) < kDoubleLimit) {
    return nearest_even(asDouble);
  }
  // 2^63 exactly; every finite long double below it in magnitude converts without overflow.
  constexpr long double kLimit = 9223372036854775808.0L;
  if (std::isnan(x) || x >= kLimit || x < -kLimit) return std::numeric_limits<int64_t>::min();
  long double whole = std::floor(x);
  const long double fraction = x - whole;  // exact for any floating value
  if (fraction > 0.5L || (fraction == 0.5L && std::fmod(whole, 2.0L) != 0)) whole += 1;
  if (whole >= kLimit) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(whole);
}

uint32_t array_check(Errors& errors, uint32_t offset, uint32_t count) {
  if (offset < count) return offset;
  errors.raise_error(kSubscriptOutOfRange);
  return 0;
}

void read_data_string(Errors& errors, std::string_view data, uint32_t& pos, std::string& dest) {
  if (errors.pending() != 0) return;
  if (pos >= data.size()) {
    errors.raise_error(kOutOfData);
    dest.clear();
    return;
  }
  enum class State { kPlain, kQuoted, kClosed } state = State::kPlain;
  const uint32_t start = pos;
  std::string item;
  while (pos < data.size()) {
    const char c = data[pos++];
    if (c == ',' && state != State::kQuoted) break;
    if (state == State::kClosed) {
      errors.raise_error(kOutOfData);
      dest.clear();
      return;
    }
    if (c == '"' && state == State::kPlain && pos - 1 == start) {
      state = State::kQuoted;
    } else if (c == '"' && state == State::kQuoted) {
      state = State::kClosed;
    } else {
      item += c;
    }
  }
  dest = std::move(item);
}

}  // namespace kelvo
