"""What the algorithms share: the series and scale choices, the output fields,
and the way a sheet becomes a polygon feature."""

from qgis.core import (
    QgsCoordinateReferenceSystem,
    QgsFeature,
    QgsField,
    QgsFields,
    QgsGeometry,
    QgsProcessingAlgorithm,
    QgsProcessingException,
    QgsProcessingParameterEnum,
    QgsRectangle,
    QgsWkbTypes,
)
from qgis.PyQt.QtCore import QCoreApplication, QVariant

import sheetwright

SERIES = ["old", "open"]
SERIES_CAPTIONS = ["Old series (Topographical Maps)", "Open Series Maps"]
# Every scale of either series, in the order of the SCALE parameter.
SCALES = ["1:1M", "1:2,50,000", "1:1,25,000", "1:50,000", "1:25,000", "1:10,000", "1:2000"]
WGS84 = QgsCoordinateReferenceSystem("EPSG:4326")


def tr(text):
    return QCoreApplication.translate("Sheetwright", text)


class SheetAlgorithm(QgsProcessingAlgorithm):
    """The group, the series and scale parameters and their checks, and the
    output sink."""

    def group(self):
        return tr("Sheet index")

    def groupId(self):  # noqa: N802
        return "sheetindex"

    def createInstance(self):  # noqa: N802
        return type(self)()

    def addSeriesParameter(self, default=1):  # noqa: N802
        self.addParameter(QgsProcessingParameterEnum(
            "SERIES", tr("Series"), options=SERIES_CAPTIONS, defaultValue=default))

    def addScaleParameter(self, default=3):  # noqa: N802
        self.addParameter(QgsProcessingParameterEnum(
            "SCALE", tr("Scale"), options=SCALES, defaultValue=default))

    def series(self, parameters, context):
        return SERIES[self.parameterAsEnum(parameters, "SERIES", context)]

    def sink(self, parameters, context, fields, wkb_type=QgsWkbTypes.Polygon, crs=WGS84):
        """The OUTPUT sink and its destination id; Processing's own error when the
        sink cannot be made."""
        sink, dest = self.parameterAsSink(parameters, "OUTPUT", context, fields, wkb_type, crs)
        if sink is None:
            raise QgsProcessingException(self.invalidSinkError(parameters, "OUTPUT"))
        return sink, dest

    def scale(self, parameters, context, series):
        scale = SCALES[self.parameterAsEnum(parameters, "SCALE", context)]
        if scale not in sheetwright.scales(series):
            raise QgsProcessingException(
                tr("The {} series has no {} scale; its scales are {}.").format(
                    series, scale, ", ".join(sheetwright.scales(series))))
        return scale

    def checkParameterValues(self, parameters, context):  # noqa: N802
        if "SCALE" in [p.name() for p in self.parameterDefinitions()]:
            try:
                self.scale(parameters, context, self.series(parameters, context))
            except QgsProcessingException as e:
                return False, str(e)
        return super().checkParameterValues(parameters, context)


def sheet_fields(per_feature=False, extent=False):
    fields = QgsFields()
    if per_feature:
        fields.append(QgsField("input_id", QVariant.LongLong))
    fields.append(QgsField("sheet_no", QVariant.String, len=20))
    fields.append(QgsField("in", QVariant.Int))
    fields.append(QgsField("series", QVariant.String, len=4))
    fields.append(QgsField("scale", QVariant.String, len=12))
    if extent:
        for name in ("west", "south", "east", "north"):
            fields.append(QgsField(name, QVariant.Double))
    return fields


def sheet_feature(fields, sheet, input_id=None, extent=False):
    f = QgsFeature(fields)
    f.setGeometry(QgsGeometry.fromRect(
        QgsRectangle(sheet["west"], sheet["south"], sheet["east"], sheet["north"])))
    if input_id is not None:
        f["input_id"] = input_id
    f["sheet_no"] = sheet["sheet_no"]
    f["in"] = 1 if sheet.get("in", True) else 0
    f["series"] = sheet["series"]
    f["scale"] = sheet["scale"]
    if extent:
        for name in ("west", "south", "east", "north"):
            f[name] = sheet[name]
    return f


def refused(e):
    """The module's refusal as Processing's error."""
    return QgsProcessingException(str(e))
