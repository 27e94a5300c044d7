// Linux versions of the executable-path and local-time queries.
#include "platform/system_queries.h"

#include <sys/time.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <vector>

namespace kelvo {

std::string directory_of(const std::string& path) {
  const size_t at = path.find_last_of("\\/:");
  if (at == std::string::npos) return {};
  return path[at] == ':' ? path.substr(0, at + 1) : path.substr(0, at);
}

std::optional<std::string> executable_directory() {
  std::vector<char> buffer(4096);
  const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (n <= 0) return std::nullopt;
  const std::string dir = directory_of(std::string(buffer.data(), static_cast<size_t>(n)));
  if (dir.empty()) return std::nullopt;
  return dir;
}

std::optional<uint32_t> local_ms_of_day() {
  timeval now{};
  if (gettimeofday(&now, nullptr) != 0) return std::nullopt;
  tm local{};
  const time_t seconds = now.tv_sec;
  if (!localtime_r(&seconds, &local)) return std::nullopt;
  return static_cast<uint32_t>((local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) * 1000 +
                               now.tv_usec / 1000);
}

std::optional<uint32_t> parse_time_of_day(const std::string& text) {
  unsigned h = 0, m = 0, s = 0;
  int used = 0;
  if (std::sscanf(text.c_str(), "%2u:%2u:%2u%n", &h, &m, &s, &used) != 3 || h > 23 || m > 59 ||
      s > 59) {
    return std::nullopt;
  }
  uint32_t ms = 0;
  size_t at = static_cast<size_t>(used);
  if (at < text.size() && text[at] == '.') {
    const std::string fraction = text.substr(at + 1);
    if (fraction.empty() || fraction.size() > 3 ||
        fraction.find_first_not_of("0123456789") != std::string::npos) {
      return std::nullopt;
    }
    ms = static_cast<uint32_t>(std::stoul((fraction + "00").substr(0, 3)));
    at = text.size();
  }
  if (at != text.size()) return std::nullopt;
  return static_cast<uint32_t>(((h * 60 + m) * 60 + s) * 1000 + ms);
}

}  // namespace kelvo
