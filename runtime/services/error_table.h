// The runtime's numbered errors: their messages and the critical ones that end the process.
#pragma once

#include <string>
#include <string_view>

namespace kelvo {

// The dialog message of an error code; "Unprintable error" for codes without one.
std::string_view error_message(int code);

// Critical errors end the process at once and are never pending.
bool is_critical(int code);
std::string critical_error_title(int code);
std::string critical_error_text(int code);

}  // namespace kelvo
