#!/usr/bin/env python3
"""Peak memory of reading a 200 MB GeoJSON layer, next to ogr2ogr copying the same
layer to FlatGeobuf (a peer that holds one feature at a time).

  attributes  100,000 small polygons with 2 KB of text each (the layer a district
              table exported with its notes gives)
  geometry    1,450 lines of 5,000 positions each (GPS tracks, 7.3 M vertices)
  one object  one polygon of 7 M positions: GDAL's GeoJSON reader refuses an
              object past 200 MB of text, since it holds it as a tree many times
              the text's size; the figure is that refusal's peak

Each figure is the median of --runs runs: CPU seconds and peak RSS in MiB. The
ratio is ours / peer, measured in the same run; the goal is at most 1.5 GiB.

usage: bench/e2e/gis_input_memory.py [--cli build/sheetwright-cli] [--runs 3] [--work DIR]
"""

import argparse
import math
import os
import random
import shutil
import statistics
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import peers  # noqa: E402


def figures(runs):
    """The median CPU seconds and peak MiB of peers.run's Runs."""
    return (statistics.median(r.cpu for r in runs),
            statistics.median(r.peak / 1024 for r in runs))


def write_layer(path, features):
    with open(path, "w") as f:
        f.write('{"type":"FeatureCollection","features":[\n')
        for i, (props, geometry) in enumerate(features):
            f.write(",\n" if i else "")
            f.write('{"type":"Feature","properties":%s,"geometry":%s}' % (props, geometry))
        f.write("\n]}\n")


def attributes():
    rng = random.Random(1)
    for i in range(100_000):
        lon, lat = 70 + rng.random() * 20, 10 + rng.random() * 20
        ring = ",".join("[%.6f,%.6f]" % p for p in
                        ((lon, lat), (lon + .01, lat), (lon + .01, lat + .01), (lon, lat + .01),
                         (lon, lat)))
        yield ('{"id":%d,"note":"%s"}' % (i, "x" * 1950),
               '{"type":"Polygon","coordinates":[[%s]]}' % ring)


def geometry():
    rng = random.Random(2)
    for i in range(1450):
        lon, lat = 70 + rng.random() * 20, 10 + rng.random() * 20
        line = ",".join("[%.9f,%.9f]" % (lon + rng.random() * .1, lat + rng.random() * .1)
                        for _ in range(5000))
        yield '{"id":%d}' % i, '{"type":"LineString","coordinates":[%s]}' % line


def one_object():
    n = 7_000_000
    ring = ",".join("[%.9f,%.9f]" % (80 + 5 * math.cos(2 * math.pi * k / n),
                                     20 + 5 * math.sin(2 * math.pi * k / n)) for k in range(n))
    yield '{"id":0}', '{"type":"Polygon","coordinates":[[%s,[85,20]]]}' % ring


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--cli", default="build/sheetwright-cli")
    ap.add_argument("--runs", type=int, default=3)
    ap.add_argument("--work")
    args = ap.parse_args()
    work = args.work or tempfile.mkdtemp(prefix="gis-memory-")
    print("%-11s %8s %10s %9s %10s %9s %7s" %
          ("layer", "MB", "ours s", "ours MiB", "peer s", "peer MiB", "ratio"))
    try:
        for name, features in (("attributes", attributes), ("geometry", geometry),
                               ("one object", one_object)):
            path = os.path.join(work, name.replace(" ", "_") + ".geojson")
            write_layer(path, features())
            ours = [args.cli, "sheets", "--series", "open", "--scale", "1:1M", "--input", path]
            fgb = os.path.join(work, "peer.fgb")
            peer = ["ogr2ogr", "-overwrite", "-f", "FlatGeobuf", fgb, path]
            a, b = [], []
            for _ in range(args.runs):
                a.append(peers.run(ours, check=False))
                b.append(peers.run(peer, check=False))
            cpu, mib = figures(a)
            pcpu, pmib = figures(b)
            refused = " (refused)" if a[-1].status != 0 else ""
            print("%-11s %8.0f %10.2f %9.0f %10.2f %9.0f %7.2f%s" %
                  (name, os.path.getsize(path) / 1e6, cpu, mib, pcpu, pmib, mib / pmib, refused))
            os.remove(path)
    finally:
        if not args.work:
            shutil.rmtree(work)


if __name__ == "__main__":
    main()
