// The error probe's frames and failing statements.
#include "support/error_probe.h"

namespace kelvo::test {

void error_probe(const std::string& mode, Runtime& rt, GameState&) {
  rt.set_screen(rt.new_image(320, 300, 256));
  rt.end_statement(1);
  rt.clear_screen(1);
  rt.end_statement(2);
  rt.locate(2, 2);
  rt.print_text("ERROR PROBE", true);
  rt.end_statement(3);
  for (int frame = 1;; ++frame) {
    rt.limit_rate(60);
    rt.end_statement(4);
    rt.display_now();
    rt.end_statement(5);
    if (mode == "critical" && frame == 1) rt.raise_error(504);
    if (frame == 10) {
      rt.key_down(0);
      rt.set_screen(-4000);  // dropped: the statement has failed already
    }
    rt.end_statement(6);
    if (frame == 20) rt.delay(-1);
    rt.end_statement(7);
    for (int32_t code : {13, 27, 78, 89, 110, 121}) {
      if (rt.key_down(code)) rt.platform().trace("held", std::to_string(code));
    }
    rt.end_statement(8);
  }
}

}  // namespace kelvo::test
