#!/usr/bin/env bash
# Under a virtual X server: a window run driven by real key events (xdotool) and recorded with
# --record replays headless to the same final state and the same trace (its full-screen lines
# apart), byte for byte.
set -euo pipefail
# SDL must use the virtual X server: never fall back to a text-mode video driver.
export SDL_VIDEODRIVER=x11
kelvo="$1"
frames=1500
work="$(mktemp -d)"
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
source "$(dirname "$0")/helpers.sh"
make_game_dir "$work/played" "$kelvo"
make_game_dir "$work/replayed" "$kelvo"

# Real key events go to the window under the pointer.
hold() {  # KEY SECONDS
  xdotool mousemove 5 5 keydown "$1"
  sleep "$2"
  xdotool keyup "$1"
}

echo "$frames dump played.json" >"$work/dump.script"
(cd "$work" && exec "$kelvo" --window --mute --dir "$work/played" --record "$work/run.script" \
  --script dump.script --frames "$frames" --trace "$work/played.trace" 2>"$work/stderr.txt") &
pid=$!
wait_for_state "$work/played.trace" Attract
sleep 1.5
hold space 0.2
wait_for_state "$work/played.trace" LevelPlay
for keys in "Right 0.8" "space 0.1" "Right 0.5" "Left 0.3" "space 0.05" "Right 1.2" "space 0.3"; do
  hold $keys
  sleep 0.15
done
status=0
for _ in $(seq 1200); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the window run did not end after frame $frames"
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "the window run ended with status $status"
grep -q ' press Right$' "$work/run.script" || fail "no key of the player was recorded: $(cat "$work/run.script")"

# The recording ends with the close at frame $frames; the replay dumps its state there too.
echo "$frames dump replayed.json" >>"$work/run.script"
(cd "$work" && "$kelvo" --headless --dir "$work/replayed" --replay run.script \
  --trace "$work/replayed.trace") || fail "the replay ended with status $?"
[ "$(strip_ms "$work/played.json")" = "$(strip_ms "$work/replayed.json")" ] ||
  fail "the replay ends in another state"
grep -v ' fullscreen ' "$work/played.trace" >"$work/played.events"
cmp "$work/played.events" "$work/replayed.trace" ||
  fail "the replay's trace differs: $(diff "$work/played.events" "$work/replayed.trace" | head)"
echo "record test passed: $(grep -c -e press -e release "$work/run.script") key changes replayed"
