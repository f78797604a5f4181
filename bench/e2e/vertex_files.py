#!/usr/bin/env python3
"""Reading a polygon of a million vertices from a shapefile with --polygon, and
the same ring as a vertex text file, next to another build of the tool (an
older one, to see what a change of the readers bought) that must print the
same sheets.

  shapefile   999,999 points of one polygon record, a geographic .prj beside it
  text        the same ring in whole seconds, one vertex a line

Each figure is the median of --runs runs, the two builds in turn: CPU seconds
and peak RSS in MiB, and the ratio ours / other measured in the same run.

usage: bench/e2e/vertex_files.py [--cli build/sheetwright-cli] --other OLD/sheetwright-cli
                                 [--runs 5] [--work DIR]
"""

import argparse
import hashlib
import math
import os
import random
import shutil
import statistics
import struct
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import peers  # noqa: E402

PRJ = ('GEOGCS["GCS_WGS_1984",DATUM["D_WGS_1984",SPHEROID["WGS_1984",6378137,'
       '298.257223563]],PRIMEM["Greenwich",0],UNIT["Degree",0.0174532925199433]]\n')


def run(cmd):
    """(cpu seconds, peak MiB, digest of what was printed) of one run of cmd."""
    with tempfile.TemporaryFile() as out:
        r = peers.run(cmd, stdout=out)
        out.seek(0)
        digest = hashlib.sha256(out.read()).hexdigest()
    return r.cpu, r.peak / 1024, digest


def ring(n):
    rng = random.Random(7)
    points = []
    for i in range(n - 1):
        a = 2 * math.pi * i / (n - 1)
        r = 0.5 + 0.05 * math.sin(40 * a) + rng.uniform(-0.001, 0.001)
        points.append((77 + r * math.cos(a), 28 + r * math.sin(a)))
    return points + [points[0]]


def write_shapefile(path, points):
    content = (struct.pack("<i4d2ii", 5, 76, 27, 78, 29, 1, len(points), 0) +
               b"".join(struct.pack("<2d", x, y) for x, y in points))
    header = (struct.pack(">7i", 9994, 0, 0, 0, 0, 0, (108 + len(content)) // 2) +
              struct.pack("<2i8d", 1000, 5, 76, 27, 78, 29, 0, 0, 0, 0))
    with open(path, "wb") as f:
        f.write(header + struct.pack(">2i", 1, len(content) // 2) + content)
    with open(path[:-4] + ".prj", "w") as f:
        f.write(PRJ)


def dms(x):
    s = round(x * 3600)
    return "%d\t%d\t%d" % (s // 3600, s // 60 % 60, s % 60)


def write_text(path, points):
    with open(path, "w") as f:
        for k, (x, y) in enumerate(points[:-1]):
            f.write("V%d\t%s\t%s\n" % (k + 1, dms(y), dms(x)))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--cli", default="build/sheetwright-cli")
    ap.add_argument("--other", required=True)
    ap.add_argument("--runs", type=int, default=5)
    ap.add_argument("--work")
    args = ap.parse_args()
    work = args.work or tempfile.mkdtemp(prefix="vertex-files-")
    points = ring(999_999)
    print("%-10s %8s %9s %9s %10s %9s" %
          ("file", "ours s", "ours MiB", "other s", "other MiB", "cpu ratio"))
    try:
        for name, suffix, write in (("shapefile", ".shp", write_shapefile),
                                    ("text", ".txt", write_text)):
            path = os.path.join(work, "ring" + suffix)
            write(path, points)
            ask = ["sheets", "--series", "old", "--scale", "1:50,000", "--polygon", path]
            a, b = [], []
            for _ in range(args.runs):
                a.append(run([args.cli] + ask))
                b.append(run([args.other] + ask))
            if {r[2] for r in a} != {r[2] for r in b}:
                raise SystemExit(name + ": the two builds printed different sheets")
            cpu, mib = (statistics.median(r[k] for r in a) for k in (0, 1))
            ocpu, omib = (statistics.median(r[k] for r in b) for k in (0, 1))
            ratio = statistics.median(x[0] / y[0] for x, y in zip(a, b))
            print("%-10s %8.3f %9.0f %9.3f %10.0f %9.2f" % (name, cpu, mib, ocpu, omib, ratio))
    finally:
        if not args.work:
            shutil.rmtree(work)


if __name__ == "__main__":
    main()
