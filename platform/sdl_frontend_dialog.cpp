// The SDL frontend's side of the error dialog: showing it over the frame on the main thread and
// routing the window's events to it while it is open.
#include "platform/sdl_frontend.h"

namespace kelvo {

void SdlFrontend::redraw_window() {
  port_.handover().begin_redraw();
  present(false);
}

void SdlFrontend::open_dialog() {
  dialog_.open(dialogs_.take());
  redraw_window();
  dialog_.draw(surface_);
  dialogsShown_.fetch_add(1);
  port_.hub().notify();
}

bool SdlFrontend::dialog_event(const SDL_Event& event) {
  const SdlDialog::Outcome outcome = dialog_.take_event(event);
  if (outcome.redraw) {
    redraw_window();
    dialog_.draw(surface_);
  }
  if (outcome.answer) {
    // The whole window is drawn again without the dialog before the game goes on.
    redraw_window();
    dialogs_.answer(*outcome.answer);
  }
  return outcome.taken;
}

}  // namespace kelvo
