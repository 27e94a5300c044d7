// Tests of number display texts, rounding, array bounds checks and the data-list reader.
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

TEST(NumberToString, WholeNumbersInFixedNotation) {
  EXPECT_EQ(number_to_string(1100.0f), " 1100");
  EXPECT_EQ(number_to_string(-5.0f), "-5");
  EXPECT_EQ(number_to_string(100.0f), " 100");
  EXPECT_EQ(number_to_string(1234567.0f), " 1234567");
  EXPECT_EQ(number_to_string(9999999.0f), " 9999999");
  EXPECT_EQ(number_to_string(1.0f), " 1");
  EXPECT_EQ(number_to_string(-120.0f), "-120");
}

TEST(NumberToString, EightDigitsAndMoreGoScientific) {
  EXPECT_EQ(number_to_string(12345678.0f), " 1.234568E+07");
  EXPECT_EQ(number_to_string(10000000.0f), " 1E+07");
  EXPECT_EQ(number_to_string(-10000000.0f), "-1E+07");
  EXPECT_EQ(number_to_string(25000000.0f), " 2.5E+07");
  EXPECT_EQ(number_to_string(3.0e38f), " 3E+38");
}

TEST(NumberToString, FractionsDropTheLeadingZero) {
  EXPECT_EQ(number_to_string(0.1f), " .1");
  EXPECT_EQ(number_to_string(0.5f), " .5");
  EXPECT_EQ(number_to_string(-0.5f), "-.5");
  EXPECT_EQ(number_to_string(-0.25f), "-.25");
  EXPECT_EQ(number_to_string(0.0001f), " .0001");
  EXPECT_EQ(number_to_string(1.5f), " 1.5");
  EXPECT_EQ(number_to_string(-2.75f), "-2.75");
}

TEST(NumberToString, SmallValuesSwitchToScientificPastEightPlaces) {
  EXPECT_EQ(number_to_string(0.00000001f), " 1E-08");
  EXPECT_EQ(number_to_string(1.5e-8f), " 1.5E-08");
  EXPECT_EQ(number_to_string(0.0000001f), " .0000001");
  EXPECT_EQ(number_to_string(1.2e-6f), " .0000012");
  EXPECT_EQ(number_to_string(1.25e-6f), " 1.25E-06");
  EXPECT_EQ(number_to_string(1.2345e-6f), " 1.2345E-06");
}

TEST(NumberToString, SingleRoundingNoiseIsHidden) {
  // Neither 0.3 nor 1.1 is exact in binary; seven significant digits hide it.
  EXPECT_EQ(number_to_string(0.3f), " .3");
  EXPECT_EQ(number_to_string(1.1f), " 1.1");
  EXPECT_EQ(number_to_string(123.456f), " 123.456");
}

TEST(NumberToString, ZeroOfEitherSign) {
  EXPECT_EQ(number_to_string(0.0f), " 0");
  EXPECT_EQ(number_to_string(-0.0f), " 0");
}

TEST(NumberToString, ThreeDigitExponentsOnlyWhenNeeded) {
  EXPECT_EQ(number_text(1e100), " 1E+100");
  EXPECT_EQ(number_text(-1.5e-100), "-1.5E-100");
  EXPECT_EQ(number_text(1.234567e123), " 1.234567E+123");
  EXPECT_EQ(number_text(1e99), " 1E+99");
}

TEST(NumberToString, NonFiniteValuesKeepPrintfText) {
  EXPECT_EQ(number_to_string(std::numeric_limits<float>::infinity()), " INF");
  EXPECT_EQ(number_to_string(-std::numeric_limits<float>::infinity()), "-INF");
}

TEST(RoundToInt, TiesGoToTheEvenNeighbour) {
  EXPECT_EQ(round_to_int(0.5L), 0);
  EXPECT_EQ(round_to_int(1.5L), 2);
  EXPECT_EQ(round_to_int(2.5L), 2);
  EXPECT_EQ(round_to_int(3.5L), 4);
  EXPECT_EQ(round_to_int(-0.5L), 0);
  EXPECT_EQ(round_to_int(-1.5L), -2);
  EXPECT_EQ(round_to_int(-2.5L), -2);
}

TEST(RoundToInt, OtherValuesGoToTheNearest) {
  EXPECT_EQ(round_to_int(2.4999L), 2);
  EXPECT_EQ(round_to_int(2.5001L), 3);
  EXPECT_EQ(round_to_int(-2.6L), -3);
  EXPECT_EQ(round_to_int(-0.4L), 0);
  EXPECT_EQ(round_to_int(160.0L), 160);
  EXPECT_EQ(round_to_int(static_cast<long double>(19712.0f)), 19712);
  EXPECT_EQ(round_to_int(4294967296.5L), 4294967296);
}

