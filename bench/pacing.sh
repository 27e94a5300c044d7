#!/usr/bin/env bash
# Frame pacing in a window: plays level 1 for SECONDS (60 by default) at 120 frames a second and
# prints the mean interval between frames handed to the window and what the frame limiter did.
#   tests/window/xvfb.sh 1280x1024x24 bench/pacing.sh [SECONDS]
set -euo pipefail
seconds="${1:-60}"
build="$(realpath "${BUILD:-build}")"
game="$(mktemp -d)"
trap 'rm -rf "$game"' EXIT
mkdir -p "$game/rurazedudi"
ln -s "$build"/rurazedudi/* "$game/rurazedudi/"
rm "$game/rurazedudi/score.txt"
cp "$build/rurazedudi/score.txt" "$game/rurazedudi/"
SDL_AUDIODRIVER=dummy "$build/bench/kelvo_pacing_bench" "$game" "$seconds"
