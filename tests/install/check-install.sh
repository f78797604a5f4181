#!/usr/bin/env bash
# Installs the build tree into a temporary prefix and checks what a package or a
# user's `cmake --install` would get: both programs, the menu entry, the AppStream
# metadata, the file types, the icons, the man pages and the bash completion, and
# that the installed CLI works.
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
         share/man/man1/sheetwright.1.gz share/man/man1/sheetwright-cli.1.gz \
         share/bash-completion/completions/sheetwright-cli; do
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
# File managers offer the application for the types it opens, and for no other:
# never for every text file.
for t in application/x-shapefile application/vnd.google-earth.kml+xml \
         application/vnd.google-earth.kmz application/gpx+xml application/geo+json \
         application/geopackage+sqlite3 application/x-sheetwright-vertices; do
    grep -q "^MimeType=.*$t;" "$desktop" || fail "the menu entry does not open $t"
done
grep -q "^MimeType=.*text/" "$desktop" && fail "the menu entry claims a text/ type"
if command -v xmllint >/dev/null; then
    xmllint --noout "$prefix/share/mime/packages/org.sheetwright.Sheetwright.xml"
fi
# As a desktop sees it once installed: the databases made from the prefix, and a
# user with no choices of their own.
xdg_home=$(mktemp -d)
trap 'rm -rf "$prefix" "$xdg_home"' EXIT
update-mime-database "$prefix/share/mime" >/dev/null 2>&1 || fail "update-mime-database failed"
update-desktop-database "$prefix/share/applications" || fail "update-desktop-database failed"
desktop_query() {
    env XDG_DATA_HOME="$xdg_home/data" XDG_CONFIG_HOME="$xdg_home/config" \
        XDG_DATA_DIRS="$prefix/share:/usr/share" XDG_CURRENT_DESKTOP= DE= xdg-mime query default "$1"
}
[ "$(desktop_query text/plain)" != org.sheetwright.Sheetwright.desktop ] \
    || fail "installing makes the application the default for text/plain"
[ "$(desktop_query application/x-sheetwright-vertices)" = org.sheetwright.Sheetwright.desktop ] \
    || fail "the application does not open its vertex files"
[ "$(desktop_query application/geo+json)" = org.sheetwright.Sheetwright.desktop ] \
    || fail "the application does not open GeoJSON"
# The vertex type's .txt glob weighs less than text/plain's, so a .txt stays text.
grep -q '^10:application/x-sheetwright-vertices:\*\.txt$' "$prefix/share/mime/globs2" \
    || fail "the vertex type's .txt glob is not of low weight"

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
for m in sheetwright sheetwright-cli; do
    MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/$m.1.gz" 2>&1 >/dev/null | grep -q . \
        && fail "man page $m.1 has errors"
done
# The pages carry the build's version.
version=$("$prefix/bin/sheetwright-cli" --version | sed 's/^sheetwright-cli //')
for m in sheetwright sheetwright-cli; do
    zcat "$prefix/share/man/man1/$m.1.gz" | grep -q "^\.TH .* \"Sheetwright $version\"" \
        || fail "man page $m.1 does not name version $version"
done
# Every option the tool's help lists has its line in the page.
cli_page=$(MANWIDTH=200 man -l "$prefix/share/man/man1/sheetwright-cli.1.gz" 2>/dev/null)
for cmd in number extent sheets; do
    for opt in $("$prefix/bin/sheetwright-cli" "$cmd" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
        grep -q -- "$opt" <<<"$cli_page" || fail "man page sheetwright-cli.1 lacks $cmd $opt"
    done
done
app_page=$(MANWIDTH=200 man -l "$prefix/share/man/man1/sheetwright.1.gz" 2>/dev/null)
for text in "Open layer" "GeoPackage" "PDF" "--version"; do
    grep -q -- "$text" <<<"$app_page" || fail "man page sheetwright.1 does not mention $text"
done

# The completion offers the sub-commands, the options and their values.
complete_words() {
    bash -c '. /usr/share/bash-completion/bash_completion
             . "$1/share/bash-completion/completions/sheetwright-cli"
             shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
             COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
             _sheetwright_cli sheetwright-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
             printf "%s\n" "${COMPREPLY[@]}"' _ "$prefix" "$@"
}
[ "$(complete_words sheetwright-cli "" | tr '\n' ' ')" = "number extent sheets --help --version " ] \
    || fail "completion of the sub-commands: $(complete_words sheetwright-cli "" | tr '\n' ' ')"
[ "$(complete_words sheetwright-cli sheets --series "" | tr '\n' ' ')" = "old open " ] \
    || fail "completion of --series"
complete_words sheetwright-cli sheets --format "" | grep -qx geojson || fail "completion of --format"
complete_words sheetwright-cli number --scale 1:2,5 | grep -q "2,50,000$" \
    || fail "completion of --scale"
complete_words sheetwright-cli sheets --po | grep -qx -- --polygon || fail "completion of options"
echo "install check passed"
