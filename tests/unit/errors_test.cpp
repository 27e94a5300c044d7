// The pending-error mechanism on one thread: raising, reporting with a fake dialog, critical codes
// and the runtime operations that stand still while an error is pending.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/runtime.h"
#include "runtime/services/error_table.h"
#include "support/fake_clock.h"

namespace kelvo {
namespace {

struct Shown {
  int code;
  uint32_t line;
  std::string title;
  std::string text;
};

struct ErrorsTest : ::testing::Test {
  WaitHub hub;
  Errors errors{hub};
  std::vector<Shown> shown;
  std::vector<bool> answers;  // given in order; yes when they run out

  void SetUp() override {
    errors.set_dialog([this](int code, uint32_t line, const std::string& t, const std::string& x) {
      shown.push_back({code, line, t, x});
      const bool yes = answers.empty() || answers.front();
      if (!answers.empty()) answers.erase(answers.begin());
      return yes;
    });
  }
};

TEST_F(ErrorsTest, FirstErrorOfAStatementIsTheOneReported) {
  EXPECT_EQ(errors.raise_error(53), 53);
  EXPECT_EQ(errors.raise_error(9), 53);
  EXPECT_TRUE(errors.event_pending());
  errors.statement_event(17);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].code, 53);
  EXPECT_EQ(shown[0].line, 17u);
  EXPECT_EQ(shown[0].title, "Unhandled Error #53");
  EXPECT_EQ(shown[0].text, "Line:17\nFile not found\nContinue?");
  EXPECT_EQ(errors.error_line(), 17u);
}

TEST_F(ErrorsTest, CodesOfZeroOrBelowRecordFive) {
  EXPECT_EQ(errors.raise_error(0), 5);
  errors.statement_event(1);
  EXPECT_EQ(errors.raise_error(-3), 5);
  errors.statement_event(2);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].code, 5);
  EXPECT_EQ(shown[1].text, "Line:2\nIllegal function call\nContinue?");
}

TEST_F(ErrorsTest, YesClearsTheErrorAndALaterErrorShowsANewDialog) {
  errors.raise_error(62);
  errors.statement_event(10);
  EXPECT_EQ(errors.pending(), 0);
  EXPECT_FALSE(errors.event_pending());
  errors.statement_event(11);  // nothing pending: no dialog
  EXPECT_EQ(shown.size(), 1u);
  errors.raise_error(9);
  errors.statement_event(12);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1].code, 9);
  EXPECT_EQ(shown[1].line, 12u);
}

TEST_F(ErrorsTest, NoAsksToExitAndEndsTheGameThreadWithoutAnotherDialog) {
  errors.raise_error(5);
  errors.statement_event(3);  // yes: nothing else happens
  EXPECT_EQ(errors.pending(), 0);
  errors.raise_error(5);
  // The display loop's stop, given ahead here so that end_program need not wait for it.
  errors.set_dialog([this](int, uint32_t, const std::string&, const std::string&) {
    errors.request_stop();
    return false;
  });
  EXPECT_THROW(errors.statement_event(4), ProgramEnded);
  EXPECT_EQ(errors.exitAtOnce.load(), 1);
  EXPECT_EQ(errors.programFinished.load(), 1);
  EXPECT_EQ(shown.size(), 1u);
}

TEST_F(ErrorsTest, AStopBeforeTheReportEndsTheThreadWithoutADialog) {
  errors.raise_error(5);
  errors.request_stop();
  EXPECT_THROW(errors.statement_event(3), ProgramEnded);
  EXPECT_EQ(shown.size(), 0u);
}

TEST_F(ErrorsTest, CodesWithoutAMessageAreUnprintable) {
  errors.raise_error(15);
  errors.statement_event(1);
  EXPECT_EQ(shown.at(0).text, "Line:1\nUnprintable error\nContinue?");
}

TEST_F(ErrorsTest, WithoutADialogTheErrorIsClearedAsForYes) {
  errors.set_dialog(nullptr);
  errors.raise_error(52);
  errors.statement_event(1);
  EXPECT_EQ(errors.pending(), 0);
}

TEST_F(ErrorsTest, AStopRequestEndsTheGameThreadAtTheNextStatementEvent) {
  errors.request_stop();
  EXPECT_TRUE(errors.event_pending());
  EXPECT_THROW(errors.statement_event(1), ProgramEnded);
}

struct CriticalTest : ::testing::TestWithParam<int> {};

