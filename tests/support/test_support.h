// Helpers shared by the tests: temporary directories, file reading, headless program runs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kelvo::test {

// A fresh empty directory under the system's temporary directory, removed with the object.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& text);
std::vector<std::string> read_lines(const std::string& path);

// Runs the kelvo program with these arguments; returns its exit status and its standard error.
struct ProcessResult {
  int status = -1;
  std::string errorOutput;
};
ProcessResult run_kelvo(const std::vector<std::string>& args, double timeoutSeconds = 120);

}  // namespace kelvo::test
