"""sheets(): every kind of geometry object the module takes, the command line's
answers for the same input, per feature, the GeoJSON view of the result, CRSs."""

import json

import numpy as np
import pytest

import sheetwright
from samples import SAMPLE_LAYER, SAMPLE_SHEETS, SAMPLE_UNION_SHEETS

geopandas = pytest.importorskip("geopandas")
shapely_geometry = pytest.importorskip("shapely.geometry")


def numbers(result):
    return [d["sheet_no"] for d in result]


def test_union_of_the_sample_layer_equals_the_command_line(cli, sample_file):
    expected = cli.run("sheets", "--series", "old", "--scale", "1:50,000", "--input",
                       str(sample_file)).splitlines()
    got = sheetwright.sheets(SAMPLE_LAYER, "old", "1:50,000")
    assert len(got) == SAMPLE_UNION_SHEETS
    assert numbers(got) == expected
    assert all(d["in"] and d["series"] == "old" and d["scale"] == "1:50,000" for d in got)


def test_per_feature_equals_the_command_line(cli, sample_file):
    lines = cli.run("sheets", "--series", "old", "--scale", "1:50,000", "--input",
                    str(sample_file), "--per-feature").splitlines()
    expected = [(int(f) - 1, s) for f, s in (line.split("\t") for line in lines)]
    got = sheetwright.sheets(SAMPLE_LAYER, "old", "1:50,000", per_feature=True)
    assert [(d["feature"], d["sheet_no"]) for d in got] == expected
    assert [sum(d["feature"] == i for d in got) for i in range(4)] == SAMPLE_SHEETS


def test_whole_grid_equals_the_command_lines_json(cli, sample_file):
    doc = json.loads(cli.run("sheets", "--series", "open", "--scale", "1:25,000", "--input",
                             str(sample_file), "--format", "json"))
    got = sheetwright.sheets(SAMPLE_LAYER, "open", "1:25,000", in_only=False)
    assert [(d["sheet_no"] or "#", int(d["in"])) for d in got] == \
        [(n, flag) for n, flag in doc["sheets"]]
    assert got[0]["west"] * 3600 == pytest.approx(doc["west_sec"])
    assert got[0]["north"] * 3600 == pytest.approx(doc["north_sec"])


def test_every_input_form_gives_the_same_sheets():
    holed = SAMPLE_LAYER["features"][0]
    shape = shapely_geometry.shape(holed["geometry"])
    frame = geopandas.GeoDataFrame.from_features(SAMPLE_LAYER, crs="EPSG:4326")
    expected = numbers(sheetwright.sheets(holed["geometry"], "old", "1:50,000"))
    assert len(expected) == SAMPLE_SHEETS[0]
    for form in (holed, shape, shape.wkb, bytearray(shape.wkb), frame.iloc[:1], frame.geometry[:1],
                 frame.iloc[0], {"type": "FeatureCollection", "features": [holed]}):
        assert numbers(sheetwright.sheets(form, "old", "1:50,000")) == expected, type(form)
    # A list is one feature each; the union of all four is the layer's.
    shapes = [shapely_geometry.shape(f["geometry"]) for f in SAMPLE_LAYER["features"]]
    assert len(sheetwright.sheets(shapes, "old", "1:50,000")) == SAMPLE_UNION_SHEETS
    # Z values are dropped.
    z = {"type": "LineString", "coordinates": [[77.1, 28.1, 200.0], [77.2, 28.2, 210.0]]}
    assert numbers(sheetwright.sheets(z, "old", "1:50,000")) == ["53H/4"]


def test_frame_per_feature_keeps_the_index_and_skips_empty_rows():
    frame = geopandas.GeoDataFrame.from_features(SAMPLE_LAYER, crs="EPSG:4326")
    frame.index = ["a", "b", "c", "d"]
    frame.loc["c", "geometry"] = None
    got = sheetwright.sheets(frame, "old", "1:50,000", per_feature=True)
    assert sorted({d["feature"] for d in got}) == ["a", "b", "d"]


def test_result_reads_as_geojson_and_as_a_frame_in_wgs84():
    result = sheetwright.sheets(SAMPLE_LAYER, "old", "1:50,000", per_feature=True)
    fc = result.__geo_interface__
    assert fc["type"] == "FeatureCollection" and len(fc["features"]) == len(result)
    ring = fc["features"][0]["geometry"]["coordinates"][0]
    assert ring[0] == ring[-1] and len(ring) == 5
    frame = geopandas.GeoDataFrame.from_features(result, crs="EPSG:4326")
    assert list(frame["sheet_no"]) == numbers(result)
    gdf = result.to_geodataframe()
    assert gdf.crs.to_epsg() == 4326
    assert list(gdf.columns[:3]) == ["feature", "sheet_no", "in"]
    assert gdf.geometry.iloc[0].bounds == (result[0]["west"], result[0]["south"],
                                           result[0]["east"], result[0]["north"])


def test_frame_in_another_crs_is_reprojected_not_read_as_degrees():
    frame = geopandas.GeoDataFrame.from_features(SAMPLE_LAYER, crs="EPSG:4326")
    expected = numbers(sheetwright.sheets(frame, "old", "1:50,000"))
    utm = frame.to_crs("EPSG:32644")
    assert numbers(sheetwright.sheets(utm, "old", "1:50,000")) == expected
    named = dict(SAMPLE_LAYER, crs={"type": "name", "properties": {"name": "EPSG:32644"}})
    with pytest.raises(ValueError, match="coordinate system"):
        sheetwright.sheets(named, "old", "1:50,000")


@pytest.mark.parametrize("geom", [
    "POINT (77 28)",
    b"\x01\x02",
    {"type": "Pentagon", "coordinates": []},
    {"type": "Point", "coordinates": [277.0, 28.0]},
    {"type": "LineString", "coordinates": [[77.0, 28.0], [float("nan"), 28.0]]},
    {"type": "LineString", "coordinates": [["a", "b"]]},
    {"type": "Feature", "properties": {}, "geometry": None},
    {"type": "FeatureCollection", "features": []},
    {"type": "LineString", "coordinates": [[-179.0, -89.0], [179.0, 89.0]]},
    42,
    [[{"type": "Point", "coordinates": [77.0, 28.0]}]],
    {"type": "GeometryCollection", "geometries": [{"type": "Point", "coordinates": []}]},
])
def test_bad_geometry_raises_value_error(geom):
    with pytest.raises(ValueError):
        sheetwright.sheets(geom, "open", "1:2000")


def test_bad_options_raise_value_error():
    point = {"type": "Point", "coordinates": [77.2, 28.6]}
    for kwargs in ({"series": "new"}, {"scale": "1:3"}, {"touch_resolution": 500},
                   {"touch_resolution": 1.5}):
        with pytest.raises(ValueError):
            sheetwright.sheets(point, **kwargs)
    assert numbers(sheetwright.sheets(point, touch_resolution=140)) == ["H43X02"]
