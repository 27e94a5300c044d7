// Field scanners for sequential input files: blanks, commas, quotes, the four line ends,
// Ctrl-Z, &H and &O numbers and decimal numbers with D or E exponents.
#include "runtime/services/file_fields.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace kelvo {

namespace {

constexpr int kEnd = InputStream::kEnd;
constexpr int kCtrlZ = 26;
// Digits beyond these counts are read but do not change the value: the mantissa is far more
// precise than 80 bits already, and 18 exponent digits fit a 64-bit integer.
constexpr int kSignificantDigits = 256;
constexpr int kExponentDigits = 18;
// Decimal exponents beyond this are infinite or zero for any mantissa of 256 digits.
constexpr int64_t kExponentClamp = 100000;

bool is_line_end(int c) {
  return c == '\r' || c == '\n';
}
bool is_digit(int c) {
  return c >= '0' && c <= '9';
}

void skip_blanks(InputStream& in) {
  while (in.peek() == ' ') in.advance();
}

void skip_blanks_and_tabs(InputStream& in) {
  for (int c = in.peek(); c == ' ' || c == '\t'; c = in.peek()) in.advance();
}

// CR, LF, CR LF and LF CR each count as one line end.
void consume_line_end(InputStream& in) {
  int first = in.peek();
  in.advance();
  int second = in.peek();
  if ((first == '\r' && second == '\n') || (first == '\n' && second == '\r')) in.advance();
}

// Consumes a comma or a line end that ends a field.
void consume_separator(InputStream& in) {
  int c = in.peek();
  if (c == ',') {
    in.advance();
  } else if (is_line_end(c)) {
    consume_line_end(in);
  }
}

// Skips whatever follows a field up to the next comma or line end, and that separator.
void skip_to_separator(InputStream& in) {
  for (int c = in.peek(); c != kEnd && c != ',' && !is_line_end(c); c = in.peek()) in.advance();
  consume_separator(in);
}

// Collects the significant digits and the decimal exponent of a number as it is scanned.
class DecimalDigits {
 public:
  void add_whole(int digit) {
    if (count_ == 0 && digit == 0) return;  // leading zeros carry no value
    if (count_ < kSignificantDigits) {
      digits_[count_++] = static_cast<char>('0' + digit);
    } else {
      ++scale_;
    }
  }
  void add_fraction(int digit) {
    if (count_ == 0 && digit == 0) {
      --scale_;
    } else if (count_ < kSignificantDigits) {
      digits_[count_++] = static_cast<char>('0' + digit);
      --scale_;
    }
  }
  void add_exponent(int digit) {
    if (exponentDigits_ == 0 && digit == 0) return;
    if (exponentDigits_ < kExponentDigits) {
      exponent_ = exponent_ * 10 + digit;
      ++exponentDigits_;
    }
  }
  void set_exponent_negative() { exponentNegative_ = true; }
  long double value() const;

 private:
  char digits_[kSignificantDigits] = {};
  int count_ = 0;
  int64_t scale_ = 0;  // the value is the digits as an integer times 10 to this
  int64_t exponent_ = 0;
  int exponentDigits_ = 0;
  bool exponentNegative_ = false;
};

long double DecimalDigits::value() const {
  if (count_ == 0) return 0;
  int64_t power = scale_ + (exponentNegative_ ? -exponent_ : exponent_);
  power = std::clamp(power, -kExponentClamp, kExponentClamp);
  // strtold rounds correctly; a text without a decimal point does not depend on the locale. The
  // text is built on the stack: numbers are read by the million from long files.
  char text[kSignificantDigits + 16];
  std::memcpy(text, digits_, static_cast<size_t>(count_));
  std::snprintf(text + count_, sizeof text - static_cast<size_t>(count_), "e%lld",
                static_cast<long long>(power));
  return std::strtold(text, nullptr);
}

bool is_exponent_letter(int c) {
  return c == 'D' || c == 'd' || c == 'E' || c == 'e';
}

void read_exponent(InputStream& in, DecimalDigits& digits) {
  int c = in.peek();
  if (c == '+' || c == '-') {
    if (c == '-') digits.set_exponent_negative();
    in.advance();
  }
  for (c = in.peek(); is_digit(c); c = in.peek()) {
    digits.add_exponent(c - '0');
    in.advance();
  }
}

long double read_decimal(InputStream& in) {
  DecimalDigits digits;
  bool negative = false;
  int c = in.peek();
  if (c == '+' || c == '-') {
    negative = c == '-';
    in.advance();
  }
  for (c = in.peek(); is_digit(c); c = in.peek()) {
    digits.add_whole(c - '0');
    in.advance();
  }
  if (in.peek() == '.') {
    in.advance();
    for (c = in.peek(); is_digit(c); c = in.peek()) {
      digits.add_fraction(c - '0');
      in.advance();
    }
  }
  if (is_exponent_letter(in.peek())) {
    in.advance();
    read_exponent(in, digits);
  }
  long double value = digits.value();
  return negative && value != 0 ? -value : value;
}

int digit_in_radix(int c, int radix) {
  int value = is_digit(c) ? c - '0' : -1;
  if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
  if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
  return value < radix ? value : -1;
}

// An ampersand number: &H hexadecimal or &O octal digits. The ampersand is already consumed.
void read_radix_number(InputStream& in, NumberField& field) {
  int c = in.peek();
  int radix = (c == 'H' || c == 'h') ? 16 : (c == 'O' || c == 'o') ? 8 : 0;
  if (radix == 0) return;
  in.advance();
  uint64_t value = 0;
  for (int digit = digit_in_radix(in.peek(), radix); digit >= 0;
       digit = digit_in_radix(in.peek(), radix)) {
    if (value > (std::numeric_limits<uint64_t>::max() - static_cast<uint64_t>(digit)) /
                    static_cast<uint64_t>(radix)) {
      field.tooLarge = true;
    } else {
      value = value * static_cast<uint64_t>(radix) + static_cast<uint64_t>(digit);
    }
    in.advance();
  }
  field.value = static_cast<long double>(value);
}

// After a number: blanks, then a comma or line end is consumed; any other character after the
// blanks starts the next field; any other character right after the number is skipped up to the
// next separator.
void finish_number(InputStream& in) {
  int c = in.peek();
  if (c == ' ') {
    skip_blanks(in);
    c = in.peek();
    if (c == ',' || is_line_end(c)) consume_separator(in);
  } else if (c == ',' || is_line_end(c)) {
    consume_separator(in);
  } else if (c != kEnd) {
    skip_to_separator(in);
  }
}

long double round_half_even(long double value) {
  long double rounded = std::round(value);
  if (std::fabs(value - std::trunc(value)) == 0.5L) rounded = 2 * std::round(value / 2);
  return rounded;
}

bool fits_integer(long double rounded, long double low, long double highExclusive) {
  return rounded >= low && rounded < highExclusive;
}

}  // namespace

