// POSIX implementation of the runtime's file access: descriptors, reads and writes, and the
// write-aside-then-rename replacement that keeps a file whole across crashes.
#include "runtime/services/posix_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <optional>

namespace kelvo::host {

namespace {

std::atomic<unsigned> tempCounter{0};
std::atomic<bool> unnamedAllowed{true};

// Longest part of the target's own name kept in a temporary name, so that the temporary name
// stays below the file system's name limit whenever the target's name does.
constexpr size_t kTempBaseLength = 200;

int open_errno(const std::string& path, int flags, mode_t mode, FileHandle& out) {
  if (path.find('\0') != std::string::npos) return EINVAL;
  int fd;
  do {
    fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NOCTTY, mode);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return errno;
  out = FileHandle(fd);
  return 0;
}

std::string directory_of(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string base_of(const std::string& path) {
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A hidden name beside the target, unique within the process by a counter and across processes by
// the process id.
std::string temp_name_for(const std::string& targetName) {
  return "." + targetName.substr(0, kTempBaseLength) + "." + std::to_string(::getpid()) + "-" +
         std::to_string(tempCounter.fetch_add(1)) + ".tmp";
}

// The process id in a temporary name made by temp_name_for for a target whose temporary names
// start with `prefix`; nothing for any other name.
std::optional<pid_t> temp_owner(const std::string& name, const std::string& prefix) {
  static const std::string kSuffix = ".tmp";
  if (name.size() <= prefix.size() + kSuffix.size() ||
      name.compare(0, prefix.size(), prefix) != 0 || !name.ends_with(kSuffix)) {
    return std::nullopt;
  }
  const std::string middle =
      name.substr(prefix.size(), name.size() - prefix.size() - kSuffix.size());
  const size_t dash = middle.find('-');
  const auto digits = [](const std::string& s) {
    return !s.empty() && s.size() < 10 && s.find_first_not_of("0123456789") == std::string::npos;
  };
  if (dash == std::string::npos || !digits(middle.substr(0, dash)) ||
      !digits(middle.substr(dash + 1))) {
    return std::nullopt;
  }
  const long pid = std::strtol(middle.c_str(), nullptr, 10);
  return pid > 0 ? std::optional<pid_t>(static_cast<pid_t>(pid)) : std::nullopt;
}

}  // namespace

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
  if (this != &other) {
    reset();
    fd_ = other.release();
  }
  return *this;
}

int FileHandle::release() {
  int fd = fd_;
  fd_ = -1;
  return fd;
}

int FileHandle::reset() {
  if (fd_ < 0) return 0;
  // The descriptor is gone after close() even when it reports EINTR, so it is never retried.
  int result = ::close(fd_) == 0 ? 0 : errno;
  fd_ = -1;
  return result == EINTR ? 0 : result;
}

// Non-blocking, so that a pipe with no writer gives the end of the file at once instead of
// holding the game; a regular file reads as it always does.
int open_for_reading(const std::string& path, FileHandle& out) {
  FileHandle file;
  if (int err = open_errno(path, O_RDONLY | O_NONBLOCK, 0, file)) return err;
  struct stat st;
  if (::fstat(file.fd(), &st) != 0) return errno;
  if (S_ISDIR(st.st_mode)) return EISDIR;
  out = std::move(file);
  return 0;
}

int open_for_append(const std::string& path, FileHandle& out) {
  return open_errno(path, O_WRONLY | O_CREAT | O_APPEND, 0666, out);
}

int open_for_update(const std::string& path, bool read, bool write, FileHandle& out) {
  int flags = read && write ? O_RDWR : write ? O_WRONLY : O_RDONLY;
  if (write) flags |= O_CREAT;
  FileHandle file;
  if (int err = open_errno(path, flags, 0666, file)) return err;
  struct stat st;
  if (::fstat(file.fd(), &st) != 0) return errno;
  if (S_ISDIR(st.st_mode)) return EISDIR;
  out = std::move(file);
  return 0;
}

// A pipe with no reader refuses at once (ENXIO), and a full one refuses a write (EAGAIN), rather
// than waiting for a reader that may never come.
int open_for_truncate(const std::string& path, FileHandle& out) {
  return open_errno(path, O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK, 0666, out);
}

int lock_file(int fd, bool exclusive) {
  int result;
  do {
    result = ::flock(fd, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  return result == 0 ? 0 : errno;
}

int read_some(int fd, char* buffer, size_t size, size_t& got) {
  got = 0;
  ssize_t n;
  do {
    n = ::read(fd, buffer, size);
  } while (n < 0 && errno == EINTR);
  if (n < 0) return errno;
  got = static_cast<size_t>(n);
  return 0;
}

int write_all(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
  return 0;
}

bool parent_directory_exists(const std::string& path) {
  if (path.find('\0') != std::string::npos) return false;
  struct stat st;
  return ::stat(directory_of(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void Replacement::allow_unnamed_files(bool allowed) {
  unnamedAllowed = allowed;
}

int Replacement::begin(const std::string& path) {
  abandon();
  if (path.empty() || path.find('\0') != std::string::npos) return EINVAL;
  target_ = path;
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) {
    if (errno != ENOENT) return errno;
    // A link that points nowhere: writing through it creates its target, as a plain open would.
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) return begin_in_place();
  } else if (S_ISDIR(st.st_mode)) {
    return EISDIR;
  } else if (!S_ISREG(st.st_mode)) {
    return begin_in_place();
  } else if (int err = note_old_file(st)) {
    return err;
  }
  // Everything after this is relative to the directory, whatever becomes of the working directory.
  if (int err = open_directory(directory_of(target_))) return err;
  targetName_ = base_of(target_);
  remove_stale_temps();
  return create_aside();
}

// Follows links to the file itself, checks that it can be written, and keeps its owner and mode.
int Replacement::note_old_file(const struct stat& st) {
  char* real = ::realpath(target_.c_str(), nullptr);
  if (real == nullptr) return errno;
  target_ = real;
  std::free(real);
  // The old file must itself be writable, as it would have to be for writing it in place.
  FileHandle probe;
  if (int err = open_errno(target_, O_WRONLY | O_NONBLOCK, 0, probe)) return err;
  hadTarget_ = true;
  oldMode_ = st.st_mode & 07777;
  oldUid_ = st.st_uid;
  oldGid_ = st.st_gid;
  return 0;
}

// A directory that may be written but not listed can still be worked in, only not synced.
int Replacement::open_directory(const std::string& path) {
  int err = open_errno(path, O_RDONLY | O_DIRECTORY, 0, directory_);
  if (err == EACCES) err = open_errno(path, O_PATH | O_DIRECTORY, 0, directory_);
  return err;
}

int Replacement::begin_in_place() {
  inPlace_ = true;
  return open_for_truncate(target_, file_);
}

int Replacement::create_aside() {
  int fd =
      unnamedAllowed ? ::openat(directory_.fd(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666) : -1;
  int err = fd >= 0 ? 0 : unnamedAllowed ? errno : EOPNOTSUPP;
  if (err == 0) {
    file_ = FileHandle(fd);
    unnamed_ = true;
  } else if (err == EOPNOTSUPP || err == EISDIR || err == EINVAL) {
    // File systems without unnamed files get a named one; a crash may leave it behind.
    err = create_named_aside();
  }
  if (err == 0) copy_owner_and_mode();
  return err;
}

int Replacement::create_named_aside() {
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempName_ = temp_name_for(targetName_);
    int fd =
        ::openat(directory_.fd(), tempName_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      file_ = FileHandle(fd);
      return 0;
    }
    int err = errno;
    if (err != EEXIST) {
      tempName_.clear();
      return err;
    }
  }
  tempName_.clear();
  return EEXIST;
}

// A kill between naming the new contents and the rename leaves them under their temporary name.
// Those of processes that no longer run are removed; a live process may still be saving.
void Replacement::remove_stale_temps() {
  const int fd = ::openat(directory_.fd(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;  // a directory that cannot be listed keeps what it holds
  DIR* dir = ::fdopendir(fd);
  if (dir == nullptr) {
    ::close(fd);
    return;
  }
  const std::string prefix = "." + targetName_.substr(0, kTempBaseLength) + ".";
  while (const dirent* entry = ::readdir(dir)) {
    const auto owner = temp_owner(entry->d_name, prefix);
    if (owner && ::kill(*owner, 0) != 0 && errno == ESRCH) {
      ::unlinkat(directory_.fd(), entry->d_name, 0);
    }
  }
  ::closedir(dir);
}

// The new file takes the old one's owner and permissions, so replacing it changes only the bytes.
void Replacement::copy_owner_and_mode() {
  if (!hadTarget_) return;
  struct stat st;
  if (::fstat(file_.fd(), &st) != 0) return;
  if (st.st_uid != oldUid_ || st.st_gid != oldGid_) {
    [[maybe_unused]] int ignored = ::fchown(file_.fd(), oldUid_, oldGid_);
  }
  ::fchmod(file_.fd(), oldMode_);
}

// An unnamed file gets a name in the target's directory through its /proc link.
int Replacement::give_name() {
  std::string self = "/proc/self/fd/" + std::to_string(file_.fd());
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempName_ = temp_name_for(targetName_);
    const char* name = tempName_.c_str();
    if (::linkat(AT_FDCWD, self.c_str(), directory_.fd(), name, AT_SYMLINK_FOLLOW) == 0) return 0;
    int err = errno;
    if (err == EEXIST) continue;
    if (::linkat(file_.fd(), "", directory_.fd(), name, AT_EMPTY_PATH) == 0) return 0;
    tempName_.clear();
    return err;
  }
  tempName_.clear();
  return EEXIST;
}

int Replacement::commit() {
  if (!file_.valid()) return EBADF;
  int err = 0;
  if (inPlace_) {
    err = file_.reset();
    abandon();
    return err;
  }
  if (::fsync(file_.fd()) != 0) err = errno;
  if (err == 0 && unnamed_) err = give_name();
  if (err == 0) err = file_.reset();
  if (err == 0 &&
      ::renameat(directory_.fd(), tempName_.c_str(), directory_.fd(), targetName_.c_str()) != 0) {
    err = errno;
  }
  if (err == 0) {
    tempName_.clear();
    // Best effort: some file systems cannot sync a directory, and the rename is done anyway.
    ::fsync(directory_.fd());
  }
  abandon();
  return err;
}

void Replacement::abandon() {
  if (!tempName_.empty() && directory_.valid()) ::unlinkat(directory_.fd(), tempName_.c_str(), 0);
  file_.reset();
  directory_.reset();
  tempName_.clear();
  inPlace_ = false;
  unnamed_ = false;
  hadTarget_ = false;
}

}  // namespace kelvo::host
