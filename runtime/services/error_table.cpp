// The table of error codes and messages.
#include "runtime/services/error_table.h"

#include <algorithm>
#include <iterator>

namespace kelvo {
namespace {

struct ErrorEntry {
  int code;
  std::string_view message;
};

constexpr ErrorEntry kErrors[] = {
    {1, "NEXT without FOR"},
    {2, "Syntax error"},
    {3, "RETURN without GOSUB"},
    {4, "Out of DATA"},
    {5, "Illegal function call"},
    {6, "Overflow"},
    {7, "Out of memory"},
    {8, "Label not defined"},
    {9, "Subscript out of range"},
    {10, "Duplicate definition"},
    {11, "Division by zero"},
    {12, "Illegal in direct mode"},
    {13, "Type mismatch"},
    {14, "Out of string space"},
    {16, "String formula too complex"},
    {17, "Cannot continue"},
    {18, "Function not defined"},
    {19, "No RESUME"},
    {20, "RESUME without error"},
    {24, "Device timeout"},
    {25, "Device fault"},
    {26, "FOR without NEXT"},
    {27, "Out of paper"},
    {29, "WHILE without WEND"},
    {30, "WEND without WHILE"},
    {33, "Duplicate label"},
    {35, "Subprogram not defined"},
    {37, "Argument-count mismatch"},
    {38, "Array not defined"},
    {40, "Variable required"},
    {50, "FIELD overflow"},
    {51, "Internal error"},
    {52, "Bad file name or number"},
    {53, "File not found"},
    {54, "Bad file mode"},
    {55, "File already open"},
    {56, "FIELD statement active"},
    {57, "Device I/O error"},
    {58, "File already exists"},
    {59, "Bad record length"},
    {61, "Disk full"},
    {62, "Input past end of file"},
    {63, "Bad record number"},
    {64, "Bad file name"},
    {67, "Too many files"},
    {68, "Device unavailable"},
    {69, "Communication-buffer overflow"},
    {70, "Permission denied"},
    {71, "Disk not ready"},
    {72, "Disk-media error"},
    {73, "Feature unavailable"},
    {74, "Rename across disks"},
    {75, "Path/File access error"},
    {76, "Path not found"},
    {258, "Invalid handle"},
};

struct CriticalEntry {
  int code;
  std::string_view title;
  std::string_view text;
};

constexpr CriticalEntry kCritical[] = {
    {256, "Critical Error", "Out of stack space"},
    {257, "Critical Error #1", "Out of memory"},
    {259, "Critical Error", "Cannot find dynamic library file"},
    {260, "Critical Error", "Sub/Function does not exist in dynamic library"},
};

// Codes 502 to 517 are the runtime's allocation failures, numbered in their titles from 2.
constexpr int kFirstAllocationFailure = 502;
constexpr int kLastAllocationFailure = 517;

const CriticalEntry* find_critical(int code) {
  const auto* it = std::find_if(std::begin(kCritical), std::end(kCritical),
                                [code](const CriticalEntry& e) { return e.code == code; });
  return it == std::end(kCritical) ? nullptr : it;
}

bool is_allocation_failure(int code) {
  return code >= kFirstAllocationFailure && code <= kLastAllocationFailure;
}

}  // namespace

std::string_view error_message(int code) {
  const auto* it = std::find_if(std::begin(kErrors), std::end(kErrors),
                                [code](const ErrorEntry& e) { return e.code == code; });
  return it == std::end(kErrors) ? "Unprintable error" : it->message;
}

bool is_critical(int code) {
  return find_critical(code) != nullptr || is_allocation_failure(code);
}

std::string critical_error_title(int code) {
  if (is_allocation_failure(code)) return "Critical Error #" + std::to_string(code - 500);
  const CriticalEntry* e = find_critical(code);
  return e ? std::string(e->title) : std::string();
}

std::string critical_error_text(int code) {
  if (is_allocation_failure(code)) return "Out of memory";
  const CriticalEntry* e = find_critical(code);
  return e ? std::string(e->text) : std::string();
}

}  // namespace kelvo
