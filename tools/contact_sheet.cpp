// Lays the pictures out in rows under their names.
#include "tools/contact_sheet.h"

#include <algorithm>
#include <string>
#include <vector>

#include "runtime/display/window_icon.h"
#include "tools/colours.h"
#include "tools/lettering.h"

namespace kelvo::assets {
namespace {

constexpr int kSheetWidth = 1400;
constexpr int kGap = 8;
constexpr int kLabelHeight = kGlyphHeight + 3;
constexpr uint8_t kBackground = col::kGrey61;
constexpr uint8_t kLabel = col::kWhite;
constexpr uint8_t kOpaqueFrame = col::kYellow;

struct Cell {
  std::string label;
  Canvas image;
  bool opaque;
  int x = 0, y = 0;
};

}  // namespace

Canvas contact_sheet(const AssetSet& set) {
  std::vector<Cell> cells;
  // Sprites are shown at twice their size so that their pixels can be judged.
  for (const Picture& p : set.pictures) {
    std::string label = p.file.substr(0, p.file.find('.'));
    const bool small = p.image.width() <= 64 && p.image.height() <= 64;
    cells.push_back({label, small ? p.image.scaled(2) : p.image, p.opaque});
  }
  Canvas icon(32, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) icon.set(x, y, kelvo::kWindowIcon[y * 32 + x]);
  cells.push_back({"window icon x2", icon.scaled(2), false});

  // Row packing in catalogue order.
  int x = kGap, y = kGap, row_height = 0;
  for (Cell& c : cells) {
    const int w = std::max(c.image.width(), text_width(c.label));
    if (x + w + kGap > kSheetWidth && x > kGap) {
      x = kGap;
      y += row_height + kGap;
      row_height = 0;
    }
    c.x = x;
    c.y = y;
    x += w + kGap + 4;
    row_height = std::max(row_height, c.image.height() + kLabelHeight + 2);
  }
  Canvas sheet(kSheetWidth, y + row_height + kGap, kBackground);
  for (const Cell& c : cells) {
    if (c.opaque) {
      sheet.fill_rect(c.x - 1, c.y - 1, c.image.width() + 2, c.image.height() + 2, kOpaqueFrame);
      sheet.blit(c.image, c.x, c.y, false);
    } else {
      sheet.blit(c.image, c.x, c.y, true);
    }
    draw_text(sheet, c.x, c.y + c.image.height() + 3, c.label, kLabel);
  }
  return sheet;
}

}  // namespace kelvo::assets
