// Tests of the numbered sequential files: print zones, the field formats read back, open and
// operation errors, the error mapping, and replacing output files whole.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cerrno>
#include <cmath>
#include <filesystem>

#include "runtime/services/posix_file.h"
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
  using T = NumberType;
  const std::string kHalfway = "1.0000000000000000000542101086242752217003726400434970855712890625";
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
      {"CR ends a line once", "a\rb\r\rc", {S("a"), S("b"), S(""), S("c")}},
      {"LF ends a line once", "a\nb\n\nc", {S("a"), S("b"), S(""), S("c")}},
      {"CR LF ends a line once", "a\r\nb\r\n\r\nc", {S("a"), S("b"), S(""), S("c")}},
      {"LF CR ends a line once", "a\n\rb\n\r\n\rc", {S("a"), S("b"), S(""), S("c")}},
      {"numbers end at each kind of line end", "1\r2\n3\r\n4\n\r5", {N(1), N(2), N(3), N(4), N(5), N(0, 62)}},
      {"past the end a string is empty", "only", {S("only"), S("", 62)}},
      {"past the end a number is zero", "   ", {N(0, 62)}},
      {"Ctrl-Z ends the file for good", "12,AB\x1a" "34,CD", {N(12), S("AB"), N(0, 62), S("", 62)}},
      {"Ctrl-Z inside a field ends it", "AB\x1a" "CD", {S("AB"), S("", 62)}},
      {"a file starting with Ctrl-Z is at its end", "\x1a" "5", {N(0, 62)}},
      {"hexadecimal and octal; an ampersand without H or O is no number", "&HfF,&h10 &O17,&o777\r\n&X5,7",
       {N(255), N(16), N(15), N(511), N(0), N(7)}},
      {"octal stops at the first non-octal digit", "&O178,9", {N(15), N(9)}},
      {"hexadecimal beyond 64 bits overflows; leading zeros do not count",
       "&HFFFFFFFFFFFFFFFF,&H10000000000000000,&H0000000000000000001",
       {X(18446744073709551615.0L), X(0, 6), X(1)}},
      {"decimal forms and D or E exponents; minus zero reads as zero", "-12.5,+3,.25,1E3,2e-2,1.5D2,7d+1,-0,5.,1e,-",
       {D(-12.5L), D(3), D(0.25L), D(1000), D(0.02L), D(150), D(70), D(0), D(5), D(1), D(0)}},
      {"decimal values are correctly rounded", "0.1,123456789012345678901234567890",
       {X(0.1L), X(123456789012345678901234567890.0L)}},
      {"text right after a number is skipped to the next separator; after blanks it is the next field",
       "12abc,34 xyz\r\n56", {N(12), N(34), S("xyz"), N(56)}},
      {"tabs are not skipped before a number", "\t5,6", {N(0), N(6)}},
      // 1 + 2^-64 lies halfway between two extended values: a 1 as the 256th digit rounds it up,
      // one as the 257th is not read. Whole digits past the 256th still count as magnitude.
      {"only 256 significant digits count", kHalfway + std::string(190, '0') + "1," + kHalfway +
       std::string(191, '0') + "1,1" + std::string(299, '0') + ",1" + std::string(400, '0') + "E-400",
       {X(1 + 0x1p-63L), X(1), X(1e299L), X(1)}},
      {"only 18 exponent digits count", "1E0000000000000000000003,1E-1234567890123456789,1E1234567890123456789",
       {N(1000), N(0), X(0, 6)}},
      {"single precision overflows past its largest value; the next field still reads",
       "3.4028234E38,3.4028236E38,-1E39,1D300,7", {N(3.4028234E38L), N(0, 6), N(0, 6), D(1e300L), N(7)}},
      {"integer types round ties to even and check their range",
       "2.5,3.5,-2.5,32767.4,32767.5,-32768,2147483647,2147483648,-9223372036854775808",
       {N(2, 0, T::kInt16), N(4, 0, T::kInt16), N(-2, 0, T::kInt16), N(32767, 0, T::kInt16), N(0, 6, T::kInt16),
        N(-32768, 0, T::kInt16), N(2147483647, 0, T::kInt32), N(0, 6, T::kInt32), N(-0x1p63L, 0, T::kInt64)}}};
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

