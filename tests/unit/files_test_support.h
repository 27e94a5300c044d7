// Helpers shared by the sequential-file tests: a scratch directory, whole-file reads and writes,
// and a Files instance whose errors can be taken one at a time.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "runtime/services/errors.h"
#include "runtime/services/files.h"
#include "runtime/services/wait_hub.h"

namespace kelvo::files_test {

// A fresh directory under the system's temporary directory, removed with everything in it.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kelvo-files-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

inline void write_file(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The names in a directory, sorted.
inline std::vector<std::string> names_in(const std::string& directory) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Errors, trace lines and a Files instance wired together, in a scratch directory.
class FilesFixture : public ::testing::Test {
 protected:
  FilesFixture() {
    errors.set_dialog([](int, uint32_t, const std::string&, const std::string&) { return true; });
  }

  // The pending error code (0 when none), cleared as the user's "continue" would clear it.
  int take_error() {
    int code = errors.pending();
    if (code != 0) errors.statement_event(1);
    return code;
  }

  std::string path(const std::string& name) const { return dir.file(name); }

  void open(const std::string& name, int32_t mode, int32_t number = 1) {
    files.file_open(path(name), mode, kAccessAny, kLockNone, number, 0, false);
  }

  // Opens `bytes` as file 1 for input.
  void open_bytes(const std::string& bytes) {
    write_file(path("in.txt"), bytes);
    open("in.txt", kModeInput);
    ASSERT_EQ(take_error(), 0);
  }

  std::string read_string(int32_t number = 1) {
    std::string value = "unchanged";
    files.file_input_string(number, value);
    return value;
  }

  long double read_number(NumberType type = NumberType::kSingle, int32_t number = 1) {
    return files.file_input_number(number, type);
  }

  TempDir dir;
  WaitHub hub;
  Errors errors{hub};
  std::vector<std::string> traceLines;
  Files files{errors, [this](const std::string& line) { traceLines.push_back(line); }};
};

}  // namespace kelvo::files_test
