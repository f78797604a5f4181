#!/usr/bin/python3
"""The sheets of real boundary polygons beside an exact closed-box reference.

Every feature (35 Indian states and union territories, 15 countries in and
around the index, from the DCW data GMT ships) is written as a GeoJSON layer and
run through `sheetwright-cli sheets --input` at old and open 1:1M, 1:2,50,000 and
1:50,000. The reference, built here with Shapely, lists a grid cell when its
closed box meets the polygon and some part of the cell lies in the index (the
index is coded again below from its whole-degree rules, independently of the
program); it numbers the cell at a covered point of it with `sheetwright-cli
number`.

The program decides in pixels (70 a sheet height), so a cell the polygon passes
within a pixel of may go either way. A difference is counted as material when
the polygon lies more than one pixel from a listed cell, or reaches more than
one pixel into a cell that is not listed.

Needs: gmt and gmt-dcw, python3-shapely (Debian), a built sheetwright-cli.
    bench/e2e/edge_reference.py [--cli build/sheetwright-cli] [--keep DIR]
"""

import argparse
import json
import math
import os
import subprocess
import sys
import tempfile

from shapely.geometry import Polygon, box, mapping, shape
from shapely.ops import unary_union
from shapely.prepared import prep
from shapely import affinity

STATES = ["IN." + s for s in (
    "AN AP AR AS BR CH CT DD DL DN GA GJ HP HR JH JK KA KL LD MH ML MN MP MZ NL OR "
    "PB PY RJ SK TN TR UP UT WB").split()]
COUNTRIES = "IN PK AF NP BT BD LK MV MM TJ KG TM UZ IR TH".split()

# (series, caption, width seconds, height seconds)
SCALES = [
    ("old", "1:1M", 14400, 14400),
    ("open", "1:1M", 21600, 14400),
    ("old", "1:2,50,000", 3600, 3600),
    ("open", "1:2,50,000", 3600, 3600),
    ("old", "1:50,000", 900, 900),
    ("open", "1:50,000", 900, 900),
]
ZOOM = 70


def covered_degree(lon_deg, lat_deg):
    """The index: 4°N-40°N, 64°E-100°E less three cut-outs reaching its south edge."""
    if lat_deg < 4 or lat_deg > 39 or lon_deg < 64 or lon_deg > 99:
        return False
    if lat_deg < 20 and lon_deg < 72:
        return False
    if lat_deg < 16 and 84 <= lon_deg <= 91:
        return False
    if lat_deg < 21 and 88 <= lon_deg <= 91:
        return False
    return True


def covered_point(west, south, w, h):
    """A covered point (seconds) of the cell, or None when it lies wholly outside."""
    for lat in range(math.floor(south / 3600), math.floor((south + h - 1) / 3600) + 1):
        for lon in range(math.floor(west / 3600), math.floor((west + w - 1) / 3600) + 1):
            if covered_degree(lon, lat):
                # The middle of the covered part of that degree block.
                x0, x1 = max(west, lon * 3600), min(west + w, lon * 3600 + 3600)
                y0, y1 = max(south, lat * 3600), min(south + h, lat * 3600 + 3600)
                return (x0 + x1) // 2, (y0 + y1) // 2
    return None