TEST(FileFieldsTest, StreamRefillsAcrossSmallBuffersAndReportsAReadFailureOnce) {
  std::string data = "\"quoted, across\"  ,      123.5E1 ,\r\nlast";
  size_t offset = 0;
  InputStream in(
      [&](char* buffer, size_t size) -> long {
        size_t n = std::min<size_t>(size, data.size() - offset);
        std::copy_n(data.data() + offset, n, buffer);
        offset += n;
        return static_cast<long>(n);
      },
      3);
  std::string field;
  ASSERT_TRUE(read_string_field(in, field));
  EXPECT_EQ(field, "quoted, across");
  EXPECT_EQ(read_number_field(in).value, 1235);
  ASSERT_TRUE(read_string_field(in, field));
  EXPECT_EQ(field, "");
  ASSERT_TRUE(read_string_field(in, field));
  EXPECT_EQ(field, "last");
  EXPECT_FALSE(read_string_field(in, field));

  InputStream failing([](char*, size_t) -> long { return -EIO; });
  EXPECT_TRUE(read_number_field(failing).atEnd);
  EXPECT_EQ(failing.take_error(), EIO);
  EXPECT_EQ(failing.take_error(), 0);
}

// ---- Opening, operations and closing ----

struct OpenCase {
  const char* rule;
  std::string name;  // relative to the scratch directory unless empty or absolute
  int32_t mode;
  int32_t number;
  int code;
  int32_t access = kAccessAny;
  int32_t lock = kLockNone;
};

using FilesOpenTest = FilesFixture;

TEST_F(FilesOpenTest, OpenErrors) {
  std::filesystem::create_directory(path("d"));
  write_file(path("plain"), "");
  write_file(path("l.txt"), "1");
  open("busy.txt", kModeOutput, 1);
  files.file_open(path("l.txt"), kModeInput, kAccessAny, kLockReadWrite, 3, 0, false);
  ASSERT_EQ(take_error(), 0);
  const std::string longName(300, 'n');
  // clang-format off
  const OpenCase cases[] = {
      {"input of a missing file", "none.txt", kModeInput, 2, 53},
      {"output creates a missing file", "none.txt", kModeOutput, 2, 0},
      {"missing directory for input", "nodir/x.txt", kModeInput, 2, 76},
      {"missing directory for output", "nodir/x.txt", kModeOutput, 2, 76},
      {"missing directory for append", "nodir/x.txt", kModeAppend, 2, 76},
      {"a file where a directory should be", "plain/x.txt", kModeOutput, 2, 76},
      {"number in use", "b.txt", kModeOutput, 1, 55},
      {"number zero", "b.txt", kModeOutput, 0, 52},
      {"negative number", "b.txt", kModeOutput, -1, 52},
      {"any positive number, however large", "big.txt", kModeOutput, 2147483647, 0},
      {"empty name", "", kModeInput, 2, 64},
      {"name with a zero byte", std::string("a\0b", 3), kModeOutput, 2, 64},
      {"name too long for output", longName, kModeOutput, 2, 64},
      {"name too long for input", longName, kModeInput, 2, 64},
      {"a directory for input", "d", kModeInput, 2, 70},
      {"a directory for output", "d", kModeOutput, 2, 70},
      {"a directory for append", "d", kModeAppend, 2, 70},
      {"a directory as a random file", "d", kModeRandom, 2, 70},
      {"a kernel file nobody may write", "/sys/devices/system/cpu/online", kModeOutput, 2, 70},
      {"a new file where nobody may create one", "/sys/devices/system/cpu/kelvo.txt", kModeOutput, 2, 70},
      {"bad mode", "a.txt", 6, 2, 5},
      {"bad access", "a.txt", kModeOutput, 2, 5, 4},
      {"bad lock", "a.txt", kModeOutput, 2, 5, kAccessAny, -1},
      {"a file locked under another number", "l.txt", kModeInput, 2, 70, kAccessAny, kLockReadWrite},
      {"no lock shares a locked file", "l.txt", kModeInput, 2, 0}};
  // clang-format on
  for (const OpenCase& c : cases) {
    SCOPED_TRACE(c.rule);
    const bool raw = c.name.empty() || c.name[0] == '/';
    files.file_open(raw ? c.name : path(c.name), c.mode, c.access, c.lock, c.number, 0, false);
    EXPECT_EQ(take_error(), c.code);
    EXPECT_EQ(files.is_open(c.number), c.code == 0 || c.number == 1);
    if (c.code == 0) files.file_close(c.number, true);
  }
  EXPECT_FALSE(std::filesystem::exists(path("b.txt")));
  EXPECT_TRUE(std::filesystem::exists(path("none.txt")));
}

