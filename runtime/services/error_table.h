// The runtime's error codes: their messages, the critical ones, and the texts of both dialogs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kelvo {

// The message shown for an error code; "Unprintable error" for codes without one.
std::string_view error_message(int code);

// Critical errors end the process after their box and are never pending.
bool is_critical(int code);

struct CriticalErrorText {
  std::string title;  // "Critical Error" or "Critical Error #N"
  std::string text;
};

// Title and text of a critical error's box; nothing for other codes.
std::optional<CriticalErrorText> critical_error_text(int code);

// "Unhandled Error #" and the code.
std::string error_dialog_title(int code);

// "Line:" and the line, the message, then "Continue?", one per line.
std::string error_dialog_text(int code, uint32_t line);

}  // namespace kelvo
