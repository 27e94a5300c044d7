#!/usr/bin/env bash
# Start-up costs, each a median of RUNS runs (9 by default):
#  - headless `--frames 1`: the CPU time (user + system) of loading everything and one frame;
#  - a window run with `--frames 1` (needs an X display): the wall time to
#    the first frame on view and the shutdown after it, less the 3.1 s of waits the boot screen
#    scripts before attract mode's first frame.
#   tests/window/xvfb.sh 1280x1024x24 bench/startup.sh [RUNS]
# Not under xvfb-run: its server resets whenever its last client leaves, and SDL 1.2 opens and
# closes a display once to probe for X before it opens its own, so every run would wait about
# 50 ms for a reset that a desktop's server, with other clients connected, never makes.
set -euo pipefail
runs="${1:-9}"
kelvo="$(realpath "${KELVO:-build/kelvo}")"
game="$(mktemp -d)"
trap 'rm -rf "$game"' EXIT
mkdir -p "$game/rurazedudi"
ln -s "$(dirname "$kelvo")"/rurazedudi/* "$game/rurazedudi/"
rm "$game/rurazedudi/score.txt"
cp "$(dirname "$kelvo")/rurazedudi/score.txt" "$game/rurazedudi/"
export SDL_AUDIODRIVER=dummy
# "median M ms (least L ms)": on a loaded machine the least is the run that waited least for a core.
median() { sort -n | awk '{ v[NR] = $1 } END { printf "median %d ms (least %d ms)", v[int((NR + 1) / 2)], v[1] }'; }

cpu=$(for _ in $(seq "$runs"); do
  TIMEFORMAT='%3U %3S'
  { time "$kelvo" --headless --dir "$game" --frames 1 >/dev/null 2>&1; } 2>&1 |
    awk '{ printf "%.0f\n", 1000 * ($1 + $2) }'
done | median)
echo "headless --frames 1: ${cpu} of CPU over $runs runs"

[ -n "${DISPLAY:-}" ] || { echo "no DISPLAY: window start-up not measured"; exit 0; }
wall=$(for _ in $(seq "$runs"); do
  start=$(date +%s%N)
  "$kelvo" --window --mute --dir "$game" --frames 1 >/dev/null 2>&1
  echo $((($(date +%s%N) - start) / 1000000 - 3100))
done | median)
echo "window --frames 1: ${wall} beyond the 3.1 s of scripted waits, exec and shutdown included"
