// Laying out and drawing the error dialog with the built-in 8 x 16 font.
#include "platform/dialog_box.h"

#include <algorithm>

#include "platform/key_translation.h"

namespace kelvo {
namespace {

constexpr int kCharW = kCanvasCharW;
constexpr int kCharH = kCanvasCharH;
constexpr int kTitleHeight = 20;
constexpr int kMargin = 12;
constexpr int kButtonW = 72;
constexpr int kButtonH = 24;
constexpr int kButtonGap = 8;
constexpr int kMinWidth = 200;
constexpr uint32_t kKeyY = 'y', kKeyN = 'n';

std::vector<std::string> split_lines(const std::string& text) {
  std::vector<std::string> lines(1);
  for (char c : text) {
    if (c == '\n') {
      lines.emplace_back();
    } else {
      lines.back() += c;
    }
  }
  return lines;
}

// Breaks a line at its last blank that fits, or cuts it when a word alone is too long.
void wrap_line(std::string line, size_t maxChars, std::vector<std::string>& out) {
  while (line.size() > maxChars) {
    size_t cut = line.rfind(' ', maxChars);
    const bool atBlank = cut != std::string::npos && cut > 0;
    if (!atBlank) cut = maxChars;
    out.push_back(line.substr(0, cut));
    line.erase(0, atBlank ? cut + 1 : cut);
  }
  out.push_back(std::move(line));
}

int text_width(const std::string& s) {
  return static_cast<int>(s.size()) * kCharW;
}

}  // namespace

std::vector<std::string> dialog_buttons(DialogKind kind) {
  if (kind == DialogKind::Ok) return {"OK"};
  return {"Yes", "No"};
}

DialogLayout layout_dialog(const DialogRequest& request, int surfaceWidth, int surfaceHeight) {
  DialogLayout layout;
  const size_t maxChars = static_cast<size_t>(std::max(1, (surfaceWidth - 2 * kMargin) / kCharW));
  for (auto& line : split_lines(request.text)) wrap_line(std::move(line), maxChars, layout.lines);
  const int buttonCount = static_cast<int>(dialog_buttons(request.kind).size());
  const int buttonsWidth = buttonCount * kButtonW + (buttonCount - 1) * kButtonGap;
  int width =
      std::max({kMinWidth, text_width(request.title) + 2 * kMargin, buttonsWidth + 2 * kMargin});
  for (const auto& line : layout.lines) width = std::max(width, text_width(line) + 2 * kMargin);
  width = std::min(width, surfaceWidth);
  const int lineCount = static_cast<int>(layout.lines.size());
  const int height = kTitleHeight + 2 + 3 * kMargin + lineCount * kCharH + kButtonH;
  layout.box = {std::max(0, (surfaceWidth - width) / 2), std::max(0, (surfaceHeight - height) / 2),
                width, height};
  const int buttonY = layout.box.y + layout.box.h - 1 - kMargin - kButtonH;
  int buttonX = layout.box.x + (width - buttonsWidth) / 2;
  for (int i = 0; i < buttonCount; ++i, buttonX += kButtonW + kButtonGap) {
    layout.buttons.push_back({buttonX, buttonY, kButtonW, kButtonH});
  }
  return layout;
}

std::vector<uint32_t> render_dialog(const DialogRequest& request, const DialogLayout& layout) {
  const DialogRect& box = layout.box;
  std::vector<uint32_t> pixels(static_cast<size_t>(box.w) * box.h, kDialogFace);
  PixelCanvas canvas{pixels.data(), box.w, box.h, box.w};
  canvas.outline({0, 0, box.w, box.h}, kDialogFrame);
  canvas.fill({1, 1, box.w - 2, kTitleHeight}, kDialogTitleBar);
  canvas.text(kMargin / 2, 1 + (kTitleHeight - kCharH) / 2, request.title, kDialogTitleText);
  int y = 1 + kTitleHeight + kMargin;
  for (const auto& line : layout.lines) {
    canvas.text(kMargin, y, line, kDialogText);
    y += kCharH;
  }
  const auto labels = dialog_buttons(request.kind);
  for (size_t i = 0; i < layout.buttons.size(); ++i) {
    const DialogRect r{layout.buttons[i].x - box.x, layout.buttons[i].y - box.y, kButtonW,
                       kButtonH};
    canvas.outline(r, kDialogButtonEdge);
    canvas.text(r.x + (r.w - text_width(labels[i])) / 2, r.y + (r.h - kCharH) / 2, labels[i],
                kDialogText);
  }
  return pixels;
}

std::optional<bool> dialog_key_answer(DialogKind kind, uint32_t keySym) {
  const bool enter = keySym == sym::kReturn || keySym == sym::kKpEnter;
  if (kind == DialogKind::Ok) {
    if (enter || keySym == sym::kEscape || keySym == sym::kSpace) return true;
    return std::nullopt;
  }
  if (enter || keySym == kKeyY) return true;
  if (keySym == kKeyN || keySym == sym::kEscape) return false;
  return std::nullopt;
}

int dialog_button_at(const DialogLayout& layout, int x, int y) {
  for (size_t i = 0; i < layout.buttons.size(); ++i) {
    if (layout.buttons[i].contains(x, y)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace kelvo
