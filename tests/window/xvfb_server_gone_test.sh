#!/usr/bin/env bash
# Under a virtual X server that goes away while the game runs, as at the end of a desktop
# session: the game ends within seconds instead of waiting, or spinning, for ever.
set -euo pipefail
export SDL_VIDEODRIVER=x11
export SDL_AUDIODRIVER=dummy
kelvo="$1"
work="$(mktemp -d)"
source "$(dirname "$0")/helpers.sh"
make_game_dir "$work" "$kelvo"
trap 'rm -rf "$work"' EXIT
server="$(pgrep -f "^Xvfb $DISPLAY " | head -n 1 || true)"
[ -n "$server" ] || { echo "FAIL: no Xvfb serves $DISPLAY"; exit 1; }

"$kelvo" --window --mute --dir "$work" 2>"$work/err" &
pid=$!
for _ in $(seq 200); do
  xdotool search --name '^Dr Kelvo$' >/dev/null 2>&1 && break
  sleep 0.05
done
sleep 1  # into attract mode
kill "$server"
wait_for_exit "$pid" 10 "its X server went away" || { cat "$work/err"; exit 1; }
echo "the game ended with status $exit_status when its X server went away"
