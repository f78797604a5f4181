#!/bin/sh
# A command stopped by SIGTERM while it writes, or by SIGPIPE when the reader of
# its standard output quits, leaves no staging folder or scratch file behind:
# neither beside the target nor in $TMPDIR.
# Usage: signal-leftovers.sh path/to/sheetwright-cli
set -u
cli=$1
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TMPDIR="$work/tmp"
mkdir "$TMPDIR" "$work/out"
# A 4 x 4 degree square: 160,000 sheets at open 1:2000, seconds of writing.
printf '1\t28\t0\t0\t77\t0\t0\n2\t28\t0\t0\t81\t0\t0\n3\t32\t0\t0\t81\t0\t0\n4\t32\t0\t0\t77\t0\t0\n' \
    > "$work/square.txt"
set -- sheets --series open --scale 1:2000 --polygon "$work/square.txt"
fail() {
    echo "FAIL: $*"
    ls -la "$TMPDIR" "$work/out"
    exit 1
}
# Waits until `ls -A DIR` lists something (at most 20 s).
wait_for_entry() {
    n=0
    while [ -z "$(ls -A "$1")" ]; do
        n=$((n + 1))
        [ $n -gt 400 ] && return 1
        sleep 0.05
    done
}

# SIGTERM while the GeoPackage is staged beside its target.
"$cli" "$@" --out "$work/out/grid.gpkg" > /dev/null &
pid=$!
wait_for_entry "$work/out" || fail "no staging folder appeared"
kill -TERM $pid
wait $pid
[ $? -eq 143 ] || fail "--out did not die of SIGTERM"
[ -z "$(ls -A "$work/out")" ] || fail "--out left files beside its target"

# SIGTERM while an output to standard output is staged in $TMPDIR.
"$cli" "$@" --kml - > /dev/null &
pid=$!
wait_for_entry "$TMPDIR" || fail "no standard-output staging folder appeared"
kill -TERM $pid
wait $pid
[ $? -eq 143 ] || fail "--kml - did not die of SIGTERM"
[ -z "$(ls -A "$TMPDIR")" ] || fail "--kml - left its staging folder"

# SIGPIPE: the reader takes a few bytes and goes.
"$cli" "$@" --kml - | head -c 100 > /dev/null
[ -z "$(ls -A "$TMPDIR")" ] || fail "--kml - | head left its staging folder"
"$cli" "$@" --out - --out-format gpkg | head -c 100 > /dev/null
[ -z "$(ls -A "$TMPDIR")" ] || fail "--out - | head left its staging folder"
echo "no leftovers"
