#!/usr/bin/env bash
# Under a virtual X server of 1280x1024, with real key events: the player's own keys.
# 1. --scale 3 opens a 960x900 window; F12 saves the frame on view, 320x300, in $XDG_PICTURES_DIR
#    and names it on stderr; the window shows it in 3x3 blocks; losing the focus pauses the game
#    (its panel shows) and P resumes it.
# 2. A scripted level played in a 640x600 window (the largest whole scale within 85 % of the
#    desktop): M silences the disk audio driver's output while the sounds go on, P holds the game
#    for 10 s while keys pressed meanwhile are lost, and the recording, the final state and the
#    trace are those of the same run without M and the pause.
set -euo pipefail
# SDL must use the virtual X server: never fall back to a text-mode video driver.
export SDL_VIDEODRIVER=x11
kelvo="$(realpath "$1")"
closer="$2"
source_script="$(dirname "$0")/../scripts/play_level1_recorded.script"
frames=1100
work="$(mktemp -d)"
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
source "$(dirname "$0")/helpers.sh"

# Real key events reach the window under the pointer.
key() { xdotool mousemove 5 5 key "$@"; }

capture() { import -window "$(window_id)" "$work/$1"; }

# The panel's face at (46, 80) of the picture, inside its frame.
panel_shown() {  # IMAGE SCALE
  [ "$(convert "$work/$1" -format "%[hex:p{$((46 * $2)),$((80 * $2))}]" info:)" = 101030 ]
}

audio_size() { stat -c %s "$work/audio.raw"; }

# Whether bytes FROM to TO of the audio output hold any sound.
sound_between() {  # FROM TO
  [ "$(tail -c +$(($1 + 1)) "$work/audio.raw" | head -c $(($2 - $1)) | tr -d '\0' | wc -c)" -gt 0 ]
}

# 1. Scale 3, a screenshot and the focus.
make_game_dir "$work/c" "$kelvo"
XDG_PICTURES_DIR="$work/pictures" "$kelvo" --window --mute --scale 3 --dir "$work/c" \
  --trace "$work/c.trace" 2>"$work/c.err" &
pid=$!
wait_for_size 960x900
wait_for_state "$work/c.trace" Attract
sleep 1.5  # the title is drawn a second after attract mode starts
key F12
capture scaled.png
sleep 0.5
shot="$(ls "$work"/pictures/*.png)" || fail "F12 saved no picture in \$XDG_PICTURES_DIR"
grep -q "screenshot saved as $shot\$" "$work/c.err" || fail "the screenshot's path is not on stderr"
[ "$(identify -format '%wx%h' "$shot")" = 320x300 ] || fail "the screenshot is not 320x300"
# The title picture (the rows above its blinking texts) in 3x3 blocks is the screenshot's.
convert "$work/scaled.png" -crop 960x528+0+0 +repage -sample '320x176!' "$work/sampled.png"
convert "$shot" -crop 320x176+0+0 +repage "$work/shot-title.png"
same_picture() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]; }
same_picture "$work/sampled.png" "$work/shot-title.png" ||
  fail "the window at scale 3 is not the screenshot in 3x3 blocks"
xdotool windowfocus "$(window_id)"
sleep 0.3
xdotool windowfocus "$(xwininfo -root | awk '/Window id:/ {print $4}')"
sleep 0.5
capture unfocused.png
panel_shown unfocused.png 3 || fail "losing the focus did not pause the game"
xdotool windowfocus "$(window_id)"
key p
sleep 0.5
capture resumed.png
panel_shown resumed.png 3 && fail "P did not end the pause"
"$closer" "Dr Kelvo"
wait_for_exit "$pid" 20 "the window's close" || exit 1
pid=""
[ "$exit_status" -eq 0 ] || fail "exit status $exit_status"
echo "scale 3, F12 and the focus: as expected"

# 2. The same scripted run twice: with M and a 10 s pause, and without.
grep -v '^#' "$source_script" | awk -v last="$frames" '$1 < last' >"$work/input.script"
echo "$frames dump final.json" >>"$work/input.script"
run() {  # NAME [ENVIRONMENT...]
  make_game_dir "$work/$1" "$kelvo"
  mkdir -p "$work/$1/out"
  (cd "$work/$1/out" && exec env "${@:2}" "$kelvo" --window --dir "$work/$1" \
    --script "$work/input.script" --record "$work/$1.script" --frames "$frames" \
    --trace "$work/$1.trace" 2>"$work/$1.err") &
  pid=$!
}
finish() {  # NAME
  wait_for_exit "$pid" 60 "frame $frames" || exit 1
  pid=""
  [ "$exit_status" -eq 0 ] || fail "the $1 run ended with status $exit_status: $(cat "$work/$1.err")"
}

run paused SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw" \
  XDG_PICTURES_DIR="$work/pictures"
wait_for_size 640x600
wait_for_state "$work/paused.trace" LevelPlay
sleep 1
# Presses M, then prints the audio output's size 0.5 s and 2 s later.
toggle_mute() { key m; sleep 0.5; echo "$(audio_size) $(sleep 1.5; audio_size)"; }
read -r muted_from muted_to < <(toggle_mute)
read -r sound_from sound_to < <(toggle_mute)
((muted_to > muted_from)) || fail "the audio output stopped while muted"
sound_between "$muted_from" "$muted_to" && fail "M did not silence the output"
sound_between "$sound_from" "$sound_to" || fail "the sound did not come back after M"
echo "M: $((muted_to - muted_from)) silent bytes, then sound again"

key p
sleep 1
capture paused1.png
paused_from=$(audio_size)
panel_shown paused1.png 2 || fail "P shows no pause panel"
# Keys pressed during the pause never reach the game.
xdotool keydown Right sleep 0.5 keyup Right key space key Left key x
key F12
sleep 7.5
capture paused2.png
same_picture "$work/paused1.png" "$work/paused2.png" || fail "the window changed during the pause"
sound_between "$paused_from" "$(audio_size)" && fail "the sound played on during the pause"
key p
finish paused
echo "P: held for 10 s"
run unpaused SDL_AUDIODRIVER=dummy
finish unpaused

[ "$(ls "$work"/pictures/*.png | wc -l)" = 2 ] || fail "F12 in the pause saved no picture"
cmp "$work/paused.script" "$work/unpaused.script" ||
  fail "the recordings differ: $(diff "$work/paused.script" "$work/unpaused.script" | head)"
# The dumps end with the milliseconds the run's clock counted.
[ "$(strip_ms "$work/paused/out/final.json")" = "$(strip_ms "$work/unpaused/out/final.json")" ] ||
  fail "the paused run ends in another state"
cmp "$work/paused.trace" "$work/unpaused.trace" ||
  fail "the traces differ: $(diff "$work/paused.trace" "$work/unpaused.trace" | head)"
echo "player test passed: the paused run's recording, final state and trace are the unpaused run's"
