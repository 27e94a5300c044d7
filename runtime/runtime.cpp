// Wiring of the runtime's services and the operations that span several of them.
#include "runtime/runtime.h"

#include <algorithm>
#include <bit>

#include "runtime/display/fullscreen.h"
#include "runtime/services/numbers.h"

namespace kelvo {

Runtime::Runtime(Clock& clock, TimeReference reference)
    : timing_(errors_, clock, reference), sound_(errors_, trace_, clock), clock_(clock) {
  clock.bind_stop(hub_, errors_.stopRequested);
  handover_.set_screen([this] { return images_.display_image(); });
  images_.set_screen_lock(handover_.screen_mutex());
  images_.set_screen_change_hook([this] { handover_.invalidate_window(); });
  images_.set_screen(0, kArg0);  // the start-up text screen
}

void Runtime::quit_program() {
  errors_.request_exit();
  errors_.end_program();
}

int32_t Runtime::new_image(int32_t width, int32_t height, int32_t mode, uint32_t passed) {
  settle_fill();
  return images_.new_image(width, height, mode, passed);
}

void Runtime::set_fullscreen(int32_t option) {
  if (errors_.pending()) return;
  settle_fill();
  const int32_t target = fullscreen_target(option);
  if (target < 0) {
    errors_.raise_error(kIllegalFunctionCall);
    return;
  }
  if (!frontend_ || handover_.fullscreen_mode() == target) return;
  frontend_->request_fullscreen(target);
  // No mode of the wanted kind: try the other full-screen kind once.
  const int32_t other = other_fullscreen_kind(target);
  if (handover_.fullscreen_mode() != target && other >= 0) frontend_->request_fullscreen(other);
}

void Runtime::clear_screen() {
  clear_destination(0, 0);
}

void Runtime::clear_screen(int32_t colour) {
  clear_destination(colour, kClearColour);
}

void Runtime::clear_destination(int32_t colour, uint32_t passed) {
  if (errors_.pending()) return;
  Image* img = images_.destination();
  if (!img) return;
  auto lock = handover_.draw_lock();
  settle_fill();
  const auto fill = kelvo::clear_screen_cursors(*img, errors_, 0, colour, passed);
  if (!fill) return;
  if (!img->isText && img->bytesPerPixel == 1 && !handover_.loop_reads_screen()) {
    pendingFill_ = PendingFill{img, *fill};
  } else {
    fill_screen(*img, *fill);
  }
}

void Runtime::settle_fill() {
  if (!pendingFill_) return;
  fill_screen(*pendingFill_->image, pendingFill_->fill);
  pendingFill_.reset();
}

void Runtime::locate(int32_t row, int32_t column) {
  if (errors_.pending()) return;
  if (Image* img = images_.destination()) {
    kelvo::locate(*img, errors_, row, column, 0, 0, 0, kLocateRow | kLocateColumn);
  }
}

void Runtime::print_wrap_check(std::string_view text) {
  if (errors_.pending()) return;
  if (Image* img = images_.destination()) kelvo::print_wrap_check(*img, errors_, text);
}

void Runtime::print_text(std::string_view text, bool newline) {
  if (errors_.pending()) return;
  Image* img = images_.destination();
  if (!img) return;
  auto lock = handover_.draw_lock();
  settle_fill();
  kelvo::print_text(*img, errors_, text, newline ? 1 : 0, textHooks_);
}

// The bell's tone queue is not served by this runtime: the beep is silent, its pause is kept.
TextHooks Runtime::make_text_hooks() {
  TextHooks hooks;
  hooks.beep = [](double, double) {};
  hooks.sleep = [this](std::chrono::milliseconds ms) {
    clock_.sleep_ms(static_cast<uint32_t>(ms.count()));
  };
  return hooks;
}

void Runtime::display_now() {
  settle_fill();
  if (errors_.pending()) return;
  if (frontend_) frontend_->show_frame();
  const uint32_t frame = handover_.count_frame();
  if (frameHook_) frameHook_(frame);
  handover_.drop_unshown_frame();
}

int32_t Runtime::load_image(std::string_view name) {
  return load_image(name, 0, 0);
}

int32_t Runtime::load_image(std::string_view name, int32_t mode, uint32_t passed) {
  settle_fill();
  return kelvo::load_image(images_, errors_, decoder_, name, mode, passed, &colourMatches_);
}

void Runtime::put_image(double x, double y, int32_t source) {
  PutImageArgs args;
  args.x1 = x;
  args.y1 = y;
  args.source = source;
  args.passed = kPutCorner1 | kPutSource;
  put_image(args);
}

void Runtime::put_image(double x1, double y1, double x2, double y2, int32_t source) {
  PutImageArgs args;
  args.x1 = x1;
  args.y1 = y1;
  args.x2 = x2;
  args.y2 = y2;
  args.source = source;
  args.passed = kPutCorner1 | kPutCorner2 | kPutSource;
  put_image(args);
}

// The display loop may read the screen while it refreshes by itself, so drawing holds its lock.
void Runtime::put_image(const PutImageArgs& args) {
  if (errors_.pending()) return;
  auto lock = handover_.draw_lock();
  if (pendingFill_ && pendingFill_->image == images_.destination() &&
      covers_destination(images_, errors_, args)) {
    pendingFill_.reset();
  }
  settle_fill();
  kelvo::put_image(images_, errors_, args);
}

void Runtime::seed_random(double seed) {
  if (errors_.pending()) return;
  random_.seed_random(seed);
  trace_.event("seed", exact_double(seed));
}

// The HUD and the hall of fame print the same few numbers frame after frame, and formatting one
// costs two snprintf calls.
std::string Runtime::number_to_string(double value) {
  if (errors_.pending()) return std::string();
  const auto bits = std::bit_cast<uint32_t>(static_cast<float>(value));
  for (const NumberText& known : numberTexts_) {
    if (known.valid && known.bits == bits) return known.text;
  }
  NumberText& slot = numberTexts_[nextNumberText_++ % numberTexts_.size()];
  slot = {true, bits, kelvo::number_to_string(static_cast<float>(value))};
  return slot.text;
}

void Runtime::trace_line(const std::string& line) {
  const size_t space = line.find(' ');
  if (space == std::string::npos) {
    trace_.event(line);
  } else {
    trace_.event(std::string_view(line).substr(0, space), std::string_view(line).substr(space + 1));
  }
}

float Runtime::random_number() {
  return errors_.pending() ? 0.0f : random_.random_number();
}

}  // namespace kelvo
