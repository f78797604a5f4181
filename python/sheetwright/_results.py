"""The results users see: plain dicts in a list that also reads as GeoJSON."""

from __future__ import annotations


class SheetList(list):
    """A list of sheet dicts that is also a GeoJSON FeatureCollection through
    ``__geo_interface__``: each sheet a Polygon feature in WGS 84 (EPSG:4326)
    with the dict's keys as properties, so
    ``geopandas.GeoDataFrame.from_features(result, crs="EPSG:4326")`` gives a
    frame (see :meth:`to_geodataframe`)."""

    @property
    def __geo_interface__(self) -> dict:
        features = []
        for d in self:
            w, s, e, n = d["west"], d["south"], d["east"], d["north"]
            features.append({
                "type": "Feature",
                "properties": dict(d),
                "geometry": {
                    "type": "Polygon",
                    "coordinates": [[(w, s), (e, s), (e, n), (w, n), (w, s)]],
                },
                "bbox": (w, s, e, n),
            })
        return {"type": "FeatureCollection", "features": features}

    def to_geodataframe(self):
        """The sheets as a ``geopandas.GeoDataFrame`` in EPSG:4326 (needs GeoPandas)."""
        import geopandas

        columns = ["sheet_no", "in", "series", "scale", "west", "south", "east", "north"]
        if any("feature" in d for d in self[:1]):
            columns.insert(0, "feature")
        return geopandas.GeoDataFrame.from_features(self, crs="EPSG:4326",
                                                    columns=columns + ["geometry"])
