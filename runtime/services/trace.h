// The event trace: one line per runtime event, prefixed by the frame number.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>

namespace kelvo {

class Trace {
 public:
  explicit Trace(const std::atomic<uint32_t>& frame) : frame_(frame) {}
  ~Trace();
  Trace(const Trace&) = delete;
  Trace& operator=(const Trace&) = delete;

  // Starts writing to `path`; false when it cannot be created.
  bool open(const std::string& path);
  bool enabled() const { return file_ != nullptr; }
  // Writes "FRAME EVENT ARGUMENTS"; does nothing when no trace file is open.
  void event(std::string_view name, std::string_view arguments = {});
  void close();

 private:
  const std::atomic<uint32_t>& frame_;
  std::mutex mutex_;
  std::FILE* file_ = nullptr;
};

// A double written with 17 significant digits, so that it reads back as the same value.
std::string exact_double(double value);

}  // namespace kelvo
