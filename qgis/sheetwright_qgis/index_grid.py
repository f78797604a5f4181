"""sheetwright:indexgrid, "Index grid"."""

from qgis.core import (
    QgsFeatureSink,
    QgsProcessing,
    QgsProcessingParameterExtent,
    QgsProcessingParameterFeatureSink,
)

import sheetwright

from .common import WGS84, SheetAlgorithm, refused, sheet_feature, sheet_fields, tr


class IndexGrid(SheetAlgorithm):
    def name(self):
        return "indexgrid"

    def displayName(self):  # noqa: N802
        return tr("Index grid")

    def shortHelpString(self):  # noqa: N802
        return tr(
            "Every sheet of the index at a scale that overlaps an extent, as polygons in "
            "WGS 84 with the fields sheet_no, in (always 1), series and scale: the index "
            "itself as a layer. The extent may be given in any coordinate system. More than "
            "ten million sheets are refused: choose a smaller extent or a smaller scale.")

    def initAlgorithm(self, config=None):  # noqa: N802
        self.addParameter(QgsProcessingParameterExtent("EXTENT", tr("Extent")))
        self.addSeriesParameter()
        self.addScaleParameter()
        self.addParameter(QgsProcessingParameterFeatureSink(
            "OUTPUT", tr("Index grid"), QgsProcessing.TypeVectorPolygon))

    def processAlgorithm(self, parameters, context, feedback):  # noqa: N802
        series = self.series(parameters, context)
        scale = self.scale(parameters, context, series)
        box = self.parameterAsExtent(parameters, "EXTENT", context, WGS84)
        fields = sheet_fields()
        sink, dest = self.sink(parameters, context, fields)
        try:
            cells = sheetwright.grid(series, scale, (box.xMinimum(), box.yMinimum(),
                                                     box.xMaximum(), box.yMaximum()))
        except ValueError as e:
            raise refused(e)
        for i, sheet in enumerate(cells):
            if feedback.isCanceled():
                break
            sink.addFeature(sheet_feature(fields, sheet), QgsFeatureSink.FastInsert)
            if i % 1000 == 0:
                feedback.setProgress(100.0 * (i + 1) / len(cells))
        feedback.setProgress(100)
        return {"OUTPUT": dest}
