// Image records, the free-index stack, screen pages and the colour and mode setters.
#include "runtime/display/image_table.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace kelvo {
namespace {

struct LegacyMode {
  int mode;
  int width;
  int height;
  int bits;
  int pages;
};

// Screen modes kept for completeness; the game only uses text mode 0 and its own 256-colour image.
constexpr LegacyMode kLegacyModes[] = {
    {0, 80, 25, 16, 8},   {1, 320, 200, 2, 1},  {2, 640, 200, 1, 1},  {7, 320, 200, 4, 8},
    {8, 640, 200, 4, 4},  {9, 640, 350, 4, 2},  {10, 640, 350, 2, 2}, {11, 640, 480, 1, 1},
    {12, 640, 480, 4, 1}, {13, 320, 200, 8, 1},
};

const LegacyMode* find_legacy(int mode) {
  for (const auto& m : kLegacyModes) {
    if (m.mode == mode) return &m;
  }
  return nullptr;
}

bool valid_image_mode(int32_t mode) {
  return mode == 32 || mode == 256 || find_legacy(mode) != nullptr;
}

constexpr uint8_t kBlankCell = ' ';
constexpr uint8_t kGreyOnBlack = 0x07;

std::shared_ptr<Palette> palette_for(int mode) {
  auto p = std::make_shared<Palette>(default_palette());
  // Text screens and the 16-colour modes use the first sixteen entries only.
  if (mode == 0 || mode == 7 || mode == 8 || mode == 12)
    std::fill(p->begin() + 16, p->end(), 0xFF000000u);
  return p;
}

}  // namespace

CellSize font_cell(uint32_t font) {
  switch (font) {
    case 8:
      return {8, 8};
    case 14:
      return {8, 14};
    case 9:
      return {16, 8};
    case 15:
      return {16, 14};
    case 17:
      return {16, 16};
    default:
      return {8, 16};
  }
}

ImageTable::ImageTable(Errors& errors) : errors_(errors) {
  records_.resize(kGrowStep);
}

int ImageTable::next_index() {
  if (!freeIndexes_.empty()) {
    const int index = freeIndexes_.back();
    freeIndexes_.pop_back();
    return index;
  }
  if (nextUnused_ >= records_.size()) {
    try {
      records_.resize(records_.size() + kGrowStep);
    } catch (const std::bad_alloc&) {
      errors_.raise_error(kImageOutOfMemory);
      return 0;
    }
  }
  return static_cast<int>(nextUnused_++);
}

void ImageTable::fill_record(Image& img, int width, int height, int mode) {
  img = Image{};
  img.inUse = 1;
  img.mode = static_cast<uint16_t>(mode);
  img.width = static_cast<uint16_t>(width);
  img.height = static_cast<uint16_t>(height);
  img.font = 16;
  img.flags = kOwnsPixels;
  if (mode == 0) {
    img.isText = 1;
    img.bytesPerPixel = 2;
    img.bitsPerPixel = 16;
    img.colourMask = 0xFFFF;
    img.foreground = 7;
  } else if (mode == 32) {
    img.bytesPerPixel = 4;
    img.bitsPerPixel = 32;
    img.colourMask = 0xFFFFFFFFu;
    img.foreground = 0xFFFFFFFFu;
    img.background = 0xFF000000u;
  } else {
    const int bits = mode == 256 ? 8 : find_legacy(mode)->bits;
    img.bytesPerPixel = 1;
    img.bitsPerPixel = static_cast<uint8_t>(bits);
    img.colourMask = (1u << bits) - 1;
    img.foreground = std::min<uint32_t>(15, img.colourMask);
  }
  img.drawColour = img.foreground;
  img.pixels.assign(static_cast<size_t>(width) * height * img.bytesPerPixel, 0);
  if (img.isText) {
    for (size_t i = 0; i < img.pixels.size(); i += 2) {
      img.pixels[i] = kBlankCell;
      img.pixels[i + 1] = kGreyOnBlack;
    }
  }
  if (mode != 32) {
    img.palette = palette_for(mode);
    img.flags |= kOwnsPalette;
  }
  const int rows = img.isText ? height : height / font_cell(img.font).height;
  img.textTop = 1;
  img.textBottom = static_cast<int16_t>(std::max(1, rows - 1));
  img.viewRight = width - 1;
  img.viewBottom = height - 1;
  img.graphicsX = static_cast<float>(width / 2);
  img.graphicsY = static_cast<float>(height / 2);
}

