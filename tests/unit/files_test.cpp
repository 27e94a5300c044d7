// Tests of the numbered sequential files: print zones, the field formats read back, and replacing
// output files whole. Open errors the game meets are in the goldens (high_scores_missing_file)
// and the fault suite (unreadable, read-only, directory and fifo tables).
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cmath>
#include <filesystem>

#include "unit/files_test_support.h"

namespace kelvo::files_test {
namespace {

// ---- Printing ----

using FilesPrintTest = FilesFixture;

// Each item is "TEXT|FLAGS", printed with a blank after it (b), blanks up to the next print zone
// (z) and a line end (n) as the flags say.
TEST_F(FilesPrintTest, PrintZones) {
  struct Case {
    const char* rule;
    std::vector<std::string> items;
    std::string expected;
  };
  // clang-format off
  const Case cases[] = {
      {"a number then a string fill the first zone", {" 1000|bz", "AAA|n"}, " 1000         AAA\r\n"},
      {"a 13-character number pushes the next item to the third zone", {" 1.234568E+08|bz", "AAA|n"},
       " 1.234568E+08               AAA\r\n"},
      {"a 12-character number still fits the first zone", {" 12345678901|bz", "X|n"}, " 12345678901  X\r\n"},
      {"zones continue across items and restart after a line end", {"A|z", "B|z", "C|n", "D|zn"},
       "A             B             C\r\nD             \r\n"},
      {"an item ending on a zone boundary still gets its blank", {"xxxxxxxxxxxxx|z", "Y|n"}, "xxxxxxxxxxxxx Y\r\n"},
      {"bytes are written unchanged", {std::string("a\0b\xff\x1a|", 6)}, std::string("a\0b\xff\x1a", 5)}};
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rule);
    open("out.txt", kModeOutput);
    for (const std::string& item : c.items) {
      const size_t bar = item.rfind('|');
      const std::string flags = item.substr(bar + 1);
      files.file_print(1, item.substr(0, bar), flags.find('b') != std::string::npos,
                       flags.find('z') != std::string::npos, flags.find('n') != std::string::npos);
    }
    files.file_close(1, true);
    EXPECT_EQ(take_error(), 0);
    EXPECT_EQ(read_file(path("out.txt")), c.expected);
  }
}

// ---- Reading fields ----

// One read and what it gives: a string field, or a number field fitted to `type`; then the
// error it raises.
struct Read {
  bool number;
  NumberType type;
  long double value;
  std::string text;
  int error;
};

Read S(std::string text, int error = 0) {
  return {false, NumberType::kSingle, 0, std::move(text), error};
}
Read N(long double value, int error = 0, NumberType type = NumberType::kSingle) {
  return {true, type, value, "", error};
}
Read D(long double value, int error = 0) {
  return N(value, error, NumberType::kDouble);
}
Read X(long double value, int error = 0) {
  return N(value, error, NumberType::kExtended);
}

struct FieldCase {
  const char* rule;
  std::string bytes;
  std::vector<Read> reads;
};

const std::vector<FieldCase>& field_cases() {
  // clang-format off
  static const std::vector<FieldCase> cases = {
      {"the score table's own lines", " 1000         AAA\r\n 900  BCD\r\n",
       {N(1000), S("AAA"), N(900), S("BCD"), N(0, 62)}},
      {"blanks around a comma are dropped", "  12  ,  AB  \r\nnext", {N(12), S("AB"), S("next")}},
      {"a quoted field keeps commas, blanks and line ends", "\"A, B\"\r\n\"  x\r\ny  \",z",
       {S("A, B"), S("  x\r\ny  "), S("z")}},
      {"text after a closing quote is skipped; an unclosed quote runs to the end",
       "\"ab\"cd ef,gh\r\n\"unclosed, to the end", {S("ab"), S("gh"), S("unclosed, to the end")}},
      {"unquoted fields lose leading and trailing blanks and tabs", " \t a b \t ,\t\tc\t\r\n", {S("a b"), S("c")}},
      {"CR, LF, CR LF and LF CR each end a line once", "a\rb\r\rc\nd\n\r\n\re\r\nf",
       {S("a"), S("b"), S(""), S("c"), S("d"), S(""), S("e"), S("f")}},
      {"numbers end at each kind of line end", "1\r2\n3\r\n4\n\r5", {N(1), N(2), N(3), N(4), N(5), N(0, 62)}},
      {"past the end a string is empty", "only", {S("only"), S("", 62)}},
      {"past the end a number is zero", "   ", {N(0, 62)}},
      {"Ctrl-Z ends the file for good", "12,AB\x1a" "34,CD", {N(12), S("AB"), N(0, 62), S("", 62)}},
      {"Ctrl-Z inside a field ends it", "AB\x1a" "CD", {S("AB"), S("", 62)}},
      {"a file starting with Ctrl-Z is at its end", "\x1a" "5", {N(0, 62)}},
      {"hexadecimal and octal; an ampersand without H or O is no number", "&HfF,&h10 &O17,&o777\r\n&X5,7",
       {N(255), N(16), N(15), N(511), N(0), N(7)}},
      {"octal stops at the first non-octal digit", "&O178,9", {N(15), N(9)}},
      {"decimal forms and D or E exponents; minus zero reads as zero", "-12.5,+3,.25,1E3,2e-2,1.5D2,7d+1,-0,5.,1e,-",
       {D(-12.5L), D(3), D(0.25L), D(1000), D(0.02L), D(150), D(70), D(0), D(5), D(1), D(0)}},
      {"decimal values are correctly rounded", "0.1,123456789012345678901234567890",
       {X(0.1L), X(123456789012345678901234567890.0L)}},
      {"text right after a number is skipped to the next separator; after blanks it is the next field",
       "12abc,34 xyz\r\n56", {N(12), N(34), S("xyz"), N(56)}},
      {"tabs are not skipped before a number", "\t5,6", {N(0), N(6)}},
      {"only 18 exponent digits count", "1E0000000000000000000003,1E-1234567890123456789,1E1234567890123456789",
       {N(1000), N(0), X(0, 6)}},
      {"single precision overflows past its largest value; the next field still reads",
       "3.4028234E38,340282356779733661637539395458142568448,-1E39,1D300,7",
       {N(3.4028234E38L), N(0, 6), N(0, 6), D(1e300L), N(7)}}};
  // clang-format on
  return cases;
}

