// Writes trace lines, serialised between threads.
#include "runtime/services/trace.h"

namespace kelvo {

Trace::~Trace() {
  close();
}

bool Trace::open(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  file_ = std::fopen(path.c_str(), "w");
  // Whole lines at once, so that a trace can be followed while the program runs.
  if (file_) std::setvbuf(file_, nullptr, _IOLBF, 0);
  return file_ != nullptr;
}

void Trace::event(std::string_view name, std::string_view arguments) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!file_) return;
  std::fprintf(file_, "%u %.*s", frame_.load(), static_cast<int>(name.size()), name.data());
  if (!arguments.empty()) {
    std::fprintf(file_, " %.*s", static_cast<int>(arguments.size()), arguments.data());
  }
  std::fputc('\n', file_);
}

void Trace::close() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (file_) std::fclose(file_);
  file_ = nullptr;
}

std::string exact_double(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

}  // namespace kelvo