TEST_F(FilesOpenTest, OperationsOnTheWrongFileRaiseTheirError) {
  write_file(path("in.txt"), "1,2");
  open("in.txt", kModeInput, 1);
  open("out.txt", kModeOutput, 2);
  files.file_open(path("in.txt"), kModeInput, kAccessWrite, kLockNone, 3, 0, false);
  files.file_open(path("ro.txt"), kModeOutput, kAccessRead, kLockNone, 4, 0, false);
  open("r.bin", 0, 5);  // mode 0 is random: the file is made but neither printed nor read
  ASSERT_EQ(take_error(), 0);
  EXPECT_TRUE(std::filesystem::exists(path("r.bin")));
  struct Case {
    char operation;  // 'p' print, 'n' read a number, 's' read a string
    int32_t number;
    int code;
  };
  // clang-format off
  for (const Case& c : {Case{'p', 9, 52}, Case{'n', 9, 52}, Case{'s', 9, 52}, Case{'p', 1, 54}, Case{'n', 2, 54},
                        Case{'s', 3, 75}, Case{'p', 4, 75}, Case{'p', 5, 54}, Case{'n', 5, 54}}) {
    // clang-format on
    SCOPED_TRACE(std::string(1, c.operation) + " on " + std::to_string(c.number));
    if (c.operation == 'p') {
      files.file_print(c.number, "x", false, false, true);
    } else if (c.operation == 'n') {
      EXPECT_EQ(files.file_input_number(c.number, NumberType::kSingle), 0);
    } else {
      EXPECT_EQ(read_string(c.number), "unchanged");
    }
    EXPECT_EQ(take_error(), c.code);
  }
}

TEST(FilesErrorMapTest, PlatformFailuresMapToTheirCodes) {
  struct Case {
    int err, open, io;
  };
  for (const Case& c :
       {Case{EACCES, 70, 70}, Case{EPERM, 70, 70}, Case{EROFS, 70, 70}, Case{ETXTBSY, 70, 75},
        Case{EISDIR, 70, 75}, Case{EWOULDBLOCK, 70, 75}, Case{ENAMETOOLONG, 64, 75},
        Case{EINVAL, 64, 5}, Case{EIO, 68, 75}, Case{ENXIO, 68, 75}, Case{ENODEV, 68, 75},
        Case{EMFILE, 53, 75}, Case{ENOSPC, 53, 75}, Case{EBADF, 53, 258}, Case{ENOTDIR, 76, 75}}) {
    EXPECT_EQ(open_error_code(c.err, true), c.open) << c.err;
    EXPECT_EQ(io_error_code(c.err), c.io) << c.err;
  }
  EXPECT_EQ(open_error_code(ENOENT, true), 53);
  EXPECT_EQ(open_error_code(ENOENT, false), 76);
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

TEST_F(FilesSaveTest, OutputThroughALinkReplacesTheLinkedFile) {
  write_file(path("real.txt"), "old");
  std::filesystem::create_symlink("real.txt", path("link.txt"));
  open("link.txt", kModeOutput);
  files.file_print(1, "new", false, false, false);
  files.file_close(1, true);
  EXPECT_TRUE(std::filesystem::is_symlink(path("link.txt")));
  EXPECT_EQ(read_file(path("real.txt")), "new");
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

// Where unnamed files are missing the new contents sit beside the target under a hidden name;
// the shutdown drops an output file that is still open (a stop in the middle of a save), even
// with an error pending, and a dropped replacement leaves nothing behind.
TEST_F(FilesSaveTest, NamedNewContentsWhereUnnamedFilesAreMissing) {
  host::Replacement::allow_unnamed_files(false);
  write_file(path("score.txt"), "old");
  write_file(path("kept.txt"), "kept");
  open("score.txt", kModeOutput, 1);
  files.file_print(1, "new", false, false, false);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 3);
  EXPECT_EQ(read_file(path("score.txt")), "old");
  {
    host::Replacement dropped;
    ASSERT_EQ(dropped.begin(path("kept.txt")), 0);
    ASSERT_EQ(host::write_all(dropped.fd(), "x", 1), 0);
  }
  errors.raise_error(5);
  files.close_all();
  host::Replacement::allow_unnamed_files(true);
  EXPECT_EQ(read_file(path("score.txt")), "old");
  EXPECT_EQ(read_file(path("kept.txt")), "kept");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
  EXPECT_EQ(take_error(), 5);
}

}  // namespace
}  // namespace kelvo::files_test
