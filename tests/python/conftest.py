"""What the module's tests share: the command-line tool they compare with, the
sample layer, and a scratch folder."""

import json
import os

import pytest

from samples import SAMPLE_LAYER, Cli


@pytest.fixture(scope="session")
def cli():
    path = os.environ.get("SHEETWRIGHT_CLI")
    if not path or not os.access(path, os.X_OK):
        pytest.fail("SHEETWRIGHT_CLI must name the built sheetwright-cli")
    return Cli(path)


@pytest.fixture
def sample_file(tmp_path):
    path = tmp_path / "sample.geojson"
    path.write_text(json.dumps(SAMPLE_LAYER))
    return path
