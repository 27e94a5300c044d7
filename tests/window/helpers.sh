# Sourced by the window tests: a game directory for a run, bounded waits for a process's end and
# for a condition while the game ($pid) runs, and the game's window.

# Makes "$1" a game directory with links to the pictures and sounds built beside the executable
# "$2", and a copy of the score table that the run may change.
make_game_dir() {
  local dir="$1" build
  build="$(dirname "$2")"
  mkdir -p "$dir/rurazedudi"
  ln -s "$build"/rurazedudi/* "$dir/rurazedudi/"
  rm "$dir/rurazedudi/score.txt"
  cp "$build/rurazedudi/score.txt" "$dir/rurazedudi/"
}

# Waits at most SECONDS for process PID to end and leaves its exit status in $exit_status. A
# process still running then is killed, and the wait fails naming what it waited for.
wait_for_exit() {  # PID SECONDS WHAT
  local pid="$1" deadline=$((SECONDS + $2))
  while kill -0 "$pid" 2>/dev/null; do
    if ((SECONDS >= deadline)); then
      echo "FAIL: the process still runs $2 s after $3" >&2
      kill -9 "$pid" 2>/dev/null
      wait "$pid" 2>/dev/null || true
      return 1
    fi
    sleep 0.05
  done
  exit_status=0
  wait "$pid" || exit_status=$?
}

fail() { echo "FAIL: $*"; exit 1; }

# Polls CHECK every 50 ms, TRIES times at most; fails once the game has ended or the time is up.
wait_until() {  # TRIES WHAT CHECK...
  local tries="$1" what="$2"
  shift 2
  for _ in $(seq "$tries"); do
    "$@" && return 0
    kill -0 "$pid" 2>/dev/null || fail "the game ended before $what"
    sleep 0.05
  done
  fail "no $what within $((tries / 20)) s"
}

wait_for_state() { wait_until 600 "state $2" grep -qs " state $2\$" "$1"; }  # TRACE STATE

window_id() { xdotool search --name '^Dr Kelvo$' 2>/dev/null | head -n 1; }

window_is() {  # SIZE
  local id
  id="$(window_id)"
  [ -n "$id" ] && [ "$(xwininfo -id "$id" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')" = "$1" ]
}
wait_for_size() { wait_until 400 "a window of $1" window_is "$1"; }

# A state dump without the milliseconds the run's clock counted: real time against virtual time.
strip_ms() { sed 's/,"ms":[0-9]*}$/}/' "$1"; }
