"""sheetwright:findsheet, "Find sheet"."""

from qgis.core import (
    QgsFeatureSink,
    QgsProcessing,
    QgsProcessingParameterFeatureSink,
    QgsProcessingParameterString,
)

import sheetwright

from .common import SheetAlgorithm, refused, sheet_feature, sheet_fields, tr


class FindSheet(SheetAlgorithm):
    def name(self):
        return "findsheet"

    def displayName(self):  # noqa: N802
        return tr("Find sheet")

    def shortHelpString(self):  # noqa: N802
        return tr(
            "The sheet that carries a number (53H/2 in the old series, H43X02 in the open "
            "series), as one polygon in WGS 84 with its number, series, scale and its edges "
            "in degrees. A number no sheet of the series carries is refused with the part of "
            "it that does not match.")

    def initAlgorithm(self, config=None):  # noqa: N802
        self.addParameter(QgsProcessingParameterString("NUMBER", tr("Sheet number")))
        self.addSeriesParameter()
        self.addParameter(QgsProcessingParameterFeatureSink(
            "OUTPUT", tr("Sheet"), QgsProcessing.TypeVectorPolygon))

    def processAlgorithm(self, parameters, context, feedback):  # noqa: N802
        number = self.parameterAsString(parameters, "NUMBER", context).strip()
        series = self.series(parameters, context)
        try:
            sheet = sheetwright.extent(number, series)
        except ValueError as e:
            raise refused(e)
        fields = sheet_fields(extent=True)
        sink, dest = self.sink(parameters, context, fields)
        sink.addFeature(sheet_feature(fields, sheet, extent=True), QgsFeatureSink.FastInsert)
        feedback.setProgress(100)
        return {"OUTPUT": dest}
