#!/usr/bin/env bash
# Installs the build tree into a temporary prefix and checks what a package or a
# user's `cmake --install` would get: both programs, the menu entry, the AppStream
# metadata, the icons and the man pages, and that the installed CLI works.
set -euo pipefail
build_dir=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build_dir" --prefix "$prefix" >/dev/null

fail() { echo "install check: $*" >&2; exit 1; }
for f in bin/sheetwright bin/sheetwright-cli \
         share/applications/org.sheetwright.Sheetwright.desktop \
         share/metainfo/org.sheetwright.Sheetwright.metainfo.xml \
         share/mime/packages/org.sheetwright.Sheetwright.xml \
         share/icons/hicolor/scalable/apps/org.sheetwright.Sheetwright.svg \
         share/man/man1/sheetwright.1 share/man/man1/sheetwright-cli.1; do
    [ -e "$prefix/$f" ] || fail "missing $f"
done
for s in 16 24 32 48 64 128 256; do
    [ -e "$prefix/share/icons/hicolor/${s}x${s}/apps/org.sheetwright.Sheetwright.png" ] || fail "missing ${s}px icon"
done
[ -x "$prefix/bin/sheetwright-cli" ] || fail "sheetwright-cli is not executable"

out=$("$prefix/bin/sheetwright-cli" number --series old --scale 1:50,000 28:36:50 77:12:30)
[ "$out" = "53H/2" ] || fail "installed sheetwright-cli printed '$out'"
pic=$(mktemp -d)
"$prefix/bin/sheetwright-cli" sheets --series old --scale 1:50,000 --point 28:36:50 77:12:30 \
    --bmp "$pic/p.bmp" >/dev/null || { rm -rf "$pic"; fail "installed sheetwright-cli drew no picture"; }
[ -s "$pic/p.bmp" ] || { rm -rf "$pic"; fail "installed sheetwright-cli wrote no picture"; }
rm -rf "$pic"

desktop="$prefix/share/applications/org.sheetwright.Sheetwright.desktop"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop"
fi
# File managers offer the application for the types it opens.
for t in application/x-shapefile application/vnd.google-earth.kml+xml \
         application/vnd.google-earth.kmz application/gpx+xml application/geo+json \
         application/geopackage+sqlite3 text/plain; do
    grep -q "^MimeType=.*$t;" "$desktop" || fail "the menu entry does not open $t"
done
if command -v xmllint >/dev/null; then
    xmllint --noout "$prefix/share/mime/packages/org.sheetwright.Sheetwright.xml"
fi

# --help and --version print and end without a window (and without a display).
env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/sheetwright" --help | grep -q "^Usage: sheetwright" \
    || fail "sheetwright --help printed no usage"
env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/sheetwright" --version | grep -q "^Sheetwright [0-9]" \
    || fail "sheetwright --version"
status=0
QT_QPA_PLATFORM=offscreen "$prefix/bin/sheetwright" --no-such-option 2>/dev/null || status=$?
[ "$status" = 2 ] || fail "an unknown option ended with $status, not 2"
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$prefix/share/metainfo/org.sheetwright.Sheetwright.metainfo.xml" >/dev/null
fi
if command -v man >/dev/null; then
    for m in sheetwright sheetwright-cli; do
        MANWIDTH=80 man -l "$prefix/share/man/man1/$m.1" 2>&1 >/dev/null | grep -q . && fail "man page $m.1 has errors"
    done
fi
echo "install check passed"