using FilesReadTest = FilesFixture;

TEST_F(FilesReadTest, FieldFormats) {
  for (const FieldCase& c : field_cases()) {
    SCOPED_TRACE(c.rule);
    write_file(path("in.txt"), c.bytes);
    open("in.txt", kModeInput);
    ASSERT_EQ(take_error(), 0);
    for (size_t i = 0; i < c.reads.size(); ++i) {
      SCOPED_TRACE("read " + std::to_string(i + 1));
      const Read& r = c.reads[i];
      if (r.number) {
        const long double got = files.file_input_number(1, r.type);
        EXPECT_EQ(got, r.value);
        EXPECT_EQ(std::signbit(got), std::signbit(r.value));
      } else {
        EXPECT_EQ(read_string(), r.text);
      }
      EXPECT_EQ(take_error(), r.error);
    }
    files.file_close(1, true);
  }
}

// ---- Replacing output files whole ----

using FilesSaveTest = FilesFixture;

TEST_F(FilesSaveTest, OldContentsAndModeStayUntilTheClose) {
  write_file(path("score.txt"), "old table\r\n");
  ::chmod(path("score.txt").c_str(), 0640);
  open("score.txt", kModeOutput);
  files.file_print(1, "new table", false, false, true);
  EXPECT_EQ(read_file(path("score.txt")), "old table\r\n");
  files.file_close(1, true);
  EXPECT_EQ(take_error(), 0);
  EXPECT_EQ(read_file(path("score.txt")), "new table\r\n");
  struct stat st {};
  ASSERT_EQ(::stat(path("score.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST_F(FilesSaveTest, SaveDoesNotDependOnTheWorkingDirectory) {
  std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  files.file_open("rel.txt", kModeOutput, 0, 0, 1, 0, false);
  std::filesystem::create_directory(path("elsewhere"));
  std::filesystem::current_path(path("elsewhere"));
  files.file_print(1, "here", false, false, false);
  files.file_close(1, true);
  std::filesystem::current_path(before);
  EXPECT_EQ(take_error(), 0);
  EXPECT_EQ(read_file(path("rel.txt")), "here");
}

TEST_F(FilesSaveTest, DevicesAreWrittenInPlaceAndAFullOneGives75) {
  files.file_open("/dev/null", kModeOutput, 0, 0, 1, 0, false);
  files.file_print(1, "discarded", false, false, true);
  files.file_close(1, true);
  EXPECT_EQ(take_error(), 0);
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  files.file_open("/dev/full", kModeOutput, 0, 0, 1, 0, false);
  files.file_print(1, "x", false, false, true);
  EXPECT_EQ(take_error(), 75);
}

// Lowers the file-size limit for one test so that writes fail as on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    oldHandler_ = ::signal(SIGXFSZ, SIG_IGN);
    rlimit lower = saved_;
    lower.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &lower);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    ::signal(SIGXFSZ, oldHandler_);
  }

 private:
  rlimit saved_{};
  sighandler_t oldHandler_;
};

TEST_F(FilesSaveTest, FailedWriteKeepsTheOldFile) {
  write_file(path("score.txt"), "old table");
  open("score.txt", kModeOutput);
  {
    FileSizeLimit limit(8);
    files.file_print(1, "a new table that does not fit", false, false, true);
    EXPECT_EQ(take_error(), 75);
  }
  files.file_print(1, "more", false, false, true);  // later writes succeed; the file is still cut
  files.file_close(1, true);
  EXPECT_EQ(take_error(), 0);
  EXPECT_EQ(read_file(path("score.txt")), "old table");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

}  // namespace
}  // namespace kelvo::files_test
