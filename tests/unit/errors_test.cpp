// The pending-error mechanism on one thread: raising, reporting with a fake dialog, the message
// table, critical codes, and the game's operations standing still while an error is pending.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/sdl_audio.h"
#include "runtime/runtime.h"
#include "runtime/services/error_table.h"
#include "support/fake_clock.h"
#include "support/test_support.h"
#include "support/wav.h"

namespace kelvo {
namespace {

struct ErrorsTest : ::testing::Test {
  WaitHub hub;
  Errors errors{hub};
  std::vector<std::string> shown;  // "code line|title|text" of each dialog

  void SetUp() override {
    errors.set_dialog([this](int code, uint32_t line, const std::string& t, const std::string& x) {
      shown.push_back(std::to_string(code) + " " + std::to_string(line) + "|" + t + "|" + x);
      return true;
    });
  }
};

TEST_F(ErrorsTest, TheFirstErrorOfAStatementIsReportedOnceAtItsEnd) {
  EXPECT_EQ(errors.raise_error(53), 53);
  EXPECT_EQ(errors.raise_error(9), 53);
  EXPECT_TRUE(errors.event_pending());
  ::testing::internal::CaptureStderr();
  errors.statement_event(17);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "Unhandled Error #53 (line 17): File not found\n");
  EXPECT_EQ(shown, std::vector<std::string>{
                       "53 17|Unhandled Error #53|Line:17\nFile not found\nContinue?"});
  EXPECT_EQ(errors.pending(), 0);  // yes clears it
  EXPECT_FALSE(errors.event_pending());
  errors.statement_event(18);           // nothing pending: no dialog
  EXPECT_EQ(errors.raise_error(0), 5);  // codes of 0 or below record 5
  errors.statement_event(19);
  EXPECT_EQ(errors.raise_error(-3), 5);
  errors.set_dialog(nullptr);  // without a dialog the error is cleared as for yes
  errors.statement_event(20);
  EXPECT_EQ(errors.pending(), 0);
  EXPECT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1], "5 19|Unhandled Error #5|Line:19\nIllegal function call\nContinue?");
}

TEST_F(ErrorsTest, NoEndsTheGameThreadWithoutAnotherDialog) {
  errors.raise_error(5);
  // The display loop's stop comes with the answer, so that end_program need not wait for it.
  errors.set_dialog([this](int, uint32_t, const std::string&, const std::string&) {
    shown.push_back("asked");
    errors.request_stop();
    return false;
  });
  EXPECT_THROW(errors.statement_event(4), ProgramEnded);
  EXPECT_EQ(errors.exitAtOnce.load(), 1);
  EXPECT_EQ(errors.programFinished.load(), 1);
  EXPECT_EQ(shown, std::vector<std::string>{"asked"});
}

TEST_F(ErrorsTest, AStopEndsTheGameThreadAtTheNextStatementEventWithoutADialog) {
  errors.raise_error(5);
  errors.request_stop();
  EXPECT_TRUE(errors.event_pending());
  EXPECT_THROW(errors.statement_event(3), ProgramEnded);
  EXPECT_TRUE(shown.empty());
}

TEST(ErrorTable, MessagesOfTheCodesTheGameRaisesAndTheirNeighbours) {
  struct Case {
    int code;
    const char* message;
  };
  for (const Case& c :
       {Case{1, "NEXT without FOR"}, Case{4, "Out of DATA"}, Case{5, "Illegal function call"},
        Case{6, "Overflow"}, Case{9, "Subscript out of range"}, Case{52, "Bad file name or number"},
        Case{53, "File not found"}, Case{62, "Input past end of file"},
        Case{69, "Communication-buffer overflow"}, Case{72, "Disk-media error"},
        Case{75, "Path/File access error"}, Case{76, "Path not found"},
        Case{258, "Invalid handle"}}) {
    EXPECT_EQ(error_message(c.code), c.message) << c.code;
  }
  for (int code : {0, -3, 15, 21, 28, 31, 60, 65, 77, 256, 259, 504, 100000}) {
    EXPECT_EQ(error_message(code), "Unprintable error") << code;
  }
  EXPECT_EQ(error_dialog_text(999, 4000000000u), "Line:4000000000\nUnprintable error\nContinue?");
}

