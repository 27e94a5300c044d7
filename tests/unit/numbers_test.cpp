// Number display texts: fixed and scientific forms, signs and single precision's digits.
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "runtime/services/numbers.h"

namespace kelvo {
namespace {

TEST(NumberToString, Examples) {
  struct Case {
    float value;
    const char* text;
  };
  // Whole numbers up to seven digits in fixed notation, a blank or "-" first; eight digits and
  // more scientific, trailing zeros dropped; fractions without their leading zero; past eight
  // decimal places, scientific; seven significant digits hide single precision's noise.
  // clang-format off
  const Case cases[] = {
      {1100, " 1100"}, {-5, "-5"}, {1, " 1"}, {9999999, " 9999999"}, {12345678, " 1.234568E+07"},
      {10000000, " 1E+07"}, {-10000000, "-1E+07"}, {25000000, " 2.5E+07"}, {3.0e38f, " 3E+38"},
      {0.1f, " .1"}, {-0.25f, "-.25"}, {0.0001f, " .0001"}, {-2.75f, "-2.75"},
      {0.0000001f, " .0000001"}, {1.2e-6f, " .0000012"}, {0.00000001f, " 1E-08"},
      {1.5e-8f, " 1.5E-08"}, {1.25e-6f, " 1.25E-06"}, {1.2345e-6f, " 1.2345E-06"}, {0.3f, " .3"},
      {1.1f, " 1.1"}, {123.456f, " 123.456"}, {0.0f, " 0"}, {-0.0f, " 0"},
      {std::numeric_limits<float>::infinity(), " INF"},
      {-std::numeric_limits<float>::infinity(), "-INF"}};
  // clang-format on
  for (const Case& c : cases) EXPECT_EQ(number_to_string(c.value), c.text) << c.text;
  // Doubles beyond single range: three exponent digits only when needed.
  EXPECT_EQ(number_text(1e100), " 1E+100");
  EXPECT_EQ(number_text(-1.5e-100), "-1.5E-100");
  EXPECT_EQ(number_text(1.234567e123), " 1.234567E+123");
  EXPECT_EQ(number_text(1e99), " 1E+99");
}

// Index and handle rounding: ties to the even neighbour in every rounding mode, for the doubles the
// game passes and for long doubles finer than a double, up to the ends of the int64_t range.
TEST(RoundToInt, NearestTiesToEvenInEveryMode) {
  constexpr int64_t kIndefinite = std::numeric_limits<int64_t>::min();
  const long double tiny = std::ldexp(1.0L, -60);  // no double has this fraction beside 0.5
  struct Case {
    long double value;
    int64_t rounded;
  };
  const long double two62 = std::ldexp(1.0L, 62), two63 = std::ldexp(1.0L, 63);
  // clang-format off
  const Case cases[] = {
      {0.5L, 0}, {1.5L, 2}, {2.5L, 2}, {-0.5L, 0}, {-1.5L, -2}, {-2.5L, -2}, {2.4999999L, 2},
      {-3.7L, -4}, {0.5L + tiny, 1}, {2.5L - tiny, 2}, {-2.5L - tiny, -3},
      {4503599627370497.0L, 4503599627370497},  // 2^52 + 1: whole, no fraction left
      {two62 - 0.5L, int64_t{1} << 62}, {two62 + 1, (int64_t{1} << 62) + 1}, {-two63, kIndefinite},
      {two63, kIndefinite}, {std::numeric_limits<long double>::quiet_NaN(), kIndefinite},
      {-std::numeric_limits<long double>::infinity(), kIndefinite}};
  // clang-format on
  for (const int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
    ASSERT_EQ(std::fesetround(mode), 0);
    for (const Case& c : cases) {
      EXPECT_EQ(round_to_int(c.value), c.rounded)
          << static_cast<double>(c.value) << " mode " << mode;
    }
  }
  std::fesetround(FE_TONEAREST);
}

}  // namespace
}  // namespace kelvo
