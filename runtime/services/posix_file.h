// Thin POSIX file access for the runtime's sequential files: open, read, write, and replacing a
// file's contents in one step. Every call reports failure as an errno value (0 for success).
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>
#include <string>

namespace kelvo::host {

// Owns one file descriptor and closes it when dropped.
class FileHandle {
 public:
  FileHandle() = default;
  explicit FileHandle(int fd) : fd_(fd) {}
  FileHandle(FileHandle&& other) noexcept : fd_(other.release()) {}
  FileHandle& operator=(FileHandle&& other) noexcept;
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { reset(); }

  int fd() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  int release();
  // Closes the descriptor; returns the errno of close() or 0.
  int reset();

 private:
  int fd_ = -1;
};

// Opens an existing file for reading. A directory gives EISDIR.
int open_for_reading(const std::string& path, FileHandle& out);
// Opens for writing at the end, creating the file when it is missing.
int open_for_append(const std::string& path, FileHandle& out);
// Opens for reading and/or writing without truncating; creates the file when writing.
int open_for_update(const std::string& path, bool read, bool write, FileHandle& out);
// Opens for writing, creating or emptying the file (the in-place way of writing a new file).
int open_for_truncate(const std::string& path, FileHandle& out);

// An advisory lock on the whole file; EWOULDBLOCK when another holder has it.
int lock_file(int fd, bool exclusive);

// Reads up to `size` bytes; `got` is 0 at the end of the file. Retries on EINTR.
int read_some(int fd, char* buffer, size_t size, size_t& got);
// Writes every byte, retrying short writes and EINTR.
int write_all(int fd, const char* data, size_t size);

// True when the directory part of `path` (or "." when it has none) is an existing directory.
bool parent_directory_exists(const std::string& path);

// A new version of a file, written beside it and swapped in by commit(): until then the old
// contents stay untouched, and a crash at any moment leaves either the old or the new file.
// Targets that are not regular files (devices, pipes, dangling links) are written in place.
class Replacement {
 public:
  Replacement() = default;
  Replacement(const Replacement&) = delete;
  Replacement& operator=(const Replacement&) = delete;
  ~Replacement() { abandon(); }

  // Checks that the target can be written and that the directory takes a new file, removes new
  // contents that a killed process left beside the target, then creates the file that receives
  // the new contents.
  int begin(const std::string& path);
  int fd() const { return file_.fd(); }
  bool active() const { return file_.valid(); }
  // Syncs the new contents, puts them in place of the target and syncs the directory.
  int commit();
  // Drops the new contents; the target keeps what it had.
  void abandon();

  // With false, new contents always get a name from the start, as on file systems without
  // unnamed files; lets tests reach that way on any machine.
  static void allow_unnamed_files(bool allowed);

 private:
  int note_old_file(const struct stat& st);
  int open_directory(const std::string& path);
  int begin_in_place();
  int create_aside();
  int create_named_aside();
  void remove_stale_temps();
  void copy_owner_and_mode();
  int give_name();

  std::string target_;      // the file that is replaced (links resolved)
  FileHandle directory_;    // its directory, which every later step works in
  std::string targetName_;  // the target's name in that directory
  std::string tempName_;    // the new contents' name in that directory, once they have one
  FileHandle file_;
  bool inPlace_ = false;
  bool unnamed_ = false;  // created with O_TMPFILE: no name until commit
  bool hadTarget_ = false;
  mode_t oldMode_ = 0;
  uid_t oldUid_ = 0;
  gid_t oldGid_ = 0;
};

}  // namespace kelvo::host
