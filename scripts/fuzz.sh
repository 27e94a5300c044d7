#!/usr/bin/env bash
# Builds the sequential-file field fuzz target with clang (libFuzzer, ASan, UBSan) outside the
# main build and runs it for a bounded time: scripts/fuzz.sh [SECONDS] (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
out="${KELVO_FUZZ_DIR:-build-fuzz}"
mkdir -p "$out/corpus"

clang++ -std=c++20 -g -O1 -I. -Wall -Wextra -Wpedantic -Wshadow -Werror \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer \
  tests/fuzz/file_fields_fuzz.cpp tests/fuzz/errors_stub.cpp runtime/services/files.cpp \
  runtime/services/file_fields.cpp platform/host/posix_file.cpp -o "$out/file_fields_fuzz"

# Seeds: a saved table, every line end, quotes, Ctrl-Z, &H/&O and exponent forms.
seed() { printf "$2" >"$out/corpus/$1"; }
seed table ' 1000         AAA\r\n 900          BBB\r\n'
seed line-ends 'a\rb\nc\r\nd\n\re'
seed quotes '"A, B",  12  ,  AB  \r\n"open'
seed ctrl-z '12,AB\x1a34'
seed radix '&HFF,&o17,&H10000000000000000'
seed exponents '1.5D2,-2e-3,1E0000000000000000000009,3.4028236E38'

"$out/file_fields_fuzz" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1 "$out/corpus"
