// Tests of the numbered sequential files: print zones, field reading, open errors, the error
// mapping, replacing output files whole, and long or hostile file contents.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <random>

#include "platform/host/posix_file.h"
#include "unit/files_test_support.h"

namespace kelvo::files_test {
namespace {

// ---- Printing ----

using FilesPrintTest = FilesFixture;

TEST_F(FilesPrintTest, NumberThenStringFillsTheFirstZone) {
  open("out.txt", kModeOutput);
  files.file_print(1, " 1000", true, true, false);
  files.file_print(1, "AAA", false, false, true);
  files.file_close(1, true);
  ASSERT_EQ(take_error(), 0);
  EXPECT_EQ(read_file(path("out.txt")), " 1000" + std::string(9, ' ') + "AAA\r\n");
}

TEST_F(FilesPrintTest, ThirteenCharacterNumberMovesNextItemToOffset28) {
  open("out.txt", kModeOutput);
  files.file_print(1, " 1.234568E+08", true, true, false);
  files.file_print(1, "AAA", false, false, true);
  files.file_close(1, true);
  std::string bytes = read_file(path("out.txt"));
  EXPECT_EQ(bytes.find("AAA"), 28u);
  EXPECT_EQ(bytes.size(), 33u);
}

TEST_F(FilesPrintTest, TwelveCharacterNumberStillFitsTheFirstZone) {
  open("out.txt", kModeOutput);
  files.file_print(1, " 12345678901", true, true, false);
  files.file_print(1, "X", false, false, true);
  files.file_close(1, true);
  EXPECT_EQ(read_file(path("out.txt")).find('X'), 14u);
}

TEST_F(FilesPrintTest, ZonesContinueAcrossItemsAndRestartAfterLineEnd) {
  open("out.txt", kModeOutput);
  files.file_print(1, "A", false, true, false);  // column 2 -> 3 -> zone at 15
  files.file_print(1, "B", false, true, false);  // column 16 -> 17 -> zone at 29
  files.file_print(1, "C", false, false, true);  // line end: column 1
  files.file_print(1, "D", false, true, true);   // blank, zone, line end
  files.file_close(1, true);
  std::string expected = "A" + std::string(13, ' ') + "B" + std::string(13, ' ') + "C\r\n" + "D" +
                         std::string(13, ' ') + "\r\n";
  EXPECT_EQ(read_file(path("out.txt")), expected);
}

TEST_F(FilesPrintTest, ItemEndingOnAZoneBoundaryStillGetsItsBlank) {
  open("out.txt", kModeOutput);
  files.file_print(1, std::string(13, 'x'), false, true, false);  // column 14 -> 15: on a boundary
  files.file_print(1, "Y", false, false, true);
  files.file_close(1, true);
  EXPECT_EQ(read_file(path("out.txt")), std::string(13, 'x') + " Y\r\n");
}

TEST_F(FilesPrintTest, BytesAreWrittenUnchanged) {
  std::string text("a\0b\xff\x1a", 5);
  open("out.txt", kModeOutput);
  files.file_print(1, text, false, false, false);
  files.file_close(1, true);
  EXPECT_EQ(read_file(path("out.txt")), text);
}

TEST_F(FilesPrintTest, DefaultTableIsTenLinesOfSeventeenCharacters) {
  open("score.txt", kModeOutput);
  for (int i = 1; i <= 10; ++i) {
    files.file_print(1, " " + std::to_string(1100 - 100 * i), true, true, false);
    files.file_print(1, "AAA", false, false, true);
  }
  files.file_close(1, true);
  std::string bytes = read_file(path("score.txt"));
  ASSERT_EQ(bytes.size(), 190u);
  for (size_t line = 0; line < 10; ++line) {
    EXPECT_EQ(bytes.substr(line * 19 + 14, 5), "AAA\r\n") << "line " << line;
  }
  EXPECT_EQ(bytes.substr(0, 19), " 1000" + std::string(9, ' ') + "AAA\r\n");
  EXPECT_EQ(bytes.substr(171, 19), " 100" + std::string(10, ' ') + "AAA\r\n");
}

TEST_F(FilesPrintTest, PrintErrors) {
  files.file_print(1, "x", false, false, true);
  EXPECT_EQ(take_error(), 52);  // not open
  write_file(path("in.txt"), "1\r\n");
  open("in.txt", kModeInput);
  files.file_print(1, "x", false, false, true);
  EXPECT_EQ(take_error(), 54);  // input mode
  files.file_open(path("ro.txt"), kModeOutput, kAccessRead, kLockNone, 2, 0, false);
  ASSERT_EQ(take_error(), 0);
  files.file_print(2, "x", false, false, true);
  EXPECT_EQ(take_error(), 75);  // opened without write access
}

TEST_F(FilesPrintTest, AppendAddsToTheEndInPlace) {
  write_file(path("log.txt"), "old\r\n");
  open("log.txt", kModeAppend);
  files.file_print(1, "new", false, false, true);
  EXPECT_EQ(read_file(path("log.txt")), "old\r\nnew\r\n");  // visible before the close
  files.file_close(1, true);
  EXPECT_EQ(take_error(), 0);
  EXPECT_EQ(read_file(path("log.txt")), "old\r\nnew\r\n");
}

TEST_F(FilesPrintTest, AppendCreatesAMissingFile) {
  open("new.txt", kModeAppend);
  files.file_print(1, "x", false, false, true);
  files.file_close(1, true);
  EXPECT_EQ(take_error(), 0);
  EXPECT_EQ(read_file(path("new.txt")), "x\r\n");
}

// ---- Reading fields ----

using FilesReadTest = FilesFixture;

TEST_F(FilesReadTest, ReadsBackAPrintedLineAndMovesToTheNextLine) {
  open("t.txt", kModeOutput);
  files.file_print(1, " 1000", true, true, false);
  files.file_print(1, "AAA", false, false, true);
  files.file_print(1, " 900", true, true, false);
  files.file_print(1, "BCD", false, false, true);
  files.file_close(1, true);
  open("t.txt", kModeInput);
  EXPECT_EQ(read_number(), 1000);
  EXPECT_EQ(read_string(), "AAA");
  EXPECT_EQ(read_number(), 900);
  EXPECT_EQ(read_string(), "BCD");
  EXPECT_EQ(take_error(), 0);
  EXPECT_EQ(read_number(), 0);
  EXPECT_EQ(take_error(), 62);
}

TEST_F(FilesReadTest, BlanksAroundACommaAreDropped) {
  open_bytes("  12  ,  AB  \r\nnext");
  EXPECT_EQ(read_number(), 12);
  EXPECT_EQ(read_string(), "AB");
  EXPECT_EQ(read_string(), "next");
  EXPECT_EQ(take_error(), 0);
}

TEST_F(FilesReadTest, QuotedFieldKeepsCommasBlanksAndLineEnds) {
  open_bytes("\"A, B\"\r\n\"  x\r\ny  \",z");
  std::string first = read_string();
  EXPECT_EQ(first, "A, B");
  EXPECT_EQ(first.size(), 4u);
  EXPECT_EQ(read_string(), "  x\r\ny  ");
  EXPECT_EQ(read_string(), "z");
  EXPECT_EQ(take_error(), 0);
}

TEST_F(FilesReadTest, TextAfterAClosingQuoteIsSkipped) {
  open_bytes("\"ab\"cd ef,gh\r\n\"unclosed, to the end");
  EXPECT_EQ(read_string(), "ab");
  EXPECT_EQ(read_string(), "gh");
  EXPECT_EQ(read_string(), "unclosed, to the end");
  EXPECT_EQ(take_error(), 0);
}

TEST_F(FilesReadTest, UnquotedFieldLosesLeadingAndTrailingBlanksAndTabs) {
  open_bytes(" \t a b \t ,\t\tc\t\r\n");
  EXPECT_EQ(read_string(), "a b");
  EXPECT_EQ(read_string(), "c");
  EXPECT_EQ(take_error(), 0);
}

TEST_F(FilesReadTest, EachKindOfLineEndCountsOnce) {
  for (std::string end : {"\r", "\n", "\r\n", "\n\r"}) {
    open_bytes("a" + end + "b" + end + end + "c");
    EXPECT_EQ(read_string(), "a") << "line end " << end.size();
    EXPECT_EQ(read_string(), "b");
    EXPECT_EQ(read_string(), "");  // the empty line between the two line ends
    EXPECT_EQ(read_string(), "c");
    EXPECT_EQ(take_error(), 0);
    files.file_close(1, true);
  }
}

TEST_F(FilesReadTest, NumbersEndAtEachKindOfLineEnd) {
  open_bytes("1\r2\n3\r\n4\n\r5");
  for (int expected = 1; expected <= 5; ++expected) EXPECT_EQ(read_number(), expected);
  EXPECT_EQ(take_error(), 0);
}

TEST_F(FilesReadTest, EmptyStringAndErrorPastTheEnd) {
  open_bytes("only");
  EXPECT_EQ(read_string(), "only");
  EXPECT_EQ(read_string(), "");
  EXPECT_EQ(take_error(), 62);
}

TEST_F(FilesReadTest, NumberPastTheEndGivesZeroAnd62) {
  open_bytes("   ");
  EXPECT_EQ(read_number(), 0);
  EXPECT_EQ(take_error(), 62);
}

TEST_F(FilesReadTest, CtrlZEndsTheFile) {
  open_bytes(
      "12,AB\x1a"
      "34,CD");
  EXPECT_EQ(read_number(), 12);
  EXPECT_EQ(read_string(), "AB");
  EXPECT_EQ(read_number(), 0);
  EXPECT_EQ(take_error(), 62);
  EXPECT_EQ(read_string(), "");  // stays at the end
  EXPECT_EQ(take_error(), 62);
}

TEST_F(FilesReadTest, CtrlZInsideAFieldEndsIt) {
  open_bytes(
      "AB\x1a"
      "CD");
  EXPECT_EQ(read_string(), "AB");
  EXPECT_EQ(read_string(), "");
  EXPECT_EQ(take_error(), 62);
}

TEST_F(FilesReadTest, FileStartingWithCtrlZIsAtItsEnd) {
  open_bytes(
      "\x1a"
      "5");
  EXPECT_EQ(read_number(), 0);
  EXPECT_EQ(take_error(), 62);
}

TEST_F(FilesReadTest, HexadecimalAndOctalNumbers) {
  open_bytes("&HfF,&h10 &O17,&o777\r\n&X5,7");
  EXPECT_EQ(read_number(), 255);
  EXPECT_EQ(read_number(), 16);
  EXPECT_EQ(read_number(), 15);
  EXPECT_EQ(read_number(), 511);
  EXPECT_EQ(read_number(), 0);  // an ampersand without H or O is no number; the rest is skipped
  EXPECT_EQ(read_number(), 7);
  EXPECT_EQ(take_error(), 0);
}

TEST_F(FilesReadTest, OctalStopsAtTheFirstNonOctalDigit) {
  open_bytes("&O178,9");
  EXPECT_EQ(read_number(), 15);  // the 8 is skipped with the rest of the field
  EXPECT_EQ(read_number(), 9);
}

TEST_F(FilesReadTest, HexadecimalBeyond64BitsOverflows) {
  open_bytes("&HFFFFFFFFFFFFFFFF,&H10000000000000000,&H0000000000000000001");
  EXPECT_EQ(read_number(NumberType::kExtended), 18446744073709551615.0L);
  EXPECT_EQ(read_number(NumberType::kExtended), 0);
  EXPECT_EQ(take_error(), 6);
  EXPECT_EQ(read_number(NumberType::kExtended), 1);  // leading zeros are not digits that count
}

TEST_F(FilesReadTest, DecimalFormsAndExponents) {
  open_bytes("-12.5,+3,.25,1E3,2e-2,1.5D2,7d+1,-0,5.,1e,-");
  EXPECT_EQ(read_number(NumberType::kDouble), -12.5L);
  EXPECT_EQ(read_number(NumberType::kDouble), 3);
  EXPECT_EQ(read_number(NumberType::kDouble), 0.25L);
  EXPECT_EQ(read_number(NumberType::kDouble), 1000);
  EXPECT_EQ(read_number(NumberType::kDouble), 0.02L);
  EXPECT_EQ(read_number(NumberType::kDouble), 150);
  EXPECT_EQ(read_number(NumberType::kDouble), 70);
  long double minusZero = read_number(NumberType::kDouble);
  EXPECT_EQ(minusZero, 0);
  EXPECT_FALSE(std::signbit(minusZero));
  EXPECT_EQ(read_number(NumberType::kDouble), 5);
  EXPECT_EQ(read_number(NumberType::kDouble), 1);
  EXPECT_EQ(read_number(NumberType::kDouble), 0);
  EXPECT_EQ(take_error(), 0);
}

TEST_F(FilesReadTest, DecimalValuesAreCorrectlyRounded) {
  open_bytes("0.1,123456789012345678901234567890");
  EXPECT_EQ(read_number(NumberType::kExtended), 0.1L);
  EXPECT_EQ(read_number(NumberType::kExtended), 123456789012345678901234567890.0L);
}

TEST_F(FilesReadTest, TextAfterANumberIsSkippedToTheNextSeparator) {
  open_bytes("12abc,34 xyz\r\n56");
  EXPECT_EQ(read_number(), 12);
  EXPECT_EQ(read_number(), 34);
  // Blanks after 34 are skipped and "xyz" starts the next field.
  EXPECT_EQ(read_string(), "xyz");
  EXPECT_EQ(read_number(), 56);
  EXPECT_EQ(take_error(), 0);
}

TEST_F(FilesReadTest, TabsAreNotSkippedBeforeANumber) {
  open_bytes("\t5,6");
  EXPECT_EQ(read_number(), 0);  // the tab is not part of a number; the field is skipped
  EXPECT_EQ(read_number(), 6);
  EXPECT_EQ(take_error(), 0);
}

TEST_F(FilesReadTest, OnlySignificantDigitsCount) {
  // 300 digits: the first 256 set the mantissa, the rest only the magnitude.
  std::string digits = "1" + std::string(299, '0');
  std::string fraction = "0." + std::string(100, '0') + "1" + std::string(300, '7');
  open_bytes(digits + "," + fraction + ",1" + std::string(400, '0') + "E-400");
  EXPECT_EQ(read_number(NumberType::kExtended), 1e299L);
  long double small = read_number(NumberType::kExtended);
  EXPECT_NEAR(static_cast<double>(small / 1.777777e-101L), 1.0, 1e-6);
  EXPECT_EQ(read_number(NumberType::kExtended), 1);
  EXPECT_EQ(take_error(), 0);
}

TEST_F(FilesReadTest, OnlyEighteenExponentDigitsCount) {
  open_bytes("1E0000000000000000000003,1E-1234567890123456789,1E1234567890123456789");
  EXPECT_EQ(read_number(), 1000);
  EXPECT_EQ(read_number(), 0);  // far below the smallest value
  EXPECT_EQ(read_number(NumberType::kExtended), 0);
  EXPECT_EQ(take_error(), 6);
}

TEST_F(FilesReadTest, SinglePrecisionOverflowGivesErrorSixAndZero) {
  open_bytes("3.4028234E38,3.4028236E38,-1E39,1D300");
  EXPECT_NEAR(static_cast<double>(read_number()), 3.4028234e38, 1e31);
  EXPECT_EQ(take_error(), 0);
  EXPECT_EQ(read_number(), 0);
  EXPECT_EQ(take_error(), 6);
  EXPECT_EQ(read_number(), 0);
  EXPECT_EQ(take_error(), 6);
  EXPECT_EQ(read_number(NumberType::kDouble), 1e300L);  // fits a double
  EXPECT_EQ(take_error(), 0);
}

TEST_F(FilesReadTest, OverflowLeavesTheNextFieldReadable) {
  open_bytes("1E40,7\r\n");
  EXPECT_EQ(read_number(), 0);
  EXPECT_EQ(take_error(), 6);
  EXPECT_EQ(read_number(), 7);
}

TEST_F(FilesReadTest, IntegerTypesRoundTiesToEvenAndCheckTheirRange) {
  open_bytes("2.5,3.5,-2.5,32767.4,32767.5,-32768,2147483647,2147483648,-9223372036854775808");
  EXPECT_EQ(read_number(NumberType::kInt16), 2);
  EXPECT_EQ(read_number(NumberType::kInt16), 4);
  EXPECT_EQ(read_number(NumberType::kInt16), -2);
  EXPECT_EQ(read_number(NumberType::kInt16), 32767);
  EXPECT_EQ(read_number(NumberType::kInt16), 0);
  EXPECT_EQ(take_error(), 6);
  EXPECT_EQ(read_number(NumberType::kInt16), -32768);
  EXPECT_EQ(read_number(NumberType::kInt32), 2147483647);
  EXPECT_EQ(read_number(NumberType::kInt32), 0);
  EXPECT_EQ(take_error(), 6);
  EXPECT_EQ(read_number(NumberType::kInt64), -0x1p63L);
  EXPECT_EQ(take_error(), 0);
}

TEST_F(FilesReadTest, ReadErrorsForWrongModesAndNumbers) {
  read_number();
  EXPECT_EQ(take_error(), 52);
  EXPECT_EQ(read_string(), "unchanged");
  EXPECT_EQ(take_error(), 52);
  open("out.txt", kModeOutput);
  read_number();
  EXPECT_EQ(take_error(), 54);
  write_file(path("in.txt"), "1");
  files.file_open(path("in.txt"), kModeInput, kAccessWrite, kLockNone, 2, 0, false);
  ASSERT_EQ(take_error(), 0);
  EXPECT_EQ(read_string(2), "unchanged");
  EXPECT_EQ(take_error(), 75);
}

TEST(FileFieldsTest, StreamRefillsAcrossSmallBuffers) {
  std::string data = "\"quoted, across\"  ,  123.5E1 ,\r\nlast";
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
  NumberField number = read_number_field(in);
  EXPECT_EQ(number.value, 1235);
  ASSERT_TRUE(read_string_field(in, field));
  EXPECT_EQ(field, "");
  ASSERT_TRUE(read_string_field(in, field));
  EXPECT_EQ(field, "last");
  EXPECT_FALSE(read_string_field(in, field));
}

TEST(FileFieldsTest, StreamReportsAReadFailureOnce) {
  InputStream in([](char*, size_t) -> long { return -EIO; });
  EXPECT_TRUE(read_number_field(in).atEnd);
  EXPECT_EQ(in.take_error(), EIO);
  EXPECT_EQ(in.take_error(), 0);
}

// ---- Opening and closing ----

using FilesOpenTest = FilesFixture;

TEST_F(FilesOpenTest, MissingFileForInputIs53AndOutputCreatesIt) {
  open("none.txt", kModeInput);
  EXPECT_EQ(take_error(), 53);
  EXPECT_FALSE(files.is_open(1));
  open("none.txt", kModeOutput);
  EXPECT_EQ(take_error(), 0);
  files.file_close(1, true);
  EXPECT_TRUE(std::filesystem::exists(path("none.txt")));
  EXPECT_EQ(read_file(path("none.txt")), "");
}

TEST_F(FilesOpenTest, NumberInUseIs55AndBadNumbersAre52) {
  open("a.txt", kModeOutput);
  open("b.txt", kModeOutput);
  EXPECT_EQ(take_error(), 55);
  EXPECT_FALSE(std::filesystem::exists(path("b.txt")));
  open("b.txt", kModeOutput, 0);
  EXPECT_EQ(take_error(), 52);
  open("b.txt", kModeOutput, -1);
  EXPECT_EQ(take_error(), 52);
  open("b.txt", kModeOutput, 2147483647);  // any positive number works, however large
  EXPECT_EQ(take_error(), 0);
  EXPECT_TRUE(files.is_open(2147483647));
}

TEST_F(FilesOpenTest, MissingDirectoryIs76) {
  open("nodir/x.txt", kModeInput);
  EXPECT_EQ(take_error(), 76);
  open("nodir/x.txt", kModeOutput);
  EXPECT_EQ(take_error(), 76);
  open("nodir/x.txt", kModeAppend);
  EXPECT_EQ(take_error(), 76);
  write_file(path("plain"), "");
  open("plain/x.txt", kModeOutput);  // a file where a directory should be
  EXPECT_EQ(take_error(), 76);
}

TEST_F(FilesOpenTest, BadNamesAre64) {
  files.file_open("", kModeInput, 0, 0, 1, 0, false);
  EXPECT_EQ(take_error(), 64);
  files.file_open(path(std::string("a\0b", 3)), kModeOutput, 0, 0, 1, 0, false);
  EXPECT_EQ(take_error(), 64);
  open(std::string(300, 'n'), kModeOutput);
  EXPECT_EQ(take_error(), 64);
  open(std::string(300, 'n'), kModeInput);
  EXPECT_EQ(take_error(), 64);
}

TEST_F(FilesOpenTest, DirectoryIsPermissionDenied) {
  std::filesystem::create_directory(path("d"));
  for (int32_t mode : {kModeInput, kModeOutput, kModeAppend, kModeRandom}) {
    open("d", mode);
    EXPECT_EQ(take_error(), 70) << "mode " << mode;
  }
}

TEST_F(FilesOpenTest, UnwritableFileOrDirectoryIs70AtOpen) {
  // Kernel attribute files refuse writing even to root; a non-root user also meets mode bits.
  const std::string attribute = "/sys/devices/system/cpu/online";
  if (!std::filesystem::exists(attribute)) GTEST_SKIP() << "no " << attribute;
  files.file_open(attribute, kModeOutput, 0, 0, 1, 0, false);
  EXPECT_EQ(take_error(), 70);
  files.file_open("/sys/devices/system/cpu/kelvo-new.txt", kModeOutput, 0, 0, 1, 0, false);
  EXPECT_EQ(take_error(), 70);
  EXPECT_EQ(read_file(attribute).empty(), false);
}

TEST_F(FilesOpenTest, ReadOnlyModeBitsAre70ForOrdinaryUsers) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes whatever the mode bits say";
  write_file(path("ro.txt"), "keep");
  ::chmod(path("ro.txt").c_str(), 0444);
  open("ro.txt", kModeOutput);
  EXPECT_EQ(take_error(), 70);
  std::filesystem::create_directory(path("rodir"));
  ::chmod(path("rodir").c_str(), 0555);
  open("rodir/x.txt", kModeOutput);
  EXPECT_EQ(take_error(), 70);
  ::chmod(path("rodir").c_str(), 0755);
  EXPECT_EQ(read_file(path("ro.txt")), "keep");
}

TEST_F(FilesOpenTest, BadModeAccessOrLockIs5) {
  open("a.txt", 6);
  EXPECT_EQ(take_error(), 5);
  files.file_open(path("a.txt"), kModeOutput, 4, 0, 1, 0, false);
  EXPECT_EQ(take_error(), 5);
  files.file_open(path("a.txt"), kModeOutput, 0, -1, 1, 0, false);
  EXPECT_EQ(take_error(), 5);
}

TEST_F(FilesOpenTest, ModeZeroIsRandomWhichCreatesButRefusesPrintAndInput) {
  open("r.bin", 0);
  EXPECT_EQ(take_error(), 0);
  EXPECT_TRUE(std::filesystem::exists(path("r.bin")));
  files.file_print(1, "x", false, false, false);
  EXPECT_EQ(take_error(), 54);
  read_number();
  EXPECT_EQ(take_error(), 54);
}

TEST_F(FilesOpenTest, LockedFileCannotBeLockedAgain) {
  write_file(path("l.txt"), "1");
  files.file_open(path("l.txt"), kModeInput, 0, kLockReadWrite, 1, 0, false);
  EXPECT_EQ(take_error(), 0);
  files.file_open(path("l.txt"), kModeInput, 0, kLockReadWrite, 2, 0, false);
  EXPECT_EQ(take_error(), 70);
  files.file_open(path("l.txt"), kModeInput, 0, kLockNone, 2, 0, false);  // no lock: shared
  EXPECT_EQ(take_error(), 0);
}

TEST_F(FilesOpenTest, ClosingOneOrAllAndClosingWhatIsNotOpen) {
  open("a.txt", kModeOutput, 1);
  open("b.txt", kModeOutput, 3);
  files.file_close(2, true);  // not open: nothing happens
  files.file_close(-5, true);
  EXPECT_EQ(take_error(), 0);
  files.file_close(1, true);
  EXPECT_FALSE(files.is_open(1));
  EXPECT_TRUE(files.is_open(3));
  open("c.txt", kModeOutput, 1);
  files.file_close(0, false);
  EXPECT_FALSE(files.is_open(1));
  EXPECT_FALSE(files.is_open(3));
  EXPECT_TRUE(std::filesystem::exists(path("b.txt")));
  EXPECT_TRUE(std::filesystem::exists(path("c.txt")));
  EXPECT_EQ(take_error(), 0);
}

TEST_F(FilesOpenTest, TraceNamesOpensAndCloses) {
  open("a.txt", kModeOutput, 1);
  open("b.txt", kModeAppend, 2);
  files.file_close(1, true);
  files.file_close(0, false);
  std::vector<std::string> expected = {"file_open " + path("a.txt") + " 4",
                                       "file_open " + path("b.txt") + " 5", "file_close 1",
                                       "file_close 2"};
  EXPECT_EQ(traceLines, expected);
}

TEST_F(FilesOpenTest, NothingHappensWhileAnErrorIsPending) {
  write_file(path("in.txt"), "5,AB");
  open("in.txt", kModeInput, 1);
  open("out.txt", kModeOutput, 2);
  errors.raise_error(11);
  traceLines.clear();
  open("other.txt", kModeOutput, 3);
  files.file_print(2, "x", false, false, true);
  EXPECT_EQ(read_number(), 0);
  EXPECT_EQ(read_string(), "unchanged");
  files.file_close(0, false);
  EXPECT_TRUE(traceLines.empty());
  EXPECT_FALSE(files.is_open(3));
  EXPECT_TRUE(files.is_open(1));
  EXPECT_EQ(take_error(), 11);
  EXPECT_EQ(read_number(), 5);  // nothing was consumed meanwhile
  files.file_close(2, true);
  EXPECT_EQ(read_file(path("out.txt")), "");
}

TEST(FilesErrorMapTest, OpenFailuresMapToTheirCodes) {
  EXPECT_EQ(open_error_code(ENOENT, true), 53);
  EXPECT_EQ(open_error_code(ENOENT, false), 76);
  EXPECT_EQ(open_error_code(ENOTDIR, true), 76);
  for (int err : {EACCES, EPERM, EROFS, ETXTBSY, EISDIR, EWOULDBLOCK}) {
    EXPECT_EQ(open_error_code(err, true), 70) << err;
  }
  for (int err : {ENAMETOOLONG, EINVAL}) EXPECT_EQ(open_error_code(err, true), 64) << err;
  for (int err : {EIO, ENXIO, ENODEV}) EXPECT_EQ(open_error_code(err, true), 68) << err;
  for (int err : {EMFILE, ELOOP, ENOSPC}) EXPECT_EQ(open_error_code(err, true), 53) << err;
}

TEST(FilesErrorMapTest, WriteFailuresMapToTheirCodes) {
  EXPECT_EQ(io_error_code(EBADF), 258);
  EXPECT_EQ(io_error_code(EINVAL), 5);
  EXPECT_EQ(io_error_code(EACCES), 70);
  EXPECT_EQ(io_error_code(ENOSPC), 75);
  EXPECT_EQ(io_error_code(EIO), 75);
}

// ---- Replacing output files whole ----

using FilesSaveTest = FilesFixture;

TEST_F(FilesSaveTest, OldContentsStayUntilTheClose) {
  write_file(path("score.txt"), "old table\r\n");
  open("score.txt", kModeOutput);
  files.file_print(1, "new table", false, false, true);
  EXPECT_EQ(read_file(path("score.txt")), "old table\r\n");
  files.file_close(1, true);
  EXPECT_EQ(take_error(), 0);
  EXPECT_EQ(read_file(path("score.txt")), "new table\r\n");
  EXPECT_EQ(names_in(dir.path()), std::vector<std::string>{"score.txt"});
}

TEST_F(FilesSaveTest, NextOpenerSeesTheNewContents) {
  write_file(path("score.txt"), " 1 A\r\n");
  open("score.txt", kModeOutput);
  files.file_print(1, " 2", true, true, false);
  files.file_print(1, "B", false, false, true);
  files.file_close(1, true);
  open("score.txt", kModeInput);
  EXPECT_EQ(read_number(), 2);
  EXPECT_EQ(read_string(), "B");
}

TEST_F(FilesSaveTest, OutputKeepsTheModeBitsOfTheOldFile) {
  write_file(path("score.txt"), "old");
  ::chmod(path("score.txt").c_str(), 0640);
  open("score.txt", kModeOutput);
  files.file_close(1, true);
  struct stat st {};
  ASSERT_EQ(::stat(path("score.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(read_file(path("score.txt")), "");
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

TEST_F(FilesSaveTest, DeviceTargetsAreWrittenInPlace) {
  files.file_open("/dev/null", kModeOutput, 0, 0, 1, 0, false);
  files.file_print(1, "discarded", false, false, true);
  files.file_close(1, true);
  EXPECT_EQ(take_error(), 0);
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
}

TEST_F(FilesSaveTest, FullDeviceGives75) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  files.file_open("/dev/full", kModeOutput, 0, 0, 1, 0, false);
  ASSERT_EQ(take_error(), 0);
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
  EXPECT_EQ(names_in(dir.path()), std::vector<std::string>{"score.txt"});
}

TEST_F(FilesSaveTest, DroppedNamedNewContentsLeaveNothingBehind) {
  host::Replacement::allow_unnamed_files(false);
  write_file(path("score.txt"), "old");
  {
    host::Replacement replacement;
    ASSERT_EQ(replacement.begin(path("score.txt")), 0);
    ASSERT_EQ(host::write_all(replacement.fd(), "x", 1), 0);
  }
  host::Replacement::allow_unnamed_files(true);
  EXPECT_EQ(names_in(dir.path()), std::vector<std::string>{"score.txt"});
  EXPECT_EQ(read_file(path("score.txt")), "old");
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

TEST_F(FilesSaveTest, TwoWritersOfOneFileLastCloseWins) {
  open("s.txt", kModeOutput, 1);
  open("s.txt", kModeOutput, 2);
  files.file_print(1, "one", false, false, false);
  files.file_print(2, "two", false, false, false);
  files.file_close(2, true);
  EXPECT_EQ(read_file(path("s.txt")), "two");
  files.file_close(1, true);
  EXPECT_EQ(read_file(path("s.txt")), "one");
  EXPECT_EQ(take_error(), 0);
}

// ---- Large and hostile contents ----

using FilesLargeTest = FilesFixture;

long peak_rss_kib() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// Writes `count` copies of `chunk` to a file without holding them all in memory.
void write_repeated(const std::string& file, const std::string& chunk, size_t count,
                    const std::string& tail) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  for (size_t i = 0; i < count; ++i)
    out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
  out << tail;
}

TEST_F(FilesLargeTest, VeryLongLineReadsAsOneString) {
  std::string line(3'000'000, 'Q');
  open_bytes(line + "\r\n42");
  EXPECT_EQ(read_string(), line);
  EXPECT_EQ(read_number(), 42);
  EXPECT_EQ(take_error(), 0);
}

TEST_F(FilesLargeTest, TenMegabyteNumberIsReadInBoundedMemory) {
  write_repeated(path("big.txt"), std::string(65536, '9'), 160, "\r\n5");
  long before = peak_rss_kib();
  open("big.txt", kModeInput);
  EXPECT_EQ(read_number(NumberType::kExtended), 0);  // about 1E10485760
  EXPECT_EQ(take_error(), 6);
  EXPECT_EQ(read_number(), 5);
  EXPECT_LT(peak_rss_kib() - before, 16 * 1024);
}

TEST_F(FilesLargeTest, TenMegabytesOfFieldsAreReadInBoundedMemory) {
  write_repeated(path("big.txt"), "123456789.123456789E-3,  ABCDEFGH  \r\n", 280'000, "");
  long before = peak_rss_kib();
  open("big.txt", kModeInput);
  size_t rows = 0;
  while (true) {
    long double value = read_number(NumberType::kDouble);
    if (take_error() != 0) break;
    ASSERT_EQ(value, 123456.789123456789L);
    ASSERT_EQ(read_string(), "ABCDEFGH");
    ++rows;
  }
  EXPECT_EQ(rows, 280'000u);
  EXPECT_LT(peak_rss_kib() - before, 16 * 1024);
}

TEST_F(FilesLargeTest, BlanksBeforeANumberAreSkippedAcrossBuffers) {
  write_repeated(path("big.txt"), std::string(65536, ' '), 20, "17");
  open("big.txt", kModeInput);
  EXPECT_EQ(read_number(), 17);
}

TEST_F(FilesLargeTest, BinaryNoiseEndsWithoutCrashing) {
  std::mt19937 random(12345);
  std::string noise(1 << 20, '\0');
  for (char& byte : noise) byte = static_cast<char>(random() % 27 == 0 ? 26 + 1 : random() & 0xff);
  open_bytes(noise);
  // Every field read consumes at least one byte, so the reads end within the file's size.
  size_t reads = 0;
  bool ended = false;
  while (!ended && reads <= noise.size() + 2) {
    if (reads % 2 == 0) {
      read_number(static_cast<NumberType>(reads / 2 % 6));
    } else {
      read_string();
    }
    ++reads;
    int code = take_error();
    ASSERT_TRUE(code == 0 || code == 6 || code == 62) << code;
    ended = code == 62;
  }
  EXPECT_TRUE(ended);
}

}  // namespace
}  // namespace kelvo::files_test
