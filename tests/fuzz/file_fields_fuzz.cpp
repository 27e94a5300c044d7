// libFuzzer target: arbitrary bytes as a sequential input file, read as numbers and strings until
// its end, through the file table and through the bare field readers with tiny buffers.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "runtime/services/errors.h"
#include "runtime/services/file_fields.h"
#include "runtime/services/files.h"
#include "runtime/services/posix_file.h"
#include "runtime/services/wait_hub.h"

namespace {

using kelvo::NumberType;

char fuzzDirectory[] = "/tmp/kelvo-fuzz-XXXXXX";

// Removes the input file and its directory when the time budget ends the run.
void remove_fuzz_directory() {
  ::unlink((std::string(fuzzDirectory) + "/input.txt").c_str());
  ::rmdir(fuzzDirectory);
}

// The file the input is written to, in a directory of its own made once per process.
const std::string& input_path() {
  static const std::string path = [] {
    if (::mkdtemp(fuzzDirectory) == nullptr) std::abort();
    std::atexit(remove_fuzz_directory);
    return std::string(fuzzDirectory) + "/input.txt";
  }();
  return path;
}

void store(const uint8_t* data, size_t size) {
  kelvo::host::FileHandle file;
  if (kelvo::host::open_for_truncate(input_path(), file) != 0) std::abort();
  if (kelvo::host::write_all(file.fd(), reinterpret_cast<const char*>(data), size) != 0) {
    std::abort();
  }
}

// Which kind of field the n-th read asks for, chosen by the input's first byte.
bool reads_number(const uint8_t* data, size_t size, size_t n) {
  return size > 0 && ((data[0] >> (n % 8)) & 1) != 0;
}
NumberType type_for(size_t n) {
  return static_cast<NumberType>(n % 6);
}

// One read's outcome, for comparing two ways of reading the same bytes.
struct Outcome {
  int code;
  long double number;
  std::string text;
  bool operator==(const Outcome&) const = default;
};

// Reads through the file table until the end of the file; every read must make progress.
std::vector<Outcome> read_through_files(const uint8_t* data, size_t size) {
  kelvo::WaitHub hub;
  kelvo::Errors errors(hub);
  kelvo::Files files(errors, nullptr);
  files.file_open(input_path(), kelvo::kModeInput, 0, 0, 1, 0, false);
  if (errors.pending() != 0) std::abort();
  std::vector<Outcome> outcomes;
  for (size_t n = 0;; ++n) {
    if (n > size + 2) std::abort();  // a read that consumed nothing
    Outcome outcome{0, 0, ""};
    if (reads_number(data, size, n)) {
      outcome.number = files.file_input_number(1, type_for(n));
    } else {
      files.file_input_string(1, outcome.text);
    }
    outcome.code = errors.pending();
    errors.statement_event(1);
    if (outcome.code != 0 && outcome.code != 6 && outcome.code != 62) std::abort();
    outcomes.push_back(outcome);
    if (outcome.code == 62) break;
  }
  files.file_close(0, false);
  return outcomes;
}

// The same reads over an in-memory stream whose buffer holds only a few bytes at a time.
std::vector<Outcome> read_in_memory(const uint8_t* data, size_t size, size_t bufferSize) {
  size_t offset = 0;
  kelvo::InputStream in(
      [&](char* buffer, size_t room) -> long {
        size_t n = std::min(room, size - offset);
        std::copy_n(data + offset, n, buffer);
        offset += n;
        return static_cast<long>(n);
      },
      bufferSize);
  std::vector<Outcome> outcomes;
  for (size_t n = 0;; ++n) {
    Outcome outcome{0, 0, ""};
    if (reads_number(data, size, n)) {
      kelvo::NumberField field = kelvo::read_number_field(in);
      long double fitted = 0;
      bool fits = !field.tooLarge && kelvo::fit_number(field.value, type_for(n), fitted);
      outcome.code = field.atEnd ? 62 : fits ? 0 : 6;
      outcome.number = fitted;
    } else {
      outcome.code = kelvo::read_string_field(in, outcome.text) ? 0 : 62;
    }
    outcomes.push_back(outcome);
    if (outcome.code == 62) break;
  }
  return outcomes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  store(data, size);
  std::vector<Outcome> viaFiles = read_through_files(data, size);
  size_t tinyBuffer = size > 1 ? 1 + data[1] % 7 : 1;
  if (read_in_memory(data, size, tinyBuffer) != viaFiles) std::abort();
  return 0;
}
