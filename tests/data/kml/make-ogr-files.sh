#!/bin/sh
# Regenerates the KML files of this folder with GDAL's ogr2ogr from GeoJSON
# written here (no other input). Run it in this folder.
set -eu
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cat >"$tmp/polygon.geojson" <<'JSON'
{"type":"FeatureCollection","features":[{"type":"Feature","properties":{"name":"sheet"},
"geometry":{"type":"Polygon","coordinates":[[[77,29],[77.25,29],[77.25,28.75],[77,28.75],[77,29]]]}}]}
JSON
cat >"$tmp/line.geojson" <<'JSON'
{"type":"FeatureCollection","features":[{"type":"Feature","properties":{"name":"route"},
"geometry":{"type":"LineString","coordinates":[[77.5,28.25],[77.75,28.5],[78,28]]}}]}
JSON
ogr2ogr -f KML polygon-ogr.kml "$tmp/polygon.geojson"
ogr2ogr -f KML linestring-ogr.kml "$tmp/line.geojson"
