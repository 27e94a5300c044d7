#!/usr/bin/env bash
# Sets up the machine, builds the game and starts it. Extra arguments go to the game.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh play
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVO_BUILD_BENCH=OFF -DKELVO_BUILD_TESTS=OFF >/dev/null
cmake --build build --target kelvo -j "$(nproc)"
exec build/kelvo "$@"
