#!/usr/bin/env bash
# Runs a command under a virtual X server of its own: xvfb.sh WIDTHxHEIGHTxDEPTH COMMAND...
# -noreset: by default an X server resets itself whenever its last client leaves, and refuses the
# connections that arrive meanwhile ("Couldn't open X11 display"); under load a test that starts
# the game again right after a run ended hit that window about one start in fifteen. The display
# number is drawn from a wide range rather than taken as the lowest free one, so that runs which
# start at the same moment on a shared machine do not race for it.
set -uo pipefail
screen="$1"
shift
dir="$(mktemp -d)"
server=""
trap '[ -n "$server" ] && kill $server 2>/dev/null; wait 2>/dev/null; rm -rf "$dir"' EXIT
for _ in $(seq 20); do
  number=$((RANDOM % 50000 + 1000))
  : >"$dir/display"
  Xvfb ":$number" -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$dir/display" 2>"$dir/log" &
  server=$!
  for _ in $(seq 200); do
    [ -s "$dir/display" ] && break
    kill -0 $server 2>/dev/null || break
    sleep 0.05
  done
  [ -s "$dir/display" ] && break
  kill $server 2>/dev/null
  wait $server 2>/dev/null
  server=""
done
[ -n "$server" ] || { echo "Xvfb did not start: $(cat "$dir/log")"; exit 1; }
DISPLAY=":$number" "$@"
