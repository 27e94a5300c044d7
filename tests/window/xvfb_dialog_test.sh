#!/usr/bin/env bash
# Under a virtual X server: the error dialog appears in the window over the last frame, exactly as
# drawn, and is answered with keys, with mouse clicks and by closing the window; a critical error's
# box ends the process with status 0.
set -euo pipefail
# SDL must use the virtual X server: never fall back to a text-mode video driver.
export SDL_VIDEODRIVER=x11
probe="$1"
finder="$2"
closer="$3"
work="$(mktemp -d)"
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT

text_at() { printf 'Line:%s\\nIllegal function call\\nContinue?' "$1"; }

start_probe() {  # MODE
  rm -f "$work/trace.txt"
  "$probe" "$1" --window --mute --dir "$work" --trace "$work/trace.txt" 2>"$work/stderr.txt" &
  pid=$!
}

# Prints the dialog's button centres once the dialog is on screen.
wait_for_dialog() {  # KIND TITLE TEXT
  for _ in $(seq 400); do
    import -window root "$work/shot.png" 2>/dev/null || true
    if "$finder" "$work/shot.png" "$@" >"$work/buttons.txt" 2>/dev/null; then
      cat "$work/buttons.txt"
      return 0
    fi
    sleep 0.1
  done
  echo "no dialog '$2' on screen" >&2
  return 1
}

# Key presses go to the window under the pointer: put it on the window, away from the buttons.
press() { xdotool mousemove 5 5 key "$1"; }
click() { xdotool mousemove "$1" "$2" click 1; }

finish() {  # EXPECTED-TRACE-LINES...
  local status=0
  wait "$pid" || status=$?
  pid=""
  [ "$status" -eq 0 ] || { echo "status $status"; return 1; }
  local got
  got="$(cut -d' ' -f2- "$work/trace.txt")"
  local want
  want="$(printf '%s\n' "$@")"
  [ "$got" = "$want" ] || { printf 'trace:\n%s\nwanted:\n%s\n' "$got" "$want"; return 1; }
}

error5() { echo "error 5 $1 Illegal function call"; }

echo "keys: Y, then Escape"
start_probe error
wait_for_dialog yesno "Unhandled Error #5" "$(text_at 6)" >/dev/null
press y
wait_for_dialog yesno "Unhandled Error #5" "$(text_at 7)" >/dev/null
press Escape
finish "$(error5 6)" "answer yes" "$(error5 7)" "answer no" "exit 0"
grep -q '^Unhandled Error #5 (line 6): Illegal function call$' "$work/stderr.txt"

echo "keys: Enter, then N"
start_probe error
wait_for_dialog yesno "Unhandled Error #5" "$(text_at 6)" >/dev/null
press Return
wait_for_dialog yesno "Unhandled Error #5" "$(text_at 7)" >/dev/null
press n
finish "$(error5 6)" "answer yes" "$(error5 7)" "answer no" "exit 0"

echo "clicks: Yes, then No"
start_probe error
read -r yes_x yes_y < <(wait_for_dialog yesno "Unhandled Error #5" "$(text_at 6)" | head -n 1)
click "$yes_x" "$yes_y"
read -r no_x no_y < <(wait_for_dialog yesno "Unhandled Error #5" "$(text_at 7)" | tail -n 1)
click "$no_x" "$no_y"
finish "$(error5 6)" "answer yes" "$(error5 7)" "answer no" "exit 0"

echo "closing the window while the dialog is open"
start_probe error
wait_for_dialog yesno "Unhandled Error #5" "$(text_at 6)" >/dev/null
"$closer" Untitled
finish "$(error5 6)" "answer no" "exit 0"

echo "critical error: OK clicked"
start_probe critical
read -r ok_x ok_y < <(wait_for_dialog ok "Critical Error #4" "Out of memory")
click "$ok_x" "$ok_y"
finish "exit 0"
grep -q '^Critical Error #4: Out of memory$' "$work/stderr.txt"

echo "dialog test passed"
