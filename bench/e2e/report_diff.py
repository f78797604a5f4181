#!/usr/bin/env python3
"""Compares the printed report of two builds of sheetwright-cli byte for byte, for
a change to how --report is made that must not change what it prints.

The cases: the benchmark polygons (bench/e2e/polygons.py) and routes along
their outlines, as polygons and polylines, at every scale of both series
(the finest scales only on the smaller shapes), a few points, the report
beside a file output (the whole sheet list rather than the IN mask) and with
the reference algorithm.

usage: bench/e2e/report_diff.py --old OLD_CLI [--new build/sheetwright-cli] [--work DIR]
Prints one line per case that differs and exits 1 if any does.
"""

import argparse
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import polygons  # noqa: E402

SCALES = {
    "old": ["1:1M", "1:2,50,000", "1:1,25,000", "1:50,000", "1:25,000"],
    "open": ["1:1M", "1:2,50,000", "1:50,000", "1:25,000", "1:10,000", "1:2000"],
}
POINTS = [("28:36:50", "77:12:30"), ("8.5", "76.95"), ("39:59:59", "99:59:59"),
          ("22:30:00", "88:20:00")]


def route(src, dst, step):
    """Every step-th vertex of a polygon file, as a polyline file."""
    with open(src) as f, open(dst, "w", newline="\n") as out:
        for i, line in enumerate(f):
            if i % step == 0:
                out.write(line)


def output(cli, args, work):
    p = subprocess.run([cli, "sheets", "--quiet"] + args, cwd=work, capture_output=True)
    return p.returncode, p.stdout, p.stderr


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--old", required=True)
    ap.add_argument("--new", default="build/sheetwright-cli")
    ap.add_argument("--work")
    a = ap.parse_args()
    old, new = os.path.abspath(a.old), os.path.abspath(a.new)
    work = a.work or tempfile.mkdtemp(prefix="sheetwright-report-diff-")
    polygons.write_all(work)
    route(os.path.join(work, "poly2k.txt"), os.path.join(work, "route2k.txt"), 40)
    route(os.path.join(work, "poly20k.txt"), os.path.join(work, "route20k.txt"), 100)

    cases = []
    for series, scales in SCALES.items():
        for scale in scales:
            fine = scale in ("1:10,000", "1:2000")
            for shape in ("poly2k", "route2k", "poly20k", "route20k"):
                if fine and shape.endswith("20k") and scale != "1:2000":
                    continue
                kind = "--polygon" if shape.startswith("poly") else "--polyline"
                cases.append(["--series", series, "--scale", scale, kind, shape + ".txt"])
            for lat, lon in POINTS:
                cases.append(["--series", series, "--scale", scale, "--point", lat, lon])
        # The whole sheet list (a file beside the report) and the reference algorithm.
        cases.append(["--series", series, "--scale", scales[3], "--polygon", "poly2k.txt",
                      "--kml", "side.kml"])
        cases.append(["--series", series, "--scale", scales[2], "--polyline", "route2k.txt",
                      "--algorithm", "reference"])
    differ = failed = 0
    for args in cases:
        args = args + ["--report"]
        before, after = output(old, args, work), output(new, args, work)
        failed += after[0] != 0
        if before != after:
            differ += 1
            print("differs: sheets " + " ".join(args))
    print("%d cases (%d exit non-zero in both builds), %d differ" % (len(cases), failed, differ))
    return 1 if differ else 0


if __name__ == "__main__":
    sys.exit(main())
