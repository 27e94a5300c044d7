# Sourced by the window tests: makes "$1" a game directory with links to the pictures and sounds
# built beside the executable "$2", and a copy of the score table that the run may change.
make_game_dir() {
  local dir="$1" build
  build="$(dirname "$2")"
  mkdir -p "$dir/rurazedudi"
  ln -s "$build"/rurazedudi/* "$dir/rurazedudi/"
  rm "$dir/rurazedudi/score.txt"
  cp "$build/rurazedudi/score.txt" "$dir/rurazedudi/"
}
