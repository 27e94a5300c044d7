#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, ASan, UBSan) outside the main build and runs each
# for a bounded time: scripts/fuzz.sh [SECONDS] [TARGET...] (default 60 s each; targets
# file_fields, image_loader and script). The test command runs them briefly; run longer by hand.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
targets=("$@")
((${#targets[@]})) || targets=(file_fields image_loader script)
out="${KELVO_FUZZ_DIR:-build-fuzz}"
flags=(-std=c++20 -g -O1 -I. -Wall -Wextra -Wpedantic -Wshadow -Werror
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
mkdir -p "$out"
# SDL_image's TIFF reader leaks on some broken files; that is the library's, not ours.
supp="$(realpath "$out")/lsan.supp"
printf 'leak:libtiff.so\n' >"$supp"

seed() { printf "$3" >"$out/$1-corpus/$2"; }

build_file_fields() {
  clang++ "${flags[@]}" tests/fuzz/file_fields_fuzz.cpp tests/fuzz/errors_stub.cpp \
    runtime/services/files.cpp runtime/services/file_fields.cpp runtime/services/posix_file.cpp \
    -o "$out/file_fields_fuzz"
  # Seeds: a saved table, every line end, quotes, Ctrl-Z, &H/&O and exponent forms.
  seed file_fields table ' 1000         AAA\r\n 900          BBB\r\n'
  seed file_fields line-ends 'a\rb\nc\r\nd\n\re'
  seed file_fields quotes '"A, B",  12  ,  AB  \r\n"open'
  seed file_fields ctrl-z '12,AB\x1a34'
  seed file_fields radix '&HFF,&o17,&H10000000000000000'
  seed file_fields exponents '1.5D2,-2e-3,1E0000000000000000000009,3.4028236E38'
}

build_image_loader() {
  # shellcheck disable=SC2046
  clang++ "${flags[@]}" $(pkg-config --cflags sdl SDL_image) tests/fuzz/image_loader_fuzz.cpp \
    tests/fuzz/errors_stub.cpp runtime/display/image_loader.cpp runtime/display/image_table.cpp \
    runtime/display/default_palette.cpp platform/sdl_image_decoder.cpp platform/picture_size.cpp \
    $(pkg-config --libs sdl SDL_image) -o "$out/image_loader_fuzz"
  # Seeds: one small picture in each format SDL_image tells apart by its content.
  local format
  for format in png png32 gif bmp3 jpg pcx tif ppm xpm; do
    convert -size 6x5 gradient:red-blue -colors 8 "$format:$out/image_loader-corpus/$format"
  done
}

build_script() {
  clang++ "${flags[@]}" tests/fuzz/script_fuzz.cpp platform/script.cpp platform/system_queries.cpp -o "$out/script_fuzz"
  cp tests/scripts/*.script "$out/script-corpus/"
  seed script commands '0 press Space\n3 release 32\n9 shot a.png\n9 dump d.json\n# x\n12 answer no\n20 close\n'
}

for target in "${targets[@]}"; do
  mkdir -p "$out/$target-corpus"
  "build_$target"
  echo "== fuzzing $target for $seconds s"
  LSAN_OPTIONS="suppressions=$supp" "$out/${target}_fuzz" \
    -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$out/$target-" \
    -print_final_stats=1 "$out/$target-corpus" 2>"$out/$target.log" ||
    { tail -n 40 "$out/$target.log"; exit 1; }
  grep -E "^stat::number_of_executed_units|^Done" "$out/$target.log" || true
done
