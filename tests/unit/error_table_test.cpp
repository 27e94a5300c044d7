// Tests of the error message table, the critical errors and the dialog texts.
#include <gtest/gtest.h>

#include "runtime/services/error_table.h"

namespace kelvo {
namespace {

TEST(ErrorMessage, CodesTheGameCanRaise) {
  EXPECT_EQ(error_message(4), "Out of DATA");
  EXPECT_EQ(error_message(5), "Illegal function call");
  EXPECT_EQ(error_message(6), "Overflow");
  EXPECT_EQ(error_message(9), "Subscript out of range");
  EXPECT_EQ(error_message(52), "Bad file name or number");
  EXPECT_EQ(error_message(53), "File not found");
  EXPECT_EQ(error_message(62), "Input past end of file");
  EXPECT_EQ(error_message(75), "Path/File access error");
  EXPECT_EQ(error_message(76), "Path not found");
  EXPECT_EQ(error_message(258), "Invalid handle");
}

TEST(ErrorMessage, FirstAndLastOfTheNumberedRun) {
  EXPECT_EQ(error_message(1), "NEXT without FOR");
  EXPECT_EQ(error_message(69), "Communication-buffer overflow");
  EXPECT_EQ(error_message(72), "Disk-media error");
}

TEST(ErrorMessage, GapsAndStrangersAreUnprintable) {
  for (int code : {0, -3, 15, 21, 28, 31, 60, 65, 77, 256, 259, 504, 100000}) {
    EXPECT_EQ(error_message(code), "Unprintable error") << code;
  }
}

TEST(CriticalErrors, ExactlyTheListedCodes) {
  for (int code : {256, 257, 259, 260, 502, 510, 517}) EXPECT_TRUE(is_critical(code)) << code;
  for (int code : {0, 5, 255, 258, 261, 501, 518, 53}) EXPECT_FALSE(is_critical(code)) << code;
}

TEST(CriticalErrors, TitlesAndTexts) {
  const auto stack = critical_error_text(256);
  ASSERT_TRUE(stack);
  EXPECT_EQ(stack->title, "Critical Error");
  EXPECT_EQ(stack->text, "Out of stack space");

  const auto memory = critical_error_text(257);
  ASSERT_TRUE(memory);
  EXPECT_EQ(memory->title, "Critical Error #1");
  EXPECT_EQ(memory->text, "Out of memory");

  EXPECT_EQ(critical_error_text(259)->text, "Cannot find dynamic library file");
  EXPECT_EQ(critical_error_text(260)->title, "Critical Error");
  EXPECT_EQ(critical_error_text(260)->text, "Sub/Function does not exist in dynamic library");
  EXPECT_FALSE(critical_error_text(258));
}

TEST(CriticalErrors, AllocationFailuresAreNumberedFromTwo) {
  EXPECT_EQ(critical_error_text(502)->title, "Critical Error #2");
  EXPECT_EQ(critical_error_text(504)->title, "Critical Error #4");
  EXPECT_EQ(critical_error_text(504)->text, "Out of memory");
  EXPECT_EQ(critical_error_text(517)->title, "Critical Error #17");
}

TEST(ErrorDialog, TitleAndThreeLineText) {
  EXPECT_EQ(error_dialog_title(53), "Unhandled Error #53");
  EXPECT_EQ(error_dialog_text(53, 17), "Line:17\nFile not found\nContinue?");
  EXPECT_EQ(error_dialog_text(999, 4000000000u), "Line:4000000000\nUnprintable error\nContinue?");
}

}  // namespace
}  // namespace kelvo
