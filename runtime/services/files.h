// Numbered sequential files: the file-number table, opening and closing, printing with print
// zones and reading comma- and line-separated fields. Output files replace their old contents
// only when closed, so a crash while writing never loses the file that was there.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "runtime/services/errors.h"
#include "runtime/services/file_fields.h"

namespace kelvo {

// Open modes; 0 is taken as random. Append is kept as output once the file is open.
enum FileMode : int32_t {
  kModeRandom = 1,
  kModeBinary = 2,
  kModeInput = 3,
  kModeOutput = 4,
  kModeAppend = 5,
};

// Access options: 0 allows what the mode allows.
enum FileAccess : int32_t {
  kAccessAny = 0,
  kAccessRead = 1,
  kAccessWrite = 2,
  kAccessReadWrite = 3
};

// Lock options: 0 lets other processes read and write meanwhile; the others take an advisory
// lock that other lockers see. Output files need none: nobody sees them before their close.
enum FileLock : int32_t { kLockNone = 0, kLockRead = 1, kLockWrite = 2, kLockReadWrite = 3 };

// Receives the trace events "file_open PATH MODE" and "file_close NUMBER".
using FileTrace = std::function<void(const std::string& line)>;

// Where a name the program opens lives on the host, given the open mode; the trace and the
// error reports keep the program's own name.
using FilePathMap = std::function<std::string(const std::string& name, int32_t mode)>;

// Used by one thread at a time: the game thread, and at shutdown the display loop once the game
// thread has ended.
class Files {
 public:
  static constexpr int kPrintZoneWidth = 14;

  Files(Errors& errors, FileTrace trace);
  ~Files();
  Files(const Files&) = delete;
  Files& operator=(const Files&) = delete;

  // Opens `name` under `number`. Output mode writes aside: the old contents stay in place, and
  // readable by others, until the close. The record length is accepted for random files only to
  // be ignored: records are not served.
  void file_open(const std::string& name, int32_t mode, int32_t access, int32_t lock,
                 int32_t number, int32_t recordLength, bool recordGiven);
  // Closes one file, or every open file when no number is given; closing an output file puts its
  // new contents in place of the old ones in one step, unless a write to it failed.
  void file_close(int32_t number, bool numberGiven);
  // Writes `text`, then a blank when `blankAfter`, then blanks up to the next print zone when
  // `zone`, then CR LF when `endLine`.
  void file_print(int32_t number, const std::string& text, bool blankAfter, bool zone,
                  bool endLine);
  // Reads one field into `dest`; at the end of the file `dest` becomes empty and error 62 rises.
  void file_input_string(int32_t number, std::string& dest);
  // Reads one number field and fits it to `type`; returns 0 after an error.
  long double file_input_number(int32_t number, NumberType type);

  // For the shutdown: closes every open file even while an error is pending. An output file still
  // open was cut off by the stop in the middle of its writing, so its new contents are dropped and
  // the old file stays; errors are not raised, as nobody would see them.
  void close_all();

  bool is_open(int32_t number) const { return slots_.count(number) != 0; }

  // Before the first open: from then on every name goes through `map` (by default it is its own
  // path, relative to the working directory).
  void set_path_map(FilePathMap map) { pathMap_ = std::move(map); }

 private:
  struct Slot;

  int open_slot(Slot& slot, const std::string& name, int32_t mode, int32_t access);
  Slot* writable_slot(int32_t number);
  Slot* readable_slot(int32_t number);
  int close_slot(int32_t number, bool commit);
  void trace(const std::string& line) const;

  Errors& errors_;
  FileTrace trace_;
  FilePathMap pathMap_;
  // Sparse, so that a large file number costs no more than a small one.
  std::map<int32_t, std::unique_ptr<Slot>> slots_;
};

// The error code for a failed open, from the errno and whether the name's directory exists.
int open_error_code(int err, bool directoryExists);
// The error code for a failed read, write, flush or close.
int io_error_code(int err);

}  // namespace kelvo
