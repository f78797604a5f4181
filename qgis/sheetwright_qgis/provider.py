"""The provider `sheetwright` and its four algorithms."""

from qgis.core import QgsProcessingProvider

from .find_sheet import FindSheet
from .index_grid import IndexGrid
from .point_numbers import PointNumbers
from .sheets_of_layer import SheetsOfLayer


class SheetwrightProvider(QgsProcessingProvider):
    def id(self):
        return "sheetwright"

    def name(self):
        return "Sheetwright"

    def longName(self):  # noqa: N802
        import sheetwright

        return f"Sheetwright {sheetwright.__version__}"

    def loadAlgorithms(self):  # noqa: N802
        for alg in (SheetsOfLayer(), PointNumbers(), IndexGrid(), FindSheet()):
            self.addAlgorithm(alg)
