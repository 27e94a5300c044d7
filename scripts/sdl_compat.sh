#!/usr/bin/env bash
# Runs the script goldens and the window tests of a built tree against SDL 1.2's SDL2-based
# compatibility library (Debian's libsdl1.2-compat over libsdl2-2.0-0), which newer releases ship
# as their SDL 1.2. The two packages are fetched and unpacked into BUILD/sdl12-compat/, not
# installed (that would replace the classic library), and reached through LD_LIBRARY_PATH.
# Usage: scripts/sdl_compat.sh [BUILD]   (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(realpath "${1:-build}")"
dir="$build/sdl12-compat"
multiarch="$(gcc -print-multiarch)"
if [ ! -e "$dir/root/usr/lib/$multiarch/sdl12-compat/libSDL-1.2.so.0" ]; then
  rm -rf "$dir"
  mkdir -p "$dir/debs"
  (cd "$dir/debs" && apt-get download -q libsdl1.2-compat libsdl2-2.0-0 2>&1 | grep -v unsandboxed)
  for deb in "$dir"/debs/*.deb; do dpkg -x "$deb" "$dir/root"; done
fi
lib="$dir/root/usr/lib/$multiarch"
export LD_LIBRARY_PATH="$lib/sdl12-compat:$lib${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"

# The game reports the SDL it loaded, and a window run shows the library files it mapped.
version="$("$build/kelvo" --version | sed -n 's/^SDL //p')"
echo "kelvo --version: SDL $version"
[ -n "$version" ] && [ "$version" != 1.2.15 ] ||
  { echo "sdl_compat: the game reports the classic SDL" >&2; exit 1; }
maps="$(mktemp)"
trap 'rm -f "$maps"' EXIT
tests/window/xvfb.sh 640x480x24 bash -c '
  SDL_AUDIODRIVER=dummy "$1" --window --mute --dir "$2" --frames 2400 & pid=$!
  for _ in $(seq 100); do grep -q libSDL2 "/proc/$pid/maps" && break; sleep 0.1; done
  grep -o "/[^ ]*libSDL[^ ]*" "/proc/$pid/maps" | sort -u
  kill $pid; wait $pid || true' _ "$build/kelvo" "$build" >"$maps"
echo "libraries mapped by a window run:"
cat "$maps"
grep -q "^$lib/sdl12-compat/libSDL-1.2.so" "$maps" && grep -q "^$lib/libSDL2" "$maps" ||
  { echo "sdl_compat: the game did not load the unpacked libraries" >&2; exit 1; }

(cd "$build" && ctest --output-on-failure -R 'Golden|Window')
