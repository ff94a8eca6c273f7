#!/usr/bin/env bash
# The Debian package: builds with cpack, holds the installed layout, unpacks anywhere and runs
# from there, and lintian finds no error in it.
# usage: package_test.sh BUILD_DIR
set -uo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if ! (cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1); then
  cat "$work/cpack.log"
  echo "FAIL: cpack -G DEB"
  exit 1
fi
deb=$(ls "$work"/out/kombinator_*.deb)
echo "package: $(basename "$deb")"

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's#^\./#/#' > "$work/contents"
for path in /usr/bin/kombinator /usr/bin/kombinator-cli /usr/bin/kombinator-start \
    /usr/share/applications/pl.kombinator.Kombinator.desktop \
    /usr/share/metainfo/pl.kombinator.Kombinator.metainfo.xml \
    /usr/share/icons/hicolor/scalable/apps/kombinator.svg \
    /usr/share/icons/hicolor/16x16/apps/kombinator.png /usr/share/icons/hicolor/256x256/apps/kombinator.png \
    /usr/share/man/man1/kombinator.1.gz /usr/share/man/man1/kombinator-cli.1.gz \
    /usr/share/kombinator/PX1.txt /usr/share/kombinator/PNR.txt /usr/share/kombinator/Gong.wav \
    /usr/share/kombinator/examples/narrow.kfp /usr/share/doc/kombinator/copyright; do
  grep -qx -- "$path" "$work/contents" || fail "the package lacks $path"
done
[ "$(dpkg-deb -f "$deb" Package)" = kombinator ] || fail "package name"
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "Depends not computed: $(dpkg-deb -f "$deb" Depends)"

# Unpacked into a folder of no importance, the programs run from there.
dpkg-deb -x "$deb" "$work/root"
"$work/root/usr/bin/kombinator-cli" --help >"$work/help.txt" 2>&1 || fail "unpacked kombinator-cli --help failed"
grep -q "count PROFILE" "$work/help.txt" || fail "unpacked kombinator-cli --help printed no commands"
mkdir -p "$work/home/Documents"
HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" QT_QPA_PLATFORM=offscreen \
  timeout 2 "$work/root/usr/bin/kombinator-start" >"$work/window.log" 2>&1
rc=$?
[ "$rc" -eq 124 ] || { cat "$work/window.log"; fail "the unpacked window ended by itself (status $rc) instead of running"; }
cmp -s "$work/root/usr/share/kombinator/Gong.wav" "$work/home/Documents/Kombinator/Gong.wav" \
  || fail "the unpacked launcher did not seed the user's folder"

lintian --fail-on error --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || { cat "$work/lintian.log"; fail "lintian reports errors"; }
grep -E '^(E|W):' "$work/lintian.log"

[ "$failures" -eq 0 ] && echo "package: all checks passed"
exit "$failures"
