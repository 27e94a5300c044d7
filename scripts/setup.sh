#!/usr/bin/env bash
# Installs the Debian packages that are missing: scripts/setup.sh play  for building and playing,
# scripts/setup.sh test  for that plus every test tool.
set -euo pipefail

play_packages=(
  build-essential cmake pkg-config libpng-dev libx11-dev
  libsdl1.2-dev libsdl-image1.2-dev libsdl-mixer1.2-dev libsdl-ttf2.0-dev
)
test_packages=(
  clang clang-format libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool x11-utils imagemagick sox libsox-fmt-base
  desktop-file-utils appstream dpkg-dev
)

case "${1:-}" in
  play) packages=("${play_packages[@]}") ;;
  test) packages=("${play_packages[@]}" "${test_packages[@]}") ;;
  *) echo "usage: scripts/setup.sh play|test" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