TEST(RoundToInt, OutOfRangeGivesTheIndefiniteValue) {
  constexpr int64_t kIndefinite = std::numeric_limits<int64_t>::min();
  EXPECT_EQ(round_to_int(std::nanl("")), kIndefinite);
  EXPECT_EQ(round_to_int(1e30L), kIndefinite);
  EXPECT_EQ(round_to_int(-1e30L), kIndefinite);
  EXPECT_EQ(round_to_int(9223372036854775807.5L), kIndefinite);
  EXPECT_EQ(round_to_int(-9223372036854775808.0L), kIndefinite);
}

class WithErrors : public ::testing::Test {
 protected:
  WaitHub hub;
  Errors errors{hub};
};

using ArrayCheck = WithErrors;

TEST_F(ArrayCheck, OffsetsBelowTheCountPass) {
  EXPECT_EQ(array_check(errors, 10, 11), 10u);
  EXPECT_EQ(array_check(errors, 0, 11), 0u);
  EXPECT_EQ(errors.pending(), 0);
}

TEST_F(ArrayCheck, OffsetEqualToTheCountRaises9) {
  EXPECT_EQ(array_check(errors, 11, 11), 0u);
  EXPECT_EQ(errors.pending(), 9);
}

TEST_F(ArrayCheck, NegativeIndexWrapsAndRaises9) {
  const int32_t index = -1;
  EXPECT_EQ(array_check(errors, static_cast<uint32_t>(index - 0), 11), 0u);
  EXPECT_EQ(errors.pending(), 9);
}

TEST_F(ArrayCheck, EmptyArrayRejectsEverything) {
  EXPECT_EQ(array_check(errors, 0, 0), 0u);
  EXPECT_EQ(errors.pending(), 9);
}

using ReadData = WithErrors;

constexpr std::string_view kLetters = "A,B,C,D,E,F,G,H,I,J,K,L,M,N,O,P,Q,R,S,T,U,V,W,X,Y,Z,";

TEST_F(ReadData, GameListGivesTheAlphabetThenRunsOut) {
  ASSERT_EQ(kLetters.size(), 52u);
  uint32_t pos = 0;
  std::string item = "old";
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    read_data_string(errors, kLetters, pos, item);
    ASSERT_EQ(item, std::string(1, letter));
  }
  EXPECT_EQ(pos, 52u);
  EXPECT_EQ(errors.pending(), 0);
  read_data_string(errors, kLetters, pos, item);
  EXPECT_EQ(errors.pending(), 4);
  EXPECT_EQ(item, "");
}

TEST_F(ReadData, QuotedItemsKeepCommasAndDropTheQuotes) {
  const std::string_view data = "\"a,b\",c";
  uint32_t pos = 0;
  std::string item;
  read_data_string(errors, data, pos, item);
  EXPECT_EQ(item, "a,b");
  EXPECT_EQ(pos, 6u);
  read_data_string(errors, data, pos, item);
  EXPECT_EQ(item, "c");
  EXPECT_EQ(pos, 7u);
  EXPECT_EQ(errors.pending(), 0);
}

TEST_F(ReadData, QuoteInsideAPlainItemIsKept) {
  uint32_t pos = 0;
  std::string item;
  read_data_string(errors, "ab\"c\",d", pos, item);
  EXPECT_EQ(item, "ab\"c\"");
  EXPECT_EQ(errors.pending(), 0);
}

TEST_F(ReadData, EmptyItemsAndTheEndOfTheText) {
  uint32_t pos = 0;
  std::string item = "x";
  read_data_string(errors, ",last", pos, item);
  EXPECT_EQ(item, "");
  read_data_string(errors, ",last", pos, item);
  EXPECT_EQ(item, "last");
  EXPECT_EQ(pos, 5u);
  EXPECT_EQ(errors.pending(), 0);
}

TEST_F(ReadData, UnclosedQuoteRunsToTheEnd) {
  uint32_t pos = 0;
  std::string item;
  read_data_string(errors, "\"a,b", pos, item);
  EXPECT_EQ(item, "a,b");
  EXPECT_EQ(errors.pending(), 0);
}

TEST_F(ReadData, TextAfterAClosingQuoteRaises4) {
  uint32_t pos = 0;
  std::string item = "old";
  read_data_string(errors, "\"ab\"c,d", pos, item);
  EXPECT_EQ(errors.pending(), 4);
  EXPECT_EQ(item, "");
}

TEST_F(ReadData, BytesAreCopiedExactly) {
  const std::string data("x\0\xff,y", 5);
  uint32_t pos = 0;
  std::string item;
  read_data_string(errors, data, pos, item);
  EXPECT_EQ(item, std::string("x\0\xff", 3));
}

TEST_F(ReadData, DoesNothingWhileAnErrorIsPending) {
  errors.raise_error(53);
  uint32_t pos = 0;
  std::string item = "keep";
  read_data_string(errors, kLetters, pos, item);
  EXPECT_EQ(item, "keep");
  EXPECT_EQ(pos, 0u);
  EXPECT_EQ(errors.pending(), 53);
}

}  // namespace
}  // namespace kelvo
