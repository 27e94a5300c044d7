#include "platform/picture_prefetch.h"

#include <algorithm>

namespace kelvo {

bool PicturePrefetch::Stamp::operator==(const Stamp& o) const {
  return exists == o.exists && device == o.device && inode == o.inode && size == o.size &&
         modified.tv_sec == o.modified.tv_sec && modified.tv_nsec == o.modified.tv_nsec;
}

PicturePrefetch::PicturePrefetch(const std::vector<std::string>& names) {
  for (const std::string& name : names) entries_.push_back({name, {}, std::nullopt, false});
  thread_ = std::thread([this] { run(); });
}

void PicturePrefetch::finish() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  if (thread_.joinable()) thread_.join();
}

PicturePrefetch::Stamp PicturePrefetch::stamp_of(const std::string& name) {
  struct stat st {};
  if (::stat(picture_path(name).c_str(), &st) != 0) return {};
  return {true, st.st_dev, st.st_ino, st.st_size, st.st_mtim};
}

// Entries are only written here until they are counted as decoded, and only read and taken by
// decode() after.
void PicturePrefetch::run() {
  for (size_t i = 0; i < entries_.size(); ++i) {
    {
      std::lock_guard lock(mutex_);
      if (stopping_) break;
    }
    Entry& entry = entries_[i];
    entry.stamp = stamp_of(entry.name);
    entry.picture = decoder_.decode(entry.name);
    std::lock_guard lock(mutex_);
    decodedCount_ = i + 1;
    decoded_.notify_all();
  }
  std::lock_guard lock(mutex_);
  decodedCount_ = entries_.size();
  decoded_.notify_all();
}

size_t PicturePrefetch::wait_for(const std::string& name) {
  const auto found = std::find_if(entries_.begin(), entries_.end(),
                                  [&](const Entry& e) { return e.name == name && !e.taken; });
  const size_t index = static_cast<size_t>(found - entries_.begin());
  const size_t needed = found == entries_.end() ? entries_.size() : index + 1;
  std::unique_lock lock(mutex_);
  decoded_.wait(lock, [&] { return decodedCount_ >= needed; });
  return index;
}

std::optional<DecodedPicture> PicturePrefetch::decode(const std::string& name) {
  const size_t index = wait_for(name);
  if (index == entries_.size()) return decoder_.decode(name);
  Entry& entry = entries_[index];
  entry.taken = true;
  if (!(entry.stamp == stamp_of(name))) return decoder_.decode(name);
  return std::move(entry.picture);
}

}  // namespace kelvo
