#!/usr/bin/env bash
# cmake --install into a temporary prefix: the launcher and the metadata pass the desktop
# validators, the icons exist at every size; the installed game keeps its scores in the player's
# data folder, across a reinstall, while a build-folder run and a --dir run keep them in their
# rurazedudi/ as before.  Usage: install_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build="$(realpath "$1")"
source="$(realpath "$2")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
script="$source/tests/scripts/flow_attract_to_play.script"
fail() { echo "install test: $*" >&2; exit 1; }

install_game() { cmake --install "$build" --prefix "$prefix" >/dev/null; }

install_game
desktop-file-validate "$prefix"/share/applications/*.desktop
appstreamcli validate --no-net "$prefix"/share/metainfo/*.metainfo.xml
for size in 16 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/kelvo.png"
  [ "$(identify -format '%wx%h %[channels]' "$icon")" = "${size}x${size} srgba" ] ||
    fail "icon $icon is not ${size}x${size} with transparency"
done
[ -f "$prefix/share/man/man6/kelvo.6" ] || fail "no manual page"
default="$prefix/share/kelvo/rurazedudi/score.txt"
cp "$default" "$work/default.txt"
# The flow's game scores nothing, so every table it saves is the default one.
golden="$work/default.txt"

# One game from the title to the hall of fame (the golden flow), saving the table at its end.
play() {  # KELVO [ARGUMENTS...]
  (cd "$work" && "$@" --headless --script "$script" 2>"$work/stderr.txt") ||
    fail "$* ended with status $?: $(cat "$work/stderr.txt")"
}

# Installed: read from the default until the player's own file exists, then saved there.
export XDG_DATA_HOME="$work/xdg"
mine="$XDG_DATA_HOME/kelvo/score.txt"
play "$prefix/bin/kelvo"
cmp "$mine" "$golden" || fail "the player's table is not the game's"
cmp "$default" "$work/default.txt" || fail "the installed default changed"
[ "$(cat "$work/stderr.txt")" = "kelvo: high scores are kept in $mine" ] ||
  fail "stderr: $(cat "$work/stderr.txt")"

# A reinstall from scratch keeps the player's file, which is read (its top entry stays on top).
printf ' 5000         ZZZ\r\n' >"$work/top.txt"
sed -n '1,9p' "$golden" >>"$work/top.txt"
cp "$work/top.txt" "$mine"
rm -rf "$prefix"
install_game
play "$prefix/bin/kelvo"
cmp "$mine" "$work/top.txt" || fail "the player's table was not read back"

# Without XDG_DATA_HOME the file is under ~/.local/share.
(unset XDG_DATA_HOME && HOME="$work/home" && export HOME && play "$prefix/bin/kelvo")
cmp "$work/home/.local/share/kelvo/score.txt" "$golden" || fail "no table under ~/.local/share"

# A build folder and --dir keep the file in their rurazedudi/ and say nothing.
rm -rf "$XDG_DATA_HOME"
mkdir -p "$work/folder"
cp "$build/kelvo" "$work/folder/"
cp -r "$prefix/share/kelvo/rurazedudi" "$work/folder/"
play "$work/folder/kelvo"
cmp "$work/folder/rurazedudi/score.txt" "$golden" || fail "the build-folder run did not save"
cp "$work/default.txt" "$work/folder/rurazedudi/score.txt"
play "$prefix/bin/kelvo" --dir "$work/folder"
cmp "$work/folder/rurazedudi/score.txt" "$golden" || fail "the --dir run did not save in DIR"
[ ! -e "$XDG_DATA_HOME" ] && [ ! -s "$work/stderr.txt" ] || fail "a non-installed run used the data folder"
echo "install test passed"
