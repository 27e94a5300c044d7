#!/usr/bin/env bash
# Plays tests/scripts/NAME.script headless and compares what it wrote with tests/golden/NAME/:
#   golden.sh KELVO NAME           compare (exit 1 and show the differences when they differ)
#   golden.sh KELVO NAME --update  replace the expected files with this run's
# Header lines of the script set the run up:
#   # args: OPTIONS...     more command-line options (--level 10, --time 08:00:00, ...)
#   # score: FILE | none   the high-score file at start (FILE beside the script), or none
#   # without: FILE...     picture or sound files missing from the game directory
#   # trace: EVENT...      the trace events kept (default: state seed error answer exit)
# The outputs are the files the script writes, trace.txt, score.txt when the run changed it, and
# stderr.txt when the run failed or wrote more than its dialogs' lines to standard error.
set -euo pipefail
kelvo="$(realpath "$1")"
name="$2"
mode="${3:-compare}"
root="$(cd "$(dirname "$0")/../.." && pwd)"
script="$root/tests/scripts/$name.script"
expected="$root/tests/golden/$name"
[ -f "$script" ] || { echo "golden: no script $script" >&2; exit 2; }

header() { sed -n "s/^# $1: *//p" "$script" | head -n 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/game/rurazedudi" "$work/out"
ln -s "$(dirname "$kelvo")"/rurazedudi/* "$work/game/rurazedudi/"
rm -f "$work/game/rurazedudi/score.txt"
score="$(header score)"
if [ -z "$score" ]; then
  cp "$(dirname "$kelvo")/rurazedudi/score.txt" "$work/game/rurazedudi/score.txt"
elif [ "$score" != none ]; then
  cp "$root/tests/scripts/$score" "$work/game/rurazedudi/score.txt"
fi
for missing in $(header without); do rm -f "$work/game/rurazedudi/$missing"; done
[ -f "$work/game/rurazedudi/score.txt" ] && cp "$work/game/rurazedudi/score.txt" "$work/score.start"

cp "$script" "$work/input.script"
read -r -a args <<<"$(header args)"
status=0
(cd "$work/out" && timeout 120 "$kelvo" --headless --dir "$work/game" --script ../input.script \
  --trace ../trace.full "${args[@]}" >/dev/null 2>../stderr.full) || status=$?

events="$(header trace)"
events="${events:-state seed error answer exit}"
[ -f "$work/trace.full" ] &&
  awk -v keep=" ${events} " 'index(keep, " " $2 " ")' "$work/trace.full" >"$work/out/trace.txt"
if grep -q -v -e '^Unhandled Error #' -e '^Critical Error #' "$work/stderr.full" ||
  [ "$status" -ne 0 ]; then
  # Dialog lines are in the trace already.
  { grep -v -e '^Unhandled Error #' -e '^Critical Error #' "$work/stderr.full" |
    sed "s|$work|WORK|g"; echo "exit status $status"; } >"$work/out/stderr.txt"
fi
if [ -f "$work/game/rurazedudi/score.txt" ] &&
  ! cmp -s "$work/game/rurazedudi/score.txt" "$work/score.start" 2>/dev/null; then
  cp "$work/game/rurazedudi/score.txt" "$work/out/score.txt"
fi

if [ "$mode" = --update ]; then
  rm -rf "$expected"
  mkdir -p "$(dirname "$expected")"
  cp -r "$work/out" "$expected"
  exit 0
fi
if ! diff -r -q "$expected" "$work/out" >/dev/null 2>&1; then
  echo "golden $name: the run's outputs differ from tests/golden/$name/"
  diff -r -u --exclude='*.png' "$expected" "$work/out" | head -n 60 || true
  diff -r -q "$expected" "$work/out" | grep -F .png || true
  echo "(scripts/update_goldens.sh $name records them again after an intended change)"
  exit 1
fi
echo "golden $name: $(ls "$work/out" | wc -l) outputs as expected"
