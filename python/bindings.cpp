// The extension module under the `sheetwright` package: the library's calls with
// NumPy arrays in and out, the interpreter's lock released while the library
// works, and sheetwright::Error raised as ValueError. The Python side
// (sheetwright/__init__.py) turns geometry objects into parts and builds the
// results users see.

#include <sheetwright/sheetwright.h>

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace py = pybind11;
namespace swl = sheetwright;

namespace {

using DoubleArray = py::array_t<double, py::array::c_style | py::array::forcecast>;

swl::Series SeriesOf(const std::string& name) {
    return swl::ParseSeries(name);
}

std::string NumberOne(double lat, double lon, const std::string& series, const std::string& scale) {
    return swl::Number(lat, lon, SeriesOf(series), scale);
}

// Numbers of equal-length 1-D arrays as a NumPy str array as wide as its longest
// number. The library writes fixed byte fields; they are widened to the four-byte
// characters of NumPy's str type, all without the interpreter's lock.
py::array NumberMany(const DoubleArray& lat, const DoubleArray& lon, const std::string& series,
                     const std::string& scale) {
    if (lat.ndim() != 1 || lon.ndim() != 1 || lat.shape(0) != lon.shape(0)) {
        throw swl::Error("latitudes and longitudes must be 1-D arrays of the same length");
    }
    const swl::Series s = SeriesOf(series);
    const auto n = static_cast<std::size_t>(lat.shape(0));
    constexpr std::size_t width = swl::NumberWidth;
    std::vector<char> fields(n * width);
    std::size_t longest = 1;
    {
        py::gil_scoped_release unlocked;
        swl::NumberBatch(lat.data(), lon.data(), n, s, scale, fields.data(), width);
        for (std::size_t i = 0; i < n; ++i) {
            longest = std::max(longest, strnlen(fields.data() + i * width, width));
        }
    }
    const std::vector<py::ssize_t> shape{static_cast<py::ssize_t>(n)};
    py::array out(py::dtype("<U" + std::to_string(longest)), shape);
    auto* chars = static_cast<uint32_t*>(out.mutable_data());
    {
        py::gil_scoped_release unlocked;
        for (std::size_t i = 0; i < n; ++i) {
            const char* field = fields.data() + i * width;
            uint32_t* to = chars + i * longest;
            for (std::size_t k = 0; k < longest; ++k) {
                to[k] = static_cast<unsigned char>(field[k]);
            }
        }
    }
    return out;
}

py::dict ExtentOf(const std::string& number, const std::string& series) {
    const swl::SheetInfo info = swl::Extent(number, SeriesOf(series));
    py::dict d;
    d["sheet_no"] = info.Number;
    d["series"] = series;
    d["scale"] = info.Scale;
    d["west"] = info.Extent.West;
    d["south"] = info.Extent.South;
    d["east"] = info.Extent.East;
    d["north"] = info.Extent.North;
    static const char* const names[] = {"nw", "n", "ne", "w", "e", "sw", "s", "se"};
    py::dict neighbours;
    for (std::size_t i = 0; i < info.Neighbours.size(); ++i) {
        neighbours[names[i]] = info.Neighbours[i];
    }
    d["neighbours"] = neighbours;
    return d;
}

// The result dicts, made here rather than in Python: a grid can hold millions
// of sheets, and one dict each is most of the time a call takes. The keys and the
// series and scale texts are made once and shared by every dict.
class CellDicts {
public:
    CellDicts(const std::string& series, const std::string& scale, bool perFeature, py::object ids)
        : series_(series), scale_(scale), perFeature_(perFeature), ids_(std::move(ids)) {}

    py::list operator()(const std::vector<swl::Cell>& cells) const {
        py::list out(cells.size());
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const swl::Cell& c = cells[i];
            py::dict d;
            if (perFeature_) {
                Set(d, feature_,
                    ids_.is_none() ? py::int_(c.Feature) : py::object(ids_[py::int_(c.Feature)]));
            }
            Set(d, sheetNo_, py::str(c.Number));
            Set(d, in_, py::bool_(c.In));
            Set(d, seriesKey_, series_);
            Set(d, scaleKey_, scale_);
            Set(d, west_, py::float_(c.Extent.West));
            Set(d, south_, py::float_(c.Extent.South));
            Set(d, east_, py::float_(c.Extent.East));
            Set(d, north_, py::float_(c.Extent.North));
            PyList_SET_ITEM(out.ptr(), static_cast<py::ssize_t>(i), d.release().ptr());
        }
        return out;
    }

private:
    static void Set(py::dict& d, const py::str& key, const py::handle& value) {
        if (PyDict_SetItem(d.ptr(), key.ptr(), value.ptr()) != 0) {
            throw py::error_already_set();
        }
    }

