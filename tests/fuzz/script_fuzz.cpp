// libFuzzer target: arbitrary bytes as an input script, parsed as the program parses --script
// files; whatever it accepts must keep its absolute frames in order (a "+N" frame counts from the
// command before it).
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::string error;
  const auto commands = kelvo::parse_script(text, error);
  if (!commands) return 0;
  uint32_t frame = 0;
  for (const auto& c : *commands) {
    if (c.relative) continue;
    if (c.frame < frame) std::abort();
    frame = c.frame;
  }
  return 0;
}
