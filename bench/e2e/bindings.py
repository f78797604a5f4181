#!/usr/bin/env python3
"""The Python module and the QGIS provider timed beside the command line on the
same inputs:

  number    sheetwright.number on 1,000,000 NumPy points (open, 1:50,000) and
            sheetwright-cli number reading the same points from a file
  sheets    sheetwright.sheets of the 20,000-vertex polygon (bench/e2e/polygons.py,
            open 1:2000) and sheetwright-cli sheets --input of the same GeoJSON;
            the two lists of sheets must be equal
  qgis      "Sheets covering features" (sheetwright:sheetsoflayer) on a layer of
            700 district polygons (100,000 vertices, as bench/DistrictLayer.h
            makes them), the union and per feature, in a running QGIS

Each figure is the median of --runs runs after one warm-up: CPU seconds (user +
system, of the process or the child) and wall seconds. Ratios are Python / CLI,
measured in the same run. Needs PYTHONPATH=build/python, and for the QGIS part
QGIS_PLUGINPATH=build/qgis.

usage: bench/e2e/bindings.py [--cli build/sheetwright-cli] [--runs 5] [--no-qgis]
"""

import argparse
import json
import math
import os
import random
import resource
import statistics
import subprocess
import sys
import tempfile
import time

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import polygons  # noqa: E402

import sheetwright  # noqa: E402


def timed_call(fn, runs):
    fn()
    cpu, wall = [], []
    for _ in range(runs):
        c, w = time.process_time(), time.perf_counter()
        result = fn()
        cpu.append(time.process_time() - c)
        wall.append(time.perf_counter() - w)
    return statistics.median(cpu), statistics.median(wall), result


def timed_command(cmd, runs, stdin_path=None):
    def once():
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        w = time.perf_counter()
        with open(stdin_path or os.devnull, "rb") as inp:
            out = subprocess.run(cmd, stdin=inp, capture_output=True, check=True).stdout
        wall = time.perf_counter() - w
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
        return cpu, wall, out

    once()
    runs_ = [once() for _ in range(runs)]
    return (statistics.median(r[0] for r in runs_), statistics.median(r[1] for r in runs_),
            runs_[-1][2])


def row(name, cpu, wall):
    print(f"  {name:<44} cpu {cpu:8.3f} s   wall {wall:8.3f} s")


def bench_number(cli, work, runs):
    rng = np.random.default_rng(1)
    lat = np.round(rng.uniform(4.0, 40.0, 1_000_000), 6)
    lon = np.round(rng.uniform(64.0, 100.0, 1_000_000), 6)
    path = os.path.join(work, "points.txt")
    with open(path, "w") as f:
        f.writelines(f"{a:.6f} {o:.6f}\n" for a, o in zip(lat, lon))
    pc, pw, numbers = timed_call(lambda: sheetwright.number(lat, lon, "open", "1:50,000"), runs)
    cc, cw, out = timed_command([cli, "number", "--series", "open", "--scale", "1:50,000"],
                                runs, stdin_path=path)
    expected = ["" if n == "#" else n for n in out.decode().splitlines()]
    same = numbers.tolist() == expected
    print("number, 1,000,000 points, open 1:50,000")
    row("sheetwright.number (NumPy)", pc, pw)
    row("sheetwright-cli number < points.txt", cc, cw)
    print(f"  ratio Python / CLI: cpu {pc / cc:.3f}, wall {pw / cw:.3f}; same numbers: {same}")


def bench_sheets(cli, work, runs):
    polygons.write_all(work)
    path = os.path.join(work, "poly20k.geojson")
    with open(path) as f:
        doc = json.load(f)
    pc, pw, result = timed_call(lambda: sheetwright.sheets(doc, "open", "1:2000"), runs)
    cc, cw, out = timed_command([cli, "sheets", "--series", "open", "--scale", "1:2000",
                                 "--input", path], runs)
    same = [d["sheet_no"] for d in result] == out.decode().splitlines()
    print(f"sheets of poly20k (20,000 vertices), open 1:2000: {len(result)} sheets")
    row("sheetwright.sheets (GeoJSON mapping)", pc, pw)
    row("sheetwright-cli sheets --input poly20k.geojson", cc, cw)
    print(f"  ratio Python / CLI: cpu {pc / cc:.3f}, wall {pw / cw:.3f}; same sheets: {same}")


def district_layer(path):
    """700 bumpy rings tiling 72°E-83.2°E, 21°N-31°N, 100,000 vertices."""
    features = []
    total, count = 100_000, 700
    for k in range(count):
        n = total // count + (k < total % count)
        lon0, lat0 = 72.0 + 0.4 * (k % 28), 21.0 + 0.4 * (k // 28)
        rng = random.Random(k + 1)
        ring = []
        for i in range(n):
            a = 2 * math.pi * i / n
            r = 0.19 * (0.9 + 0.06 * math.sin(5 * a + k) + rng.uniform(-0.01, 0.01))
            ring.append([lon0 + 0.2 + r * math.cos(a), lat0 + 0.2 + r * math.sin(a)])
        ring.append(ring[0])
        features.append({"type": "Feature", "properties": {"district": k + 1},
                         "geometry": {"type": "Polygon", "coordinates": [ring]}})
    with open(path, "w") as f:
        json.dump({"type": "FeatureCollection", "features": features}, f)


def bench_qgis(work, runs):
    os.environ.setdefault("QT_QPA_PLATFORM", "offscreen")
    from qgis.core import QgsApplication

    app = QgsApplication([], False)
    app.initQgis()
    sys.path.insert(0, "/usr/share/qgis/python/plugins")
    from processing.core.Processing import Processing

    Processing.initialize()
    sys.path.insert(0, os.environ["QGIS_PLUGINPATH"])
    import processing
    import sheetwright_qgis

    plugin = sheetwright_qgis.classFactory(None)  # kept: it holds the provider
    plugin.initProcessing()
    path = os.path.join(work, "districts.geojson")
    district_layer(path)
    print("QGIS sheetwright:sheetsoflayer, 700 districts (100,000 vertices), open 1:50,000")
    for per_feature in (False, True):
        params = {"INPUT": path, "SERIES": 1, "SCALE": 3, "PER_FEATURE": per_feature,
                  "OUTPUT": "memory:"}
        c, w, out = timed_call(lambda: processing.run("sheetwright:sheetsoflayer", params),
                               runs)
        label = "per feature" if per_feature else "union"
        row(f"{label}: {out['OUTPUT'].featureCount()} sheets", c, w)
    app.exitQgis()


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--cli", default="build/sheetwright-cli")
    ap.add_argument("--runs", type=int, default=5)
    ap.add_argument("--no-qgis", action="store_true")
    args = ap.parse_args()
    cli = os.path.abspath(args.cli)
    with tempfile.TemporaryDirectory() as work:
        bench_number(cli, work, args.runs)
        bench_sheets(cli, work, args.runs)
        if not args.no_qgis:
            bench_qgis(work, args.runs)


if __name__ == "__main__":
    main()
