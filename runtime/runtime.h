// The runtime as the game sees it: one object holding every service, with the operations the
// game calls. Nothing here touches SDL (files go through POSIX calls); the platform layer plugs in
// a Frontend and a Clock and drives the rest through platform() (runtime/platform_port.h).
#pragma once

#include <array>
#include <concepts>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/display/blit.h"
#include "runtime/display/frame_handover.h"
#include "runtime/display/image_decoder.h"
#include "runtime/display/image_loader.h"
#include "runtime/display/image_table.h"
#include "runtime/display/text.h"
#include "runtime/frontend.h"
#include "runtime/platform_port.h"
#include "runtime/services/clock.h"
#include "runtime/services/errors.h"
#include "runtime/services/files.h"
#include "runtime/services/keyboard.h"
#include "runtime/services/numbers.h"
#include "runtime/services/sound.h"
#include "runtime/services/timing.h"
#include "runtime/services/trace.h"
#include "runtime/services/wait_hub.h"

namespace kelvo {

class Runtime {
 public:
  // Prepares the image table, the default palette and the start-up text screen.
  Runtime(Clock& clock, TimeReference reference);
  Runtime(const Runtime&) = delete;
  Runtime& operator=(const Runtime&) = delete;

  void set_frontend(Frontend* frontend) { frontend_ = frontend; }
  // Decodes the files of load_image; without one every load gives -1.
  void set_image_decoder(ImageDecoder* decoder) { decoder_ = decoder; }
  // Runs after every display_now, on the game thread, with the new frame number.
  void set_frame_hook(std::function<void(uint32_t)> hook) { frameHook_ = std::move(hook); }
  const std::function<void(uint32_t)>& frame_hook() const { return frameHook_; }

  // Statement events: after each statement the game calls end_statement with its line number,
  // or with a function giving it, asked only when an event (an error, a pause, a stop) is pending.
  void end_statement(uint32_t line) {
    end_statement([line] { return line; });
  }
  template <std::invocable LineOf>
  void end_statement(LineOf line) {
    if (errors_.event_pending()) errors_.statement_event(line());
  }
  // Ends the program at once (the player quit): exitAtOnce, then end_program.
  [[noreturn]] void quit_program();
  int raise_error(int code) { return errors_.raise_error(code); }
  // The error raised in this statement and not yet reported; 0 for none.
  int pending_error() const { return errors_.pending(); }
  // A line of the trace (when one is written), stamped with the frame number.
  void trace_event(std::string_view kind, std::string_view text = {}) { trace_.event(kind, text); }

  // Images and screen. image() gives the image a handle names (null, with an error raised, for
  // none).
  Image* image(int32_t handle) { return images_.resolve(handle); }
  int32_t new_image(int32_t width, int32_t height, int32_t mode, uint32_t passed = kArg0);
  void set_screen(int32_t modeOrHandle) {
    settle_fill();
    images_.set_screen(modeOrHandle, kArg0);
  }
  void set_fullscreen(int32_t option);
  void set_colour(uint32_t foreground) { images_.set_colour(foreground, 0, 0, kArg0); }
  void set_clear_colour(uint32_t colour, int32_t image) {
    settle_fill();
    images_.set_clear_colour(0, colour, image, kArg0 | kArg1);
  }
  void set_print_mode(int32_t option) { images_.set_print_mode(option, 0, 0); }
  void clear_screen();
  void clear_screen(int32_t colour);
  void locate(int32_t row, int32_t column);
  void print_wrap_check(std::string_view text);
  void print_text(std::string_view text, bool newline);
  void display_now();

  // Sequential files (the game uses number 1, input mode 3 and output mode 4).
  void file_open(std::string_view name, int32_t mode, int32_t number) {
    files_.file_open(std::string(name), mode, 0, 0, number, 0, false);
  }
  void file_close(int32_t number) { files_.file_close(number, true); }
  void file_print(int32_t number, const std::string& text, bool blankAfter, bool zone,
                  bool endLine) {
    files_.file_print(number, text, blankAfter, zone, endLine);
  }
  void file_input_string(int32_t number, std::string& destination) {
    files_.file_input_string(number, destination);
  }
  double file_input_number(int32_t number) {
    return static_cast<double>(files_.file_input_number(number, NumberType::kSingle));
  }

