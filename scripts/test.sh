#!/usr/bin/env bash
# Sets up the machine, then builds and runs every test: a plain build, its script goldens and
# window tests again on the SDL2-based SDL 1.2, an AddressSanitizer + UndefinedBehaviorSanitizer
# build, and a ThreadSanitizer build of the threaded tests.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh test
jobs="$(nproc)"
root="$(pwd)"

build() {  # build DIR SANITIZER TARGET...
  local dir="$1" san="$2"
  shift 2
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVO_SANITIZE="$san" -DKELVO_BUILD_TESTS=ON \
    -DKELVO_BUILD_BENCH="$([ -z "$san" ] && echo ON || echo OFF)" >/dev/null
  cmake --build "$dir" -j "$jobs" ${1:+--target "$@"}
}

echo "== format check"
scripts/check-format.sh

echo "== plain build"
build build ""
(cd build && ctest --output-on-failure -j "$jobs")

echo "== SDL 1.2 compatibility library (over SDL2): script goldens and window tests"
scripts/sdl_compat.sh build

echo "== AddressSanitizer + UndefinedBehaviorSanitizer"
build build-asan address
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS="suppressions=$root/tests/sanitizers/lsan.supp" \
  ctest --output-on-failure -j "$jobs")

echo "== fuzz targets, 10 s each"
scripts/fuzz.sh 10

echo "== ThreadSanitizer (threaded tests)"
build build-tsan thread kelvo kelvo_threaded_tests x11_close
(cd build-tsan && TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
  ctest --output-on-failure -j "$jobs" -L threaded)
