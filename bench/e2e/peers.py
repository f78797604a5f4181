#!/usr/bin/env python3
"""Whole commands, timed side by side with the programs a GIS user would script for
the same question, on the same polygons (bench/e2e/polygons.py) at "1:2000".

  ours      sheetwright-cli sheets --polygon P.txt --format text|csv|json > /dev/null
  raster    gdal_rasterize -at onto a raster whose pixels are the sheets: the
            touched and enclosed cells, without numbering or listing them
  shapely   Shapely 2, one box per cell tested against the prepared polygon in one
            vectorised call (skipped when only Shapely 1.x is installed: Debian 12
            ships 1.8 as python3-shapely, which has no vectorised functions)

Then start-up (a single position), batch numbering of a million positions, and
the peak memory of the whole index at "1:2000" (about 13 million cells).

Each figure is the median of --runs whole-process runs after one warm-up: CPU
seconds (user + system of the process and its children) and wall seconds. Ratios
are peer / ours, measured in the same run.

usage: bench/e2e/peers.py [--cli build/sheetwright-cli] [--runs 5] [--work DIR]
"""

import argparse
import collections
import os
import random
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import polygons  # noqa: E402

SHEET_DEG = 0.01  # 36" sheets at "1:2000"


# One run's figures: CPU seconds, wall seconds, peak KiB and the exit status.
Run = collections.namedtuple("Run", "cpu wall peak status")


def run(cmd, stdin=None, stdout=None, check=True):
    """The Run of one run of cmd, its output written to the file object `stdout`
    (dropped when None). The command runs under GNU time, which reports its peak
    memory (this script's own would show through a measurement of its direct
    child); the CPU time is that child's and its children's, to the microsecond.
    With `check`, a command that fails stops the script with its message; without
    it, the caller reads the exit status."""
    with tempfile.NamedTemporaryFile("r") as report, open(os.devnull, "wb") as null:
        src = open(stdin, "rb") if stdin else subprocess.DEVNULL
        start = time.perf_counter()
        try:
            p = subprocess.Popen(["/usr/bin/time", "-f", "%M", "-o", report.name] + cmd,
                                 stdin=src, stdout=stdout or null, stderr=subprocess.PIPE)
            err = p.stderr.read()
            _, status, usage = os.wait4(p.pid, 0)
        finally:
            if stdin:
                src.close()
        wall = time.perf_counter() - start
        p.stderr.close()
        code = os.waitstatus_to_exitcode(status)
        if check and code != 0:
            raise SystemExit("failed: %s\n%s" % (" ".join(cmd), err.decode()))
        peak = report.read().split()[-1]
    return Run(usage.ru_utime + usage.ru_stime, wall, int(peak), code)


def rounds(cmds, runs, stdin=None):
    """`runs` rounds of the commands run in turn (A B A B ...), after one warm-up
    of each, so that a machine that speeds up or slows down weighs on all alike:
    each round the list of the commands' Runs."""
    for cmd in cmds:
        run(cmd, stdin)  # warm-up
    return [[run(cmd, stdin) for cmd in cmds] for _ in range(runs)]


def medians(cmds, runs, stdin=None):
    """Each command's median CPU seconds, wall seconds and peak KiB over `rounds`."""
    got = rounds(cmds, runs, stdin)
    return [tuple(statistics.median(r[i][k] for r in got) for k in range(3))
            for i in range(len(cmds))]


def median_of(cmd, runs, stdin=None):
    return medians([cmd], runs, stdin)[0]


