// The kelvo program with the error probe in place of the game: error_probe MODE [kelvo options].
#include <cstdio>
#include <string>

#include "platform/app.h"
#include "support/error_probe.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: error_probe error|critical [kelvo options]\n");
    return 2;
  }
  const std::string mode = argv[1];
  argv[1] = argv[0];
  return kelvo::kelvo_main(argc - 1, argv + 1, [mode](kelvo::Runtime& rt, kelvo::GameState& s) {
    kelvo::test::error_probe(mode, rt, s);
  });
}
