// Numbered sequential files on top of the host's file access: the number table, open modes,
// print zones, field reading, and the error codes that platform failures map to.
#include "runtime/services/files.h"

#include <cerrno>
#include <vector>

#include "runtime/services/posix_file.h"

namespace kelvo {

namespace {

bool valid_name(const std::string& name) {
  return !name.empty() && name.find('\0') == std::string::npos;
}

bool denied(int err) {
  return err == EACCES || err == EPERM || err == EROFS || err == ETXTBSY || err == EISDIR ||
         err == EWOULDBLOCK;
}

InputStream::Refill reader_for(int fd) {
  return [fd](char* buffer, size_t size) -> long {
    size_t got = 0;
    int err = host::read_some(fd, buffer, size, got);
    return err != 0 ? -static_cast<long>(err) : static_cast<long>(got);
  };
}

// The error that stops an open before the platform is asked, or 0.
int open_argument_error(bool numberInUse, const std::string& name, int32_t mode, int32_t access,
                        int32_t lock, int32_t number) {
  if (number < 1) return kBadFileNameOrNumber;
  if (numberInUse) return kFileAlreadyOpen;
  if (mode < kModeRandom || mode > kModeAppend || access < kAccessAny ||
      access > kAccessReadWrite || lock < kLockNone || lock > kLockReadWrite) {
    return kIllegalFunctionCall;
  }
  return valid_name(name) ? 0 : kBadFileName;
}

// Random and binary files are opened for reading and writing (created when missing); with no
// access option a file that cannot be written is opened for reading only.
int open_update(host::FileHandle& handle, const std::string& name, int32_t access, bool& readable,
                bool& writable) {
  readable = access != kAccessWrite;
  writable = access != kAccessRead;
  int err = host::open_for_update(name, readable, writable, handle);
  if (err != 0 && access == kAccessAny && denied(err)) {
    writable = false;
    err = host::open_for_update(name, true, false, handle);
  }
  return err;
}

// The blanks that follow a printed item: one after a number, then up to the next print zone.
size_t blanks_after(int64_t& column, bool blankAfter, bool zone) {
  size_t blanks = 0;
  if (blankAfter) {
    ++blanks;
    ++column;
  }
  if (zone) {
    ++blanks;
    ++column;
    int64_t shortOfZone =
        (Files::kPrintZoneWidth - (column - 1) % Files::kPrintZoneWidth) % Files::kPrintZoneWidth;
    blanks += static_cast<size_t>(shortOfZone);
    column += shortOfZone;
  }
  return blanks;
}

}  // namespace

int open_error_code(int err, bool directoryExists) {
  if (err == ENOENT) return directoryExists ? kFileNotFound : kPathNotFound;
  if (err == ENOTDIR) return kPathNotFound;
  if (denied(err)) return kPermissionDenied;
  if (err == ENAMETOOLONG || err == EINVAL) return kBadFileName;
  if (err == EIO || err == ENXIO || err == ENODEV) return kDeviceUnavailable;
  return kFileNotFound;
}

int io_error_code(int err) {
  if (err == EBADF) return kInvalidHandle;
  if (err == EINVAL) return kIllegalFunctionCall;
  if (err == EACCES || err == EPERM || err == EROFS) return kPermissionDenied;
  return kPathFileAccessError;
}

// One open file. Output-mode files write into `replacement`; every other mode uses `handle`.
struct Files::Slot {
  int32_t mode = 0;  // random, binary, input or output (append is kept as output)
  bool readable = false;
  bool writable = false;
  bool writeFailed = false;  // the new contents are incomplete and must not replace the old
  int64_t column = 1;
  host::FileHandle handle;
  host::Replacement replacement;
  std::unique_ptr<InputStream> input;

