#!/usr/bin/env bash
# Runs a command under a virtual X server of its own: xvfb.sh WIDTHxHEIGHTxDEPTH COMMAND...
# Xvfb picks a free display itself (-displayfd) and says which when it is ready, so runs that
# start at the same moment on one machine never race for a display number.
set -uo pipefail
screen="$1"
shift
dir="$(mktemp -d)"
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$dir/display" 2>"$dir/log" &
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null; rm -rf "$dir"' EXIT
for _ in $(seq 200); do
  [ -s "$dir/display" ] && break
  kill -0 $server 2>/dev/null || { echo "Xvfb did not start: $(cat "$dir/log")"; exit 1; }
  sleep 0.05
done
[ -s "$dir/display" ] || { echo "Xvfb gave no display within 10 s"; exit 1; }
DISPLAY=":$(head -n 1 "$dir/display")" "$@"
