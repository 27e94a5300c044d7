#!/usr/bin/env bash
# Where a frame's time goes: plays a seeded random-input run (Left, Right, Space) headless under
# callgrind, counting instructions only inside the play loop, and prints the instructions of an
# average LevelPlay frame by part; with "attract" for the level, attract mode without input, by
# part of an Attract frame. Instruction counts do not depend on the machine's load.
#   bench/frame_budget.sh [LEVEL|attract] [FRAMES] [BINARY]      (default 1, 6000, build/kelvo)
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

if [ "$level" = attract ]; then
  stage=Attract
  loop='kelvo::Game::attract_mode()'
  : >"$work/input.script"
  start=()
else
  stage=LevelPlay
  loop='kelvo::Game::level_play()'
  awk -v frames="$frames" 'BEGIN {
    srand(2024); split("Left Right Space", keys, " ")
    for (f = 1; f < frames; f += int(rand() * 40) + 1)
      print f " " (rand() < 0.55 ? "press " : "release ") keys[int(rand() * 3) + 1]
  }' >"$work/input.script"
  start=(--level "$level")
fi

# The counted run has no trace, as a player's run has none (a traced dying frame writes a line of
# sound events); a plain run with a trace first tells which frames show the stage. Both start
# from the same score table.
fresh_scores() { cp -f "$data/score.txt" "$work/game/rurazedudi/score.txt"; }
fresh_scores
"$kelvo" --headless --dir "$work/game" "${start[@]}" --script "$work/input.script" \
  --trace "$work/trace.txt" --frames "$frames" >/dev/null
fresh_scores
GLIBC_TUNABLES=glibc.cpu.x86_rep_stosb_threshold=0x7fffffff:glibc.cpu.x86_rep_movsb_threshold=0x7fffffff \
  valgrind --tool=callgrind --callgrind-out-file="$work/callgrind.out" --toggle-collect="$loop" \
  "$kelvo" --headless --dir "$work/game" "${start[@]}" --script "$work/input.script" \
  --frames "$frames" >/dev/null 2>"$work/valgrind.txt"

# The stage's frames: from each "state STAGE" line to the next state change (or the run's end).
stage_frames=$(awk -v stage="$stage" -v last="$frames" '
  $2 == "state" { if (in_stage) n += $1 - since; in_stage = ($3 == stage); since = $1 }
  END { if (in_stage) n += last - since; print n + 0 }' "$work/trace.txt")
[ "$stage_frames" -gt 0 ] || { echo "frame_budget: the run never reached $stage" >&2; exit 1; }

# Run where the sources cannot be found: beside them it lists some functions twice, once by the
# relative and once by the absolute name of their file.
(cd "$work" && callgrind_annotate --inclusive=yes --auto=no callgrind.out 2>/dev/null) |
  awk -v frames="$stage_frames" -v level="$level" '
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
    capture = total["kelvo::FrameCopy::take_frame"] + total["kelvo::FrameCopy::frame"]
    fills = total["kelvo::fill_screen"] + total["kelvo::clear_screen"]
    text = total["kelvo::Runtime::print_text"] + total["kelvo::Runtime::print_wrap_check"]
    text += total["kelvo::Runtime::locate"] + total["kelvo::Runtime::number_to_string"]
    if (level == "attract") {
      loop = total["kelvo::Game::attract_mode"]
      part["pictures"] = total["kelvo::put_image"]
      order_of_parts = "text pictures clear capture logic"
      printf "attract mode: %d Attract frames, %.0f instructions a frame\n", frames, loop / frames
    } else {
      loop = total["kelvo::Game::level_play"]
      scene = total["kelvo::Game::draw_scene"]
      # A clear that the sky does not cover is made when the sky is drawn.
      part["sky"] = total["kelvo::Game::draw_sky"] - total["kelvo::fill_screen"]
      if (part["sky"] < 0) part["sky"] = 0
      part["structure"] = total["kelvo::Game::draw_structure"]
      part["sprites"] = scene - text - part["sky"] - part["structure"] - fills
      order_of_parts = "text sky structure sprites clear capture logic"
      printf "level %d: %d LevelPlay frames, %.0f instructions a frame\n", level, frames,
             loop / frames
    }
    part["text"] = text; part["clear"] = fills; part["capture"] = capture
    drawn = 0
    n = split(order_of_parts, order, " ")
    for (i = 1; i < n; i++) drawn += part[order[i]]
    part["logic"] = loop - drawn
    for (i = 1; i <= n; i++) {
      printf "  %-10s %8.0f instructions a frame %5.1f %%\n", order[i], part[order[i]] / frames,
             100 * part[order[i]] / loop
    }
  }'
