#!/usr/bin/env bash
# The Debian package end to end (root, several minutes, not part of the test command): builds the
# package with cpack from a plain build, makes a fresh Debian root with debootstrap, installs the
# package there with apt-get, and plays the golden flow script with the installed game, headless:
# it must end with status 0, the same trace as the golden one, and the table saved in the
# player's data folder. Prints the package's Depends line.
# Usage: scripts/deb_check.sh [BUILD]   (default build; the root is made in BUILD/deb-check/)
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir="$(pwd)"
build="$(realpath -m "${1:-build}")"
[ "$(id -u)" -eq 0 ] || { echo "deb_check: run as root (debootstrap, chroot)" >&2; exit 2; }
command -v debootstrap >/dev/null || apt-get install -y -qq --no-install-recommends debootstrap

echo "== package"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVO_SANITIZE= >/dev/null
cmake --build "$build" -j "$(nproc)" --target kelvo kelvo_asset_files kelvo_install_file_set
rm -f "$build"/kelvo_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb="$(ls "$build"/kelvo_*.deb)"
echo "$(basename "$deb"): Depends: $(dpkg-deb -f "$deb" Depends)"

# The release and mirror this machine's own apt uses.
. /etc/os-release
mirror="$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/*.sources 2>/dev/null | head -n 1)"
[ -n "$mirror" ] || mirror="$(awk '$1 == "deb" {print $2; exit}' /etc/apt/sources.list)"

echo "== fresh $VERSION_CODENAME root"
work="$build/deb-check"
root="$work/root"
cleanup() { umount "$root/proc" 2>/dev/null || true; }
trap cleanup EXIT
cleanup
rm -rf "$work"
mkdir -p "$work"
debootstrap --variant=minbase "$VERSION_CODENAME" "$root" "$mirror" >"$work/debootstrap.log" 2>&1 ||
  { tail -n 20 "$work/debootstrap.log"; exit 1; }
mount -t proc proc "$root/proc"  # the game finds its data folder through /proc/self/exe

echo "== apt-get install ./$(basename "$deb")"
cp "$deb" "$root/tmp/"
cp tests/scripts/flow_attract_to_play.script "$root/tmp/flow.script"
chroot "$root" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
  "./tmp/$(basename "$deb")" >"$work/install.log" 2>&1 || { tail -n 20 "$work/install.log"; exit 1; }
chroot "$root" dpkg -L kelvo | grep -E 'bin/kelvo$|\.desktop$|metainfo|man6|256x256'
# The game loads SDL_mixer with dlopen when it first plays a sound; the package must bring it.
chroot "$root" ldconfig -p | grep -q 'libSDL_mixer-1\.2\.so\.0 ' ||
  { echo "deb_check: the installed package leaves out libSDL_mixer-1.2.so.0" >&2; exit 1; }

echo "== a scripted run of the installed game"
chroot "$root" env -i HOME=/root PATH=/usr/games:/usr/bin:/bin sh -c \
  'cd /tmp && kelvo --version && kelvo --headless --script flow.script --trace trace.txt'
# The golden keeps the trace events its script's "# trace:" line names.
kept="$(sed -n 's/^# trace: //p' "$source_dir/tests/scripts/flow_attract_to_play.script")"
awk -v kept=" $kept " 'index(kept, " " $2 " ")' "$root/tmp/trace.txt" |
  diff - "$source_dir/tests/golden/flow_attract_to_play/trace.txt"
# The flow's game scores nothing: the table saved is the installed default.
cmp "$root/root/.local/share/kelvo/score.txt" "$(chroot "$root" dpkg -L kelvo | grep 'rurazedudi/score.txt$' | sed "s|^|$root|")"
echo "deb check passed: installed in a fresh $VERSION_CODENAME root, the scripted run matches"
