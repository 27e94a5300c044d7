#!/usr/bin/env bash
# Under a virtual X server of 800x600 (its only display mode): the game starts in stretched full
# screen with its picture doubled at (80, 0) on black, Alt+Enter steps to the window and back
# (4:3 would be the same mode), and holding Alt+Enter for seconds neither crashes nor hangs.
set -euo pipefail
# SDL must use the virtual X server: never fall back to a text-mode video driver.
export SDL_VIDEODRIVER=x11
kelvo="$1"
closer="$2"
work="$(mktemp -d)"
source "$(dirname "$0")/helpers.sh"
make_game_dir "$work" "$kelvo"
trap 'rm -rf "$work"' EXIT

# Keys sent to the game's window; xdotool's complaints about the focus of a bare X server dropped.
send() { xdotool "$1" --window "$(window_id)" "${@:2}" 2>/dev/null; }

max_of() { convert "$@" -format '%[fx:maxima]' info:; }

# The number of lines "fullscreen MODE" in the trace.
mode_events() { grep -c " fullscreen $1\$" "$work/trace.txt" || true; }
mode_events_reach() { [ "$(mode_events "$1")" -ge "$2" ]; }  # MODE COUNT
wait_for_event() { wait_until 400 "fullscreen $1 event number $2" mode_events_reach "$1" "$2"; }

# Waits until attract mode's title is on screen: its pause of one second after the state line.
wait_for_title() { wait_for_state "$1" Attract && sleep 1.5; }  # TRACE

close_game() {  # PID
  "$closer" "Dr Kelvo"
  wait_for_exit "$1" 20 "the window's close" || exit 1
  [ "$exit_status" -eq 0 ] || fail "exit status $exit_status"
}

# The boot screen stands still from about 1.2 s to 3 s: the window's picture is the reference.
"$kelvo" --window --mute --dir "$work" --trace "$work/window-trace.txt" &
pid=$!
wait_for_size 320x300
wait_for_title "$work/window-trace.txt"
import -window "$(window_id)" "$work/window.png"
close_game $pid
[ "$(max_of "$work/window.png")" != "0" ] || fail "the window's picture is black"

"$kelvo" --mute --dir "$work" --trace "$work/trace.txt" &
pid=$!
wait_for_size 800x600
wait_for_event 1 1
wait_for_title "$work/trace.txt"
import -window root "$work/screen.png"
[ "$(identify -format '%wx%h' "$work/screen.png")" = "800x600" ] || fail "the X screen is not 800x600"
[ "$(max_of "$work/screen.png" -crop 80x600+0+0)" = "0" ] || fail "left border not black"
[ "$(max_of "$work/screen.png" -crop 80x600+720+0)" = "0" ] || fail "right border not black"
convert "$work/screen.png" -crop 640x600+80+0 +repage "$work/picture.png"
# Every pixel doubled: halving and doubling again gives the same picture...
convert "$work/picture.png" -sample 50% -sample 200% "$work/redoubled.png"
[ "$(compare -metric AE "$work/picture.png" "$work/redoubled.png" null: 2>&1)" = "0" ] ||
  fail "the picture is not made of 2x2 blocks"
# ...and the halved picture is the window's: the title picture, which stays the same on every
# title frame (the texts below it blink and change).
convert "$work/picture.png" -sample 50% -crop 320x176+0+0 +repage "$work/halved.png"
convert "$work/window.png" -crop 320x176+0+0 +repage "$work/window-title.png"
[ "$(compare -metric AE "$work/halved.png" "$work/window-title.png" null: 2>&1)" = "0" ] ||
  fail "the full-screen picture differs from the window's"
echo "full screen at start: 640x600 picture at (80, 0), black borders"

# With a single mode, 4:3 full screen would be the stretched one: the step goes to the window.
send key alt+Return
wait_for_event 0 1
wait_for_size 320x300
send key alt+Return
wait_for_event 1 2
wait_for_size 800x600
echo "Alt+Enter: full screen -> window -> full screen"

# Held down: SDL's own key repeat, then a stream of presses 20 ms apart.
send keydown alt+Return
sleep 2
send keyup alt+Return
echo "Alt+Enter held for 2 s: $(mode_events 0) switches to the window so far"
send key --repeat 150 --delay 20 alt+Return
kill -0 $pid || fail "the game died while Alt+Enter was held"
echo "Alt+Enter held: $(mode_events 0) switches to the window, $(mode_events 1) to full screen"
[ "$(mode_events 0)" -ge 10 ] || fail "too few switches"
sleep 1
close_game $pid
echo "full-screen test passed"
