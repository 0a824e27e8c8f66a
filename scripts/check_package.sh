#!/usr/bin/env bash
# Builds the Debian package from a finished build (no second build), checks
# the desktop entry and the AppStream metadata, unpacks the package into a
# temporary folder and runs the unpacked program headless on the demo script.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

(cd "$build" && cpack -G DEB -B "$tmp/package" >/dev/null)
deb=$(ls "$tmp"/package/*.deb)
dpkg-deb -x "$deb" "$tmp/unpacked"
usr="$tmp/unpacked/usr"
desktop-file-validate "$usr/share/applications/quillet-pro.desktop"
appstreamcli validate --no-net "$usr/share/metainfo/com.brambleworks.QuilletPro.metainfo.xml"
for size in 16 24 32 48 64 128 256; do
  test -s "$usr/share/icons/hicolor/${size}x${size}/apps/quillet-pro.png"
done
test -s "$usr/share/man/man1/quillet.1"
test -s "$usr/share/mime/packages/quillet-pro.xml"

mkdir "$tmp/run"
(cd "$tmp/run" && "$usr/bin/quillet" --headless --root "$tmp/run/device" --script "$here/docs/demo.txt")
test -s "$tmp/run/groceries.png"
echo "package $(basename "$deb"): entry, metadata, icons and a headless run are fine"
