#!/usr/bin/env bash
# Installs the library into a temporary prefix and builds the example against it
# the two ways a user would: CMake's find_package(Sheetwright) and pkg-config.
# Checks that the library exports only its API, and where the module and the
# plugin are installed.
set -euo pipefail
build_dir=$1
example_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "consumer check: $*" >&2; exit 1; }

cmake --install "$build_dir" --prefix "$work/prefix" --component library >/dev/null
lib=$(find "$work/prefix" -name 'libsheetwright.so' | head -1)
[ -n "$lib" ] || fail "no libsheetwright.so installed"
libdir=$(dirname "$lib")
for f in include/sheetwright/sheetwright.h include/sheetwright/version.h include/sheetwright/export.h; do
    [ -e "$work/prefix/$f" ] || fail "missing $f"
done
[ -e "$libdir/cmake/Sheetwright/SheetwrightConfig.cmake" ] || fail "missing the CMake package"
[ -e "$libdir/pkgconfig/sheetwright.pc" ] || fail "missing sheetwright.pc"

# Only the API's names are exported.
leaked=$(nm -DC --defined-only "$lib" | awk '$2 ~ /^[TDB]$/' | grep -v ' sheetwright::' || true)
[ -z "$leaked" ] || fail "exports more than the API: $leaked"

cmake -S "$example_dir" -B "$work/cmake" -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/cmake" >/dev/null
out=$(LD_LIBRARY_PATH="$libdir" "$work/cmake/route_sheets")
grep -q "is on sheet 53H/2" <<<"$out" || fail "the CMake-built example printed: $out"

export PKG_CONFIG_PATH="$libdir/pkgconfig"
[ "$(pkg-config --modversion sheetwright)" = "$(sed -n 's/.*VERSION_TEXT "\(.*\)"/\1/p' "$work/prefix/include/sheetwright/version.h")" ] \
    || fail "pkg-config and the header disagree on the version"
# shellcheck disable=SC2046
c++ -std=c++20 -o "$work/pc_example" "$example_dir/route_sheets.cpp" $(pkg-config --cflags --libs sheetwright)
out=$(LD_LIBRARY_PATH="$libdir" "$work/pc_example")
grep -q "53H/2 is a 1:50,000 sheet" <<<"$out" || fail "the pkg-config-built example printed: $out"

# The Python module goes where Debian's interpreter looks, the plugin into QGIS's
# system plugin folder; the installed module imports and numbers.
cmake --install "$build_dir" --prefix "$work/prefix" --component python >/dev/null
cmake --install "$build_dir" --prefix "$work/prefix" --component qgis >/dev/null
site="$work/prefix/lib/python3/dist-packages"
for f in sheetwright/__init__.py sheetwright/__init__.pyi sheetwright/py.typed; do
    [ -e "$site/$f" ] || fail "missing $f in dist-packages"
done
ls "$site"/sheetwright/_sheetwright*.so >/dev/null 2>&1 || fail "missing the extension module"
for f in __init__.py metadata.txt provider.py sheets_of_layer.py; do
    [ -e "$work/prefix/share/qgis/python/plugins/sheetwright_qgis/$f" ] || fail "missing plugin file $f"
done
out=$(cd "$work" && PYTHONPATH="$site" LD_LIBRARY_PATH="$libdir" /usr/bin/python3 -c \
    'import sheetwright; print(sheetwright.number(28.6139, 77.2083, "old", "1:50,000"))')
[ "$out" = "53H/2" ] || fail "the installed module printed: $out"
