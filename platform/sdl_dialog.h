// The error dialog in the game's window: drawn over the last frame on the main thread, answered
// by keys, mouse clicks or the window's close request.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <optional>

#include "platform/dialog_box.h"

namespace kelvo {

class SdlDialog {
 public:
  bool is_open() const { return open_; }
  // Starts showing `request`; the caller has just redrawn the frame underneath.
  void open(DialogRequest request);
  // Lays the dialog out on a surface of this size (draw does it for the window's surface).
  void place(int surfaceWidth, int surfaceHeight);
  const DialogLayout& layout() const { return layout_; }
  // Draws the dialog over the surface and puts it on screen.
  void draw(SDL_Surface* surface);

  // What an event did to the dialog.
  struct Outcome {
    bool taken = false;          // the event is the dialog's and must not reach the game
    std::optional<bool> answer;  // the dialog was answered and is closed now
    bool redraw = false;         // the window needs the frame and the dialog drawn again
  };
  // Takes the events meant for an open dialog, and the repeats of the key that answered it
  // until that key is released.
  Outcome take_event(const SDL_Event& event);

 private:
  Outcome close_with(bool yes);

  bool open_ = false;
  DialogRequest request_;
  DialogLayout layout_;
  int pressedButton_ = -1;
  uint32_t answerKey_ = 0;  // the key that answered, swallowed until released
};

}  // namespace kelvo
