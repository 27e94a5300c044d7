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

# Run where the sources cannot be found: beside them it lists some functions twice, once by the
# relative and once by the absolute name of their file.
(cd "$work" && callgrind_annotate --inclusive=yes --auto=no callgrind.out 2>/dev/null) |
  awk -v frames="$play_frames" -v level="$level" '
  # Inclusive instructions of every function by its name without arguments, summed over the
  # source files its code comes from. Compiler clones ("[clone .part.0]") are left out: their
  # cost is inside the function that calls them.
  /^ *[0-9,]+ \(/ && !/\[clone / {
    cost = $1; gsub(",", "", cost)
    name = $0; sub(/^ *[0-9,]+ \( *[0-9.]+%\) +/, "", name); sub(/^[^:]*:/, "", name)
    sub(/\(.*/, "", name); sub(/\[abi:[^]]*\]/, "", name)
    total[name] += cost
  }
  END {
    play = total["kelvo::Game::level_play"]
    scene = total["kelvo::Game::draw_scene"]
    capture = total["kelvo::Display::take_frame"]
    fills = total["kelvo::fill_screen"] + total["kelvo::clear_screen"]
    text = total["kelvo::Runtime::print_text"] + total["kelvo::Runtime::print_wrap_check"]
    text += total["kelvo::Runtime::locate"] + total["kelvo::Runtime::number_to_string"]
    # A clear that the sky does not cover is made when the sky is drawn.
    sky = total["kelvo::Game::draw_sky"] - total["kelvo::fill_screen"]
    if (sky < 0) sky = 0
    structure = total["kelvo::Game::draw_structure"]
    part["text"] = text; part["sky"] = sky; part["structure"] = structure
    part["sprites"] = scene - text - sky - structure - fills
    part["clear"] = fills; part["capture"] = capture; part["logic"] = play - scene - capture
    printf "level %d: %d LevelPlay frames, %.0f instructions a frame\n", level, frames, play / frames
    n = split("text sky structure sprites clear capture logic", order, " ")
    for (i = 1; i <= n; i++) {
      printf "  %-10s %8.0f instructions a frame %5.1f %%\n", order[i], part[order[i]] / frames,
             100 * part[order[i]] / play
    }
  }'
