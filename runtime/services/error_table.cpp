// Lookups over the one table of error messages and the one table of critical errors.
#include "runtime/services/error_table.h"

#include <algorithm>
#include <array>

namespace kelvo {
namespace {

struct Message {
  int code;
  std::string_view text;
};

// Sorted by code, so lookups can bisect.
constexpr std::array kMessages{
    Message{1, "NEXT without FOR"},
    Message{2, "Syntax error"},
    Message{3, "RETURN without GOSUB"},
    Message{4, "Out of DATA"},
    Message{5, "Illegal function call"},
    Message{6, "Overflow"},
    Message{7, "Out of memory"},
    Message{8, "Label not defined"},
    Message{9, "Subscript out of range"},
    Message{10, "Duplicate definition"},
    Message{11, "Division by zero"},
    Message{12, "Illegal in direct mode"},
    Message{13, "Type mismatch"},
    Message{14, "Out of string space"},
    Message{16, "String formula too complex"},
    Message{17, "Cannot continue"},
    Message{18, "Function not defined"},
    Message{19, "No RESUME"},
    Message{20, "RESUME without error"},
    Message{24, "Device timeout"},
    Message{25, "Device fault"},
    Message{26, "FOR without NEXT"},
    Message{27, "Out of paper"},
    Message{29, "WHILE without WEND"},
    Message{30, "WEND without WHILE"},
    Message{33, "Duplicate label"},
    Message{35, "Subprogram not defined"},
    Message{37, "Argument-count mismatch"},
    Message{38, "Array not defined"},
    Message{40, "Variable required"},
    Message{50, "FIELD overflow"},
    Message{51, "Internal error"},
    Message{52, "Bad file name or number"},
    Message{53, "File not found"},
    Message{54, "Bad file mode"},
    Message{55, "File already open"},
    Message{56, "FIELD statement active"},
    Message{57, "Device I/O error"},
    Message{58, "File already exists"},
    Message{59, "Bad record length"},
    Message{61, "Disk full"},
    Message{62, "Input past end of file"},
    Message{63, "Bad record number"},
    Message{64, "Bad file name"},
    Message{67, "Too many files"},
    Message{68, "Device unavailable"},
    Message{69, "Communication-buffer overflow"},
    Message{70, "Permission denied"},
    Message{71, "Disk not ready"},
    Message{72, "Disk-media error"},
    Message{73, "Feature unavailable"},
    Message{74, "Rename across disks"},
    Message{75, "Path/File access error"},
    Message{76, "Path not found"},
    Message{258, "Invalid handle"},
};

static_assert(std::is_sorted(kMessages.begin(), kMessages.end(),
                             [](const Message& a, const Message& b) { return a.code < b.code; }));

// A run of critical codes sharing one text. With a numberBase the title carries
// "#" and code - numberBase, so 257 is "#1" and 502..517 are "#2".."#17".
struct CriticalRange {
  int first;
  int last;
  int numberBase;  // 0: the title has no number
  std::string_view text;
};

constexpr std::array kCritical{
    CriticalRange{256, 256, 0, "Out of stack space"},
    CriticalRange{257, 257, 256, "Out of memory"},
    CriticalRange{259, 259, 0, "Cannot find dynamic library file"},
    CriticalRange{260, 260, 0, "Sub/Function does not exist in dynamic library"},
    CriticalRange{502, 517, 500, "Out of memory"},
};

const CriticalRange* find_critical(int code) {
  const auto it = std::find_if(kCritical.begin(), kCritical.end(), [code](const CriticalRange& r) {
    return code >= r.first && code <= r.last;
  });
  return it == kCritical.end() ? nullptr : &*it;
}

}  // namespace

std::string_view error_message(int code) {
  const auto it = std::lower_bound(kMessages.begin(), kMessages.end(), code,
                                   [](const Message& m, int c) { return m.code < c; });
  if (it == kMessages.end() || it->code != code) return "Unprintable error";
  return it->text;
}

bool is_critical(int code) {
  return find_critical(code) != nullptr;
}

std::optional<CriticalErrorText> critical_error_text(int code) {
  const CriticalRange* range = find_critical(code);
  if (range == nullptr) return std::nullopt;
  std::string title = "Critical Error";
  if (range->numberBase != 0) title += " #" + std::to_string(code - range->numberBase);
  return CriticalErrorText{std::move(title), std::string(range->text)};
}

std::string error_dialog_title(int code) {
  return "Unhandled Error #" + std::to_string(code);
}

std::string error_dialog_text(int code, uint32_t line) {
  return "Line:" + std::to_string(line) + "\n" + std::string(error_message(code)) + "\nContinue?";
}

}  // namespace kelvo
