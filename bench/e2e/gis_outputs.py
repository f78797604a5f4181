#!/usr/bin/env python3
"""GIS files written by `sheets --out`, timed beside ogr2ogr writing the same
features, and what `--input` costs in library loading against reading.

  ours      sheetwright-cli sheets --polygon P.txt --out F.<ext>   (grid computed,
            numbered and written)
  ogr2ogr   ogr2ogr -f <driver> F.<ext> ours.fgb   (the same features, read from
            a FlatGeobuf file without a spatial index, the fastest source)

Each figure is the median of --runs whole-process runs after one warm-up (the
commands in turn, A B A B ...): CPU seconds (user + system), wall seconds and peak
memory (GNU time). Ratios are ogr2ogr / ours, measured in the same run.

--whole adds the whole index at 1:2000 (about 13 million cells) to .fgb and
.gpkg, one run each: minutes, and some 4 GB of disk each.

--input: `sheets --input` of a one-point GeoJSON (the GIS module and GDAL
loaded, nothing to read) and of the 50,000-vertex polygon, beside `--point` and
`--polygon` of the same vertices as a vertex file: loading = tiny input - point;
reading = large input - tiny input - (polygon - point).

usage: bench/e2e/gis_outputs.py [--cli build/sheetwright-cli] [--runs 3] [--work DIR]
                                [--whole]
"""

import argparse
import os
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import peers  # noqa: E402
import polygons  # noqa: E402

FORMATS = [("gpkg", "GPKG"), ("fgb", "FlatGeobuf"), ("geojson", "GeoJSON")]


def line(name, m, base=None):
    text = "%-36s %8.3f %8.3f %9.1f" % (name, m[0], m[1], m[2] / 1024)
    if base is not None:
        text += "   cpu %5.2f wall %5.2f peak %5.2f" % (m[0] / base[0], m[1] / base[1],
                                                       m[2] / base[2])
    print(text, flush=True)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--cli", default="build/sheetwright-cli")
    ap.add_argument("--runs", type=int, default=3)
    ap.add_argument("--work")
    ap.add_argument("--whole", action="store_true")
    a = ap.parse_args()
    cli = os.path.abspath(a.cli)
    work = a.work or tempfile.mkdtemp(prefix="sheetwright-gisout-")
    polygons.write_all(work)
    sheets = [cli, "sheets", "--series", "open", "--scale", "1:2000"]
    poly = os.path.join(work, "poly20k.txt")
    source = os.path.join(work, "source.fgb")
    peers.run(sheets + ["--polygon", poly, "--out", source])  # 935,000 cells, no index

    print("runs: median of %d after one warm-up; cpu = user + system seconds" % a.runs)
    print("%-36s %8s %8s %9s %12s" % ("20k polygon at 1:2000 (935k cells)", "cpu s", "wall s",
                                       "peak MiB", "ogr2ogr/ours"))
    for ext, driver in FORMATS:
        ours = sheets + ["--polygon", poly, "--out", os.path.join(work, "ours." + ext)]
        # ogr2ogr appends to an existing file: each run starts without one.
        peer = ["sh", "-c", 'rm -f "$1" && exec ogr2ogr -f %s %s "$1" "$2"' % (
            driver, "-lco RFC7946=YES" if ext == "geojson" else ""), "peer",
            os.path.join(work, "peer." + ext), source]
        for f in ("ours." + ext, "peer." + ext):
            if os.path.exists(os.path.join(work, f)):
                os.remove(os.path.join(work, f))
        m_ours, m_peer = peers.medians([ours, peer], a.runs)
        line("ours --out ." + ext, m_ours)
        line("ogr2ogr -f " + driver, m_peer, m_ours)

    print()
    tiny = os.path.join(work, "tiny.geojson")
    with open(tiny, "w") as f:
        f.write('{"type":"Point","coordinates":[77.2083,28.6139]}')
    big_txt = os.path.join(work, "poly50k.txt")
    big_gj = os.path.join(work, "poly50k.geojson")
    big_fgb = os.path.join(work, "poly50k.fgb")
    if not os.path.exists(big_fgb):
        peers.run(["ogr2ogr", "-f", "FlatGeobuf", big_fgb, big_gj])
    cases = [
        ("--point", sheets + ["--point", "28.6139", "77.2083"]),
        ("--input tiny.geojson (loading)", sheets + ["--input", tiny]),
        ("--polygon poly50k.txt", sheets + ["--polygon", big_txt]),
        ("--input poly50k.geojson", sheets + ["--input", big_gj]),
        ("--input poly50k.fgb", sheets + ["--input", big_fgb]),
    ]
    got = peers.medians([c for _, c in cases], max(a.runs, 5))
    print("%-36s %8s %8s %9s" % ("--input cost", "cpu s", "wall s", "peak MiB"))
    for (name, _), m in zip(cases, got):
        line(name, m)
    point, tinyin, poly_txt, poly_gj, poly_fgb = got
    print("loading the GIS module and GDAL: cpu %.3f s, wall %.3f s" % (
        tinyin[0] - point[0], tinyin[1] - point[1]))
    for name, m in (("GeoJSON", poly_gj), ("FlatGeobuf", poly_fgb)):
        print("reading 50,000 vertices of %s: cpu %.3f s" % (
            name, m[0] - tinyin[0] - (poly_txt[0] - point[0])))

    if a.whole:
        print()
        whole = os.path.join(work, "wholeindex.txt")
        for ext in ("fgb", "gpkg"):
            target = os.path.join(work, "whole." + ext)
            m = peers.run(sheets + ["--polygon", whole, "--out", target])
            line("whole index at 1:2000 --out ." + ext, m)
            os.remove(target)


if __name__ == "__main__":
    main()
