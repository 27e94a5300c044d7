// The kelvo program's entry point.
#include "platform/app.h"

int main(int argc, char** argv) {
  return kelvo::kelvo_main(argc, argv);
}
