#!/usr/bin/env bash
# The fault-injection suite: broken and foreign pictures and sounds swapped into a copy of the
# game's folder, run headless and with sound (SDL's dummy drivers); unusual score files played
# through a save; stops (window close, SIGTERM, SIGINT) injected while a table is half written.
# Counts per group the inputs tried, crashes, hangs and lost or unreadable tables, and fails
# unless the last three are 0 and every other check holds.
# Usage, under an X server: fault_injection.sh KELVO SAVE_PROBE X11_CLOSE
set -uo pipefail
kelvo="$1"
probe="$2"
closer="$3"
work="$(mktemp -d)"
mounted=()
cleanup() {
  local m
  for m in "${mounted[@]}"; do umount "$m" 2>/dev/null; done
  chmod -R u+rwx "$work" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
source "$(dirname "$0")/../window/helpers.sh"
export SDL_AUDIODRIVER=dummy

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

game="$work/game"
assets="$game/rurazedudi"
mkdir -p "$assets"
cp -L "$(dirname "$kelvo")"/rurazedudi/* "$assets/"
default_score="$(cat "$assets/score.txt")"

# Per group: inputs, runs, crashes, hangs, lost tables.
declare -A tried runs crashes hangs lost
begin_group() {
  group="$1"
  tried[$group]=0 runs[$group]=0 crashes[$group]=0 hangs[$group]=0 lost[$group]=0
}

# Runs a command bounded by 60 s and notes a crash or a hang; leaves the exit status in $status.
bounded() {  # WHAT COMMAND...
  local what="$1"
  shift
  runs[$group]=$((runs[$group] + 1))
  timeout -k 5 60 "$@" >"$work/stdout.txt" 2>"$work/stderr.txt"
  status=$?
  if ((status == 124 || status == 137)); then
    hangs[$group]=$((hangs[$group] + 1))
    fail "$group/$what: no end within 60 s"
  elif ((status >= 128)) || grep -q "ERROR: AddressSanitizer\|runtime error:" "$work/stderr.txt"; then
    crashes[$group]=$((crashes[$group] + 1))
    fail "$group/$what: crashed (status $status): $(head -c 600 "$work/stderr.txt")"
  fi
}

headless() {  # WHAT TRACE [kelvo options]
  local what="$1" trace="$2"
  shift 2
  bounded "$what" "$kelvo" --headless --dir "$game" --trace "$trace" "$@"
}

# A window run on SDL's dummy drivers with sound, ended by SIGTERM once start-up has loaded
# every picture and sound (the trace's first state) or shows a dialog, which then answers No.
with_sound() {  # WHAT TRACE
  runs[$group]=$((runs[$group] + 1))
  rm -f "$2"
  SDL_VIDEODRIVER=dummy "$kelvo" --window --dir "$game" --trace "$2" >/dev/null 2>"$work/stderr.txt" &
  local pid=$! deadline=$((SECONDS + 60))
  until grep -q " state Boot$\| error " "$2" 2>/dev/null || ! kill -0 $pid 2>/dev/null ||
    ((SECONDS > deadline)); do
    sleep 0.02
  done
  kill -TERM $pid 2>/dev/null
  if ! wait_for_exit $pid 30 "SIGTERM in the start-up of $1"; then
    hangs[$group]=$((hangs[$group] + 1))
    fail "$group/$1: no end with sound"
    return
  fi
  status=$exit_status
  if ((status >= 128)) || grep -q "ERROR: AddressSanitizer\|runtime error:" "$work/stderr.txt"; then
    crashes[$group]=$((crashes[$group] + 1))
    fail "$group/$1: crashed with sound (status $status): $(head -c 600 "$work/stderr.txt")"
  fi
}

# The error codes of a trace, sorted and unique, on one line.
error_codes() { awk '$2 == "error" {print $3}' "$1" | sort -un | tr '\n' ' '; }
sound_opens() { awk '$2 == "sound_open" {print $3, $4}' "$1"; }

# ---- pictures: the title picture replaced; the numbered error of a missing image is allowed.
title="$assets/titre.xxx"
cp "$title" "$work/titre.orig"
picture_variants() {
  local o="$work/titre.orig" v="$work/variants"
  mkdir -p "$v"
  : >"$v/empty"
  head -c 100 "$o" >"$v/truncated-header"
  head -c $(($(stat -c %s "$o") / 2)) "$o" >"$v/truncated-data"
  head -c 4096 /dev/urandom >"$v/random-bytes"
  convert "$o" -alpha set -channel A -evaluate set 50% +channel "png32:$v/rgba"
  convert "$o" -depth 16 "png48:$v/16-bit"
  convert "$o" -colorspace Gray "png:$v/grayscale"
  convert "$o" -colorspace Gray -depth 16 "png:$v/grayscale-16-bit"
  convert "$o" -colors 16 "png8:$v/4-bit-palette"
  convert "$o" -transparent black "png8:$v/palette-transparent"
  convert "$o" -interlace PNG "png:$v/interlaced"
  convert "$o" "gif:$v/gif"
  convert "$o" "bmp3:$v/bmp-24"
  convert "$o" -alpha set "bmp:$v/bmp-32"
  convert "$o" -quality 50 "jpg:$v/jpeg"
  convert "$o" -colorspace Gray "jpg:$v/jpeg-gray"
  convert "$o" "tif:$v/tiff"
  convert "$o" "pcx:$v/pcx"
  convert "$o" "ppm:$v/ppm"
  convert "$o" -colors 8 "xpm:$v/xpm"
  convert "$o" "tga:$v/tga"
  convert -size 1x1 xc:red "png:$v/1x1"
  convert -size 1x1 xc:red "gif:$v/1x1-gif"
  # Headers that claim huge pictures in files of a few bytes.
  { head -c 16 "$v/1x1"; printf '\x00\x00\x3e\x80\x00\x00\x3e\x80'; tail -c +25 "$v/1x1"; } >"$v/png-16000x16000"
  printf 'GIF89a\x40\x1f\x40\x1f\x80\x00\x00\x00\x00\x00\xff\xff\xff,\x00\x00\x00\x00\x40\x1f\x40\x1f\x00\x02\x02\x44\x01\x00;' >"$v/gif-8000x8000"
  printf 'BM\x00\x00\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00\x28\x00\x00\x00\x40\x1f\x00\x00\x40\x1f\x00\x00\x01\x00\x18\x00' >"$v/bmp-8000x8000"
  printf 'P5\n8000 8000\n255\n\x00' >"$v/pgm-8000x8000"
}
pictures() {
picture_variants
for variant in "$work"/variants/*; do
  name="$(basename "$variant")"
  tried[pictures]=$((tried[pictures] + 1))
  cp "$variant" "$title"
  headless "$name" "$work/trace.txt" --frames 120
  codes="$(error_codes "$work/trace.txt")"
  [ "$status" -eq 0 ] || fail "pictures/$name: status $status"
  [ -z "$codes" ] || [ "$codes" = "258 " ] || fail "pictures/$name: errors $codes"
  with_sound "$name" "$work/sound-trace.txt"
  [ "$status" -eq 0 ] || fail "pictures/$name: status $status with sound"
done
cp "$work/titre.orig" "$title"
}

# ---- sounds: the first sound opened replaced; handles must match with and without sound.
sound="$assets/level.yyy"
cp "$sound" "$work/level.orig"
le() { local v=$1 n=$2 i; for ((i = 0; i < n; i++)); do printf "\\x$(printf %02x $(((v >> (8 * i)) & 255)))"; done; }
wav() {  # RATE CHANNELS BITS DATA-BYTES [FORMAT-TAG]
  local rate=$1 channels=$2 bits=$3 bytes=$4 tag=${5:-1}
  printf 'RIFF'; le $((36 + bytes)) 4; printf 'WAVEfmt '; le 16 4; le "$tag" 2; le "$channels" 2
  le "$rate" 4; le $((rate * channels * bits / 8 & 0xFFFFFFFF)) 4; le $((channels * bits / 8)) 2
  le "$bits" 2; printf 'data'; le "$bytes" 4
  head -c "$bytes" /dev/zero | tr '\0' '\123'
}
sound_variants() {
  local v="$work/sounds" o="$work/level.orig"
  mkdir -p "$v"
  wav 22050 0 16 4000 >"$v/0-channels"
  wav 0 2 16 4000 >"$v/0-hz"
  for rate in 1 32 33 42 43 100000000 4294967295; do wav $rate 2 16 4000 >"$v/$rate-hz"; done
  wav 32 1 8 4000 >"$v/32-hz-mono-8-bit"
  wav 32 1 16 4000 >"$v/32-hz-mono"
  wav 44100 3 16 4002 >"$v/3-channels"
  wav 22050 5 16 4000 >"$v/5-channels"
  for ch in 6 8 255 256; do wav 22050 $ch 16 4096 >"$v/$ch-channels"; done
  wav 8000 1 8 4000 >"$v/8-bit-mono-8000-hz"
  wav 48000 2 16 4000 >"$v/16-bit-stereo-48000-hz"
  wav 22050 2 24 4002 >"$v/24-bit"
  wav 22050 2 32 4000 3 >"$v/float"
  wav 22050 2 16 0 >"$v/no-samples"
  head -c 30 "$o" >"$v/truncated-wav"
  : >"$v/empty"
  head -c 4096 /dev/urandom >"$v/random-bytes"
  { printf 'OggS'; head -c 300 /dev/urandom; } >"$v/ogg-junk"
  { printf 'fLaC'; head -c 300 /dev/urandom; } >"$v/flac-junk"
  { printf 'FORM'; head -c 300 /dev/urandom; } >"$v/aiff-junk"
  { printf 'Creative Voice File\x1a'; head -c 300 /dev/urandom; } >"$v/voc-junk"
  if command -v sox >/dev/null; then
    sox -t wav "$o" -t ogg "$v/ogg" 2>/dev/null
    sox -t wav "$o" -t flac "$v/flac" 2>/dev/null
    sox -t wav "$o" -t voc "$v/voc" 2>/dev/null
    sox -t wav "$o" -t aiff "$v/aiff" 2>/dev/null
    sox -t wav "$o" -r 11025 -c 2 -t ogg "$v/ogg-stereo-11025-hz" 2>/dev/null
    head -c $(($(stat -c %s "$v/ogg") / 2)) "$v/ogg" >"$v/truncated-ogg"
  else
    echo "sounds: no sox, so no real Ogg, FLAC, VOC or AIFF files"
  fi
}
sounds() {
sound_variants
for variant in "$work"/sounds/*; do
  name="$(basename "$variant")"
  tried[sounds]=$((tried[sounds] + 1))
  cp "$variant" "$sound"
  headless "$name" "$work/trace.txt" --frames 2
  [ "$status" -eq 0 ] || fail "sounds/$name: status $status"
  [ -z "$(error_codes "$work/trace.txt")" ] || fail "sounds/$name: errors $(error_codes "$work/trace.txt")"
  with_sound "$name" "$work/sound-trace.txt"
  [ "$status" -eq 0 ] || fail "sounds/$name: status $status with sound"
  if [ "$(sound_opens "$work/trace.txt")" != "$(sound_opens "$work/sound-trace.txt")" ]; then
    fail "sounds/$name: handles differ with sound: $(diff <(sound_opens "$work/trace.txt") <(sound_opens "$work/sound-trace.txt") | tr '\n' ' ')"
  fi
done
cp "$work/level.orig" "$sound"
}

# ---- score files: each played through a game that ends at once and saves its table. A table
# that could be written must read back without an error and save again byte for byte; one that
# could not must keep what it held.
score="$assets/score.txt"
play='0 press Space\n3 release Space\n430 press Q\n432 release Q\n'
printf "$play" >"$work/play.script"
save_frame=1740
table() {  # LINE-END
  local i
  for i in 1 2 3 4 5 6 7 8 9 10; do printf ' %-13s%s%b' $((1100 - 100 * i)) "AAA" "$1"; done
}

# Plays to the save twice, unless the table cannot be written: the second run reads what the
# first saved.
check_saved_table() {  # NAME [unwritable]
  headless "$1" "$work/trace.txt" --script "$work/play.script" --frames $save_frame
  [ "$status" -eq 0 ] || fail "scores/$1: status $status"
  grep -q " state Save$" "$work/trace.txt" || fail "scores/$1: the game never reached its save"
  if [ -n "${2:-}" ] || [ ! -f "$score" ]; then return; fi
  cp "$score" "$work/saved-1"
  headless "$1 (again)" "$work/trace-2.txt" --script "$work/play.script" --frames $save_frame
  if awk '$2 == "error" {found = 1} END {exit !found}' "$work/trace-2.txt" ||
    ! cmp -s "$score" "$work/saved-1"; then
    lost[scores]=$((lost[scores] + 1))
    fail "scores/$1: the saved table does not load back as saved: $(error_codes "$work/trace-2.txt")"
  fi
}

# What a table that cannot be written must keep: its kind, and its bytes when it is a file.
fingerprint() {
  stat -L -c %F "$score" 2>/dev/null
  if [ -f "$score" ]; then cat "$score" 2>/dev/null; fi
}

# Writes the variant, runs it, and checks the table is still the variant's when it must be.
score_variant() {  # NAME MAKE-COMMAND [unwritable]
  local name="$1" make="$2" unwritable="${3:-}"
  tried[scores]=$((tried[scores] + 1))
  rm -rf "$score"
  eval "$make"
  local before
  before="$(fingerprint)"
  check_saved_table "$name" "$unwritable"
  if [ -n "$unwritable" ] && [ "$before" != "$(fingerprint)" ]; then
    lost[scores]=$((lost[scores] + 1))
    fail "scores/$name: the table that could not be saved changed"
  fi
  chmod -R u+rwx "$assets" 2>/dev/null
}

scores() {
long_line="$(head -c 1048576 /dev/zero | tr '\0' 'L')"
score_variant missing ':'
score_variant empty ': >"$score"'
score_variant short 'printf " 5000         KEL\r\n 4000         DOC\r\n" >"$score"'
score_variant binary 'head -c 3000 /dev/urandom >"$score"'
score_variant nul-bytes 'printf " 1000\0\0         A\0A\r\n\0\0\0\r\n" >"$score"'
score_variant long-lines 'printf " 1000 %s\r\n 900 A\r\n" "$long_line" >"$score"'
score_variant huge-numbers 'printf " 1E+39 BIG\r\n 99999999999999999999999 X\r\n &HFFFFFFFFFFFFFFFFFF Y\r\n" >"$score"'
score_variant nan 'printf " NaN          AAA\r\n -Infinity A\r\n 1.5E-50 B\r\n" >"$score"'
score_variant crlf 'table "\r\n" >"$score"'
score_variant lf 'table "\n" >"$score"'
score_variant awkward-names 'printf " 900 \"A,B\"\r\n 800 \"\"\r\n 700 \"C\rD\"\r\n 600 \"x\x1ay\"\r\n 500 \"Q\r\n 400 \a\a\a\r\n 300   \r\n" >"$score"'
score_variant stray-temporary 'table "\r\n" >"$score"; : >"$assets/.score.txt.99999999-1.tmp"'
[ -e "$assets/.score.txt.99999999-1.tmp" ] && fail "scores/stray-temporary: left in place"
score_variant directory 'mkdir "$score"' unwritable
score_variant fifo 'mkfifo "$score"' unwritable
table "\r\n" >"$work/linked-table"
score_variant symlink 'ln -s "$work/linked-table" "$score"'
[ -L "$score" ] && cmp -s "$work/linked-table" "$work/saved-1" ||
  fail "scores/symlink: the save did not replace the link's target"
rm -f "$score"
if [ "$(id -u)" -ne 0 ]; then
  score_variant unreadable 'table "\r\n" >"$score"; chmod 000 "$score"' unwritable
  score_variant read-only 'table "\r\n" >"$score"; chmod 444 "$score"' unwritable
  score_variant read-only-folder 'table "\r\n" >"$score"; chmod 555 "$assets"' unwritable
  echo "scores: not root, so no full or read-only file system"
else
  echo "scores: root ignores file modes: unreadable and read-only files need a read-only mount"
  # The score folder on a small file system of its own; the pictures and sounds stay outside.
  mv "$assets" "$work/aside"
  mkdir "$assets"
  if mount -t tmpfs -o size=64k tmpfs "$assets" 2>/dev/null; then
    mounted+=("$assets")
    ln -s "$work/aside"/*.xxx "$work/aside"/*.yyy "$assets/"
    score_variant full-file-system 'table "\r\n" >"$score"; head -c 1048576 /dev/zero >"$assets/fill" 2>/dev/null' unwritable
    rm -f "$assets/fill"
    score_variant read-only-file-system 'table "\r\n" >"$score"; mount -o remount,ro "$assets"' unwritable
    mount -o remount,rw "$assets"
    umount "$assets" && mounted=()
  else
    echo "scores: no tmpfs can be mounted here, so no full or read-only file system"
  fi
  rmdir "$assets" && mv "$work/aside" "$assets"
fi
}

# ---- stops while the table is half written: the old table stays, no temporary file is left.
stop_during_save() {  # HOW
  tried[stops]=$((tried[stops] + 1))
  runs[stops]=$((runs[stops] + 1))
  printf '%s' "$default_score" >"$score"
  rm -f "$work/probe-trace.txt"
  # With job control on, the probe does not start with SIGINT ignored, as background jobs do.
  set -m
  "$probe" --window --mute --dir "$game" --trace "$work/probe-trace.txt" 2>"$work/stderr.txt" &
  local pid=$! deadline=$((SECONDS + 60))
  set +m
  until grep -q " paused " "$work/probe-trace.txt" 2>/dev/null || ! kill -0 $pid 2>/dev/null ||
    ((SECONDS > deadline)); do
    sleep 0.02
  done
  case "$1" in
    close) "$closer" "Dr Kelvo" ;;
    SIGTERM) kill -TERM $pid ;;
    SIGINT) kill -INT $pid ;;
  esac
  if ! wait_for_exit $pid 30 "the stop by $1 during the save"; then
    hangs[stops]=$((hangs[stops] + 1))
    fail "stops/$1: no end"
    return
  fi
  [ "$exit_status" -eq 0 ] || fail "stops/$1: status $exit_status: $(head -c 600 "$work/stderr.txt")"
  if [ "$(cat "$score")" != "$default_score" ]; then
    lost[stops]=$((lost[stops] + 1))
    fail "stops/$1: the half-written table replaced the old one"
  fi
  [ -z "$(find "$assets" -name '.*.tmp')" ] || fail "stops/$1: temporary files left: $(ls -A "$assets" | grep tmp)"
}
stops() {
  for how in close SIGTERM SIGINT; do stop_during_save "$how"; done
}

# The stops, which need the X server, come first, while it is surely fresh.
groups="${KELVO_FAULT_GROUPS:-stops pictures sounds scores}"
for g in $groups; do
  begin_group "$g"
  start=$SECONDS
  "$g"
  echo "$g: ${tried[$g]} inputs, ${runs[$g]} runs in $((SECONDS - start)) s"
done
for g in $groups; do
  echo "$g: ${tried[$g]} inputs, ${runs[$g]} runs, crashes ${crashes[$g]}, hangs ${hangs[$g]}, lost or unreadable tables ${lost[$g]}"
done
if ((failures > 0)); then
  echo "fault injection: $failures checks failed"
  exit 1
fi
echo "fault injection passed"
