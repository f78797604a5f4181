"""sheetwright:sheetsoflayer, "Sheets covering features"."""

import json

from qgis.core import (
    QgsFeatureRequest,
    QgsFeatureSink,
    QgsProcessing,
    QgsProcessingException,
    QgsProcessingParameterBoolean,
    QgsProcessingParameterFeatureSink,
    QgsProcessingParameterFeatureSource,
    QgsWkbTypes,
)

import sheetwright

from .common import WGS84, SheetAlgorithm, refused, sheet_feature, sheet_fields, tr


class SheetsOfLayer(SheetAlgorithm):
    def name(self):
        return "sheetsoflayer"

    def displayName(self):  # noqa: N802
        return tr("Sheets covering features")

    def shortHelpString(self):  # noqa: N802
        return tr(
            "The sheets of the index that the features of a layer touch or enclose, as "
            "polygons in WGS 84 with the fields sheet_no, in, series and scale.\n\n"
            "The layer may be in any coordinate system: it is reprojected to WGS 84 first. "
            "Points, lines and polygons (with their holes and parts) are all taken.\n\n"
            "Per feature: the sheets of each feature on its own, with the feature's id in "
            "input_id; otherwise the sheets of all features together.\n"
            "IN sheets only (the default): only the sheets touched or enclosed; otherwise "
            "every sheet of the grid laid over the features, in = 0 for those not covered.\n\n"
            "A scale the series lacks (1:1,25,000 in the open series, 1:10,000 and 1:2000 "
            "in the old) is refused.")

    def initAlgorithm(self, config=None):  # noqa: N802
        self.addParameter(QgsProcessingParameterFeatureSource(
            "INPUT", tr("Input layer"), [QgsProcessing.TypeVectorAnyGeometry]))
        self.addSeriesParameter()
        self.addScaleParameter()
        self.addParameter(QgsProcessingParameterBoolean(
            "PER_FEATURE", tr("Sheets of each feature"), defaultValue=False))
        self.addParameter(QgsProcessingParameterBoolean(
            "IN_ONLY", tr("IN sheets only"), defaultValue=True))
        self.addParameter(QgsProcessingParameterFeatureSink(
            "OUTPUT", tr("Sheets"), QgsProcessing.TypeVectorPolygon))

    def processAlgorithm(self, parameters, context, feedback):  # noqa: N802
        source = self.parameterAsSource(parameters, "INPUT", context)
        if source is None:
            raise QgsProcessingException(self.invalidSourceError(parameters, "INPUT"))
        series = self.series(parameters, context)
        scale = self.scale(parameters, context, series)
        per_feature = self.parameterAsBoolean(parameters, "PER_FEATURE", context)
        in_only = self.parameterAsBoolean(parameters, "IN_ONLY", context)
        fields = sheet_fields(per_feature=per_feature)
        sink, dest = self.sink(parameters, context, fields)

        # Read and reproject: the first half of the progress.
        request = QgsFeatureRequest().setDestinationCrs(WGS84, context.transformContext())
        total = max(source.featureCount(), 1)
        geometries, ids = [], []
        for i, f in enumerate(source.getFeatures(request)):
            if feedback.isCanceled():
                return {"OUTPUT": dest}
            g = f.geometry()
            if not g.isNull() and not g.isEmpty():
                if QgsWkbTypes.isCurvedType(g.wkbType()):
                    g.convertToStraightSegment()
                geometries.append(json.loads(g.asJson(17)))
                ids.append(f.id())
            feedback.setProgress(50.0 * (i + 1) / total)
        if not geometries:
            raise QgsProcessingException(tr("The layer has no feature with a geometry."))

        # Compute: in one go for the union, feature by feature otherwise so that
        # progress moves and a cancel is heard between features.
        try:
            if not per_feature:
                for sheet in sheetwright.sheets(geometries, series, scale, in_only=in_only):
                    sink.addFeature(sheet_feature(fields, sheet), QgsFeatureSink.FastInsert)
            else:
                for k, (g, fid) in enumerate(zip(geometries, ids)):
                    if feedback.isCanceled():
                        break
                    for sheet in sheetwright.sheets(g, series, scale, in_only=in_only):
                        sink.addFeature(sheet_feature(fields, sheet, input_id=fid),
                                        QgsFeatureSink.FastInsert)
                    feedback.setProgress(50.0 + 50.0 * (k + 1) / len(geometries))
        except ValueError as e:
            raise refused(e)
        feedback.setProgress(100)
        return {"OUTPUT": dest}
