#!/usr/bin/env bash
# The long soak: one seeded random-input run of FRAMES frames (default 3,000,000) headless with
# each kelvo build given (default build/ and build-asan/, those that exist), sampling the
# resident memory every second; fails on a crash, a sanitizer report, a status other than 0, or,
# without a sanitizer (whose quarantine of freed memory grows by design; LeakSanitizer checks
# leaks at the end instead), resident memory at the end more than 20% and 16 MB above the first
# sample after start-up.
# scripts/soak.sh [FRAMES [SEED [BUILD-DIR...]]]
set -euo pipefail
cd "$(dirname "$0")/.."
frames="${1:-3000000}"
seed="${2:-1}"
shift $(($# > 2 ? 2 : $#))
builds=("$@")
((${#builds[@]})) || builds=(build build-asan)
root="$(pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Random key changes every 1 to 40 frames: Left, Right and Space, and now and then Q.
awk -v seed="$seed" -v frames="$frames" 'BEGIN {
  srand(seed); split("Left Right Space", keys, " "); f = 1
  while (f < frames) {
    if (rand() < 0.0015) { print f " press Q"; print f + 1 " release Q"; f += 2; continue }
    print f " " (rand() < 0.55 ? "press " : "release ") keys[int(rand() * 3) + 1]
    f += int(rand() * 40) + 1
  }
}' >"$work/input.script"

rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status" 2>/dev/null || echo 0; }

status=0
for build in "${builds[@]}"; do
  [ -x "$build/kelvo" ] || { echo "soak: no $build/kelvo, skipped"; continue; }
  game="$work/game-$(basename "$build")"
  mkdir -p "$game/rurazedudi"
  cp -L "$build"/rurazedudi/* "$game/rurazedudi/"
  start=$SECONDS
  ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS="suppressions=$root/tests/sanitizers/lsan.supp" \
    "$build/kelvo" --headless --dir "$game" --script "$work/input.script" --frames "$frames" \
    --trace "$work/trace.txt" >/dev/null 2>"$work/stderr.txt" &
  pid=$!
  first=0 last=0 peak=0
  sleep 1
  while kill -0 $pid 2>/dev/null; do
    rss=$(rss_kb $pid)
    ((rss > 0)) || break
    ((first > 0)) || first=$rss
    last=$rss
    ((rss > peak)) && peak=$rss
    sleep 1
  done
  run_status=0
  wait $pid || run_status=$?
  shown=$(awk 'END {print $1}' "$work/trace.txt")
  echo "soak $build: $shown of $frames frames in $((SECONDS - start)) s, status $run_status," \
    "resident memory $((first / 1024)) MB after start-up, $((last / 1024)) MB at the end," \
    "peak $((peak / 1024)) MB, $(grep -c ' state ' "$work/trace.txt") state changes," \
    "$(grep -c ' error ' "$work/trace.txt" || true) errors"
  if ((run_status != 0)) || grep -q "Sanitizer\|runtime error:" "$work/stderr.txt"; then
    echo "soak $build: FAILED"
    head -c 3000 "$work/stderr.txt"
    status=1
  elif ! ldd "$build/kelvo" | grep -q 'libasan\|libtsan' &&
    ((last > first + first / 5 && last > first + 16384)); then
    echo "soak $build: FAILED: resident memory grew"
    status=1
  fi
done
exit "$status"
