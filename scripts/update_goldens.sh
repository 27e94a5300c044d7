#!/usr/bin/env bash
# Records the expected outputs of the golden scripts again after an intended change, with the plain
# build's program, and shows what changed: scripts/update_goldens.sh [NAME...] (all when none).
set -euo pipefail
cd "$(dirname "$0")/.."
[ -d build ] || cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target kelvo -j2 >/dev/null
names=("$@")
if ((${#names[@]} == 0)); then
  for script in tests/scripts/*.script; do names+=("$(basename "$script" .script)"); done
fi
for name in "${names[@]}"; do tests/support/golden.sh build/kelvo "$name" --update; done
git status --short -- tests/golden
git diff --stat -- tests/golden
git diff -- tests/golden ':(exclude)*.png'
