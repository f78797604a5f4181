"""The sample layer of the command line's GIS tests and the command-line tool
the module's and the plugin's tests compare with."""

import subprocess

# The layer the command line's GIS tests use (tests/gis/LayerSamples.h): a holed
# polygon, two islands, two route lines and a point, at 1:50,000 of the old
# series 24, 2, 2 and 1 sheets, their union 29.
SAMPLE_LAYER = {"type": "FeatureCollection", "features": [
    {"type": "Feature", "properties": {"name": "holed", "code": 11}, "geometry": {
        "type": "Polygon", "coordinates": [
            [[77.1234, 28.1234], [78.1234, 28.1234], [78.1234, 29.1234], [77.1234, 29.1234],
             [77.1234, 28.1234]],
            [[77.3734, 28.3734], [77.8734, 28.3734], [77.8734, 28.8734], [77.3734, 28.8734],
             [77.3734, 28.3734]]]}},
    {"type": "Feature", "properties": {"name": "islands", "code": 12}, "geometry": {
        "type": "MultiPolygon", "coordinates": [
            [[[79.0234, 28.0234], [79.2234, 28.0234], [79.2234, 28.2234], [79.0234, 28.0234]]],
            [[[79.7734, 28.0234], [79.9734, 28.0234], [79.9734, 28.2234], [79.7734, 28.0234]]]]}},
    {"type": "Feature", "properties": {"name": "route", "code": 13}, "geometry": {
        "type": "MultiLineString", "coordinates": [
            [[80.0234, 28.0234], [80.2234, 28.2234]], [[80.7734, 28.0234], [80.9734, 28.2234]]]}},
    {"type": "Feature", "properties": {"name": "tower", "code": 14}, "geometry": {
        "type": "Point", "coordinates": [81.1234, 28.1234]}},
]}
SAMPLE_SHEETS = [24, 2, 2, 1]
SAMPLE_UNION_SHEETS = 29


class Cli:
    """sheetwright-cli of the same build."""

    def __init__(self, path):
        self.path = path

    def run(self, *args, stdin=None):
        r = subprocess.run([self.path, *args], input=stdin, capture_output=True, text=True,
                           check=False)
        assert r.returncode == 0, f"sheetwright-cli {' '.join(args)}: {r.stderr}"
        return r.stdout