InputStream::InputStream(Refill refill, size_t bufferSize)
    : refill_(std::move(refill)), buffer_(std::max<size_t>(bufferSize, 1)) {}

int InputStream::checked(size_t at) {
  auto byte = static_cast<unsigned char>(buffer_[at]);
  if (byte == kCtrlZ) {
    ended_ = true;
    return kEnd;
  }
  return byte;
}

int InputStream::slow_peek() {
  if (ended_) return kEnd;
  long got = refill_(buffer_.data(), buffer_.size());
  pos_ = 0;
  len_ = 0;
  if (got <= 0) {
    if (got < 0 && error_ == 0) error_ = static_cast<int>(-got);
    ended_ = true;
    return kEnd;
  }
  len_ = std::min(static_cast<size_t>(got), buffer_.size());
  return checked(0);
}

int InputStream::take_error() {
  int error = error_;
  error_ = 0;
  return error;
}

bool read_string_field(InputStream& in, std::string& field) {
  field.clear();
  skip_blanks_and_tabs(in);
  int c = in.peek();
  if (c == kEnd) return false;
  if (c == '"') {
    in.advance();
    for (c = in.peek(); c != kEnd && c != '"'; c = in.peek()) {
      field += static_cast<char>(c);
      in.advance();
    }
    in.advance();  // the closing quote
    skip_to_separator(in);
    return true;
  }
  for (; c != kEnd && c != ',' && !is_line_end(c); c = in.peek()) {
    field += static_cast<char>(c);
    in.advance();
  }
  field.erase(field.find_last_not_of(" \t") + 1);
  consume_separator(in);
  return true;
}

NumberField read_number_field(InputStream& in) {
  NumberField field;
  skip_blanks(in);
  if (in.peek() == kEnd) {
    field.atEnd = true;
    return field;
  }
  if (in.peek() == '&') {
    in.advance();
    read_radix_number(in, field);
  } else {
    field.value = read_decimal(in);
  }
  finish_number(in);
  return field;
}

bool fit_number(long double value, NumberType type, long double& result) {
  // The largest magnitudes that still round to a finite value of each floating type.
  static const long double kSingleLimit = std::ldexp(2.0L - std::ldexp(1.0L, -24), 127);
  static const long double kDoubleLimit = std::ldexp(2.0L - std::ldexp(1.0L, -53), 1023);
  long double rounded = round_half_even(value);
  bool fits = false;
  switch (type) {
    case NumberType::kSingle:
      fits = std::fabs(value) < kSingleLimit;
      break;
    case NumberType::kDouble:
      fits = std::fabs(value) < kDoubleLimit;
      break;
    case NumberType::kExtended:
      fits = std::isfinite(value);
      break;
    case NumberType::kInt16:
      fits = fits_integer(rounded, -32768.0L, 32768.0L);
      break;
    case NumberType::kInt32:
      fits = fits_integer(rounded, -2147483648.0L, 2147483648.0L);
      break;
    case NumberType::kInt64:
      fits = fits_integer(rounded, -0x1p63L, 0x1p63L);
      break;
  }
  bool integer =
      type == NumberType::kInt16 || type == NumberType::kInt32 || type == NumberType::kInt64;
  result = !fits ? 0 : integer ? rounded : value;
  return fits;
}

}  // namespace kelvo
