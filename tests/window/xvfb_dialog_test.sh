#!/usr/bin/env bash
# Under a virtual X server: the error dialog appears in the window over the last frame, exactly as
# drawn, and is answered with keys, with mouse clicks and by closing the window; a critical error's
# box ends the process with status 0. Every wait is bounded and says what it waited for.
set -euo pipefail
# SDL must use the virtual X server: never fall back to a text-mode video driver.
export SDL_VIDEODRIVER=x11
probe="$1"
finder="$2"
closer="$3"
work="$(mktemp -d)"
source "$(dirname "$0")/helpers.sh"
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT

text_at() { printf 'Line:%s\\nIllegal function call\\nContinue?' "$1"; }

start_probe() {  # MODE
  rm -f "$work/trace.txt"
  "$probe" "$1" --window --mute --dir "$work" --trace "$work/trace.txt" 2>"$work/stderr.txt" &
  pid=$!
}

# Prints the dialog's button centres once the dialog is on screen; gives up after 60 s, and at
# once when the probe has ended.
wait_for_dialog() {  # KIND TITLE TEXT
  local deadline=$((SECONDS + 60))
  while ((SECONDS < deadline)); do
    import -window root "$work/shot.png" 2>/dev/null || true
    if "$finder" "$work/shot.png" "$@" >"$work/buttons.txt" 2>/dev/null; then
      cat "$work/buttons.txt"
      return 0
    fi
    kill -0 "$pid" 2>/dev/null || { echo "FAIL: the probe ended before dialog '$2: $3'" >&2; return 1; }
    sleep 0.1
  done
  echo "FAIL: no dialog '$2: $3' on screen after 60 s" >&2
  return 1
}

# The buttons of the dialog, or the end of the test with the reason when it never shows.
buttons() {  # KIND TITLE TEXT
  wait_for_dialog "$@" >"$work/found.txt" || exit 1
  cat "$work/found.txt"
}

# Key presses go to the window under the pointer: put it on the window, away from the buttons.
press() { xdotool mousemove 5 5 key "$1"; }
click() { xdotool mousemove "$1" "$2" click 1; }

finish() {  # WHAT EXPECTED-TRACE-LINES...
  wait_for_exit "$pid" 30 "$1" || exit 1
  shift
  pid=""
  local status="$exit_status"
  [ "$status" -eq 0 ] || { echo "status $status"; cat "$work/stderr.txt"; return 1; }
  local got
  got="$(cut -d' ' -f2- "$work/trace.txt")"
  local want
  want="$(printf '%s\n' "$@")"
  [ "$got" = "$want" ] || { printf 'trace:\n%s\nwanted:\n%s\n' "$got" "$want"; return 1; }
}

error5() { echo "error 5 $1 Illegal function call"; }

echo "keys: Y, then Escape"
start_probe error
buttons yesno "Unhandled Error #5" "$(text_at 6)" >/dev/null
press y
buttons yesno "Unhandled Error #5" "$(text_at 7)" >/dev/null
press Escape
finish "Escape" "$(error5 6)" "answer yes" "$(error5 7)" "answer no" "exit 0"
grep -q '^Unhandled Error #5 (line 6): Illegal function call$' "$work/stderr.txt"

echo "keys: Enter, then N"
start_probe error
buttons yesno "Unhandled Error #5" "$(text_at 6)" >/dev/null
press Return
buttons yesno "Unhandled Error #5" "$(text_at 7)" >/dev/null
press n
finish "N" "$(error5 6)" "answer yes" "$(error5 7)" "answer no" "exit 0"

echo "clicks: Yes, then No"
start_probe error
read -r yes_x yes_y < <(buttons yesno "Unhandled Error #5" "$(text_at 6)" | head -n 1)
click "$yes_x" "$yes_y"
read -r no_x no_y < <(buttons yesno "Unhandled Error #5" "$(text_at 7)" | tail -n 1)
click "$no_x" "$no_y"
finish "the click on No" "$(error5 6)" "answer yes" "$(error5 7)" "answer no" "exit 0"

echo "closing the window while the dialog is open"
start_probe error
buttons yesno "Unhandled Error #5" "$(text_at 6)" >/dev/null
"$closer" "Dr Kelvo"
finish "the window's close" "$(error5 6)" "answer no" "exit 0"

echo "destroying the window while the dialog is open"
start_probe error
buttons yesno "Unhandled Error #5" "$(text_at 6)" >/dev/null
"$closer" --destroy "Dr Kelvo"
finish "the window's destruction" "$(error5 6)" "answer no" "exit 0"

echo "critical error: OK clicked"
start_probe critical
read -r ok_x ok_y < <(buttons ok "Critical Error #4" "Out of memory")
click "$ok_x" "$ok_y"
finish "the click on OK" "exit 0"
grep -q '^Critical Error #4: Out of memory$' "$work/stderr.txt"

echo "dialog test passed"
