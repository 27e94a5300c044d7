// A Files instance in a scratch directory whose errors can be taken one at a time, for the
// sequential-file tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/services/errors.h"
#include "runtime/services/files.h"
#include "runtime/services/wait_hub.h"
#include "support/test_support.h"

namespace kelvo::files_test {

using test::read_file;
using test::TempDir;
using test::write_file;

class FilesFixture : public ::testing::Test {
 protected:
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

  std::string read_string(int32_t number = 1) {
    std::string value = "unchanged";
    files.file_input_string(number, value);
    return value;
  }

  test::TempDir dir;
  WaitHub hub;
  Errors errors{hub};
  std::vector<std::string> traceLines;
  Files files{errors, [this](const std::string& line) { traceLines.push_back(line); }};
};

}  // namespace kelvo::files_test
