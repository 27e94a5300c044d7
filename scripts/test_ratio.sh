#!/usr/bin/env bash
# Prints the size of the tests against the size of the product: non-blank lines that are not
# comments ("//" or "#" first, so preprocessor lines are left out too) of the C++, shell, Python
# and CMake files under tests/, against those under game/ runtime/ platform/ tools/.
set -euo pipefail
cd "$(dirname "$0")/.."
count() {
  find "$@" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.sh' -o -name '*.py' \
    -o -name 'CMakeLists.txt' -o -name '*.cmake' \) -print0 |
    xargs -0 -r awk '/^[[:space:]]*$/ {next} /^[[:space:]]*(\/\/|#)/ {next} {n++} END {print n+0}'
}
code=$(count game runtime platform tools)
tests=$(count tests)
awk -v t="$tests" -v c="$code" 'BEGIN {printf "tests %d / code %d = %.2f\n", t, c, t / c}'
