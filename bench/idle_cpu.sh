#!/usr/bin/env bash
# Measures the CPU the game uses while it idles in attract mode in a real window (under a virtual
# X server), with the game's own pictures and sounds: run it from the repository with a built
# build/kelvo.
#   tests/window/xvfb.sh 1280x1024x24 bench/idle_cpu.sh [SECONDS]
# Prints the whole process's share of one core and each thread's, so that a thread that should
# be asleep shows; then, for as long, what the host charges for the game's wake-ups alone
# (build/bench/kelvo_wake_floor), a part of that share no change to the game's work removes.
set -euo pipefail
seconds="${1:-30}"
kelvo="$(realpath "${KELVO:-build/kelvo}")"
game="$(mktemp -d)"
trap 'rm -rf "$game"' EXIT
mkdir -p "$game/rurazedudi"
ln -s "$(dirname "$kelvo")"/rurazedudi/* "$game/rurazedudi/"
rm "$game/rurazedudi/score.txt"
cp "$(dirname "$kelvo")/rurazedudi/score.txt" "$game/rurazedudi/"
export SDL_AUDIODRIVER=dummy
"$kelvo" --window --mute --dir "$game" 2>"$game/stderr.txt" &
pid=$!
sleep 6  # the boot screen's 3.1 s of scripted waits, then attract mode's first pause
if [ -s "$game/stderr.txt" ]; then
  echo "idle_cpu: the game wrote to standard error (not idling in attract mode):" >&2
  cat "$game/stderr.txt" >&2
fi
# CPU time in nanoseconds from schedstat: the 100 Hz ticks of stat give about 50 counts in 30 s.
cpu_ns() { awk '{print $1}' "$1/schedstat"; }
declare -A before
for task in /proc/"$pid"/task/*; do before[$task]=$(cpu_ns "$task"); done
sleep "$seconds"
total=0
for task in /proc/"$pid"/task/*; do
  [ -n "${before[$task]:-}" ] || continue
  used=$(($(cpu_ns "$task") - before[$task]))
  total=$((total + used))
  awk -v t="$used" -v s="$seconds" -v name="$(basename "$task") $(cat "$task/comm")" \
    'BEGIN { printf "  thread %-22s %6.3f%%\n", name, 100 * t / 1e9 / s }'
done
kill "$pid"
wait "$pid" 2>/dev/null || true
awk -v t="$total" -v s="$seconds" \
  'BEGIN { printf "attract mode: %.3f%% of one core over %d s\n", 100 * t / 1e9 / s, s }'
floor="$(dirname "$kelvo")/bench/kelvo_wake_floor"
if [ -x "$floor" ]; then "$floor" "$seconds"; fi