  // The next item of a data list into `destination`.
  void read_data_string(std::string_view data, uint32_t& position, std::string& destination) {
    if (!errors_.pending()) kelvo::read_data_string(errors_, data, position, destination);
  }

  // The display text of a number: a blank or "-", then the digits.
  std::string number_to_string(double value);
  // Image loading and drawing.
  int32_t load_image(std::string_view name);
  int32_t load_image(std::string_view name, int32_t mode, uint32_t passed);
  // The whole image at (x, y) on the destination, as drawn (passed 5).
  void put_image(double x, double y, int32_t source);
  // The whole image stretched (or mirrored) into (x1, y1)-(x2, y2) (passed 7).
  void put_image(double x1, double y1, double x2, double y2, int32_t source);
  // Every form: the corners and handles that `args.passed` names.
  void put_image(const PutImageArgs& args);

  // Keyboard, time and random numbers.
  int32_t key_down(int32_t code) { return keyboard_.key_down(code); }
  void delay(double seconds) { timing_.delay(seconds); }
  double time_of_day() { return timing_.time_of_day(); }
  void limit_rate(double rate) { timing_.limit_rate(rate); }
  void seed_random(double seed);
  float random_number();

  // Sound: handles from sound_open, 0 for none (calls with 0 do nothing).
  int32_t sound_open(std::string_view path, std::string_view requirements) {
    return sound_.open(path, requirements);
  }
  void sound_play(int32_t handle) { sound_.play(handle); }
  void sound_loop(int32_t handle) { sound_.loop(handle); }
  void sound_stop(int32_t handle) { sound_.stop(handle); }

  // Milliseconds since start-up.
  uint32_t elapsed_ms() { return clock_.ticks() - timing_.reference().startTicks; }

  // What the platform layer drives: the frame hand-over, input, the stop and the set-up hooks.
  PlatformPort platform() { return PlatformPort(*this); }

 private:
  friend class PlatformPort;

  WaitHub hub_;
  Errors errors_{hub_};
  FrameHandover handover_{hub_, errors_.stopRequested};
  Trace trace_{handover_.frame_counter()};
  ImageTable images_{errors_};
  Keyboard keyboard_{errors_};
  Timing timing_;
  Random random_;
  Files files_{errors_, [this](const std::string& line) { trace_line(line); }};
  Sound sound_;

  TextHooks make_text_hooks();
  void clear_destination(int32_t colour, uint32_t passed);
  // Makes a postponed fill before anything else draws on, shows or replaces an image.
  void settle_fill();
  void trace_line(const std::string& line);

  Clock& clock_;
  Frontend* frontend_ = nullptr;
  ImageDecoder* decoder_ = nullptr;
  ColourMatches colourMatches_;
  std::function<void(uint32_t)> frameHook_;
  TextHooks textHooks_ = make_text_hooks();  // made once: every printed line passes them on
  // A play frame clears the screen and then covers it with its sky: the clear's fill waits for
  // the next drawing and is dropped when that drawing covers the whole image. Only while the game
  // thread alone reads the screen (after the first display_now).
  struct PendingFill {
    Image* image;
    ScreenFill fill;
  };
  std::optional<PendingFill> pendingFill_;
  // The texts of the last numbers formatted, by the bits of their single-precision value: room
  // for the ten scores the hall of fame prints every frame, as well as the heads-up display's.
  struct NumberText {
    bool valid = false;
    uint32_t bits = 0;
    std::string text;
  };
  std::array<NumberText, 16> numberTexts_;
  size_t nextNumberText_ = 0;
};

}  // namespace kelvo