def grid_box(path):
    """The sheet grid around the polygon's vertices: whole 36" cells, widened by a
    cell where an extreme lies on a cell edge, as sheetwright lays it."""
    lats, lons = [], []
    with open(path) as f:
        for line in f:
            v = [int(x) for x in line.split()]
            lats.append(v[1] * 3600 + v[2] * 60 + v[3])
            lons.append(v[4] * 3600 + v[5] * 60 + v[6])

    def low(v):
        return (v // 36 - (1 if v % 36 == 0 else 0)) * 36

    def high(v):
        return (v // 36 + 1) * 36

    return low(min(lons)) / 3600, low(min(lats)) / 3600, high(max(lons)) / 3600, \
        high(max(lats)) / 3600


SHAPELY = r"""
import json, sys, numpy, shapely
w, s, e, n = map(float, sys.argv[2:6])
with open(sys.argv[1]) as f:
    poly = shapely.geometry.shape(json.load(f)["features"][0]["geometry"])
shapely.prepare(poly)
xs = numpy.arange(w, e - 1e-9, 0.01)
ys = numpy.arange(s, n - 1e-9, 0.01)
gx, gy = numpy.meshgrid(xs, ys)
boxes = shapely.box(gx.ravel(), gy.ravel(), gx.ravel() + 0.01, gy.ravel() + 0.01)
print(int(shapely.intersects(boxes, poly).sum()))
"""


def shapely2():
    try:
        import shapely
    except ImportError:
        return None, "not installed"
    if int(shapely.__version__.split(".")[0]) < 2:
        return None, "Shapely %s has no vectorised functions" % shapely.__version__
    return shapely.__version__, None


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--cli", default="build/sheetwright-cli")
    ap.add_argument("--runs", type=int, default=5)
    ap.add_argument("--work")
    ap.add_argument("--cases", default="poly2k,poly20k,poly50k")
    a = ap.parse_args()
    cli = os.path.abspath(a.cli)
    work = a.work or tempfile.mkdtemp(prefix="sheetwright-peers-")
    polygons.write_all(work)

    have_gdal = shutil.which("gdal_rasterize") is not None
    sv, why = shapely2()
    print("runs: median of %d after one warm-up; cpu = user + system seconds" % a.runs)
    print("gdal_rasterize: %s; Shapely 2: %s" % (
        "yes" if have_gdal else "not installed", sv or "skipped (%s)" % why))
    print()
    print("%-9s %-24s %8s %8s %9s %12s" % ("case", "command", "cpu s", "wall s", "peak MiB",
                                            "peer/ours"))
    for case in a.cases.split(","):
        txt = os.path.join(work, case + ".txt")
        gj = os.path.join(work, case + ".geojson")
        w, s, e, n = grid_box(txt)
        cmds = [("ours --format " + fmt, [
            cli, "sheets", "--series", "open", "--scale", "1:2000", "--polygon", txt,
            "--format", fmt]) for fmt in ("text", "csv", "json")]
        # The report: measured with the compiled-in font widths, no Qt loaded;
        # its goal is 1.2 times the text output.
        cmds.append(("ours --report", [
            cli, "sheets", "--series", "open", "--scale", "1:2000", "--polygon", txt,
            "--report"]))
        # The layout as one A4 PDF page (level of detail: IN cells as fills; goal
        # 5 s and 300 MiB) and as a JPEG at the zoom that fits 64 megapixels.
        for flag, ext in (("--pdf", ".pdf"), ("--jpeg", ".jpg")):
            cmds.append(("ours " + flag, [
                cli, "sheets", "--series", "open", "--scale", "1:2000", "--polygon", txt,
                flag, os.path.join(work, case + "-layout" + ext)]))
        if have_gdal:
            cmds.append(("gdal_rasterize -at", [
                "gdal_rasterize", "-q", "-at", "-burn", "1", "-ot", "Byte", "-te", str(w), str(s),
                str(e), str(n), "-tr", str(SHEET_DEG), str(SHEET_DEG), "-of", "GTiff", "-co",
                "SPARSE_OK=TRUE", gj, os.path.join(work, case + ".tif")]))
        if sv:
            cmds.append(("shapely 2 vectorised", [sys.executable, "-c", SHAPELY, gj, str(w),
                                                  str(s), str(e), str(n)]))
        got = medians([c for _, c in cmds], a.runs)
        text = got[0]
        for (name, _), m in zip(cmds, got):
            line = "%-9s %-24s %8.3f %8.3f %9.1f" % (case, name, m[0], m[1], m[2] / 1024)
            if not name.startswith("ours") or name in ("ours --report", "ours --pdf",
                                                       "ours --jpeg"):
                line += "   cpu %5.2f wall %5.2f (vs text)" % (m[0] / text[0], m[1] / text[1])
            print(line)

    print()
    true = median_of(["/bin/true"], a.runs)
    print("%-34s %8.4f %8.4f %9.1f" % ("start-up: /bin/true", true[0], true[1], true[2] / 1024))
    for name, cmd in [
        ("start-up: number", [cli, "number", "--series", "old", "--scale", "1:50,000",
                              "28:36:50", "77:12:30"]),
        ("start-up: extent", [cli, "extent", "--series", "old", "53H/2"]),
        ("start-up: sheets --point", [cli, "sheets", "--series", "old", "--scale", "1:50,000",
                                      "--point", "28:36:50", "77:12:30"]),
    ]:
        m = median_of(cmd, a.runs)
        print("%-34s %8.4f %8.4f %9.1f" % (name, m[0], m[1], m[2] / 1024))

    positions = os.path.join(work, "positions1m.txt")
    if not os.path.exists(positions):
        rng = random.Random(5)
        with open(positions, "w") as f:
            for i in range(1000000):
                lat = rng.randrange(4 * 3600, 40 * 3600)
                lon = rng.randrange(64 * 3600, 100 * 3600)
                if i % 2 == 0:
                    f.write("%d:%02d:%02d\t%d:%02d:%02d\n" % (
                        lat // 3600, lat // 60 % 60, lat % 60, lon // 3600, lon // 60 % 60,
                        lon % 60))
                else:
                    f.write("%.5f %.5f\n" % (lat / 3600, lon / 3600))
    for name, scale in [("number, 1M positions", ["--scale", "1:2000"]),
                        ("number --all-scales, 1M", ["--all-scales"])]:
        m = median_of([cli, "number", "--series", "open"] + scale, a.runs, stdin=positions)
        print("%-34s %8.3f %8.3f %9.1f" % (name, m[0], m[1], m[2] / 1024))

    whole = os.path.join(work, "wholeindex.txt")
    m = median_of([cli, "sheets", "--series", "open", "--scale", "1:2000", "--polygon", whole,
                   "--format", "text"], max(1, a.runs // 2))
    print("%-34s %8.3f %8.3f %9.1f" % ("whole index at 1:2000, text", m[0], m[1], m[2] / 1024))


if __name__ == "__main__":
    main()
