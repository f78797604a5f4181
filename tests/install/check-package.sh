#!/usr/bin/env bash
# Builds the Debian package from the build tree, as `make package` does, and
# checks it as Debian would: lintian without an error or a warning, and what a
# user's system gets from it (stripped programs, the documents Debian asks for,
# compressed manual pages, the dependencies the programs load at run time, no
# ldconfig for the private modules).
set -euo pipefail
build_dir=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

fail() { echo "package check: $*" >&2; exit 1; }

cpack --config "$build_dir/CPackConfig.cmake" -G DEB -B "$out" >"$out/cpack.log" 2>&1 \
    || { cat "$out/cpack.log" >&2; fail "cpack failed"; }
deb=$(ls "$out"/sheetwright_*.deb)
version=$("$build_dir/sheetwright-cli" --version | sed 's/^sheetwright-cli //')
[ "$(basename "$deb")" = "sheetwright_${version}_$(dpkg --print-architecture).deb" ] \
    || fail "the package is $(basename "$deb"), not of version $version"

report=$(lintian --no-cfg --fail-on none "$deb" 2>&1 | grep -E '^(E|W): ' || true)
[ -z "$report" ] || fail "lintian:
$report"

contents=$(dpkg-deb --contents "$deb")
for f in ./usr/share/doc/sheetwright/copyright ./usr/share/doc/sheetwright/changelog.gz \
         ./usr/share/man/man1/sheetwright.1.gz ./usr/share/man/man1/sheetwright-cli.1.gz \
         ./usr/share/bash-completion/completions/sheetwright-cli ./usr/bin/sheetwright-cli \
         ./usr/lib/python3/dist-packages/sheetwright/__init__.py \
         ./usr/share/qgis/python/plugins/sheetwright_qgis/metadata.txt; do
    grep -q " $f\$" <<<"$contents" || fail "the package lacks $f"
done
depends=$(dpkg-deb --field "$deb" Depends)
# The API's developer files stay out: the Python module carries the API itself.
! grep -q -E 'libsheetwright|/include/sheetwright/|pkgconfig' <<<"$contents" \
    || fail "the package holds the C++ API's developer files"
for d in fonts-wine qt6-qpa-plugins libqt6svg6 libc6 python3 python3-numpy; do
    grep -q "\\b$d\\b" <<<"$depends" || fail "Depends lacks $d: $depends"
done
[ "$(dpkg-deb --field "$deb" Description | wc -l)" -gt 3 ] || fail "no extended description"
tree="$out/tree"
dpkg-deb --extract "$deb" "$tree"
dpkg-deb --control "$deb" "$out/control"
[ ! -e "$out/control/triggers" ] && [ ! -e "$out/control/postinst" ] \
    || fail "the package runs ldconfig or a maintainer script"
while IFS= read -r elf; do
    file "$elf" | grep -q ', stripped' || fail "$elf is not stripped"
done < <(find "$tree" -type f \( -perm -u+x -o -name '*.so' \) -exec sh -c 'head -c 4 "$1" | grep -q ELF' _ {} \; -print)
echo "package check passed"
