// The display-mode search, the full-screen decision of the refresh and its geometry.
#include "runtime/display/fullscreen.h"

namespace kelvo {
namespace {

constexpr int kMinFullscreenWidth = 640;

bool is_four_by_three(const DisplayMode& m) {
  return m.width / 4 == m.height / 3;
}

// Keeps `m` when it wastes no more than the best so far: walking in order, the later one wins.
void consider(std::optional<DisplayMode>& best, int& bestWaste, const DisplayMode& m, int waste) {
  if (best && waste > bestWaste) return;
  best = m;
  bestWaste = waste;
}

int32_t attempt(int32_t wanted, const ModeChoice& found, int32_t mode) {
  switch (wanted) {
    case kWindowed:
      return kWindowed;
    case kStretched:
      return found.bestAny ? kStretched : mode;
    default:
      return found.best43 && found.best43 != found.bestAny ? kFourByThree : kWindowed;
  }
}

// A full-screen kind whose mode no longer exists (the content grew) cannot stay.
int32_t still_possible(int32_t mode, const ModeChoice& found) {
  if (mode == kStretched && !found.bestAny) return kWindowed;
  if (mode == kFourByThree && !found.best43) return kWindowed;
  return mode;
}

}  // namespace

bool shown_doubled(int contentWidth, int contentHeight) {
  return contentWidth <= 512 && contentHeight <= 384;
}

ModeChoice find_modes(const DisplayModes& modes, int contentWidth, int contentHeight) {
  const int scale = shown_doubled(contentWidth, contentHeight) ? 2 : 1;
  const int width = contentWidth * scale;
  const int height = contentHeight * scale;
  ModeChoice found;
  int anyWaste = 0;
  int waste43 = 0;
  for (const DisplayMode& m : modes) {
    if (m.width < kMinFullscreenWidth || m.width < width || m.height < height) continue;
    const int waste = (m.width - width) + (m.height - height);
    consider(found.bestAny, anyWaste, m, waste);
    if (is_four_by_three(m)) consider(found.best43, waste43, m, waste);
  }
  return found;
}

int32_t next_fullscreen_mode(int32_t mode, int32_t request, bool toggle, const ModeChoice& found) {
  if (request >= kWindowed && request <= kFourByThree) {
    return still_possible(attempt(request, found, mode), found);
  }
  if (!toggle) return still_possible(mode, found);
  // Alt+Enter cycles window -> stretched -> 4:3 -> window.
  const int32_t wanted = mode == kWindowed    ? kStretched
                         : mode == kStretched ? kFourByThree
                                              : kWindowed;
  return still_possible(attempt(wanted, found, mode), found);
}

VideoGeometry video_geometry(int32_t mode, const ModeChoice& found, int contentWidth,
                             int contentHeight) {
  const std::optional<DisplayMode>& chosen = mode == kStretched     ? found.bestAny
                                             : mode == kFourByThree ? found.best43
                                                                    : std::nullopt;
  if (!chosen) return {contentWidth, contentHeight, 1, 0, 0};
  const int scale = shown_doubled(contentWidth, contentHeight) ? 2 : 1;
  const int width = chosen->width;
  const int height = chosen->height;
  return {width, height, scale, (width - contentWidth * scale) / 2,
          (height - contentHeight * scale) / 2};
}

int32_t fullscreen_target(int32_t option) {
  static constexpr int32_t kTargets[] = {kStretched, kWindowed, kStretched, kFourByThree};
  return option >= 0 && option <= 3 ? kTargets[option] : -1;
}

int32_t other_fullscreen_kind(int32_t target) {
  if (target == kStretched) return kFourByThree;
  if (target == kFourByThree) return kStretched;
  return -1;
}

}  // namespace kelvo
