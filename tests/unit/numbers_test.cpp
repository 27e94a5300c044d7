// Tests of number display texts, rounding to integers, array bounds checks and the data-list
// reader.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "runtime/services/errors.h"
#include "runtime/services/numbers.h"
#include "runtime/services/wait_hub.h"

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

TEST(RoundToInt, TiesToEvenOthersToTheNearestAndOutOfRangeIsIndefinite) {
  constexpr int64_t kIndefinite = std::numeric_limits<int64_t>::min();
  struct Case {
    long double value;
    int64_t rounded;
  };
  // clang-format off
  const Case cases[] = {
      {0.5L, 0}, {1.5L, 2}, {2.5L, 2}, {3.5L, 4}, {-0.5L, 0}, {-1.5L, -2}, {-2.5L, -2},
      {2.4999L, 2}, {2.5001L, 3}, {-2.6L, -3}, {-0.4L, 0}, {4294967296.5L, 4294967296},
      {std::nanl(""), kIndefinite}, {1e30L, kIndefinite}, {-1e30L, kIndefinite},
      {9223372036854775807.5L, kIndefinite}, {-9223372036854775808.0L, kIndefinite}};
  // clang-format on
  for (const Case& c : cases) EXPECT_EQ(round_to_int(c.value), c.rounded) << c.value;
}

TEST(ArrayCheck, OffsetsBelowTheCountPassOthersRaise9) {
  WaitHub hub;
  struct Case {
    uint32_t offset, count;
    bool passes;
  };
  for (const Case& c : {Case{10, 11, true}, Case{0, 11, true}, Case{11, 11, false},
                        Case{static_cast<uint32_t>(-1), 11, false}, Case{0, 0, false}}) {
    Errors errors{hub};
    EXPECT_EQ(array_check(errors, c.offset, c.count), c.passes ? c.offset : 0u) << c.offset;
    EXPECT_EQ(errors.pending(), c.passes ? 0 : 9) << c.offset;
  }
}

// Each case reads items from the start of `data` until one raises an error or all are read.
TEST(ReadData, ItemsQuotesAndTheEnd) {
  struct Case {
    std::string data;
    std::vector<std::string> items;
    int error;  // raised by the read after the items
    uint32_t end;
  };
  // clang-format off
  const Case cases[] = {
      {"A,B,C,", {"A", "B", "C"}, 4, 6}, {"\"a,b\",c", {"a,b", "c"}, 4, 7},
      {"ab\"c\",d", {"ab\"c\"", "d"}, 4, 7}, {",last", {"", "last"}, 4, 5},
      {"\"a,b", {"a,b"}, 4, 4}, {"\"ab\"c,d", {}, 4, 5},
      {std::string("x\0\xff,y", 5), {std::string("x\0\xff", 3), "y"}, 4, 5}};
  // clang-format on
  WaitHub hub;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.data);
    Errors errors{hub};
    uint32_t pos = 0;
    std::string item = "old";
    for (const std::string& expected : c.items) {
      read_data_string(errors, c.data, pos, item);
      EXPECT_EQ(item, expected);
    }
    EXPECT_EQ(errors.pending(), 0);
    read_data_string(errors, c.data, pos, item);
    EXPECT_EQ(errors.pending(), c.error);
    EXPECT_EQ(item, "");
    EXPECT_EQ(pos, c.end);
  }
}

}  // namespace
}  // namespace kelvo
