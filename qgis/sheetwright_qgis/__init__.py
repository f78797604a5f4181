"""The Sheetwright plugin: a Processing provider of the sheet index."""


def classFactory(iface):  # noqa: N802 - the name QGIS calls
    from .plugin import SheetwrightPlugin

    return SheetwrightPlugin(iface)
