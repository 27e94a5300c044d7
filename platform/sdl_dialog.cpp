// Drawing the dialog onto the window's surface and feeding it the window's events.
#include "platform/sdl_dialog.h"

namespace kelvo {

void SdlDialog::open(DialogRequest request) {
  request_ = std::move(request);
  open_ = true;
  pressedButton_ = -1;
  answerKey_ = 0;
}

void SdlDialog::place(int surfaceWidth, int surfaceHeight) {
  layout_ = layout_dialog(request_, surfaceWidth, surfaceHeight);
}

void SdlDialog::draw(SDL_Surface* surface) {
  if (!open_ || !surface) return;
  place(surface->w, surface->h);
  std::vector<uint32_t> pixels = render_dialog(request_, layout_);
  const DialogRect& box = layout_.box;
  // SDL converts the 0x00RRGGBB pixels to whatever layout the window's surface has.
  SDL_Surface* image = SDL_CreateRGBSurfaceFrom(pixels.data(), box.w, box.h, 32, box.w * 4,
                                                0xFF0000u, 0xFF00u, 0xFFu, 0);
  if (!image) return;
  SDL_Rect at{static_cast<Sint16>(box.x), static_cast<Sint16>(box.y), static_cast<Uint16>(box.w),
              static_cast<Uint16>(box.h)};
  SDL_BlitSurface(image, nullptr, surface, &at);
  SDL_FreeSurface(image);
  SDL_UpdateRect(surface, box.x, box.y, static_cast<Uint32>(box.w), static_cast<Uint32>(box.h));
}

SdlDialog::Outcome SdlDialog::close_with(bool yes) {
  open_ = false;
  pressedButton_ = -1;
  return Outcome{true, yes, false};
}

SdlDialog::Outcome SdlDialog::take_event(const SDL_Event& event) {
  if (!open_) {
    // Key repeats of the answering key would otherwise reach the game as a fresh press.
    if (answerKey_ == 0) return {};
    if (event.type == SDL_KEYUP && event.key.keysym.sym == answerKey_) answerKey_ = 0;
    return Outcome{event.type == SDL_KEYDOWN && event.key.keysym.sym == answerKey_, {}, false};
  }
  switch (event.type) {
    case SDL_KEYDOWN: {
      const auto answer = dialog_key_answer(request_.kind, event.key.keysym.sym);
      if (!answer) return Outcome{true, {}, false};
      answerKey_ = event.key.keysym.sym;
      return close_with(*answer);
    }
    case SDL_MOUSEBUTTONDOWN:
      if (event.button.button == SDL_BUTTON_LEFT) {
        pressedButton_ = dialog_button_at(layout_, event.button.x, event.button.y);
      }
      return Outcome{true, {}, false};
    case SDL_MOUSEBUTTONUP: {
      if (event.button.button != SDL_BUTTON_LEFT) return Outcome{true, {}, false};
      const int button = dialog_button_at(layout_, event.button.x, event.button.y);
      const bool same = button >= 0 && button == pressedButton_;
      pressedButton_ = -1;
      if (same) return close_with(dialog_button_answer(button));
      return Outcome{true, {}, false};
    }
    case SDL_QUIT:
      // Closing the window gives the answer that ends the program (OK for a critical box).
      return close_with(request_.kind == DialogKind::Ok);
    case SDL_VIDEOEXPOSE:
      return Outcome{true, {}, true};
    case SDL_KEYUP:
      return {};  // releases still reach the held-key list
    default:
      return Outcome{true, {}, false};
  }
}

}  // namespace kelvo
