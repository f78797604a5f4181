"""The provider's four algorithms under QGIS's Python API, compared with the
command line on the same inputs; refusals; and the same run through qgis_process."""

import json
import math
import os
import re
import subprocess

import pytest

def cli_sheets(cli, path, *args):
    return cli.run("sheets", "--series", "old", "--scale", "1:50,000", "--input", str(path),
                   *args).splitlines()


def test_provider_group_and_algorithms(qgis_app):
    from qgis.core import QgsApplication

    provider = QgsApplication.processingRegistry().providerById("sheetwright")
    assert provider is not None
    algs = {a.name(): a for a in provider.algorithms()}
    assert set(algs) == {"sheetsoflayer", "pointnumbers", "indexgrid", "findsheet"}
    assert algs["sheetsoflayer"].displayName() == "Sheets covering features"
    assert {a.group() for a in algs.values()} == {"Sheet index"}
    assert all(a.shortHelpString() for a in algs.values())
    scale = algs["sheetsoflayer"].parameterDefinition("SCALE")
    assert scale.options() == ["1:1M", "1:2,50,000", "1:1,25,000", "1:50,000", "1:25,000",
                               "1:10,000", "1:2000"]
    assert algs["sheetsoflayer"].parameterDefinition("IN_ONLY").defaultValue() is True


def test_sheets_of_layer_union_and_per_feature_equal_the_command_line(run, cli, sample_file):
    union = run("sheetsoflayer", INPUT=str(sample_file), SERIES=0, SCALE=3)
    assert union.crs().authid() == "EPSG:4326"
    assert [f["sheet_no"] for f in union.getFeatures()] == cli_sheets(cli, sample_file)
    assert {f["series"] for f in union.getFeatures()} == {"old"}
    each = run("sheetsoflayer", INPUT=str(sample_file), SERIES=0, SCALE=3, PER_FEATURE=True)
    got = [f"{f['input_id'] + 1}\t{f['sheet_no']}" for f in each.getFeatures()]
    assert got == cli_sheets(cli, sample_file, "--per-feature")
    box = next(iter(union.getFeatures())).geometry().boundingBox()
    assert round(box.width(), 9) == 0.25


def test_sheets_of_a_projected_layer_are_those_of_the_layer_in_degrees(run, sample_file, tmp_path):
    import processing

    utm = str(tmp_path / "utm.gpkg")
    processing.run("native:reprojectlayer", {"INPUT": str(sample_file),
                                             "TARGET_CRS": "EPSG:32644", "OUTPUT": utm})
    a = run("sheetsoflayer", INPUT=str(sample_file), SERIES=1, SCALE=4)
    b = run("sheetsoflayer", INPUT=utm, SERIES=1, SCALE=4)
    assert [f["sheet_no"] for f in b.getFeatures()] == [f["sheet_no"] for f in a.getFeatures()]


def test_whole_grid_and_refused_scale(run, cli, sample_file):
    from qgis.core import QgsProcessingException

    grid = run("sheetsoflayer", INPUT=str(sample_file), SERIES=1, SCALE=4, IN_ONLY=False)
    doc = json.loads(cli.run("sheets", "--series", "open", "--scale", "1:25,000", "--input",
                             str(sample_file), "--format", "json"))
    assert grid.featureCount() == len(doc["sheets"])
    assert sum(f["in"] for f in grid.getFeatures()) == doc["in_count"]
    with pytest.raises(QgsProcessingException, match="open series has no 1:1,25,000"):
        run("sheetsoflayer", INPUT=str(sample_file), SERIES=1, SCALE=2)
    with pytest.raises(QgsProcessingException, match="old series has no 1:2000"):
        run("indexgrid", EXTENT="77,78,28,29 [EPSG:4326]", SERIES=0, SCALE=6)


def test_point_numbers_equal_the_command_line(run, cli, tmp_path):
    points = [(77.2083, 28.6139), (72.8777, 19.0760), (88.3639, 22.5726), (2.35, 48.85)]
    path = tmp_path / "points.geojson"
    path.write_text(json.dumps({"type": "FeatureCollection", "features": [
        {"type": "Feature", "properties": {"name": f"p{i}"},
         "geometry": {"type": "Point", "coordinates": list(p)}} for i, p in enumerate(points)]}))
    text = "".join(f"{lat} {lon}\n" for lon, lat in points)
    expected = [None if n == "#" else n for n in
                cli.run("number", "--series", "open", "--scale", "1:25,000", stdin=text).splitlines()]
    one = run("pointnumbers", INPUT=str(path), SERIES=1, SCALE=4)
    assert [f["name"] for f in one.getFeatures()] == ["p0", "p1", "p2", "p3"]
    assert [f["sheet_no"] or None for f in one.getFeatures()] == expected
    every = run("pointnumbers", INPUT=str(path), SERIES=0, SCALE=6, ALL_SCALES=True)
    rows = cli.run("number", "--series", "old", "--all-scales", stdin=text).splitlines()
    fields = ["sheet_no_1m", "sheet_no_250k", "sheet_no_125k", "sheet_no_50k", "sheet_no_25k"]
    for f, row in zip(every.getFeatures(), rows):
        assert [f[n] or "#" for n in fields] == row.split("\t")


