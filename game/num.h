// Game numbers and arrays: 32-bit floats computed in double precision, bounds-checked arrays.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace kelvo {

class Runtime;

// Every number of the game is stored as a 32-bit float; arithmetic on it happens in double
// precision (the implicit conversion) and the result is rounded to float when stored.
class Num {
 public:
  constexpr Num() = default;
  constexpr Num(double v) : v_(static_cast<float>(v)) {}  // NOLINT: numbers mix freely
  constexpr operator double() const { return v_; }        // NOLINT
  Num& operator=(double v) {
    v_ = static_cast<float>(v);
    return *this;
  }
  Num& operator+=(double d) { return *this = double(v_) + d; }
  Num& operator-=(double d) { return *this = double(v_) - d; }
  Num& operator*=(double d) { return *this = double(v_) * d; }
  Num& operator/=(double d) { return *this = double(v_) / d; }
  float value() const { return v_; }

 private:
  float v_ = 0;
};

// Where the game's arrays report an index out of range (error 9); set on the game thread.
void set_array_error_sink(Runtime* rt);
// Raises error 9 through the sink; the caller then works on a scratch element.
void report_bad_index();
// Rounds a number to the nearest integer, ties to even, as every index conversion does.
int64_t index_of(double value);

// An array with lower bound 0 and upper bound `Upper`. A bad index raises error 9 and reaches a
// scratch element, so the rest of the statement does no harm.
template <class T, size_t Upper>
class GameArray {
 public:
  static constexpr size_t kSize = Upper + 1;

  template <class I>
  T& operator[](I index) {
    int64_t i;
    if constexpr (std::is_integral_v<I>) {
      i = static_cast<int64_t>(index);
    } else {
      i = index_of(static_cast<double>(index));
    }
    if (i < 0 || static_cast<uint64_t>(i) >= kSize) {
      report_bad_index();
      scratch_ = T{};
      return scratch_;
    }
    return items_[static_cast<size_t>(i)];
  }
  template <class I>
  const T& operator[](I index) const {
    static const T kNothing{};
    const int64_t i =
        std::is_integral_v<I> ? static_cast<int64_t>(index) : index_of(static_cast<double>(index));
    if (i < 0 || static_cast<uint64_t>(i) >= kSize) {
      report_bad_index();
      return kNothing;
    }
    return items_[static_cast<size_t>(i)];
  }
  T* begin() { return items_; }
  T* end() { return items_ + kSize; }
  const T* begin() const { return items_; }
  const T* end() const { return items_ + kSize; }

 private:
  T items_[kSize]{};
  T scratch_{};
};

}  // namespace kelvo