def dms(sec):
    return "%d:%02d:%02d" % (sec // 3600, sec // 60 % 60, sec % 60)


def read_dcw(code, work):
    # GMT leaves its history file in the folder it runs in.
    text = subprocess.run(["gmt", "coast", "-E" + code, "-M"], check=True, capture_output=True,
                          text=True, cwd=work).stdout
    rings, cur = [], []
    for line in text.splitlines():
        if line.startswith(">"):
            if len(cur) >= 3:
                rings.append(cur)
            cur = []
        elif line.strip():
            x, y = line.split()[:2]
            cur.append((float(x), float(y)))
    if len(cur) >= 3:
        rings.append(cur)
    # Rings by the even-odd rule, as the program joins the parts of one feature:
    # a ring inside an odd number of others is a hole (an enclave).
    polys = [p for p in (Polygon(r).buffer(0) for r in rings) if not p.is_empty]
    polys.sort(key=lambda p: -p.area)
    bounds = [p.bounds for p in polys]
    outer, holes = [], []
    for i, p in enumerate(polys):
        pt = p.representative_point()
        x, y = pt.x, pt.y
        depth = sum(1 for k in range(i) if bounds[k][0] <= x <= bounds[k][2]
                    and bounds[k][1] <= y <= bounds[k][3] and polys[k].contains(pt))
        (holes if depth % 2 else outer).append(p)
    geom = unary_union(outer)
    if holes:
        geom = geom.difference(unary_union(holes))
    return geom


def run(cmd, stdin=None):
    return subprocess.run(cmd, input=stdin, capture_output=True, text=True)


class Numberer:
    def __init__(self, cli):
        self.cli = cli
        self.cache = {}

    def numbers(self, series, caption, points):
        todo = [p for p in points if (series, caption, p) not in self.cache]
        if todo:
            lines = "".join("%s %s\n" % (dms(lat), dms(lon)) for lon, lat in todo)
            out = run([self.cli, "number", "--series", series, "--scale", caption], lines)
            answers = out.stdout.splitlines()
            assert len(answers) == len(todo), out.stderr
            for p, a in zip(todo, answers):
                self.cache[(series, caption, p)] = a.strip()
        return [self.cache[(series, caption, p)] for p in points]


def reference(geom, series, caption, w, h, numberer):
    """Numbers of the sheets whose closed box meets the polygon, each with its cell."""
    pg = prep(geom)
    minx, miny, maxx, maxy = geom.bounds
    c0 = math.floor(minx * 3600 / w) - 1
    c1 = math.floor(maxx * 3600 / w) + 1
    r0 = math.floor(miny * 3600 / h) - 1
    r1 = math.floor(maxy * 3600 / h) + 1
    cells, points = [], []
    for r in range(r0, r1 + 1):
        for c in range(c0, c1 + 1):
            west, south = c * w, r * h
            pt = covered_point(west, south, w, h)
            if pt is None:
                continue
            b = box(west / 3600, south / 3600, (west + w) / 3600, (south + h) / 3600)
            if pg.intersects(b):
                cells.append((west, south))
                points.append(pt)
    return dict(zip(numberer.numbers(series, caption, points), cells))


def cell_of(cli, series, number):
    out = run([cli, "extent", "--series", series, "--format", "json", number])
    if out.returncode != 0:
        return None
    j = json.loads(out.stdout)
    return round(j["west"] * 3600), round(j["south"] * 3600)


def pixel_frame(w, h):
    wpx = round(w / h * ZOOM)  # Python rounds a half to even, as the program does
    return (wpx / w) * 3600, (ZOOM / h) * 3600


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--cli", default="build/sheetwright-cli")
    ap.add_argument("--keep", help="folder for the GeoJSON layers (default: a temporary one)")
    ap.add_argument("--only", nargs="+", metavar="CODE",
                    help="these DCW codes alone (default: every state and country)")
    args = ap.parse_args()
    cli = os.path.abspath(args.cli)
    work = args.keep or tempfile.mkdtemp(prefix="edge-reference-")
    os.makedirs(work, exist_ok=True)
    numberer = Numberer(cli)

    features = []
    for code in args.only or STATES + COUNTRIES:
        path = os.path.join(work, code + ".geojson")
        if os.path.exists(path):  # kept from an earlier run
            with open(path) as f:
                geom = shape(json.load(f)["features"][0]["geometry"])
        else:
            geom = read_dcw(code, work)
            with open(path, "w") as f:
                json.dump({"type": "FeatureCollection", "features": [
                    {"type": "Feature", "properties": {"name": code},
                     "geometry": mapping(geom)}]}, f)
        features.append((code, geom, path))

    print("| series | scale | features | reference rows | program rows | differences "
          "| within a pixel | material |")
    print("|---|---|---|---|---|---|---|---|")
    material_rows = []
    for series, caption, w, h in SCALES:
        fx, fy = pixel_frame(w, h)
        ref_rows = prog_rows = diffs = near = material = 0
        for code, geom, path in features:
            ref = reference(geom, series, caption, w, h, numberer)
            out = run([cli, "sheets", "--series", series, "--scale", caption, "--input", path])
            if out.returncode != 0:
                raise SystemExit("%s %s %s: %s" % (code, series, caption, out.stderr))
            prog = set(out.stdout.split())
            ref_rows += len(ref)
            prog_rows += len(prog)
            gpx = affinity.scale(geom, xfact=fx, yfact=fy, origin=(0, 0))
            for number in sorted(prog ^ set(ref)):
                diffs += 1
                listed = number in prog
                cell = ref.get(number) or cell_of(cli, series, number)
                if cell is None:
                    material += 1
                    material_rows.append((code, series, caption, number, "unknown number"))
                    continue
                west, south = cell
                cpx = box(west / 3600 * fx, south / 3600 * fy, (west + w) / 3600 * fx,
                          (south + h) / 3600 * fy)
                if listed:
                    d = gpx.distance(cpx)
                    ok = d <= 1.0
                    why = "listed, polygon %.2f px away" % d
                else:
                    depth = gpx.intersection(cpx.buffer(-1.0, join_style=2)).area
                    ok = depth == 0
                    why = "not listed, polygon reaches over a pixel in (%.2f px2)" % depth
                if ok:
                    near += 1
                else:
                    material += 1
                    material_rows.append((code, series, caption, number, why))
        print("| %s | %s | %d | %d | %d | %d | %d | %d |" % (
            series, caption, len(features), ref_rows, prog_rows, diffs, near, material))
        sys.stdout.flush()
    for row in material_rows:
        print("material: %s %s %s %s: %s" % row)
    return 1 if material_rows else 0


if __name__ == "__main__":
    sys.exit(main())
