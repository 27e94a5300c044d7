// Decodes the game's pictures ahead of time, on a thread of its own, while the program starts SDL
// and opens its window: load_image then finds them decoded.
#pragma once

#include <sys/stat.h>

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/sdl_image_decoder.h"

namespace kelvo {

class PicturePrefetch : public ImageDecoder {
 public:
  // Starts decoding `names`, in their order, at once.
  explicit PicturePrefetch(const std::vector<std::string>& names);
  ~PicturePrefetch() override { finish(); }
  // Ends the prefetch (after the picture in hand) and joins its thread.
  void finish();
  PicturePrefetch(const PicturePrefetch&) = delete;
  PicturePrefetch& operator=(const PicturePrefetch&) = delete;

  // The picture decoded ahead for this name, unless its file changed since; any other name is
  // decoded here, once the prefetch is over, so that SDL_image never runs on two threads at once.
  std::optional<DecodedPicture> decode(const std::string& name) override;

 private:
  // What identifies a file's contents: a file replaced or rewritten since is decoded again.
  struct Stamp {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    bool operator==(const Stamp& o) const;
  };
  struct Entry {
    std::string name;
    Stamp stamp;
    std::optional<DecodedPicture> picture;
    bool taken = false;
  };
  static Stamp stamp_of(const std::string& name);
  void run();
  // The first untaken entry for `name` once it is decoded, or the end of the list.
  size_t wait_for(const std::string& name);

  SdlImageDecoder decoder_;
  std::vector<Entry> entries_;
  std::mutex mutex_;
  std::condition_variable decoded_;
  size_t decodedCount_ = 0;  // guarded by mutex_
  bool stopping_ = false;    // guarded by mutex_
  std::thread thread_;
};

}  // namespace kelvo
