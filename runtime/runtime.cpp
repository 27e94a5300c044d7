// Wiring of the runtime's services and the operations that span several of them.
#include "runtime/runtime.h"

#include <algorithm>

namespace kelvo {

Runtime::Runtime(Clock& clock, TimeReference reference)
    : timing(errors, clock, reference), sound(errors, trace, clock), clock_(clock) {
  clock.bind_stop(hub, errors.stopRequested);
  images.set_screen_change_hook([this] { display.windowValid.store(0); });
  images.set_screen(0, kArg0);  // the start-up text screen
}

void Runtime::quit_program() {
  errors.request_exit();
  errors.end_program();
}

int32_t Runtime::new_image(int32_t width, int32_t height, int32_t mode, uint32_t passed) {
  return images.new_image(width, height, mode, passed);
}

void Runtime::set_fullscreen(int32_t option) {
  if (errors.pending()) return;
  static constexpr int kTargets[] = {1, 0, 1, 2};
  if (option < 0 || option > 3) {
    errors.raise_error(5);
    return;
  }
  if (frontend_) frontend_->request_fullscreen(kTargets[option]);
}

std::unique_lock<std::mutex> Runtime::screen_draw_lock() {
  if (display.autoDisplay.load() != 0) return std::unique_lock<std::mutex>(images.screen_mutex());
  return {};
}

void Runtime::clear_screen() {
  if (errors.pending()) return;
  Image* img = images.destination();
  if (!img) return;
  auto lock = screen_draw_lock();
  kelvo::clear_screen(*img, errors, 0, 0, 0);
}

void Runtime::clear_screen(int32_t colour) {
  if (errors.pending()) return;
  Image* img = images.destination();
  if (!img) return;
  auto lock = screen_draw_lock();
  kelvo::clear_screen(*img, errors, 0, colour, kClearColour);
}

void Runtime::locate(int32_t row, int32_t column) {
  if (errors.pending()) return;
  if (Image* img = images.destination()) {
    kelvo::locate(*img, errors, row, column, 0, 0, 0, kLocateRow | kLocateColumn);
  }
}

void Runtime::print_wrap_check(std::string_view text) {
  if (errors.pending()) return;
  if (Image* img = images.destination()) kelvo::print_wrap_check(*img, errors, text);
}

void Runtime::print_text(std::string_view text, bool newline) {
  if (errors.pending()) return;
  Image* img = images.destination();
  if (!img) return;
  auto lock = screen_draw_lock();
  kelvo::print_text(*img, errors, text, newline ? 1 : 0, text_hooks());
}

// The bell's tone queue is not served by this runtime: the beep is silent, its pause is kept.
TextHooks Runtime::text_hooks() {
  TextHooks hooks;
  hooks.beep = [](double, double) {};
  hooks.sleep = [this](std::chrono::milliseconds ms) {
    clock_.sleep_ms(static_cast<uint32_t>(ms.count()));
  };
  return hooks;
}

void Runtime::display_now() {
  if (errors.pending()) return;
  if (frontend_) frontend_->show_frame();
  const uint32_t frame = display.frameCount.fetch_add(1) + 1;
  if (frameHook_) frameHook_(frame);
}

void Runtime::seed_random(double seed) {
  if (errors.pending()) return;
  random.seed_random(seed);
  trace.event("seed", exact_double(seed));
}

float Runtime::random_number() {
  return errors.pending() ? 0.0f : random.random_number();
}

}  // namespace kelvo
