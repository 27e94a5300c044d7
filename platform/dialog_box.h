// The error dialog's look and rules, free of SDL: layout, pixels, keys and buttons.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/pixel_canvas.h"

namespace kelvo {

// A Yes/No question (an unhandled error) or a box with one OK button (a critical error).
enum class DialogKind { YesNo, Ok };

struct DialogRequest {
  DialogKind kind = DialogKind::YesNo;
  std::string title;
  std::string text;  // lines separated by line feeds
};

using DialogRect = PixelRect;

// Where everything goes, in the coordinates of the window's surface.
struct DialogLayout {
  DialogRect box;
  std::vector<std::string> lines;  // the text, wrapped to the box
  std::vector<DialogRect> buttons;
};

// Colours of the dialog, 0x00RRGGBB.
inline constexpr uint32_t kDialogFace = 0xC0C0C0;
inline constexpr uint32_t kDialogTitleBar = 0x000080;
inline constexpr uint32_t kDialogTitleText = 0xFFFFFF;
inline constexpr uint32_t kDialogText = 0x000000;
inline constexpr uint32_t kDialogFrame = 0x404040;
inline constexpr uint32_t kDialogButtonEdge = 0x000000;

// Centres the dialog on a surface of this size; long lines are wrapped at blanks (or cut) so that
// the box fits the surface.
DialogLayout layout_dialog(const DialogRequest& request, int surfaceWidth, int surfaceHeight);

// The box's pixels, 0x00RRGGBB, box.w per line.
std::vector<uint32_t> render_dialog(const DialogRequest& request, const DialogLayout& layout);

// The button labels of a kind, left to right.
std::vector<std::string> dialog_buttons(DialogKind kind);

// The answer a key gives (by its SDL 1.2 key symbol): Y or Enter say yes, N or Escape no; the OK
// box takes Enter, Escape and Space. Nothing for other keys.
std::optional<bool> dialog_key_answer(DialogKind kind, uint32_t keySym);

// The answer of button `index`: the first button is Yes (or OK).
inline bool dialog_button_answer(int index) {
  return index == 0;
}

// The index of the button under (x, y), or -1.
int dialog_button_at(const DialogLayout& layout, int x, int y);

}  // namespace kelvo
