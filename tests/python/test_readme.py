"""The README's Python examples run as written."""

import os
import re

import pytest


def python_blocks():
    path = os.environ.get("SHEETWRIGHT_README")
    if not path:
        pytest.fail("SHEETWRIGHT_README must name the README")
    text = open(path, encoding="utf-8").read()
    section = text.split("\n## Python\n", 1)[1].split("\n## ", 1)[0]
    return re.findall(r"```python\n(.*?)```", section, re.S)


def test_readme_python_examples_run():
    blocks = python_blocks()
    assert blocks, "the README's Python section has no example"
    for code in blocks:
        exec(compile(code, "README.md", "exec"), {})
