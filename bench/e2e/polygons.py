#!/usr/bin/env python3
"""Writes the polygons the whole-command benchmarks run on, as vertex text files
and as GeoJSON (for the peers), into the directory given (default: .).

Each polygon is a closed ring with bays and capes at several sizes, like a
state's outline, stretched to fill a square box at the finest open scale
("1:2000", 36" sheets):

  poly2k   2,000 vertices,  2.7 degrees square, about   270 x   270 cells
  poly20k  20,000 vertices, 9.7 degrees square, about   970 x   970 cells
  poly50k  50,000 vertices, 15.5 degrees square, about 1550 x 1550 cells
  wholeindex  50,000 vertices over the whole index, 36 degrees square, about
           3600 x 3600 cells (13 million)

The shape is fixed by a seeded generator, so every run benches the same input.
"""

import json
import math
import os
import random
import sys

CASES = [
    ("poly2k", 2000, 24.0, 2.7),
    ("poly20k", 20000, 24.0, 9.7),
    ("poly50k", 50000, 20.0, 15.5),
    ("wholeindex", 50000, 4.0, 36.0),
]


def ring(n, lat0, size, seed):
    rng = random.Random(seed)
    xs, ys = [], []
    for i in range(n):
        a = 2 * math.pi * i / n
        k = (0.86 + 0.08 * math.sin(5 * a) + 0.04 * math.sin(23 * a + 1)
             + 0.015 * math.sin(131 * a + 2) + rng.uniform(-0.002, 0.002))
        xs.append(k * math.cos(a))
        ys.append(k * math.sin(a))
    x0, x1, y0, y1 = min(xs), max(xs), min(ys), max(ys)
    lon0 = 64.0 if size > 30 else 74.0
    pts = []
    for x, y in zip(xs, ys):
        lon = lon0 + 0.0001 + (x - x0) / (x1 - x0) * (size - 0.0002)
        lat = lat0 + 0.0001 + (y - y0) / (y1 - y0) * (size - 0.0002)
        pts.append((round(lat * 3600), round(lon * 3600)))
    pts.append(pts[0])  # closed, as files from other programs are
    return pts


def dms(sec):
    return sec // 3600, sec // 60 % 60, sec % 60


def write_all(out):
    os.makedirs(out, exist_ok=True)
    for seed, (name, n, lat0, size) in enumerate(CASES, start=1):
        pts = ring(n, lat0, size, seed)
        with open(os.path.join(out, name + ".txt"), "w", newline="\n") as f:
            for i, (lat, lon) in enumerate(pts, start=1):
                f.write("%d\t%d\t%d\t%d\t%d\t%d\t%d\n" % ((i,) + dms(lat) + dms(lon)))
        coords = [[lon / 3600.0, lat / 3600.0] for lat, lon in pts]
        doc = {"type": "FeatureCollection", "features": [{
            "type": "Feature", "properties": {},
            "geometry": {"type": "Polygon", "coordinates": [coords]}}]}
        with open(os.path.join(out, name + ".geojson"), "w") as f:
            json.dump(doc, f)


def main():
    write_all(sys.argv[1] if len(sys.argv) > 1 else ".")


if __name__ == "__main__":
    main()
