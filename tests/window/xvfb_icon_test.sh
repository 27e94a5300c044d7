#!/usr/bin/env bash
# Under a virtual X server: the game's window, found by its title "Dr Kelvo", carries its icon at
# 16, 32, 48, 64 and 128 pixels in _NET_WM_ICON and the class "kelvo" that the launcher's
# StartupWMClass names.
set -euo pipefail
export SDL_VIDEODRIVER=x11
export SDL_AUDIODRIVER=dummy
kelvo="$1"
closer="$2"
work="$(mktemp -d)"
source "$(dirname "$0")/helpers.sh"
make_game_dir "$work" "$kelvo"
trap 'rm -rf "$work"' EXIT

expected="Icon (16 x 16) Icon (32 x 32) Icon (48 x 48) Icon (64 x 64) Icon (128 x 128) "
"$kelvo" --window --mute --dir "$work" &
pid=$!
# SDL2's SDL 1.2 sets a 32 by 32 icon of its own when it makes the window, before the game's
# hints replace it with every size: wait for the whole set.
icons=""
for _ in $(seq 200); do
  id="$(xdotool search --name '^Dr Kelvo$' 2>/dev/null | head -n 1 || true)"
  if [ -n "$id" ]; then
    icons="$(xprop -id "$id" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | tr '\n' ' ' || true)"
    [ "$icons" = "$expected" ] && break
  fi
  sleep 0.05
done
class="$(xprop -id "$id" WM_CLASS)"
"$closer" "Dr Kelvo"
wait $pid
echo "icons: $icons"
echo "$class"
[ "$icons" = "$expected" ] || { echo "expected $expected"; exit 1; }
[ "$class" = 'WM_CLASS(STRING) = "kelvo", "kelvo"' ] || { echo "wrong class"; exit 1; }
echo "icon test passed"
