// The kelvo program with a stand-in routine that saves a ten-line table as the game does and
// pauses between the fifth and sixth entry until the program is stopped, so that a test can close
// the window or send a signal while the table is half written: save_probe [kelvo options].
#include <string>

#include "platform/app.h"
#include "runtime/runtime.h"

namespace {

constexpr int kPauseAfterEntry = 5;

void save_with_pause(kelvo::Runtime& rt, kelvo::GameState&) {
  rt.set_screen(rt.new_image(320, 300, 256));
  rt.end_statement(1);
  rt.display_now();
  rt.end_statement(2);
  rt.file_open("rurazedudi/score.txt", 4, 1);
  rt.end_statement(3);
  for (int entry = 1; entry <= 10; ++entry) {
    rt.file_print(1, " " + std::to_string(10000 - entry), true, true, false);
    rt.file_print(1, "NEW", false, false, true);
    rt.end_statement(4);
    if (entry != kPauseAfterEntry) continue;
    rt.platform().trace("paused", "after entry " + std::to_string(entry));
    for (;;) {  // a stop ends this wait at the statement's end
      rt.delay(1);
      rt.end_statement(5);
    }
  }
  rt.file_close(1);
  rt.end_statement(6);
}

}  // namespace

int main(int argc, char** argv) {
  return kelvo::kelvo_main(argc, argv, save_with_pause);
}