TEST_P(CriticalTest, ShowsItsBoxAndEndsTheProcessWithStatusZero) {
  WaitHub hub;
  Errors errors(hub);
  std::vector<std::string> boxes;
  std::vector<int> exits;
  errors.set_critical_box([&](const std::string& title, const std::string& text) {
    boxes.push_back(title + "|" + text);
  });
  errors.set_process_exit([&](int status) { exits.push_back(status); });
  ::testing::internal::CaptureStderr();
  errors.raise_error(GetParam());
  const std::string errorOutput = ::testing::internal::GetCapturedStderr();
  const auto expected = critical_error_text(GetParam());
  ASSERT_TRUE(expected);
  EXPECT_EQ(boxes, std::vector<std::string>{expected->title + "|" + expected->text});
  EXPECT_EQ(exits, std::vector<int>{0});
  EXPECT_EQ(errorOutput, expected->title + ": " + expected->text + "\n");
  EXPECT_EQ(errors.pending(), 0);  // never pending
}

INSTANTIATE_TEST_SUITE_P(Codes, CriticalTest,
                         ::testing::Values(256, 257, 259, 260, 502, 504, 510, 517));

TEST(CriticalCodes, NeighboursAreOrdinaryErrors) {
  for (int code : {255, 258, 261, 501, 518}) EXPECT_FALSE(is_critical(code)) << code;
  EXPECT_EQ(critical_error_text(504)->title, "Critical Error #4");
  EXPECT_EQ(critical_error_text(504)->text, "Out of memory");
}

TEST_F(ErrorsTest, EachReportedErrorIsOneLineOnStandardError) {
  ::testing::internal::CaptureStderr();
  errors.raise_error(53);
  errors.statement_event(17);
  const std::string out = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(out, "Unhandled Error #53 (line 17): File not found\n");
}

// Every operation does nothing while an error is pending; key_down still answers.
struct PendingTest : ::testing::Test {
  test::FakeClock clock;
  Runtime rt{clock, TimeReference{1000, 12 * 3600 * 1000}};
  int32_t screen = 0;

  void SetUp() override {
    screen = rt.new_image(320, 300, 256);
    rt.set_screen(screen);
    rt.set_print_mode(2);
    rt.keyboard.press_key(key::kSpace, sym::kSpace);
    rt.raise_error(9);
  }
  Image& image() { return *rt.images.destination(); }
};

TEST_F(PendingTest, DrawingAndTextLeaveTheScreenAlone) {
  const std::vector<uint8_t> before = image().pixels;
  const auto column = image().cursorColumn;
  rt.clear_screen(4);
  rt.locate(5, 5);
  rt.print_text("HELLO", true);
  rt.print_wrap_check("HELLO");
  rt.set_colour(300);  // out of range, but not raised while pending
  EXPECT_EQ(image().pixels, before);
  EXPECT_EQ(image().cursorColumn, column);
  EXPECT_EQ(rt.errors.pending(), 9);
}

TEST_F(PendingTest, ImagesScreensAndTimeGiveNothing) {
  EXPECT_EQ(rt.new_image(10, 10, 256), 0);
  rt.set_screen(-4000);
  EXPECT_EQ(rt.images.destination(), &image());
  EXPECT_EQ(rt.time_of_day(), 0);
  EXPECT_EQ(rt.random_number(), 0.0f);
  rt.delay(2);
  rt.limit_rate(120);
  rt.limit_rate(120);
  EXPECT_TRUE(clock.sleeps.empty());
  const uint32_t frames = rt.display.frameCount.load();
  rt.display_now();
  EXPECT_EQ(rt.display.frameCount.load(), frames);
  rt.set_fullscreen(9);
  EXPECT_EQ(rt.errors.pending(), 9);
}

TEST_F(PendingTest, KeyDownStillAnswers) {
  EXPECT_EQ(rt.key_down(key::kSpace), -1);
  EXPECT_EQ(rt.key_down(key::kEscape), 0);
}

TEST(PendingStatement, SecondFailingOperationOfAStatementIsDropped) {
  test::FakeClock clock;
  Runtime rt(clock, TimeReference{});
  std::vector<int> codes;
  rt.errors.set_dialog([&](int code, uint32_t, const std::string&, const std::string&) {
    codes.push_back(code);
    return true;
  });
  rt.set_screen(-4000);  // an image handle that names no image
  rt.key_down(0);        // a bad key code
  rt.end_statement(1);
  rt.key_down(0);
  rt.end_statement(2);
  EXPECT_EQ(codes, (std::vector<int>{258, 5}));
}

}  // namespace
}  // namespace kelvo
