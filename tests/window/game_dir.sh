# Sourced by the window tests: a game directory for a run, and a bounded wait for a process end.

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