int ImageTable::take_image(int width, int height, int mode) {
  const int index = next_index();
  if (index == 0) return 0;
  try {
    fill_record(records_[static_cast<size_t>(index)], width, height, mode);
  } catch (const std::bad_alloc&) {
    records_[static_cast<size_t>(index)] = Image{};
    release(index);
    return 0;
  }
  return index;
}

void ImageTable::release(int index) {
  records_[static_cast<size_t>(index)] = Image{};
  freeIndexes_.push_back(index);
}

Image* ImageTable::resolve(int32_t handle) {
  if (handle >= 0) {
    if (pages_.empty()) {
      errors_.raise_error(kInvalidHandle);
      return nullptr;
    }
    if (static_cast<size_t>(handle) >= pages_.size() || pages_[static_cast<size_t>(handle)] == 0) {
      if (create_page(handle) == 0) return nullptr;
    }
    return &records_[static_cast<size_t>(pages_[static_cast<size_t>(handle)])];
  }
  const int64_t index = -static_cast<int64_t>(handle);
  if (index >= static_cast<int64_t>(nextUnused_) || !records_[static_cast<size_t>(index)].inUse) {
    errors_.raise_error(kInvalidHandle);
    return nullptr;
  }
  return &records_[static_cast<size_t>(index)];
}

int32_t ImageTable::create_page(int32_t page) {
  const Image& first = records_[static_cast<size_t>(pages_[0])];
  const int index = take_image(first.width, first.height, first.mode);
  if (index == 0) return 0;
  Image& img = records_[static_cast<size_t>(index)];
  img.palette = first.palette;
  img.flags = (img.flags & ~kOwnsPalette) | kScreenPage;
  img.font = first.font;
  if (static_cast<size_t>(page) >= pages_.size()) pages_.resize(static_cast<size_t>(page) + 1, 0);
  pages_[static_cast<size_t>(page)] = index;
  return index;
}

int32_t ImageTable::new_image(int32_t width, int32_t height, int32_t mode, uint32_t passed) {
  if (errors_.pending()) return 0;
  if (width < 1 || height < 1 || width > 0xFFFF || height > 0xFFFF) {
    errors_.raise_error(kIllegalFunctionCall);
    return 0;
  }
  const Image* dest = destination();
  if (passed & kArg0) {
    if (!valid_image_mode(mode)) {
      errors_.raise_error(kIllegalFunctionCall);
      return 0;
    }
  } else {
    mode = dest ? dest->mode : 256;
  }
  const int index = take_image(width, height, mode);
  if (index == 0) return errors_.pending() ? 0 : -1;
  Image& img = records_[static_cast<size_t>(index)];
  if (!(passed & kArg0) && dest) {
    if (dest->palette && img.palette) *img.palette = *dest->palette;
    img.font = dest->font;
    img.foreground = dest->foreground;
    img.background = dest->background;
    img.clearColour = dest->clearColour;
    img.noBlend = dest->noBlend;
    img.printMode = dest->printMode;
  }
  return -index;
}

void ImageTable::release_pages() {
  for (size_t page = 1; page < pages_.size(); ++page) {
    if (pages_[page] != 0) release(pages_[page]);
  }
  if (!pages_.empty() && pages_[0] != 0) {
    if (screenMadeByProgram_) {
      records_[static_cast<size_t>(pages_[0])].flags &= ~kScreenPage;
    } else {
      release(pages_[0]);
    }
  }
  pages_.clear();
}

void ImageTable::select_screen(int index, bool madeByProgram) {
  pages_.assign(1, index);
  records_[static_cast<size_t>(index)].flags |= kScreenPage;
  screenMadeByProgram_ = madeByProgram;
  displayIndex_ = destinationIndex_ = sourceIndex_ = index;
}

std::unique_lock<std::mutex> ImageTable::lock_screen() {
  return screenLock_ ? std::unique_lock<std::mutex>(*screenLock_) : std::unique_lock<std::mutex>();
}

