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
#define KELVO_MESSAGE(name, code, text) Message{name, text},
constexpr std::array kMessages{KELVO_REPORTED_ERRORS(KELVO_MESSAGE)};
#undef KELVO_MESSAGE

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

#define KELVO_CRITICAL(name, first, last, titleNumber, text) \
  CriticalRange{first, last, titleNumber == 0 ? 0 : first - titleNumber, text},
constexpr std::array kCritical{KELVO_CRITICAL_ERRORS(KELVO_CRITICAL)};
#undef KELVO_CRITICAL

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
