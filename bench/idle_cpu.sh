#!/usr/bin/env bash
# Measures the CPU the game uses while it idles in attract mode in a real window (under a virtual
# X server): run it from the repository with a built build/kelvo.
#   xvfb-run -a bench/idle_cpu.sh [SECONDS]
set -euo pipefail
seconds="${1:-10}"
kelvo="${KELVO:-build/kelvo}"
export SDL_AUDIODRIVER=dummy
"$kelvo" --window --mute --dir "$(mktemp -d)" 2>/dev/null &
pid=$!
sleep 4  # boot screen and the attract mode's first pause
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
start=$(ticks)
sleep "$seconds"
end=$(ticks)
kill "$pid"
wait "$pid" 2>/dev/null || true
hz=$(getconf CLK_TCK)
awk -v t=$((end - start)) -v hz="$hz" -v s="$seconds" \
  'BEGIN { printf "attract mode: %.1f%% of one core over %d s (%d ticks at %d Hz)\n", 100 * t / hz / s, s, t, hz }'