// A critical error shows its box, writes one line on standard error and ends the process with
// status 0 at once; it is never pending.
TEST(CriticalErrors, ShowTheirBoxAndEndTheProcess) {
  struct Case {
    int code;
    const char* title;
    const char* text;
  };
  // clang-format off
  const Case cases[] = {
      {256, "Critical Error", "Out of stack space"}, {257, "Critical Error #1", "Out of memory"},
      {259, "Critical Error", "Cannot find dynamic library file"},
      {260, "Critical Error", "Sub/Function does not exist in dynamic library"},
      {502, "Critical Error #2", "Out of memory"}, {504, "Critical Error #4", "Out of memory"},
      {510, "Critical Error #10", "Out of memory"}, {517, "Critical Error #17", "Out of memory"}};
  // clang-format on
  for (const Case& c : cases) {
    WaitHub hub;
    Errors errors(hub);
    std::vector<std::string> boxes;
    std::vector<int> exits;
    errors.set_critical_box(
        [&](const std::string& t, const std::string& x) { boxes.push_back(t + "|" + x); });
    errors.set_process_exit([&](int status) { exits.push_back(status); });
    ::testing::internal::CaptureStderr();
    errors.raise_error(c.code);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              std::string(c.title) + ": " + c.text + "\n");
    EXPECT_EQ(boxes, std::vector<std::string>{std::string(c.title) + "|" + c.text});
    EXPECT_EQ(exits, std::vector<int>{0});
    EXPECT_EQ(errors.pending(), 0);
  }
  for (int code : {0, 5, 53, 255, 258, 261, 501, 518}) {
    EXPECT_FALSE(is_critical(code)) << code;
    EXPECT_FALSE(critical_error_text(code)) << code;
  }
}

// Every operation of the game does nothing while an error is pending, so that the statement
// that raised it has no further effect; key_down still answers. Once the error is answered,
// nothing was consumed meanwhile.
TEST(PendingError, EveryOperationStandsStill) {
  test::FakeClock clock;
  test::TempDir dir;
  Runtime rt{clock, TimeReference{1000, 12 * 3600 * 1000}};
  SilentAudio audio;
  rt.platform().set_audio(&audio);
  const std::string wav = dir.file("a.wav");
  test::write_file(wav, wav_file(pcm16({0, 100, 0, -100})));
  test::write_file(dir.file("in.txt"), "5,AB");
  const int32_t screen = rt.new_image(320, 300, 256);
  rt.set_screen(screen);
  const int32_t sprite = rt.new_image(4, 4, 256);
  rt.image(sprite)->pixels.assign(16, 3);
  rt.file_open(dir.file("in.txt"), kModeInput, 1);
  rt.file_open(dir.file("out.txt"), kModeOutput, 2);
  rt.platform().press_key(key::kSpace, key::kSpace);
  rt.raise_error(9);
  const Image before = *rt.image(screen);

  rt.clear_screen(4);
  rt.locate(5, 5);
  rt.print_wrap_check("HELLO");
  rt.print_text("HELLO", true);
  rt.set_colour(300);  // out of range, but not raised while pending
  rt.set_print_mode(1);
  rt.put_image(0, 0, sprite);
  rt.put_image(0, 0, 9, 9, sprite);
  EXPECT_EQ(rt.new_image(10, 10, 256), 0);
  EXPECT_EQ(rt.load_image("x.png"), 0);
  rt.set_screen(-4000);
  rt.set_clear_colour(0, sprite);
  EXPECT_EQ(rt.time_of_day(), 0);
  rt.seed_random(1);
  EXPECT_EQ(rt.random_number(), 0.0f);
  EXPECT_EQ(rt.number_to_string(5), "");
  rt.delay(2);
  rt.limit_rate(120);
  rt.limit_rate(120);
  rt.display_now();
  rt.set_fullscreen(9);
  EXPECT_EQ(rt.sound_open(wav, "sync"), 0);
  rt.sound_play(7);
  rt.file_open(dir.file("other.txt"), kModeOutput, 3);
  rt.file_print(2, "x", false, false, true);
  EXPECT_EQ(rt.file_input_number(1), 0);
  std::string text = "keep";
  rt.file_input_string(1, text);
  uint32_t position = 0;
  rt.read_data_string("A,B", position, text);
  rt.file_close(2);

  const Image& after = *rt.image(screen);
  EXPECT_EQ(after.pixels, before.pixels);
  EXPECT_EQ(after.cursorRow, before.cursorRow);
  EXPECT_EQ(after.foreground, before.foreground);
  EXPECT_EQ(after.printMode, before.printMode);
  EXPECT_EQ(rt.image(sprite)->clearColour, -1);
  EXPECT_TRUE(clock.sleeps.empty());
  EXPECT_EQ(rt.platform().handover().frame_number(), 0u);
  EXPECT_EQ(text, "keep");
  EXPECT_EQ(position, 0u);
  EXPECT_EQ(rt.key_down(key::kSpace), -1);
  EXPECT_EQ(rt.pending_error(), 9);

  rt.end_statement(1);
  EXPECT_EQ(rt.file_input_number(1), 5);
  EXPECT_FALSE(std::filesystem::exists(dir.file("other.txt")));
  rt.file_close(2);
  EXPECT_EQ(test::read_file(dir.file("out.txt")), "");
  EXPECT_EQ(rt.sound_open(wav, "sync"), 2);
  EXPECT_EQ(rt.random_number(), 0x1.693d86p-1f);  // the first number after start-up: no seed
  EXPECT_EQ(rt.pending_error(), 0);
}

}  // namespace
}  // namespace kelvo
