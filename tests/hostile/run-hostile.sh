#!/usr/bin/env bash
# Hostile and mistaken inputs given to the command line, each made here (small
# files, or generators for the big ones). Every case must end within 20 seconds
# and 1 GB of address space with the expected exit code and a short message on
# stderr that carries the expected words and no raw control characters.
#
# usage: run-hostile.sh path/to/sheetwright-cli
set -u
cli=$(realpath "${1:?usage: run-hostile.sh path/to/sheetwright-cli}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

passed=0
failed=0
sheets=(sheets --series old --scale 1:50,000)

# expect NAME CODE WORDS ARGS...: run the tool on ARGS and check the outcome.
expect() {
    local name=$1 code=$2 words=$3
    shift 3
    local err rc
    err=$( (ulimit -v 1048576; timeout 20 "$cli" "$@" 2>&1 >/dev/null) )
    rc=$?
    local why=""
    if [ "$rc" = 124 ]; then
        why="did not end within 20 s"
    elif [ "$rc" != "$code" ]; then
        why="exit $rc, expected $code"
    elif ! grep -qF -- "$words" <<<"$err"; then
        why="message lacks '$words'"
    elif [ "${#err}" -gt 600 ]; then
        why="message of ${#err} characters"
    elif LC_ALL=C grep -q $'[\x01-\x09\x0b-\x1f\x7f]' <<<"$err"; then
        why="message carries control characters"
    fi
    if [ -n "$why" ]; then
        echo "FAIL $name: $why"
        printf '  stderr: %.300s\n' "$err"
        failed=$((failed + 1))
    else
        echo "ok   $name"
        passed=$((passed + 1))
    fi
}

# A polygon main file: shape type, declared points, points really written.
shapefile() {
    python3 - "$@" <<'PY'
import struct, sys
path, shape_type, declared, written = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
content = 44 + 4 + 16 * declared
head = struct.pack(">7i", 9994, 0, 0, 0, 0, 0, 0) + struct.pack("<2i", 1000, shape_type) + bytes(64)
rec = struct.pack(">2i", 1, content // 2) + struct.pack("<i4d2ii", shape_type, 0, 0, 0, 0, 1, declared, 0)
pts = b"".join(struct.pack("<2d", 77 + i % 2 * 0.25, 29 - i // 2 * 0.25) for i in range(written))
open(path, "wb").write(head + rec + pts)
PY
}
geographic='GEOGCS["GCS_WGS_1984",DATUM["D_WGS_1984",SPHEROID["WGS_1984",6378137.0,298.257223563]],PRIMEM["Greenwich",0.0],UNIT["Degree",0.0174532925199433]]'

# ---- inputs that are not files ------------------------------------------------
mkdir folder.kml
expect "folder as input" 1 "It is a folder, not a file" "${sheets[@]}" --polygon folder.kml
mkfifo pipe.kml
expect "FIFO as input" 1 "It is a FIFO (named pipe), not a file" "${sheets[@]}" --polygon pipe.kml
ln -s /dev/zero zero.txt
expect "/dev/zero as input" 1 "It is a device, not a file" "${sheets[@]}" --polygon zero.txt
shapefile fifo-prj.shp 5 5 5
mkfifo fifo-prj.prj
expect "FIFO as the .prj" 1 "It is a FIFO (named pipe), not a file" "${sheets[@]}" --polygon fifo-prj.shp
expect "missing shapefile" 1 'Cannot open file "missing.shp". No such file or directory' \
    "${sheets[@]}" --polygon missing.shp

# ---- shapefiles -----------------------------------------------------------------
shapefile sparse.shp 5 2000000 5
truncate -s 1G sparse.shp
echo "$geographic" >sparse.prj
expect "sparse gigabyte declaring 2 million points" 1 "holds more than 1000000 vertices" \
    "${sheets[@]}" --polygon sparse.shp
shapefile short.shp 5 2000000 5
echo "$geographic" >short.prj
expect "counts beyond the file" 1 "is damaged or incomplete" "${sheets[@]}" --polygon short.shp
shapefile polygonz.shp 15 5 5
echo "$geographic" >polygonz.prj
expect "PolygonZ shapes" 1 "holds PolygonZ shapes (type 15)" "${sheets[@]}" --polygon polygonz.shp

shapefile wkt2.shp 5 5 5
gdalsrsinfo -o wkt2_2019 --single-line EPSG:32643 >wkt2.prj
expect "projected system in WKT2" 1 "Erro! No geographic coordinates" "${sheets[@]}" --polygon wkt2.shp
shapefile nonsense.shp 5 5 5
echo 'not a coordinate system' >nonsense.prj
expect ".prj nobody understands" 1 "its coordinate system is not understood" \
    "${sheets[@]}" --polygon nonsense.shp

# ---- KML --------------------------------------------------------------------------
python3 -c 'import sys; sys.stdout.write("<coordinates>" + "77,29,0 " * 1100000 + "</coordinates>")' >flood.kml
expect "KML of 1.1 million tuples" 1 "holds more than 1000000 vertices" "${sheets[@]}" --polygon flood.kml
: >empty.kml
expect "empty KML" 1 "holds no list of two or more coordinates" "${sheets[@]}" --polygon empty.kml
printf '<coordinates>77,29,0 77.25,29,0 77,28.75,0</coordinates>' | iconv -t UTF-16 >utf16.kml
expect "UTF-16 KML" 1 "UTF-16 files are not read" "${sheets[@]}" --polygon utf16.kml
printf '<coordinates>\n7\033]0;owned\a7,29,0 77.25,29,0 77,28.75,0 7\033]0;owned\a7,29,0\n</coordinates>\n' >escape.kml
expect "terminal escapes in a KML cell" 1 "is not a valid floating point value" \
    "${sheets[@]}" --polygon escape.kml

# ---- GeoJSON ------------------------------------------------------------------------
python3 -c 'import sys; n = 53000; sys.stdout.write("{\"type\":\"FeatureCollection\",\"features\":[" * n + "]}" * n)' >deep.geojson
expect "feature collections nested 53,000 deep" 1 '"deep.geojson"' "${sheets[@]}" --polygon deep.geojson

# ---- vertex text ------------------------------------------------------------------
head -c 2000000 /dev/zero | tr '\0' '\n' >lines.txt
expect "two million empty lines" 1 "holds more than 1000000 vertices" "${sheets[@]}" --polygon lines.txt
{
    printf '1 28 36 50 77 12 30\n2 '
    head -c 5000000 /dev/zero | tr '\0' '7'
    printf 'x 36 50 77 12 30\n'
} >longline.txt
expect "a five-megabyte bad token" 1 "longline.txt, line 2:" "${sheets[@]}" --polygon longline.txt

# ---- GIS layers (--input) ---------------------------------------------------------
mkdir folder.gpkg
expect "folder as a layer" 1 "it is a folder, not a file" "${sheets[@]}" --input folder.gpkg
expect "FIFO as a layer" 1 "it is not a regular file" "${sheets[@]}" --input pipe.kml
ln -s /dev/zero zero.kml
expect "/dev/zero as a layer" 1 "it is not a regular file" "${sheets[@]}" --input zero.kml
truncate -s 10G sparse.kml
expect "sparse 10 GB layer" 1 "larger than 2 GB" "${sheets[@]}" --input sparse.kml
expect "/dev/zero on standard input" 1 "it holds binary data" "${sheets[@]}" --input - </dev/zero
# A real zip bomb (its doc.kml inflates to 200 MB of blanks) under a lower limit,
# and one whose directory states 3 GB: both refused before anything is inflated.
python3 - <<'PY'
import binascii, struct, zlib
def archive(path, n, real):
    head = b'<kml xmlns="http://www.opengis.net/kml/2.2"><Document>'
    c = zlib.compressobj(9, zlib.DEFLATED, -15)
    parts, crc, left = [c.compress(head)], binascii.crc32(head), (n if real else 1 << 20) - len(head)
    block = b' ' * (1 << 22)
    while left > 0:
        b = block[:min(left, len(block))]
        parts.append(c.compress(b)); crc = binascii.crc32(b, crc); left -= len(b)
    parts.append(c.flush())
    data, crc, name = b''.join(parts), crc & 0xffffffff, b'doc.kml'
    local = struct.pack('<IHHHHHIIIHH', 0x04034b50, 20, 0, 8, 0, 0, crc, len(data), n, len(name), 0) + name
    central = struct.pack('<IHHHHHHIIIHHHHHII', 0x02014b50, 20, 20, 0, 8, 0, 0, crc, len(data), n,
                          len(name), 0, 0, 0, 0, 0, 0) + name
    end = struct.pack('<IHHHHIIH', 0x06054b50, 0, 0, 1, 1, len(central), len(local) + len(data), 0)
    open(path, 'wb').write(local + data + central + end)
archive('bomb.kmz', 200 << 20, True)
archive('claims.kmz', 3 << 30, False)
PY
expect "zip bomb" 1 "inflates to more than 100 MB" "${sheets[@]}" --input bomb.kmz --max-input 100M
expect "zip stating 3 GB" 1 "inflates to more than 2 GB" "${sheets[@]}" --input claims.kmz
expect "zip bomb through /vsizip" 1 "only local files are read" \
    "${sheets[@]}" --input /vsizip/bomb.kmz/doc.kml
expect "URL" 1 "only local files are read" "${sheets[@]}" --input http://127.0.0.1:9/a.geojson
expect "driver prefix" 1 "only local files are read" "${sheets[@]}" --input WFS:http://127.0.0.1:9/
printf '{"type":"Point","coordinates":[77.1,28.1]}' >p.geojson
ogr2ogr layer.shp p.geojson && echo 'not a coordinate system' >layer.prj
expect ".prj nobody understands, as a layer" 1 'in its ".prj" is not understood' \
    "${sheets[@]}" --input layer.shp
expect "two statements in a filter" 1 "';' is not allowed" \
    "${sheets[@]}" --input p.geojson --where "1=1; DROP TABLE x"
expect "a 120 KB filter" 1 "is not valid" \
    "${sheets[@]}" --input p.geojson --where "$(head -c 120000 /dev/zero | tr '\0' 'x') = 1"

# ---- outputs ----------------------------------------------------------------------
point=("${sheets[@]}" --point 28:36:50 77:12:30)
expect "empty output name" 2 "--kml needs a file name" "${point[@]}" --kml ''
expect "full disk under the KML" 1 'cannot write "/dev/full": Disk full' "${point[@]}" --kml /dev/full
expect "shapefile into a device" 1 'it is a pipe or device, and a shapefile is four files' \
    "${point[@]}" --shp /dev/null
if "$cli" sheets --help | grep -q -- '--xls'; then
    expect "two outputs, one file" 2 'would both write "clash.shp"' \
        "${point[@]}" --xls clash.shp --shp clash
fi

echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
