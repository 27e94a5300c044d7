#!/usr/bin/env bash
# Where a play frame's time goes: plays a seeded random-input run (Left, Right, Space) headless
# under callgrind, counting instructions only inside the play loop, and prints the instructions
# of an average LevelPlay frame by part. Instruction counts do not depend on the machine's load.
#   bench/frame_budget.sh [LEVEL] [FRAMES] [BINARY]      (default 1, 6000, build/kelvo)
# KELVO_DATA names the pictures and sounds when they are not beside the binary.
# glibc is told not to use "rep movsb/stosb" for large copies and fills: valgrind counts every
# byte of those as one instruction, which would make the screen fill look 30 times dearer.
set -euo pipefail
level="${1:-1}"
frames="${2:-6000}"
kelvo="$(realpath "${3:-build/kelvo}")"
data="$(realpath "${KELVO_DATA:-$(dirname "$kelvo")/rurazedudi}")"  # the pictures and sounds
command -v valgrind >/dev/null || { echo "frame_budget: valgrind is not installed" >&2; exit 2; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/game/rurazedudi"
ln -s "$data"/* "$work/game/rurazedudi/"
rm -f "$work/game/rurazedudi/score.txt"
cp "$data/score.txt" "$work/game/rurazedudi/"

awk -v frames="$frames" 'BEGIN {
  srand(2024); split("Left Right Space", keys, " ")
  for (f = 1; f < frames; f += int(rand() * 40) + 1)
    print f " " (rand() < 0.55 ? "press " : "release ") keys[int(rand() * 3) + 1]
}' >"$work/input.script"

GLIBC_TUNABLES=glibc.cpu.x86_rep_stosb_threshold=0x7fffffff:glibc.cpu.x86_rep_movsb_threshold=0x7fffffff \
  valgrind --tool=callgrind --callgrind-out-file="$work/callgrind.out" \
  --toggle-collect='kelvo::Game::level_play()' \
  "$kelvo" --headless --dir "$work/game" --level "$level" --script "$work/input.script" \
  --trace "$work/trace.txt" --frames "$frames" >/dev/null 2>"$work/valgrind.txt"

# LevelPlay frames: from each "state LevelPlay" line to the next state change (or the run's end).
play_frames=$(awk -v last="$frames" '
  $2 == "state" { if (in_play) n += $1 - since; in_play = ($3 == "LevelPlay"); since = $1 }
  END { if (in_play) n += last - since; print n + 0 }' "$work/trace.txt")
[ "$play_frames" -gt 0 ] || { echo "frame_budget: the run never reached LevelPlay" >&2; exit 1; }

callgrind_annotate --inclusive=yes --auto=no "$work/callgrind.out" 2>/dev/null |
  awk -v frames="$play_frames" -v level="$level" '
  # Inclusive instructions of every function, summed over the source files its code comes from.
  /^ *[0-9,]+ \(/ {
    cost = $1; gsub(",", "", cost)
    name = $0; sub(/^ *[0-9,]+ \( *[0-9.]+%\) +/, "", name); sub(/^[^:]*:/, "", name)
    sub(/ \[[^]]*\]$/, "", name)
    total[name] += cost
  }
  function sum(prefix,    n, s) { s = 0; for (n in total) if (index(n, prefix) == 1) s += total[n]; return s }
  END {
    play = sum("kelvo::Game::level_play()")
    scene = sum("kelvo::Game::draw_scene()")
    capture = sum("kelvo::Display::take_frame(")
    clear = sum("kelvo::fill_screen(") + sum("kelvo::clear_screen(kelvo::Image&")
    text = sum("kelvo::Runtime::print_text(") + sum("kelvo::Runtime::print_wrap_check(") \
         + sum("kelvo::Runtime::locate(") + sum("kelvo::Runtime::number_to_string(")
    sky = sum("kelvo::Game::draw_sky()") - sum("kelvo::fill_screen(")
    if (sky < 0) sky = 0
    structure = sum("kelvo::Game::draw_structure()")
    sprites = scene - text - sky - structure - clear
    logic = play - scene - capture
    printf "level %d: %d LevelPlay frames, %.0f instructions a frame\n", level, frames, play / frames
    split("text sky structure sprites clear capture logic", order, " ")
    part["text"] = text; part["sky"] = sky; part["structure"] = structure
    part["sprites"] = sprites; part["clear"] = clear; part["capture"] = capture; part["logic"] = logic
    for (i = 1; i <= 7; i++)
      printf "  %-10s %9.0f instructions a frame  %5.1f %%\n", order[i], part[order[i]] / frames,
             100 * part[order[i]] / play
  }'
