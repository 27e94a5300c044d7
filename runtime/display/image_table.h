// The image table: image records by index, handles and screen pages, and the operations that
// create images and set their colours and modes.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

#include "runtime/display/image.h"
#include "runtime/services/errors.h"

namespace kelvo {

// Bits of the `passed` masks.
constexpr uint32_t kArg0 = 1, kArg1 = 2, kArg2 = 4, kArg3 = 8;

class ImageTable {
 public:
  static constexpr size_t kGrowStep = 4096;

  explicit ImageTable(Errors& errors);

  // A negative handle names image -handle; a non-negative one a screen page (created on first
  // use). Raises 258 and returns null for records never handed out or not in use.
  Image* resolve(int32_t handle);

  int32_t new_image(int32_t width, int32_t height, int32_t mode, uint32_t passed);
  void set_screen(int32_t modeOrHandle, uint32_t passed);
  void set_colour(uint32_t fg, uint32_t bg, uint32_t border, uint32_t passed);
  void set_clear_colour(int32_t none, uint32_t colour, int32_t image, uint32_t passed);
  void set_print_mode(int32_t option, int32_t image, uint32_t passed);

  // Takes a free index (last freed first) and fills its record for `mode`; 0 when out of memory.
  int take_image(int width, int height, int mode);
  void release(int index);

  Image* display_image() { return displayIndex_ ? &records_[displayIndex_] : nullptr; }
  Image* destination() { return destinationIndex_ ? &records_[destinationIndex_] : nullptr; }
  Image* source() { return sourceIndex_ ? &records_[sourceIndex_] : nullptr; }
  Image& at(int index) { return records_[static_cast<size_t>(index)]; }
  size_t handed_out() const { return nextUnused_; }
  const std::vector<int>& free_indexes() const { return freeIndexes_; }

  // Held while the screen is replaced: the display loop may be reading it.
  void set_screen_lock(std::mutex& lock) { screenLock_ = &lock; }
  // Called after every change of screen (the window must be redrawn whole).
  void set_screen_change_hook(std::function<void()> hook) { onScreenChange_ = std::move(hook); }

 private:
  int next_index();
  void fill_record(Image& img, int width, int height, int mode);
  void release_pages();
  int32_t create_page(int32_t page);
  void select_screen(int index, bool madeByProgram);
  bool set_legacy_screen(int32_t mode);

  Errors& errors_;
  std::deque<Image> records_;  // references stay valid while the table grows
  std::vector<int> freeIndexes_;
  size_t nextUnused_ = 2;  // indexes 0 and 1 never name an image
  std::vector<int> pages_;
  bool screenMadeByProgram_ = false;
  int displayIndex_ = 0;
  int destinationIndex_ = 0;
  int sourceIndex_ = 0;
  std::unique_lock<std::mutex> lock_screen();

  std::mutex* screenLock_ = nullptr;
  std::function<void()> onScreenChange_;
};

// Cell size of a built-in font number (8, 14, 16 and their double-width forms 9, 15, 17).
struct CellSize {
  int width;
  int height;
};
CellSize font_cell(uint32_t font);

}  // namespace kelvo