void ImageTable::set_screen(int32_t modeOrHandle, uint32_t passed) {
  if (errors_.pending() || !(passed & kArg0)) return;
  if (modeOrHandle >= 0) {
    set_legacy_screen(modeOrHandle);
    return;
  }
  Image* img = resolve(modeOrHandle);
  if (!img) return;
  const int index = -modeOrHandle;
  if (!pages_.empty() && pages_[0] == index) return;
  {
    const auto lock = lock_screen();
    release_pages();
    select_screen(index, true);
  }
  if (onScreenChange_) onScreenChange_();
}

bool ImageTable::set_legacy_screen(int32_t mode) {
  const LegacyMode* m = find_legacy(mode);
  if (!m) {
    errors_.raise_error(kIllegalFunctionCall);
    return false;
  }
  {
    const auto lock = lock_screen();
    // The new first page is made before the old pages go, as a new screen image would be.
    const int first = take_image(m->width, m->height, mode);
    if (first == 0) return false;
    release_pages();
    select_screen(first, false);
    for (int page = 1; page < m->pages; ++page) create_page(page);
  }
  if (onScreenChange_) onScreenChange_();
  return true;
}

void ImageTable::set_colour(uint32_t fg, uint32_t bg, uint32_t border, uint32_t passed) {
  if (errors_.pending() || passed == 0) return;
  Image* img = destination();
  if (!img) return;
  if (img->isText) {
    if (((passed & kArg0) && fg > 31) || ((passed & kArg1) && bg > 15)) {
      errors_.raise_error(kIllegalFunctionCall);
      return;
    }
    bg &= 7;
  } else if (img->mode == 32) {
    if (passed & kArg2) {
      errors_.raise_error(kIllegalFunctionCall);
      return;
    }
  } else if ((passed & kArg2) || ((passed & kArg0) && fg > img->colourMask) ||
             ((passed & kArg1) && bg > img->colourMask)) {
    errors_.raise_error(kIllegalFunctionCall);
    return;
  }
  (void)border;
  if (passed & kArg0) img->foreground = fg;
  if (passed & kArg1) img->background = bg;
}

void ImageTable::set_clear_colour(int32_t none, uint32_t colour, int32_t image, uint32_t passed) {
  if (errors_.pending()) return;
  Image* img = (passed & kArg1) ? resolve(image) : destination();
  if (!img) return;
  const bool colourGiven = passed & kArg0;
  if (img->isText) {
    if (none != 0 && !colourGiven) return;
    errors_.raise_error(kIllegalFunctionCall);
    return;
  }
  if (none != 0 && colourGiven) {
    errors_.raise_error(kIllegalFunctionCall);
    return;
  }
  if (img->palette) {
    if (none != 0) {
      img->clearColour = -1;
    } else if (colourGiven && colour < 256) {
      img->clearColour = static_cast<int32_t>(colour);
    } else {
      errors_.raise_error(kIllegalFunctionCall);
    }
    return;
  }
  if (none != 0) return;
  if (!colourGiven) {
    errors_.raise_error(kIllegalFunctionCall);
    return;
  }
  const uint32_t rgb = colour & 0xFFFFFFu;
  for (size_t at = 0; at + 4 <= img->pixels.size(); at += 4) {
    uint32_t px;
    std::memcpy(&px, &img->pixels[at], 4);
    if ((px & 0xFFFFFFu) == rgb) std::memcpy(&img->pixels[at], &rgb, 4);
  }
}

void ImageTable::set_print_mode(int32_t option, int32_t image, uint32_t passed) {
  if (errors_.pending()) return;
  Image* img = passed ? resolve(image) : destination();
  if (!img) return;
  if (img->isText && option != 1) {
    errors_.raise_error(kIllegalFunctionCall);
    return;
  }
  switch (option) {
    case 1:
      img->printMode = kPrintFillCell;
      break;
    case 2:
      img->printMode = kPrintGlyphOnly;
      break;
    case 3:
      img->printMode = kPrintBackgroundOnly;
      break;
    default:
      break;
  }
}

}  // namespace kelvo
