#!/usr/bin/env bash
# Installs the build into ROOT/usr with `cmake --install`, checks that every
# file of the desktop game is there, and validates them: the launcher
# (desktop-file-validate), the AppStream metadata (appstreamcli, without the
# network), the manual page (man's warnings and its topics) and the icons
# (sizes, and the scalable one against the pixel ones).
#
#   install_test.sh BUILD_DIR ROOT SOURCE_DIR
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 BUILD_DIR ROOT SOURCE_DIR" >&2; exit 2; }
build=$1
root=$2
top=$3
id=org.example.tolvane
sizes="16 24 32 48 64 128 256"

for tool in desktop-file-validate appstreamcli man identify compare rsvg-convert; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed (scripts/setup.sh)" >&2; exit 1; }
done
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$root"
cmake --install "$build" --prefix "$root/usr" >/dev/null || fail "cmake --install failed"
prefix=$root/usr

expected="bin/tolvane share/applications/$id.desktop share/metainfo/$id.metainfo.xml
  share/man/man6/tolvane.6.gz share/doc/tolvane/copyright share/doc/tolvane/changelog.gz
  share/icons/hicolor/scalable/apps/$id.svg"
for n in 1 2 3 4 5; do expected+=" share/tolvane/backgr$n.bmp"; done
for s in $sizes; do expected+=" share/icons/hicolor/${s}x$s/apps/$id.png"; done
for f in $expected; do
    [ -s "$prefix/$f" ] || fail "not installed: $f"
done
[ -x "$prefix/bin/tolvane" ] || fail "bin/tolvane is not executable"
for n in 1 2 3 4 5; do
    cmp -s "$top/resources/pictures/backgr$n.bmp" "$prefix/share/tolvane/backgr$n.bmp" ||
        fail "share/tolvane/backgr$n.bmp is not resources/pictures/backgr$n.bmp"
done
echo "installed: $(wc -w <<<"$expected") files under $prefix"

desktop=$prefix/share/applications/$id.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate: $desktop"
for line in Exec=tolvane Icon=$id Name=Tolvane; do
    grep -qx "$line" "$desktop" || fail "the launcher has no line $line"
done
grep -Eq '^Categories=(.*;)?Game;' "$desktop" || fail "the launcher is not in the Game category"
echo "desktop-file-validate: no complaint"

appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$id.metainfo.xml" ||
    fail "appstreamcli validate"
# The whole tree: the metainfo's launchable must be the installed launcher.
appstreamcli validate-tree --no-net "$root" || fail "appstreamcli validate-tree"

warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z \
    "$prefix/share/man/man6/tolvane.6.gz" 2>&1 >/dev/null) || fail "man could not format tolvane.6"
[ -z "$warnings" ] || fail "man page warnings: $warnings"
page=$(MANWIDTH=200 man -l "$prefix/share/man/man6/tolvane.6.gz" 2>/dev/null)
for word in Tetris Arcanoid Scramble Figures NumLock Enter Space backgr1.bmp share/tolvane \
    text2.txt scramble.ini tetris.ini arcanoid.ini figures.ini XDG_DATA_HOME/Tolvane; do
    grep -qF -- "$word" <<<"$page" || fail "the man page does not mention $word"
done
echo "man page: formats without warnings"

# Each icon has its folder's size and the 32-pixel one is the about box's
# picture. Where the shapes' edges fall on whole pixels (32 to 256) the
# scalable icon, drawn at that size, is the PNG; the other sizes are the
# 256-pixel PNG scaled down by averaging.
icons=$prefix/share/icons/hicolor
cmp -s "$icons/32x32/apps/$id.png" "$top/resources/icons/tolvane.png" ||
    fail "the 32 x 32 icon is not resources/icons/tolvane.png"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rmse() { compare -metric RMSE "$1" "$2" null: 2>&1 | sed 's/.*(\(.*\))/\1/' || true; }
for s in $sizes; do
    png=$icons/${s}x$s/apps/$id.png
    [ "$(identify -format '%wx%h' "$png")" = "${s}x$s" ] || fail "$png is not ${s}x$s"
    if (( s % 32 == 0 )); then
        rsvg-convert -w "$s" -h "$s" "$icons/scalable/apps/$id.svg" -o "$work/ref.png"
        what="the scalable icon"
    else
        convert "$icons/256x256/apps/$id.png" -scale "${s}x$s" "$work/ref.png"
        what="the 256-pixel icon scaled down"
    fi
    r=$(rmse "$work/ref.png" "$png")
    echo "icon ${s}x$s: RMSE $r against $what"
    [[ $r =~ ^[0-9.e+-]+$ ]] && awk -v r="$r" 'BEGIN { exit !(r <= 0.005) }' ||
        fail "the ${s}x$s icon differs from $what (RMSE $r)"
done
echo "all checks of the installed files passed"
