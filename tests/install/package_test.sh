#!/usr/bin/env bash
# Builds the Debian package with CPack from the build's install rules,
# checks its control fields and its contents list (dpkg-deb -c), runs
# lintian on it with its pedantic and informational checks (its output is
# printed; any tag fails the test), unpacks it into OUT_DIR/root for the
# packaged program's window test and checks that the program was built with
# Debian's hardening (stack protector, read-only relocations bound at start,
# position-independent), and that it answers --version without a display.
#
#   package_test.sh BUILD_DIR OUT_DIR VERSION
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 BUILD_DIR OUT_DIR VERSION" >&2; exit 2; }
build=$1
out=$2
version=$3
id=org.example.tolvane

for tool in cpack dpkg-deb dpkg-shlibdeps lintian readelf; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed (scripts/setup.sh)" >&2; exit 1; }
done
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$out"
mkdir -p "$out"
cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log" >&2; fail "cpack failed"; }
debs=("$out"/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single .deb: ${debs[*]}"
deb=${debs[0]}
[ "$(basename "$deb")" = "tolvane_${version}_$(dpkg --print-architecture).deb" ] ||
    fail "package file is named $(basename "$deb")"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = tolvane ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version), not $version"
[ "$(field Section)" = games ] || fail "Section: $(field Section)"
[[ "$(field Maintainer)" == *@* ]] || fail "Maintainer: $(field Maintainer)"
[ -n "$(field Description)" ] || fail "no Description"
# Computed from the binary by dpkg-shlibdeps.
depends=$(field Depends)
for lib in libqt6widgets6 libpulse0 libc6; do
    tr ',' '\n' <<<"$depends" | awk '{ print $1 }' | grep -qx "$lib" || fail "Depends lacks $lib: $depends"
done
[ "$(field Recommends)" = "qt6-wayland, qt6-translations-l10n" ] ||
    fail "Recommends: $(field Recommends)"
echo "control: $(field Package) $(field Version), section $(field Section)"
echo "Depends: $depends"

dpkg-deb -c "$deb" >"$out/contents.txt"
echo "contents (dpkg-deb -c):"
cat "$out/contents.txt"
expected="usr/games/tolvane usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml
  usr/share/man/man6/tolvane.6.gz usr/share/doc/tolvane/copyright usr/share/doc/tolvane/changelog.gz
  usr/share/icons/hicolor/scalable/apps/$id.svg usr/share/lintian/overrides/tolvane"
for n in 1 2 3 4 5; do expected+=" usr/share/tolvane/backgr$n.bmp"; done
for s in 16 24 32 48 64 128 256; do expected+=" usr/share/icons/hicolor/${s}x$s/apps/$id.png"; done
for f in $expected; do
    grep -q -- "^-.* \./$f\$" "$out/contents.txt" || fail "the package does not hold $f"
done
grep -q '^-rwxr-xr-x root/root .* \./usr/games/tolvane$' "$out/contents.txt" ||
    fail "usr/games/tolvane is not an executable owned by root"
echo "the package holds all $(wc -w <<<"$expected") files"

echo "lintian --pedantic --display-info:"
status=0
lintian --pedantic --display-info "$deb" >"$out/lintian.txt" 2>&1 || status=$?
cat "$out/lintian.txt"
# 1: it found errors; more: it could not check the package.
[ "$status" -le 1 ] || fail "lintian did not run (status $status)"
[ "$status" -eq 0 ] && ! grep -q '^E: ' "$out/lintian.txt" || fail "lintian reports errors"
# Tags of every level, down to pedantic; its note about root is no tag.
! grep -q '^[EWIPX]: ' "$out/lintian.txt" || fail "lintian reports tags"

dpkg-deb -x "$deb" "$out/root"
echo "unpacked into $out/root"

program=$out/root/usr/games/tolvane
# Read whole first: grep -q leaving early would fail the pipe.
elf=$(readelf -h -lW -d --dyn-syms "$program")
grep -q 'Type: *DYN' <<<"$elf" || fail "the program is not position-independent"
grep -q 'GNU_RELRO' <<<"$elf" || fail "the program has no read-only relocations"
grep -q 'BIND_NOW' <<<"$elf" || fail "the program's symbols are not bound at start"
# A sanitizer or debug build, packaged only to test the rules, has the
# sanitizers' checks in place of Debian's flags.
if [ "${TOLVANE_HARDENED:-ON}" = ON ]; then
    grep -q '__stack_chk_fail' <<<"$elf" ||
        fail "the program was built without the stack protector (dpkg-buildflags)"
    echo "hardening: PIE, RELRO, BIND_NOW, stack protector"
else
    echo "hardening: PIE, RELRO, BIND_NOW (no dpkg-buildflags in this build)"
fi

# The packaged program says its version and goes, with no display to open.
version_line=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$program" --version) ||
    fail "tolvane --version failed"
[ "$version_line" = "Tolvane $version" ] || fail "tolvane --version printed '$version_line'"
echo "tolvane --version: $version_line"
