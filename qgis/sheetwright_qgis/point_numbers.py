"""sheetwright:pointnumbers, "Sheet numbers of points"."""

import numpy as np
from qgis.core import (
    QgsCoordinateTransform,
    QgsCsException,
    QgsFeature,
    QgsFeatureSink,
    QgsField,
    QgsFields,
    QgsProcessing,
    QgsProcessingException,
    QgsProcessingParameterBoolean,
    QgsProcessingParameterFeatureSink,
    QgsProcessingParameterFeatureSource,
    QgsPointXY,
)
from qgis.PyQt.QtCore import QVariant

import sheetwright

from .common import WGS84, SheetAlgorithm, refused, tr

# The field of each scale when every scale of the series is asked for.
SCALE_FIELDS = {"1:1M": "sheet_no_1m", "1:2,50,000": "sheet_no_250k",
                "1:1,25,000": "sheet_no_125k", "1:50,000": "sheet_no_50k",
                "1:25,000": "sheet_no_25k", "1:10,000": "sheet_no_10k",
                "1:2000": "sheet_no_2k"}
CHUNK = 50_000


class PointNumbers(SheetAlgorithm):
    def name(self):
        return "pointnumbers"

    def displayName(self):  # noqa: N802
        return tr("Sheet numbers of points")

    def shortHelpString(self):  # noqa: N802
        return tr(
            "The input point layer with the number of the sheet that holds each point in "
            "the field sheet_no (empty outside the index). With All scales, one field per "
            "scale of the series instead: sheet_no_1m, sheet_no_250k, ... sheet_no_2k.\n\n"
            "The points may be in any coordinate system; the output keeps the layer's own. "
            "A multipoint is numbered at its first point.")

    def initAlgorithm(self, config=None):  # noqa: N802
        self.addParameter(QgsProcessingParameterFeatureSource(
            "INPUT", tr("Point layer"), [QgsProcessing.TypeVectorPoint]))
        self.addSeriesParameter()
        self.addScaleParameter()
        self.addParameter(QgsProcessingParameterBoolean(
            "ALL_SCALES", tr("All scales of the series"), defaultValue=False))
        self.addParameter(QgsProcessingParameterFeatureSink("OUTPUT", tr("Numbered points")))

    def checkParameterValues(self, parameters, context):  # noqa: N802
        if self.parameterAsBoolean(parameters, "ALL_SCALES", context):
            return super(SheetAlgorithm, self).checkParameterValues(parameters, context)
        return super().checkParameterValues(parameters, context)

    def processAlgorithm(self, parameters, context, feedback):  # noqa: N802
        source = self.parameterAsSource(parameters, "INPUT", context)
        if source is None:
            raise QgsProcessingException(self.invalidSourceError(parameters, "INPUT"))
        series = self.series(parameters, context)
        if self.parameterAsBoolean(parameters, "ALL_SCALES", context):
            scales = sheetwright.scales(series)
            names = [SCALE_FIELDS[s] for s in scales]
        else:
            scales = [self.scale(parameters, context, series)]
            names = ["sheet_no"]
        fields = QgsFields(source.fields())
        for n in names:
            if fields.indexOf(n) >= 0:
                raise QgsProcessingException(
                    tr("The layer already has a field {}.").format(n))
            fields.append(QgsField(n, QVariant.String, len=20))
        sink, dest = self.sink(parameters, context, fields, source.wkbType(), source.sourceCrs())
        transform = QgsCoordinateTransform(source.sourceCrs(), WGS84, context.transformContext())
        total = max(source.featureCount(), 1)
        done = 0
        batch = []

        def flush():
            lat = np.array([p[1] for _, p in batch], dtype=np.float64)
            lon = np.array([p[0] for _, p in batch], dtype=np.float64)
            try:
                columns = [sheetwright.number(lat, lon, series, s) for s in scales]
            except ValueError as e:
                raise refused(e)
            for row, (f, _) in enumerate(batch):
                out = QgsFeature(fields)
                out.setGeometry(f.geometry())
                out.setAttributes(f.attributes() + [
                    (str(c[row]) or None) if not np.isnan(lat[row]) else None for c in columns])
                sink.addFeature(out, QgsFeatureSink.FastInsert)
            batch.clear()

        for f in source.getFeatures():
            if feedback.isCanceled():
                break
            g = f.geometry()
            position = (np.nan, np.nan)
            if not g.isNull() and not g.isEmpty():
                try:
                    p = transform.transform(QgsPointXY(g.vertexAt(0)))
                    position = (p.x(), p.y())
                except QgsCsException:  # a point that does not reproject has no sheet
                    pass
            batch.append((f, position))
            done += 1
            if len(batch) >= CHUNK:
                flush()
                feedback.setProgress(100.0 * done / total)
        if batch:
            flush()
        feedback.setProgress(100)
        return {"OUTPUT": dest}