    py::str series_;
    py::str scale_;
    bool perFeature_;
    py::object ids_;
    py::str feature_{"feature"}, sheetNo_{"sheet_no"}, in_{"in"}, seriesKey_{"series"},
        scaleKey_{"scale"}, west_{"west"}, south_{"south"}, east_{"east"}, north_{"north"};
};

py::list GridOf(const std::string& series, const std::string& scale, double west, double south,
                double east, double north) {
    const swl::Series s = SeriesOf(series);
    std::vector<swl::Cell> cells;
    {
        py::gil_scoped_release unlocked;
        cells = swl::Grid(s, scale, {west, south, east, north});
    }
    return CellDicts(series, scale, false, py::none())(cells);
}

// `features`: per feature a list of (kind, positions), kind 1 point, 2 line,
// 3 ring, positions an (n, 2) array of longitude, latitude.
py::list SheetsOf(const py::list& features, const std::string& series, const std::string& scale,
                  bool inOnly, bool perFeature, int32_t touchResolution, py::object ids) {
    std::vector<swl::Geometry> geometries;
    geometries.reserve(features.size());
    for (const py::handle feature : features) {
        swl::Geometry g;
        for (const py::handle part : feature.cast<py::list>()) {
            const auto t = part.cast<py::tuple>();
            const int kind = t[0].cast<int>();
            if (kind < 1 || kind > 3) {
                throw swl::Error("unknown part kind " + std::to_string(kind));
            }
            const auto xy = t[1].cast<DoubleArray>();
            if (xy.ndim() != 2 || xy.shape(1) != 2) {
                throw swl::Error("a part's positions must be an (n, 2) array");
            }
            swl::Part p;
            p.Kind = static_cast<swl::PartKind>(kind);
            const auto rows = xy.unchecked<2>();
            p.Positions.reserve(static_cast<std::size_t>(rows.shape(0)));
            for (py::ssize_t i = 0; i < rows.shape(0); ++i) {
                p.Positions.push_back({rows(i, 0), rows(i, 1)});
            }
            g.Parts.push_back(std::move(p));
        }
        geometries.push_back(std::move(g));
    }
    swl::SheetsOptions o;
    o.InOnly = inOnly;
    o.PerFeature = perFeature;
    o.TouchResolution = touchResolution;
    const swl::Series s = SeriesOf(series);
    std::vector<swl::Cell> cells;
    {
        py::gil_scoped_release unlocked;
        cells = swl::Sheets(geometries, s, scale, o);
    }
    return CellDicts(series, scale, perFeature, std::move(ids))(cells);
}

} // namespace

PYBIND11_MODULE(_sheetwright, m) {
    m.doc() = "The sheet index's library calls; use the sheetwright package.";
    py::register_exception<swl::Error>(m, "Error", PyExc_ValueError);
    m.attr("__version__") = swl::VersionText();
    m.def(
        "scales", [](const std::string& series) { return swl::Scales(SeriesOf(series)); },
        py::arg("series"));
    m.def("number_one", &NumberOne, py::arg("lat"), py::arg("lon"), py::arg("series"),
          py::arg("scale"));
    m.def("number_many", &NumberMany, py::arg("lat"), py::arg("lon"), py::arg("series"),
          py::arg("scale"));
    m.def("extent", &ExtentOf, py::arg("number"), py::arg("series"));
    m.def("grid", &GridOf, py::arg("series"), py::arg("scale"), py::arg("west"), py::arg("south"),
          py::arg("east"), py::arg("north"));
    m.def("sheets", &SheetsOf, py::arg("features"), py::arg("series"), py::arg("scale"),
          py::arg("in_only"), py::arg("per_feature"), py::arg("touch_resolution"),
          py::arg("ids") = py::none());
}
