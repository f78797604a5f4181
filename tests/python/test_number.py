"""number(), extent() and grid(): scalars, arrays, the command line's answers,
and what bad input raises."""

import numpy as np
import pytest

import sheetwright


def test_worked_example_scalar_and_the_scales_of_each_series():
    assert sheetwright.number(28.6139, 77.2083, "old", "1:50,000") == "53H/2"
    assert sheetwright.number(28.6139, 77.2083) == "H43X02"  # open, 1:50,000 by default
    assert sheetwright.number(28.6139, 77.2083, "open", "1:2000") == "H43X02O04"
    assert sheetwright.number(np.float32(28.6139), 77, "old", "1:1M") == "53"
    assert sheetwright.scales("old") == ["1:1M", "1:2,50,000", "1:1,25,000", "1:50,000",
                                         "1:25,000"]
    assert sheetwright.number(45.0, 77.0) == ""  # outside the index


def test_arrays_of_any_shape_zero_and_one_element_nan_and_outside():
    empty = sheetwright.number(np.array([]), np.array([]))
    assert empty.shape == (0,) and empty.dtype.kind == "U"
    one = sheetwright.number(np.array([28.6139]), np.array([77.2083]), "old", "1:50,000")
    assert one.tolist() == ["53H/2"]
    lat = np.array([[28.6139, np.nan], [50.0, -28.6]])
    lon = np.array([[77.2083, 77.0], [77.0, 77.2]])
    out = sheetwright.number(lat, lon, "old", "1:50,000")
    assert out.shape == (2, 2)
    assert out.tolist() == [["53H/2", ""], ["", ""]]
    # Broadcast: one latitude against a row of longitudes.
    assert sheetwright.number(28.6139, [77.2083, 77.4], "old", "1:50,000").tolist() == \
        ["53H/2", "53H/6"]


def test_array_numbers_equal_the_command_lines_batch(cli):
    rng = np.random.default_rng(23)
    lat = np.round(rng.uniform(3.5, 40.5, 3000), 6)
    lon = np.round(rng.uniform(63.5, 100.5, 3000), 6)
    text = "".join(f"{a!r} {o!r}\n" for a, o in zip(lat, lon))
    for series, scale in [("old", "1:25,000"), ("open", "1:2000"), ("open", "1:1M")]:
        lines = cli.run("number", "--series", series, "--scale", scale, stdin=text).splitlines()
        expected = ["" if n == "#" else n for n in lines]
        assert sheetwright.number(lat, lon, series, scale).tolist() == expected


@pytest.mark.parametrize("call", [
    lambda: sheetwright.number(28.0, 77.0, "new", "1:50,000"),
    lambda: sheetwright.number(28.0, 77.0, "open", "1:1,25,000"),
    lambda: sheetwright.number(float("nan"), 77.0),
    lambda: sheetwright.number("28", 77.0),
    lambda: sheetwright.number([1.0, 2.0, 3.0], [1.0, 2.0]),
    lambda: sheetwright.number(["a"], [1.0]),
    lambda: sheetwright.extent("53Z/99", "old"),
    lambda: sheetwright.extent(53, "old"),
    lambda: sheetwright.grid("old", "1:50,000", (78, 28, 77, 29)),
    lambda: sheetwright.grid("old", "1:50,000", (77, 28, 78)),
    lambda: sheetwright.grid("open", "1:2000", (64, 4, 100, 40)),
])
def test_bad_input_raises_value_error(call):
    with pytest.raises(ValueError):
        call()


def test_extent_and_grid_agree_with_each_other_and_the_command_line(cli):
    e = sheetwright.extent("53H/2", "old")
    assert (e["west"], e["south"], e["east"], e["north"]) == (77.0, 28.5, 77.25, 28.75)
    assert e["scale"] == "1:50,000"
    assert e["neighbours"]["n"] == "53H/1"
    assert "77" in cli.run("extent", "--series", "old", "53H/2")
    cells = sheetwright.grid("open", "1:2,50,000", (76.5, 27.5, 78.5, 29.5))
    assert [c["sheet_no"] for c in cells] == ["H43Q", "H43R", "H44M", "H43W", "H43X", "H44S",
                                              "G43E", "G43F", "G44A"]
    for c in cells:
        back = sheetwright.extent(c["sheet_no"], "open")
        assert (back["west"], back["north"]) == (c["west"], c["north"])
    assert sheetwright.grid("old", "1:1M", (0, 50, 10, 60)) == []
