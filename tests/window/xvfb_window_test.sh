#!/usr/bin/env bash
# Under a virtual X server of 1024x768: the game opens its window titled "Dr Kelvo" at 640x600,
# the largest whole scale within 85 % of the desktop (3 would be 900 high), and closing it ends
# the process with status 0 promptly, during the boot screen, attract mode and play; so does
# another client destroying the window.
set -euo pipefail
# SDL must use the virtual X server: never fall back to a text-mode video driver.
export SDL_VIDEODRIVER=x11
export SDL_AUDIODRIVER=dummy
kelvo="$1"
closer="$2"
work="$(mktemp -d)"
source "$(dirname "$0")/helpers.sh"
make_game_dir "$work" "$kelvo"
trap 'rm -rf "$work"' EXIT

check_close_after() {  # SECONDS [SCRIPT-TEXT [CLOSER-OPTION]]
  local wait_s="$1" script="${2:-}" how="${3:-}" args=(--window --mute --dir "$work")
  if [ -n "$script" ]; then
    printf '%b' "$script" >"$work/input.script"
    args+=(--script "$work/input.script")
  fi
  "$kelvo" "${args[@]}" &
  local pid=$!
  # The window may show up at another size before its video mode is set: wait for the final one.
  wait_for_size 640x600
  sleep "$wait_s"
  local start end status=0
  start=$(date +%s%N)
  "$closer" $how "Dr Kelvo"
  wait_for_exit $pid 20 "the window's ${how:-close}" || return 1
  status=$exit_status
  end=$(date +%s%N)
  local ms=$(( (end - start) / 1000000 ))
  echo "${how:-closed} after ${wait_s}s: status $status in ${ms} ms"
  [ "$status" -eq 0 ] || return 1
  # A close must cut the game's waits short (the boot screen alone waits 2.1 s); the bound leaves
  # room for slow sanitized builds, typical closes take under 50 ms.
  [ "$ms" -lt 1500 ] || { echo "close took ${ms} ms"; return 1; }
}

check_close_after 0.5                        # boot screen, inside its waits
check_close_after 4                          # attract mode
check_close_after 5 '0 press Space\n'        # level introduction and play
check_close_after 4 '' --destroy             # attract mode, the window destroyed
echo "window test passed"
