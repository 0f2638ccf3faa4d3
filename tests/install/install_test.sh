#!/usr/bin/env bash
# Installs the build into a temporary prefix, checks that everything lands
# where the Filesystem Hierarchy Standard and the desktops look for it, and
# plays the installed runner on fresh user folders: the save, the lock and
# the starting save's copy go to the user's data folder, the content is read
# from the install tree, and the install tree is never written to.
#
#   install_test.sh BUILD_DIR
set -euo pipefail
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >"$tmp/install.log"

app=org.qvr.Qvr
for f in bin/qvr bin/qvr-script bin/qvr-sim share/qvr/QVR2.DAT share/qvr/QVR1.DAT \
         share/qvr/TEXTS.DAT share/qvr/EVENTS.DAT \
         share/applications/$app.desktop share/metainfo/$app.metainfo.xml \
         share/icons/hicolor/scalable/apps/$app.svg share/man/man6/qvr.6 \
         share/man/man6/qvr-script.6; do
  [ -f "$prefix/$f" ] || fail "$f was not installed"
done
for size in 16 24 32 48 64 128 256; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/$app.png
  [ -f "$png" ] || fail "no ${size}x${size} icon"
  # The PNG header's width and height, big-endian at bytes 16 and 20.
  read -r w h < <(od -An -tu1 -j16 -N8 "$png" | awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
  [ "$w" = "$size" ] && [ "$h" = "$size" ] || fail "the ${size}x${size} icon is ${w}x${h}"
done
plugin=$(find "$prefix/lib"* -name qvr-music.so | head -n1)
[ -n "$plugin" ] || fail "the music plugin was not installed"
[ "$(stat -c %s "$prefix/share/qvr/QVR1.DAT")" = 46586 ] || fail "the starting save has the wrong size"
[ -e "$prefix/bin/QVR2.DAT" ] && fail "content beside the programs"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/$app.desktop" || fail "desktop-file-validate"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$prefix/share/metainfo/$app.metainfo.xml" >"$tmp/as.log" ||
    { cat "$tmp/as.log"; fail "appstreamcli validate"; }
fi
if command -v man >/dev/null; then
  for page in qvr qvr-script; do
    warnings=$(MANWIDTH=80 man -l "$prefix/share/man/man6/$page.6" 2>&1 >/dev/null || true)
    [ -z "$warnings" ] || fail "man $page: $warnings"
  done
fi

snapshot() { (cd "$prefix" && find . -printf '%p %s %T@ %m\n' | sort); }
snapshot >"$tmp/before"

script=$tmp/play.qvrs
printf 'key Ctrl\ndump\nclose\n' >"$script"
run() { env -u QVR_HOME -u XDG_DATA_HOME "$@" "$prefix/bin/qvr-script" --seed 1 "$script"; }

# $XDG_DATA_HOME/qvr
run XDG_DATA_HOME="$tmp/xdg" HOME="$tmp/home" >"$tmp/out1" 2>"$tmp/err1" ||
  { cat "$tmp/err1"; fail "the installed runner failed on a fresh XDG_DATA_HOME"; }
user=$tmp/xdg/qvr
grep -q '^SAVE$' "$tmp/out1" || fail "no save in the transcript"
grep -q '^title zedure$' "$tmp/out1" || fail "the castle town did not show"
[ -f "$user/QVR1.DAT" ] && [ -f "$user/QVR.lock" ] || fail "no save or lock in $user"
[ -e "$user/QVR2.DAT" ] && fail "the content was copied into the user folder"
[ "$(stat -c %s "$user/QVR1.DAT")" = 46586 ] || fail "the user's save has the wrong size"

# ~/.local/share/qvr without XDG_DATA_HOME; a second run keeps the save.
run HOME="$tmp/home" >"$tmp/out2" 2>"$tmp/err2" || { cat "$tmp/err2"; fail "HOME run"; }
[ -f "$tmp/home/.local/share/qvr/QVR1.DAT" ] || fail "no save under ~/.local/share/qvr"
cmp -s "$tmp/home/.local/share/qvr/QVR1.DAT" "$prefix/share/qvr/QVR1.DAT" ||
  fail "the first save is not the starting save"
printf 'X' | dd of="$tmp/home/.local/share/qvr/QVR1.DAT" bs=1 seek=100 conv=notrunc 2>/dev/null
cp "$tmp/home/.local/share/qvr/QVR1.DAT" "$tmp/marked"
printf 'dump\n' >"$script"
run HOME="$tmp/home" >/dev/null 2>&1 || true
cmp -s "$tmp/home/.local/share/qvr/QVR1.DAT" "$tmp/marked" ||
  fail "a later run replaced the player's save with the starting one"
printf 'key Ctrl\nclose\n' >"$script"

# QVR_HOME and --game-dir still win; an empty folder plays on the installed
# content.
mkdir -p "$tmp/own" "$tmp/dir"
env QVR_HOME="$tmp/own" XDG_DATA_HOME="$tmp/xdg2" HOME="$tmp/home" \
  "$prefix/bin/qvr-script" --seed 1 "$script" >/dev/null 2>"$tmp/err3" ||
  { cat "$tmp/err3"; fail "QVR_HOME run"; }
[ -f "$tmp/own/QVR1.DAT" ] || fail "QVR_HOME was not the game folder"
[ -e "$tmp/xdg2" ] && fail "the user data folder was made although QVR_HOME was set"
env -u QVR_HOME HOME="$tmp/home" XDG_DATA_HOME="$tmp/xdg3" \
  "$prefix/bin/qvr-script" --game-dir "$tmp/dir" --seed 1 "$script" >/dev/null 2>"$tmp/err4" ||
  { cat "$tmp/err4"; fail "--game-dir run"; }
[ -f "$tmp/dir/QVR1.DAT" ] || fail "--game-dir was not the game folder"

snapshot >"$tmp/after"
diff "$tmp/before" "$tmp/after" >&2 || fail "the install tree was written to"
echo "install test passed"
