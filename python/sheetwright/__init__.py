"""Which sheets of the topographic map index cover a point, a route or an area.

The index covers 4°N to 40°N and 64°E to 100°E in two numbering series, "old"
and "open". Positions are WGS 84 degrees; every answer is the one
``sheetwright-cli`` gives for the same input.

>>> import sheetwright
>>> sheetwright.number(28.6139, 77.2083, "old", "1:50,000")
'53H/2'
"""

from __future__ import annotations

import math
import numbers as _numbers
from typing import Any, Iterable, Mapping, Sequence

import numpy as np

from . import _sheetwright
from ._geometry import features_of
from ._results import SheetList

__all__ = ["Error", "SheetList", "extent", "grid", "number", "scales", "sheets", "__version__"]

__version__: str = _sheetwright.__version__

#: Raised for every refusal; a ValueError, so ``except ValueError`` catches it.
Error = _sheetwright.Error


def scales(series: str = "open") -> list[str]:
    """The scale captions of a series, largest sheets first ("1:1M", ...)."""
    return _sheetwright.scales(series)


def _is_scalar(v: Any) -> bool:
    return np.ndim(v) == 0 and not isinstance(v, np.ndarray)


def number(lat: Any, lon: Any, series: str = "open", scale: str = "1:50,000") -> Any:
    """The number of the sheet that holds a position.

    ``lat`` and ``lon`` are decimal degrees: two numbers give a ``str``; arrays
    (or anything NumPy turns into one, broadcast against each other) give a
    NumPy array of ``str`` of their shape, computed without the interpreter's
    lock. A position outside the index gives ``""``; so does NaN in an array,
    while a scalar that is not a finite number raises ValueError. ``scale`` is a
    caption of :func:`scales` or the same digits without separators
    ("1:50000"); an unknown series or scale raises ValueError.
    """
    if _is_scalar(lat) and _is_scalar(lon):
        if not isinstance(lat, _numbers.Real) or not isinstance(lon, _numbers.Real):
            raise ValueError(f"a position is two numbers, not {lat!r} and {lon!r}")
        la, lo = float(lat), float(lon)
        if not (math.isfinite(la) and math.isfinite(lo)):
            raise ValueError(f"a position is two finite numbers, not {lat!r} and {lon!r}")
        return _sheetwright.number_one(la, lo, series, scale)
    try:
        la, lo = np.broadcast_arrays(np.asarray(lat, dtype=np.float64),
                                     np.asarray(lon, dtype=np.float64))
    except (TypeError, ValueError) as e:
        raise ValueError(f"latitudes and longitudes must be numbers of matching shapes: {e}") from None
    shape = la.shape
    out = _sheetwright.number_many(np.ascontiguousarray(la).reshape(-1),
                                   np.ascontiguousarray(lo).reshape(-1), series, scale)
    return out.reshape(shape)


def extent(number: str, series: str = "open") -> dict:
    """The sheet that carries ``number``: a dict with ``sheet_no``, ``series``,
    ``scale``, ``west``, ``south``, ``east``, ``north`` (degrees) and
    ``neighbours`` (``nw``, ``n``, ``ne``, ``w``, ``e``, ``sw``, ``s``, ``se``;
    ``""`` outside the index). ValueError when no sheet carries the number."""
    if not isinstance(number, str):
        raise ValueError(f"a sheet number is text, not {number!r}")
    return _sheetwright.extent(number, series)


def grid(series: str = "open", scale: str = "1:50,000",
         bbox: Sequence[float] = (64.0, 4.0, 100.0, 40.0)) -> SheetList:
    """Every sheet of the index at ``scale`` that overlaps ``bbox`` (west,
    south, east, north in degrees; a sheet only touching its edge is left out),
    row by row from the north-west: the index itself as features, a
    :class:`SheetList`. ValueError for an empty box or more than ten million
    sheets."""
    try:
        west, south, east, north = (float(v) for v in bbox)
    except (TypeError, ValueError):
        raise ValueError(f"bbox is (west, south, east, north) in degrees, not {bbox!r}") from None
    return SheetList(_sheetwright.grid(series, scale, west, south, east, north))


def sheets(geom: Any, series: str = "open", scale: str = "1:50,000", in_only: bool = True,
           per_feature: bool = False, touch_resolution: int = 0) -> SheetList:
    """The sheets a geometry touches or encloses.

    ``geom`` is anything with ``__geo_interface__`` (Shapely geometries,
    GeoPandas frames, series and rows), a GeoJSON mapping (a geometry, a Feature
    or a FeatureCollection), WKB bytes, or a list of these, one feature each.
    Coordinates are WGS 84 longitude, latitude; a GeoPandas frame or series in
    another CRS is reprojected to EPSG:4326 first, and a GeoJSON object naming
    another CRS is refused.

    The result is a :class:`SheetList`: a list of dicts with ``sheet_no``,
    ``in``, ``series``, ``scale``, ``west``, ``south``, ``east``, ``north`` (and
    ``feature`` when ``per_feature``: the feature's id or index, else its
    position from 0), whose ``__geo_interface__`` is a FeatureCollection of the
    sheets as polygons. With ``in_only`` the IN sheets in the report's order;
    otherwise every cell of the grid laid over the geometry, row by row from the
    north-west (cells outside the index with ``sheet_no`` ""). Without
    ``per_feature`` the sheets are those of the union of the features.
    ``touch_resolution`` is the command line's ``--zoom`` (0: its default).
    ValueError for anything that is not such a geometry or lies off the earth.
    """
    features, ids = features_of(geom)
    if not features:
        raise ValueError("the geometry holds no feature with a position")
    if isinstance(touch_resolution, bool) or not isinstance(touch_resolution, _numbers.Integral):
        raise ValueError(f"touch_resolution is a whole number, not {touch_resolution!r}")
    return SheetList(_sheetwright.sheets(features, series, scale, bool(in_only), bool(per_feature),
                                         int(touch_resolution), ids))