  int fd() const { return replacement.active() ? replacement.fd() : handle.fd(); }
};

Files::Files(Errors& errors, FileTrace trace) : errors_(errors), trace_(std::move(trace)) {}

Files::~Files() {
  close_all();
}

void Files::trace(const std::string& line) const {
  if (trace_) trace_(line);
}

void Files::file_open(const std::string& name, int32_t mode, int32_t access, int32_t lock,
                      int32_t number, int32_t /*recordLength*/, bool /*recordGiven*/) {
  if (errors_.pending() != 0) return;
  trace("file_open " + name + " " + std::to_string(mode));
  if (mode == 0) mode = kModeRandom;
  if (int code = open_argument_error(is_open(number), name, mode, access, lock, number)) {
    errors_.raise_error(code);
    return;
  }
  const std::string path = pathMap_ ? pathMap_(name, mode) : name;
  auto slot = std::make_unique<Slot>();
  int err = open_slot(*slot, path, mode, access);
  // Output files are private until their close puts them in place, so only shared handles lock.
  if (err == 0 && lock != kLockNone && slot->handle.valid()) {
    err = host::lock_file(slot->handle.fd(), true);
  }
  if (err != 0) {
    errors_.raise_error(open_error_code(err, host::parent_directory_exists(path)));
    return;
  }
  slots_[number] = std::move(slot);
}

int Files::open_slot(Slot& slot, const std::string& name, int32_t mode, int32_t access) {
  slot.mode = mode == kModeAppend ? kModeOutput : mode;
  int err = 0;
  switch (mode) {
    case kModeInput:
      slot.readable = access != kAccessWrite;
      err = host::open_for_reading(name, slot.handle);
      break;
    case kModeOutput:
      slot.writable = access != kAccessRead;
      err = slot.replacement.begin(name);
      break;
    case kModeAppend:
      slot.writable = access != kAccessRead;
      err = host::open_for_append(name, slot.handle);
      break;
    default:
      err = open_update(slot.handle, name, access, slot.readable, slot.writable);
  }
  if (err == 0 && mode == kModeInput) {
    slot.input = std::make_unique<InputStream>(reader_for(slot.handle.fd()));
    slot.input->peek();  // a file that starts with Ctrl-Z is at its end from the start
  }
  return err;
}

int Files::close_slot(int32_t number, bool commit) {
  auto it = slots_.find(number);
  if (it == slots_.end()) return 0;
  std::unique_ptr<Slot> slot = std::move(it->second);
  slots_.erase(it);
  int err = 0;
  if (slot->replacement.active()) {
    if (slot->writeFailed || !commit) {
      slot->replacement.abandon();
    } else {
      err = slot->replacement.commit();
    }
  } else {
    err = slot->handle.reset();
  }
  return err != 0 ? io_error_code(err) : 0;
}

void Files::file_close(int32_t number, bool numberGiven) {
  if (errors_.pending() != 0) return;
  std::vector<int32_t> numbers;
  if (numberGiven) {
    numbers.push_back(number);
  } else {
    for (const auto& entry : slots_) numbers.push_back(entry.first);
  }
  for (int32_t each : numbers) {
    trace("file_close " + std::to_string(each));
    if (int code = close_slot(each, true)) errors_.raise_error(code);
  }
}

void Files::close_all() {
  while (!slots_.empty()) {
    int32_t number = slots_.begin()->first;
    trace("file_close " + std::to_string(number));
    close_slot(number, false);
  }
}

Files::Slot* Files::writable_slot(int32_t number) {
  if (errors_.pending() != 0) return nullptr;
  auto it = slots_.find(number);
  int code = it == slots_.end()                ? kBadFileNameOrNumber
             : it->second->mode != kModeOutput ? kBadFileMode
             : !it->second->writable           ? kPathFileAccessError
                                               : 0;
  if (code != 0) {
    errors_.raise_error(code);
    return nullptr;
  }
  return it->second.get();
}

Files::Slot* Files::readable_slot(int32_t number) {
  if (errors_.pending() != 0) return nullptr;
  auto it = slots_.find(number);
  int code = it == slots_.end()               ? kBadFileNameOrNumber
             : it->second->mode != kModeInput ? kBadFileMode
             : !it->second->readable          ? kPathFileAccessError
                                              : 0;
  if (code != 0) {
    errors_.raise_error(code);
    return nullptr;
  }
  return it->second.get();
}

void Files::file_print(int32_t number, const std::string& text, bool blankAfter, bool zone,
                       bool endLine) {
  Slot* slot = writable_slot(number);
  if (slot == nullptr) return;
  int64_t column = slot->column + static_cast<int64_t>(text.size());
  // Text, blanks and line end go out in one write; the bytes are the same as in three.
  std::string piece = text;
  piece.append(blanks_after(column, blankAfter, zone), ' ');
  if (endLine) {
    piece += "\r\n";
    column = 1;
  }
  int err = host::write_all(slot->fd(), piece.data(), piece.size());
  if (err != 0) {
    slot->writeFailed = true;
    errors_.raise_error(io_error_code(err));
    return;
  }
  slot->column = column;
}

void Files::file_input_string(int32_t number, std::string& dest) {
  Slot* slot = readable_slot(number);
  if (slot == nullptr) return;
  std::string field;
  bool found = read_string_field(*slot->input, field);
  if (int err = slot->input->take_error()) {
    errors_.raise_error(io_error_code(err));
    return;
  }
  if (!found) {
    dest.clear();
    errors_.raise_error(kInputPastEndOfFile);
    return;
  }
  dest = std::move(field);
}

long double Files::file_input_number(int32_t number, NumberType type) {
  Slot* slot = readable_slot(number);
  if (slot == nullptr) return 0;
  NumberField field = read_number_field(*slot->input);
  if (int err = slot->input->take_error()) {
    errors_.raise_error(io_error_code(err));
    return 0;
  }
  if (field.atEnd) {
    errors_.raise_error(kInputPastEndOfFile);
    return 0;
  }
  long double result = 0;
  if (field.tooLarge || !fit_number(field.value, type, result)) {
    errors_.raise_error(kOverflow);
    return 0;
  }
  return result;
}

}  // namespace kelvo
