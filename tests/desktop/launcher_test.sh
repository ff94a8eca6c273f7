#!/usr/bin/env bash
# The launcher: which documents folder it picks, what it seeds, what it leaves alone, and that
# it finds its data and the program beside itself wherever it stands.
# usage: launcher_test.sh LAUNCHER DATADIR
set -uo pipefail
launcher=$1 data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# An installation of our own: the launcher, a stand-in program that reports where it runs,
# and the data under ../share/kombinator, reached through a symbolic link as from a menu.
mkdir -p "$work/prefix/bin" "$work/prefix/share" "$work/links"
cp "$launcher" "$work/prefix/bin/kombinator-start"
cp -r "$data" "$work/prefix/share/kombinator"
cat > "$work/prefix/bin/kombinator" <<'STUB'
#!/bin/sh
pwd > "$KOMBINATOR_TEST_REPORT"
echo "$@" >> "$KOMBINATOR_TEST_REPORT"
STUB
chmod +x "$work/prefix/bin/kombinator" "$work/prefix/bin/kombinator-start"
ln -s "$work/prefix/bin/kombinator-start" "$work/links/kombinator-start"
seeded="PX1.txt X1X2.txt PY1.txt Y1Y2.txt PYK.txt PYZ.txt PNR.txt Gong.wav"

# name | folders made in the home | XDG_DOCUMENTS_DIR configured | expected folder (relative to home)
cases=(
  "xdg documents folder|Dokumenty Documents|Moje dokumenty|Moje dokumenty/Kombinator"
  "Dokumenty before Documents|Dokumenty Documents||Dokumenty/Kombinator"
  "Documents alone|Documents||Documents/Kombinator"
  "no documents folder: the home|||Kombinator"
)
for row in "${cases[@]}"; do
  IFS='|' read -r name folders xdg expected <<<"$row"
  home="$work/home-${name// /_}"
  mkdir -p "$home"
  for f in $folders; do mkdir -p "$home/$f"; done
  if [ -n "$xdg" ]; then
    mkdir -p "$home/.config"
    echo "XDG_DOCUMENTS_DIR=\"\$HOME/$xdg\"" > "$home/.config/user-dirs.dirs"
  fi
  report="$work/report"
  rm -f "$report"
  (cd / && env -i PATH="$PATH" HOME="$home" KOMBINATOR_TEST_REPORT="$report" \
      "$work/links/kombinator-start" --one "two words")
  [ "$(sed -n 1p "$report" 2>/dev/null)" = "$home/$expected" ] || fail "$name: started in '$(sed -n 1p "$report" 2>/dev/null)', not '$home/$expected'"
  [ "$(sed -n 2p "$report" 2>/dev/null)" = "--one two words" ] || fail "$name: arguments not passed on"
  for f in $seeded; do
    cmp -s "$data/$f" "$home/$expected/$f" || fail "$name: $f not seeded"
  done
done

# A second start keeps what the user has: a calibrated offset stays, a deleted one comes back.
home="$work/home-Documents_alone"
printf '777\r\n' > "$home/Documents/Kombinator/PX1.txt"
rm "$home/Documents/Kombinator/PNR.txt"
env -i PATH="$PATH" HOME="$home" KOMBINATOR_TEST_REPORT="$work/report" "$work/links/kombinator-start"
[ "$(cat "$home/Documents/Kombinator/PX1.txt")" = $'777\r' ] || fail "a calibrated PX1.txt was overwritten"
cmp -s "$data/PNR.txt" "$home/Documents/Kombinator/PNR.txt" || fail "a missing PNR.txt was not copied again"
[ -z "$(ls "$home/Documents/Kombinator" | grep -v -x -F -e PX1.txt -e X1X2.txt -e PY1.txt -e Y1Y2.txt -e PYK.txt -e PYZ.txt -e PNR.txt -e Gong.wav)" ] \
  || fail "stray files left in the user's folder: $(ls "$home/Documents/Kombinator")"

# A home where the folder cannot be made still starts the program.
if [ "$(id -u)" -ne 0 ]; then
  home="$work/home-readonly"
  mkdir -p "$home" && chmod 555 "$home"
  env -i PATH="$PATH" HOME="$home" KOMBINATOR_TEST_REPORT="$work/report" "$work/links/kombinator-start" 2>/dev/null
  [ "$(sed -n 1p "$work/report")" = "$home" ] || fail "a read-only home did not start the program in the home"
  chmod 755 "$home"
fi

[ "$failures" -eq 0 ] && echo "launcher: all cases passed"
exit "$failures"
