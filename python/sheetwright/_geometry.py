"""Geometry objects in, parts out: what the library computes on.

A feature becomes a list of parts ``(kind, positions)``: kind 1 a point, 2 a
line, 3 a ring (outer rings and holes alike; the library fills them by the
even-odd rule), positions an ``(n, 2)`` float array of longitude, latitude.
Z and M values are dropped.
"""

from __future__ import annotations

from collections.abc import Mapping
from typing import Any

import numpy as np

POINT, LINE, RING = 1, 2, 3

_WGS84_NAMES = {
    "urn:ogc:def:crs:OGC:1.3:CRS84", "urn:ogc:def:crs:OGC::CRS84", "OGC:CRS84",
    "urn:ogc:def:crs:EPSG::4326", "EPSG:4326", "urn:ogc:def:crs:EPSG:4326",
}


def _positions(coords: Any, what: str) -> np.ndarray:
    try:
        a = np.asarray(coords, dtype=np.float64)
    except (TypeError, ValueError):
        raise ValueError(f"the coordinates of a {what} are not numbers") from None
    if a.ndim == 1 and a.size >= 2:
        a = a.reshape(1, -1)
    if a.ndim != 2 or (a.shape[0] > 0 and a.shape[1] < 2):
        raise ValueError(f"the coordinates of a {what} are not a list of positions")
    return np.ascontiguousarray(a[:, :2]) if a.shape[0] else np.zeros((0, 2))


def _parts(g: Mapping, depth: int = 0) -> list:
    if depth > 64:
        raise ValueError("geometry collections nested too deep")
    t = g.get("type")
    c = g.get("coordinates")
    if t == "Point":
        return [(POINT, _positions(c, "Point"))] if c is not None and len(c) else []
    if t == "MultiPoint":
        return [(POINT, _positions(c, "MultiPoint"))] if c is not None and len(c) else []
    if t == "LineString":
        return [(LINE, _positions(c, "LineString"))]
    if t == "MultiLineString":
        return [(LINE, _positions(line, "MultiLineString")) for line in c]
    if t == "Polygon":
        return [(RING, _positions(ring, "Polygon")) for ring in c]
    if t == "MultiPolygon":
        return [(RING, _positions(ring, "MultiPolygon")) for poly in c for ring in poly]
    if t == "GeometryCollection":
        return [p for member in g.get("geometries", []) for p in _parts(_mapping(member), depth + 1)]
    raise ValueError(f"not a GeoJSON geometry type: {t!r}")


def _mapping(obj: Any) -> Mapping:
    if not hasattr(obj, "__geo_interface__") and hasattr(getattr(obj, "geometry", None),
                                                        "__geo_interface__"):
        obj = obj.geometry  # a GeoPandas row
    if hasattr(obj, "__geo_interface__"):
        obj = obj.__geo_interface__
    if not isinstance(obj, Mapping):
        raise ValueError(f"not a geometry: {type(obj).__name__}")
    return obj


def _check_named_crs(m: Mapping) -> None:
    crs = m.get("crs")
    if crs is None:
        return
    name = (crs.get("properties") or {}).get("name") if isinstance(crs, Mapping) else None
    if name not in _WGS84_NAMES:
        raise ValueError(f"the GeoJSON names the coordinate system {name or crs!r}; "
                         "give WGS 84 longitudes and latitudes (EPSG:4326)")


def _in_wgs84(frame: Any) -> Any:
    """A GeoPandas frame or series reprojected to EPSG:4326 when it has
    another CRS; refused when it cannot be."""
    crs = getattr(frame, "crs", None)
    if crs is None or crs.to_epsg() == 4326 or crs.to_string() in _WGS84_NAMES:
        return frame
    if not hasattr(frame, "to_crs"):
        raise ValueError(f"the geometry is in {crs}, not WGS 84, and cannot be reprojected")
    try:
        return frame.to_crs("EPSG:4326")
    except Exception as e:  # pyproj's errors have no common base
        raise ValueError(f"the geometry in {crs} cannot be reprojected to WGS 84: {e}") from None


def _is_frame(obj: Any) -> bool:
    return hasattr(obj, "geometry") and hasattr(obj, "index") and hasattr(obj, "crs")


def _from_wkb(data: bytes) -> Mapping:
    try:
        from shapely import wkb
    except ImportError:  # pragma: no cover - Shapely comes with the package's dependencies
        raise ValueError("reading WKB needs Shapely") from None
    try:
        return wkb.loads(bytes(data)).__geo_interface__
    except Exception as e:  # Shapely's WKB errors have no common base
        raise ValueError(f"not a WKB geometry: {e}") from None


def features_of(geom: Any) -> tuple[list, list | None]:
    """The features of ``geom`` as lists of parts, and their ids (None when
    they have none, so the position counts)."""
    if isinstance(geom, (bytes, bytearray, memoryview)):
        return [_parts(_from_wkb(geom))], None
    if isinstance(geom, str):
        raise ValueError("a geometry is a GeoJSON mapping, WKB bytes or an object with "
                         "__geo_interface__, not text")
    if _is_frame(geom):
        geom = _in_wgs84(geom)
        shapes = geom.geometry if hasattr(geom.geometry, "__iter__") else [geom.geometry]
        # Rows without a geometry are left out, as the command line leaves out
        # a layer's features without one.
        features, ids = [], []
        for i, g in zip(geom.index, shapes):
            if g is not None and not g.is_empty:
                features.append(_parts(g.__geo_interface__))
                ids.append(i)
        return features, ids
    if isinstance(geom, (list, tuple)):
        features = []
        for g in geom:
            if isinstance(g, (list, tuple)):
                raise ValueError("a list of geometries holds geometries, not lists")
            fs, _ = features_of(g)
            features.extend(fs)
        return features, None
    m = _mapping(geom)
    _check_named_crs(m)
    t = m.get("type")
    if t == "FeatureCollection":
        fs = [_mapping(f) for f in m.get("features", [])]
        ids = [f.get("id") for f in fs]
        return [_feature_parts(f) for f in fs], ids if all(i is not None for i in ids) else None
    if t == "Feature":
        return [_feature_parts(m)], [m["id"]] if m.get("id") is not None else None
    return [_parts(m)], None


def _feature_parts(f: Mapping) -> list:
    g = f.get("geometry")
    if g is None:
        raise ValueError(f"feature {f.get('id', '')!r} has no geometry".replace(" ''", ""))
    return _parts(_mapping(g))
