// Reading the fields of a sequential input file: a buffered byte stream and the scanners for
// string and number fields, kept apart from file handles so they can be fed any bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kelvo {

// A byte stream over a refill function. Byte 26 (Ctrl-Z) ends the stream for good.
class InputStream {
 public:
  static constexpr int kEnd = -1;
  // Fills up to `size` bytes and returns how many; 0 at the end, or -errno when reading failed.
  using Refill = std::function<long(char* buffer, size_t size)>;

  explicit InputStream(Refill refill, size_t bufferSize = 65536);

  // The next byte (0 to 255) without consuming it, or kEnd.
  int peek() { return pos_ < len_ && !ended_ ? checked(pos_) : slow_peek(); }
  void advance() {
    if (peek() != kEnd) ++pos_;
  }
  bool ended() { return peek() == kEnd; }
  // The errno of the first failed read since the last call, or 0; the stream ends at a failure.
  int take_error();

 private:
  int checked(size_t at);
  int slow_peek();

  Refill refill_;
  std::vector<char> buffer_;
  size_t pos_ = 0;
  size_t len_ = 0;
  bool ended_ = false;
  int error_ = 0;
};

// Reads one string field. Returns false, with `field` empty, when the stream ends before it.
bool read_string_field(InputStream& in, std::string& field);

// A scanned number field: the value as read, before it is fitted to a type.
struct NumberField {
  bool atEnd = false;     // the stream ended before the field
  bool tooLarge = false;  // an &H or &O number beyond 64 bits
  long double value = 0;
};

NumberField read_number_field(InputStream& in);

// The types a number field can be read into.
enum class NumberType { kInt16, kInt32, kInt64, kSingle, kDouble, kExtended };

// Fits a value to a type: integer types round to the nearest (ties to even). Returns false when
// the value does not fit.
bool fit_number(long double value, NumberType type, long double& result);

}  // namespace kelvo
