// The executable's directory and the local time of day, as the operating system gives them, and
// the parsing of times of day.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kelvo {

// The directory part of a full path: cut at the last "\", "/" or ":" (a colon is kept, a slash
// is removed). Empty when there is no separator.
std::string directory_of(const std::string& path);

// The running executable's directory, read from /proc/self/exe.
std::optional<std::string> executable_directory();

// Milliseconds since local midnight now, exact to the millisecond; nullopt without a local time.
std::optional<uint32_t> local_ms_of_day();

// Parses "HH:MM:SS" or "HH:MM:SS.mmm" into milliseconds since midnight.
std::optional<uint32_t> parse_time_of_day(const std::string& text);

}  // namespace kelvo
