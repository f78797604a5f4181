"""A headless QGIS with the plugin loaded from QGIS_PLUGINPATH, as QGIS loads it."""

import json
import os
import sys

import pytest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "python"))
from samples import SAMPLE_LAYER, Cli  # noqa: E402

os.environ.setdefault("QT_QPA_PLATFORM", "offscreen")


@pytest.fixture(scope="session")
def cli():
    return Cli(os.environ["SHEETWRIGHT_CLI"])


@pytest.fixture
def sample_file(tmp_path):
    path = tmp_path / "sample.geojson"
    path.write_text(json.dumps(SAMPLE_LAYER))
    return path


@pytest.fixture(scope="session")
def qgis_app(tmp_path_factory):
    # A profile of its own, so the user's QGIS settings neither help nor harm.
    os.environ["QGIS_CUSTOM_CONFIG_PATH"] = str(tmp_path_factory.mktemp("profile"))
    from qgis.core import QgsApplication

    app = QgsApplication([], False)
    app.initQgis()
    sys.path.insert(0, "/usr/share/qgis/python/plugins")
    from processing.core.Processing import Processing

    Processing.initialize()
    plugin_path = os.environ["QGIS_PLUGINPATH"]
    sys.path.insert(0, plugin_path)
    import sheetwright_qgis

    assert os.path.dirname(sheetwright_qgis.__file__) == os.path.join(plugin_path,
                                                                      "sheetwright_qgis")
    plugin = sheetwright_qgis.classFactory(None)
    plugin.initProcessing()
    yield app
    plugin.unload()


@pytest.fixture
def run(qgis_app):
    import processing

    def run_alg(alg, **params):
        params.setdefault("OUTPUT", "memory:")
        return processing.run(f"sheetwright:{alg}", params)["OUTPUT"]

    return run_alg
