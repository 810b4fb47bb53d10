#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from a configured build folder, unpacks it into a scratch root and
# checks what it holds: the program, the launcher entry, the icon and valid metadata, and the
# dependencies the program needs at run time.
set -euo pipefail
build=$1
source=$(cd "$(dirname "$0")/.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

(cd "$build" && cpack -G DEB -B "$scratch/out" >/dev/null)
deb=$(ls "$scratch"/out/pennyloom_*.deb)
dpkg-deb -x "$deb" "$scratch/root"

fail=0
for file in usr/bin/pennyloom \
    usr/share/applications/org.pennyloom.Pennyloom.desktop \
    usr/share/dbus-1/services/org.pennyloom.Pennyloom.service \
    usr/share/icons/hicolor/scalable/apps/org.pennyloom.Pennyloom.svg \
    usr/share/metainfo/org.pennyloom.Pennyloom.metainfo.xml; do
  if [ ! -f "$scratch/root/$file" ]; then
    echo "missing from the package: /$file"
    fail=1
  fi
done
[ -x "$scratch/root/usr/bin/pennyloom" ] || { echo "/usr/bin/pennyloom is not executable"; fail=1; }
if dpkg-deb -c "$deb" | grep -E '/(tst_|bench_|make_books)' >/dev/null; then
  echo "the package carries test or benchmark programs"
  fail=1
fi

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libsqlite3 libicu libzip4 fonts-noto-cjk fonts-material-design-icons-iconfont qt6-qpa-plugins qt6-translations-l10n; do
  if ! grep -q "$needed" <<<"$depends"; then
    echo "Depends lacks $needed: $depends"
    fail=1
  fi
done

desktop-file-validate "$scratch/root/usr/share/applications/org.pennyloom.Pennyloom.desktop"
appstreamcli validate --no-net "$scratch/root/usr/share/metainfo/org.pennyloom.Pennyloom.metainfo.xml" >/dev/null
grep -q '^Categories=Office;Finance;$' "$scratch/root/usr/share/applications/org.pennyloom.Pennyloom.desktop" ||
  { echo "the launcher entry is not in Office;Finance;"; fail=1; }
grep -q '^Exec=/usr/bin/pennyloom$' "$scratch/root/usr/share/dbus-1/services/org.pennyloom.Pennyloom.service" ||
  { echo "the bus cannot start the program for its launcher entry"; fail=1; }
cmp -s "$source/data/icons/org.pennyloom.Pennyloom.svg" "$scratch/root/usr/share/icons/hicolor/scalable/apps/org.pennyloom.Pennyloom.svg" ||
  { echo "the installed icon differs from data/icons"; fail=1; }

[ "$fail" -eq 0 ] && echo "package: $(basename "$deb") holds the program, its launcher, icon and metadata"
exit "$fail"
