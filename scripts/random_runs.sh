#!/usr/bin/env bash
# Plays seeded random-input runs headless and keeps their traces, state dumps, frames and final
# high-score files in OUT, so that two builds can be compared byte for byte before and after a
# change:
#   scripts/random_runs.sh BINARY OUT [FRAMES] [SHOT_EVERY]   then   diff -r OUT_BEFORE OUT_AFTER
# The runs start on levels 1, 4, 7 and 10 and press Left, Right, Space and now and then Q. A
# change to drawing wants more frames compared: a SHOT_EVERY of about 100 (default 7000).
set -euo pipefail
bin="$(realpath "$1")"
out="$2"
frames="${3:-60000}"
shotEvery="${4:-7000}"
data="$(dirname "$bin")/rurazedudi"
[ -d "$data" ] || { echo "random_runs: no $data beside $bin" >&2; exit 2; }
rm -rf "$out"
mkdir -p "$out"
out="$(realpath "$out")"

# One script: random key changes every 1 to 40 frames, a dump every 2000 and a shot every
# SHOT_EVERY.
make_script() {  # SEED FRAMES
  awk -v seed="$1" -v frames="$2" -v shotEvery="$shotEvery" 'BEGIN {
    srand(seed); split("Left Right Space", keys, " "); f = 1
    while (f < frames) {
      r = rand()
      if (r < 0.0015) { print f " press Q"; print f + 1 " release Q"; f += 2; continue }
      k = keys[int(rand() * 3) + 1]
      print f " " (rand() < 0.55 ? "press " : "release ") k
      step = int(rand() * 40) + 1
      for (g = f + 1; g <= f + step && g < frames; g++) {
        if (g % 2000 == 0) print g " dump dump_" g ".json all"
        if (g % shotEvery == 0) print g " shot shot_" g ".png"
      }
      f += step
    }
  }'
}

status=0
for run in 1:1 2:4 3:7 4:10; do
  seed="${run%%:*}"
  level="${run##*:}"
  dir="$out/run$seed"
  mkdir -p "$dir/game/rurazedudi"
  cp -L "$data"/* "$dir/game/rurazedudi/"
  make_script "$seed" "$frames" >"$dir/input.script"
  (cd "$dir" && "$bin" --headless --dir "$dir/game" --time 08:30:00 --level "$level" \
    --script input.script --trace trace.txt --frames "$frames" >stdout.txt 2>stderr.txt) ||
    { echo "random_runs: run $seed ended with status $?" >&2; status=1; }
  cp "$dir/game/rurazedudi/score.txt" "$dir/score.txt" 2>/dev/null || true
  rm -rf "$dir/game"
  echo "run $seed (level $level): $(wc -l <"$dir/trace.txt") trace lines, $(grep -c ' state ' "$dir/trace.txt") state changes"
done
exit "$status"