def test_index_grid_and_find_sheet(run, cli):
    grid = run("indexgrid", EXTENT="77.0,78.0,28.0,29.0 [EPSG:4326]", SERIES=0, SCALE=3)
    numbers = [f["sheet_no"] for f in grid.getFeatures()]
    assert len(numbers) == 16 and numbers[0] == "53H/1" and numbers[-1] == "53H/16"
    # The same extent in web Mercator gives the same sheets.
    r = 6378137.0
    x0, x1 = (math.radians(d) * r for d in (77.001, 77.999))
    y0, y1 = (math.log(math.tan(math.pi / 4 + math.radians(d) / 2)) * r for d in (28.001, 28.999))
    merc = run("indexgrid", EXTENT=f"{x0},{x1},{y0},{y1} [EPSG:3857]", SERIES=0, SCALE=3)
    assert [f["sheet_no"] for f in merc.getFeatures()] == numbers
    sheet = run("findsheet", NUMBER="53H/2", SERIES=0)
    f = next(iter(sheet.getFeatures()))
    edges = dict(line.split()[0::2] for line in cli.run("extent", "--series", "old", "53H/2")
                 .splitlines() if line.split()[:1] in (["west"], ["south"], ["east"], ["north"]))
    assert {k: f[k] for k in edges} == {k: float(v) for k, v in edges.items()}
    assert f["scale"] == "1:50,000"
    from qgis.core import QgsProcessingException

    with pytest.raises(QgsProcessingException):
        run("findsheet", NUMBER="53Z/99", SERIES=0)


POINT_LAYER = ('{"type":"FeatureCollection","features":[{"type":"Feature","properties":{},'
               '"geometry":{"type":"Point","coordinates":[77.2,28.6]}}]}')


@pytest.mark.parametrize("alg, params, layer", [
    ("findsheet", {"NUMBER": "53H/2", "SERIES": 0}, None),
    ("indexgrid", {"EXTENT": "77,78,28,29 [EPSG:4326]", "SERIES": 0, "SCALE": 3}, None),
    ("sheetsoflayer", {"SERIES": 0, "SCALE": 3}, "sample"),
    ("pointnumbers", {"SERIES": 0, "SCALE": 3}, POINT_LAYER),
])
def test_an_output_that_cannot_be_written_is_refused(run, sample_file, tmp_path, alg, params,
                                                      layer):
    from qgis.core import QgsProcessingException

    if layer == "sample":
        params["INPUT"] = str(sample_file)
    elif layer:
        (tmp_path / "points.geojson").write_text(layer)
        params["INPUT"] = str(tmp_path / "points.geojson")
    target = tmp_path / "missing" / "out.gpkg"
    with pytest.raises(QgsProcessingException):
        run(alg, OUTPUT=str(target), **params)
    assert not target.exists()


def qgis_process(args, tmp_path):
    """qgis_process with the plugin found through QGIS_PLUGINPATH and enabled in a
    profile of its own. Debian's /usr/bin/qgis_process wrapper passes an option
    QGIS 3.22 does not know, so the binary is called directly."""
    home = tmp_path / "home"
    ini = home / ".local/share/QGIS/QGIS3/profiles/default/QGIS/QGIS3.ini"
    ini.parent.mkdir(parents=True, exist_ok=True)
    ini.write_text("[PythonPlugins]\nsheetwright_qgis=true\n")
    env = dict(os.environ, HOME=str(home), QT_QPA_PLATFORM="offscreen")
    env.pop("QGIS_CUSTOM_CONFIG_PATH", None)
    return subprocess.run(["qgis_process.bin", *args], env=env, capture_output=True, text=True,
                          timeout=300, cwd=tmp_path, check=False)


def test_qgis_process_runs_the_algorithm_from_the_plugin_path(cli, sample_file, tmp_path):
    out = tmp_path / "sheets.geojson"
    r = qgis_process(["run", "sheetwright:sheetsoflayer", "--", f"INPUT={sample_file}",
                      "SERIES=0", "SCALE=3", f"OUTPUT={out}"], tmp_path)
    assert r.returncode == 0, r.stderr + r.stdout
    doc = json.loads(out.read_text())
    assert [f["properties"]["sheet_no"] for f in doc["features"]] == cli_sheets(cli, sample_file)
    bad = qgis_process(["run", "sheetwright:findsheet", "--", "NUMBER=53Z/99", "SERIES=0",
                        f"OUTPUT={tmp_path / 'x.geojson'}"], tmp_path)
    assert bad.returncode != 0


def readme_section():
    text = open(os.environ["SHEETWRIGHT_README"], encoding="utf-8").read()
    return text.split("\n## QGIS\n", 1)[1].split("\n## ", 1)[0]


def test_readme_qgis_examples_run(qgis_app, tmp_path, monkeypatch):
    section = readme_section()
    monkeypatch.chdir(tmp_path)
    (tmp_path / "districts.geojson").write_text(json.dumps({
        "type": "FeatureCollection", "features": [{"type": "Feature", "properties": {},
            "geometry": {"type": "Polygon", "coordinates": [[[77.05, 28.55], [77.35, 28.55],
                         [77.35, 28.85], [77.05, 28.55]]]}}]}))
    blocks = re.findall(r"```python\n(.*?)```", section, re.S)
    assert blocks
    for code in blocks:
        exec(compile(code, "README.md", "exec"), {})
    for command in re.findall(r"```sh\n(.*?)```", section, re.S):
        args = command.split()
        assert args[0] == "qgis_process"
        r = qgis_process(args[1:], tmp_path)
        assert r.returncode == 0, r.stderr + r.stdout
