#include "exchange/OgrGridFile.h"

#include "coverage/FeatureUnion.h"
#include "exchange/FeatureShapes.h"
#include "exchange/FileError.h"
#include "exchange/FileNames.h"
#include "exchange/SafeFile.h"
#include "exchange/SheetCorners.h"
#include "index/Convertions.h"

#include <cpl_conv.h>
#include <cpl_error.h>
#include <cpl_string.h>
#include <cpl_vsi.h>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>

namespace sw {

namespace {

constexpr const char* GridLayerName = "sheets";
constexpr const char* FeatureLayerName = "feature";

double Degrees(const DmsAngle& a) {
    return DmsToDecimal(a);
}

void RegisterDrivers() {
    static std::once_flag once;
    std::call_once(once, [] { GDALAllRegister(); });
}

// OGR reports through a global handler; while we write, its messages are kept
// for our own error text instead of going to stderr.
class QuietErrors {
public:
    QuietErrors() {
        CPLPushErrorHandler(CPLQuietErrorHandler);
        CPLErrorReset();
    }
    ~QuietErrors() { CPLPopErrorHandler(); }
    QuietErrors(const QuietErrors&) = delete;
    QuietErrors& operator=(const QuietErrors&) = delete;
};

[[noreturn]] void Fail(const std::string& what) {
    const std::string reason = CPLGetLastErrorMsg();
    throw FileError(what + (reason.empty() ? std::string() : ": " + reason));
}

// A folder of GDAL's in-memory file system, removed with everything in it.
class MemoryFolder {
public:
    MemoryFolder() {
        static std::atomic<unsigned> counter{0};
        path_ = "/vsimem/sheetwright-" + std::to_string(counter++) + "-" +
                std::to_string(reinterpret_cast<std::uintptr_t>(this));
        VSIMkdir(path_.c_str(), 0755);
    }
    ~MemoryFolder() { VSIRmdirRecursive(path_.c_str()); }
    MemoryFolder(const MemoryFolder&) = delete;
    MemoryFolder& operator=(const MemoryFolder&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

struct DatasetCloser {
    void operator()(GDALDataset* ds) const { GDALClose(ds); }
};
using DatasetPtr = std::unique_ptr<GDALDataset, DatasetCloser>;

OGRSpatialReference Wgs84() {
    OGRSpatialReference srs;
    srs.SetWellKnownGeogCS("WGS84");
    // Longitude first, as every file of this program writes it.
    srs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return srs;
}

void AddField(OGRLayer& layer, const char* name, OGRFieldType type,
              OGRFieldSubType sub = OFSTNone) {
    OGRFieldDefn field(name, type);
    field.SetSubType(sub);
    if (layer.CreateField(&field) != OGRERR_NONE) {
        Fail(std::string("The field \"") + name + "\" could not be created");
    }
}

std::unique_ptr<OGRPolygon> CellPolygon(const SheetBox& b) {
    auto ring = std::make_unique<OGRLinearRing>();
    // Counter-clockwise seen from above, as RFC 7946 asks of outer rings.
    ring->addPoint(b.West, b.South);
    ring->addPoint(b.East, b.South);
    ring->addPoint(b.East, b.North);
    ring->addPoint(b.West, b.North);
    ring->addPoint(b.West, b.South);
    auto poly = std::make_unique<OGRPolygon>();
    poly->addRingDirectly(ring.release());
    return poly;
}

const char* SeriesName(const Settings& s) {
    return s.MapSeries == Series::OldSeries ? "old" : "open";
}

OGRLayer& CreateGridLayer(GDALDataset& ds, std::string_view driver) {
    OGRSpatialReference srs = Wgs84();
    CPLStringList options;
    if (driver == "CSV") {
        options.SetNameValue("GEOMETRY", "AS_WKT");
    } else if (driver == "GeoJSON") {
        options.SetNameValue("RFC7946", "YES");
        // Whole arc seconds need more than RFC 7946's suggested 7 decimals to come
        // back as the same second.
        options.SetNameValue("COORDINATE_PRECISION", "12");
    }
    OGRLayer* layer = ds.CreateLayer(GridLayerName, &srs, wkbPolygon, options.List());
    if (layer == nullptr) {
        Fail("The sheet layer could not be created");
    }
    AddField(*layer, "sheet_no", OFTString);
    AddField(*layer, "in", OFTInteger, OFSTBoolean);
    AddField(*layer, "series", OFTString);
    AddField(*layer, "scale", OFTString);
    for (const char* edge : {"west", "south", "east", "north"}) {
        AddField(*layer, edge, OFTReal);
    }
    return *layer;
}

// One feature per cell (or per IN cell), in list order, with the corners the
// KML and shapefile writers give the same cell. `afterEach` runs after every
// feature: a streamed write stops there once its output has failed.
void WriteGridLayer(GDALDataset& ds, std::string_view driver, const OgrGridRequest& rq,
                    const std::function<void()>& afterEach = {}) {
    OGRLayer& layer = CreateGridLayer(ds, driver);
    const SheetGrid& g = rq.grid;
    const SheetCorners corners(rq.settings, g);
    const std::string series = SeriesName(rq.settings);
    const bool transaction = layer.StartTransaction() == OGRERR_NONE;
    OGRFeatureUniquePtr f(OGRFeature::CreateFeature(layer.GetLayerDefn()));
    f->SetField("series", series.c_str());
    f->SetField("scale", rq.settings.ScaleText.c_str());
    for (std::size_t k = 0; k < corners.Count(); ++k) {
        const SheetRec& rec = g.SheetList[k];
        if (rq.inOnly && rec.InFlag != 1) {
            continue;
        }
        const SheetBox b = corners.Box(k);
        const std::string sheetNo(rec.SheetNo.view());
        f->SetFID(OGRNullFID);
        f->SetField("sheet_no", sheetNo.c_str());
        f->SetField("in", rec.InFlag == 1 ? 1 : 0);
        f->SetField("west", b.West);
        f->SetField("south", b.South);
        f->SetField("east", b.East);
        f->SetField("north", b.North);
        f->SetGeometryDirectly(CellPolygon(b).release());
        if (layer.CreateFeature(f.get()) != OGRERR_NONE) {
            Fail("The sheet " + sheetNo + " could not be written");
        }
        if (afterEach) {
            afterEach();
        }
    }
    if (transaction && layer.CommitTransaction() != OGRERR_NONE) {
        Fail("The sheet layer could not be written");
    }
}

void AddVertices(OGRSimpleCurve& curve, const Feature& f, const Ring& span) {
    for (int32_t k = span.First; k < span.First + span.Count; ++k) {
        const VertexRec& v = f.Vertices[static_cast<std::size_t>(k)];
        curve.addPoint(Degrees(v.Long), Degrees(v.Lat));
    }
}

std::unique_ptr<OGRPolygon> PolygonGeometry(const Feature& f, const ShapePolygon& shape) {
    auto poly = std::make_unique<OGRPolygon>();
    for (std::size_t r = 0; r <= shape.Holes.size(); ++r) {
        auto ring = std::make_unique<OGRLinearRing>();
        AddVertices(*ring, f, r == 0 ? shape.Outer : shape.Holes[r - 1]);
        ring->closeRings();
        poly->addRingDirectly(ring.release());
    }
    return poly;
}

std::unique_ptr<OGRLineString> LineGeometry(const Feature& f, const Ring& span) {
    auto line = std::make_unique<OGRLineString>();
    AddVertices(*line, f, span);
    return line;
}

std::unique_ptr<OGRPoint> PointGeometry(const VertexRec& v) {
    return std::make_unique<OGRPoint>(Degrees(v.Long), Degrees(v.Lat));
}

// Every part of one feature with its holes: a single shape as itself, several
// of one kind as the multi-shape of that kind, mixed kinds as a collection.
std::unique_ptr<OGRGeometry> MemberGeometry(const Feature& f) {
    const MemberShapes shapes = ShapesOf(f);
    std::vector<std::unique_ptr<OGRGeometry>> parts;
    for (const ShapePolygon& p : shapes.Polygons) {
        parts.push_back(PolygonGeometry(f, p));
    }
    for (const Ring& l : shapes.Lines) {
        parts.push_back(LineGeometry(f, l));
    }
    for (const VertexRec& v : shapes.Points) {
        parts.push_back(PointGeometry(v));
    }
    if (parts.size() <= 1) {
        return parts.empty() ? nullptr : std::move(parts.front());
    }
    std::unique_ptr<OGRGeometryCollection> multi;
    if (shapes.Polygons.size() == parts.size()) {
        multi = std::make_unique<OGRMultiPolygon>();
    } else if (shapes.Lines.size() == parts.size()) {
        multi = std::make_unique<OGRMultiLineString>();
    } else if (shapes.Points.size() == parts.size()) {
        multi = std::make_unique<OGRMultiPoint>();
    } else {
        multi = std::make_unique<OGRGeometryCollection>();
    }
    for (auto& part : parts) {
        multi->addGeometryDirectly(part.release());
    }
    return multi;
}

// The layer's one geometry type: the members' own when they agree, the multi
// type of their kind when single and multi shapes of one kind mix, else any.
OGRwkbGeometryType LayerGeometryType(const std::vector<std::unique_ptr<OGRGeometry>>& geometries) {
    const OGRwkbGeometryType first = geometries.front()->getGeometryType();
    bool same = true;
    bool oneKind = true;
    const OGRwkbGeometryType kind =
        OGR_GT_GetCollection(first) == wkbUnknown ? first : OGR_GT_GetCollection(first);
    for (const auto& g : geometries) {
        const OGRwkbGeometryType t = g->getGeometryType();
        same = same && t == first;
        oneKind = oneKind && (t == kind || OGR_GT_GetCollection(t) == kind);
    }
    if (same) {
        return first;
    }
    return oneKind && kind != wkbGeometryCollection ? kind : wkbUnknown;
}

void WriteFeatureLayer(GDALDataset& ds, const Feature& feature) {
    // One row per feature the input names (each chosen feature of a layer),
    // every part and hole as read.
    std::vector<std::unique_ptr<OGRGeometry>> geometries;
    for (const Feature& member : UnionMembers(feature)) {
        if (std::unique_ptr<OGRGeometry> g = MemberGeometry(member)) {
            geometries.push_back(std::move(g));
        }
    }
    if (geometries.empty()) {
        return;
    }
    const OGRwkbGeometryType type = LayerGeometryType(geometries);
    OGRSpatialReference srs = Wgs84();
    OGRLayer* layer = ds.CreateLayer(FeatureLayerName, &srs, type, nullptr);
    if (layer == nullptr) {
        Fail("The feature layer could not be created");
    }
    for (auto& g : geometries) {
        OGRGeometry* geometry = g.release();
        if (type != wkbUnknown && geometry->getGeometryType() != type) {
            geometry = OGRGeometryFactory::forceTo(geometry, type);
        }
        OGRFeatureUniquePtr f(OGRFeature::CreateFeature(layer->GetLayerDefn()));
        f->SetGeometryDirectly(geometry);
        if (layer->CreateFeature(f.get()) != OGRERR_NONE) {
            Fail("The feature could not be written");
        }
    }
}

// GDAL's "/vsistdout/" writes through one process-wide function, which is
// pointed at a sink for the length of one streamed write; the writes take turns.
class StandardOutputSink {
public:
    explicit StandardOutputSink(const std::function<void(std::string_view)>& put)
        : lock_(Mutex()), put_(put) {
        VSIStdoutSetRedirection(&StandardOutputSink::Write, reinterpret_cast<FILE*>(this));
    }
    ~StandardOutputSink() { VSIStdoutSetRedirection(std::fwrite, stdout); }
    StandardOutputSink(const StandardOutputSink&) = delete;
    StandardOutputSink& operator=(const StandardOutputSink&) = delete;

    // The first failure of the sink, raised again on our side of GDAL.
    void RethrowFailure() const {
        if (failure_) {
            std::rethrow_exception(failure_);
        }
    }

private:
    static std::mutex& Mutex() {
        static std::mutex m;
        return m;
    }

    static std::size_t Write(const void* data, std::size_t size, std::size_t count, FILE* stream) {
        auto* self = reinterpret_cast<StandardOutputSink*>(stream);
        if (self->failure_) {
            return 0;
        }
        try {
            self->put_(std::string_view(static_cast<const char*>(data), size * count));
            return count;
        } catch (...) {
            // Exceptions must not cross GDAL's frames: kept, and raised after the feature.
            self->failure_ = std::current_exception();
            return 0;
        }
    }

    std::lock_guard<std::mutex> lock_;
    const std::function<void(std::string_view)>& put_;
    std::exception_ptr failure_;
};

} // namespace

std::vector<std::pair<std::string, std::string>> OgrGridFiles(const std::filesystem::path& fileName,
                                                              const OgrFormat& format,
                                                              const OgrGridRequest& request) {
    RegisterDrivers();
    QuietErrors quiet;
    const std::string driver(format.Driver);
    const std::string ownExtension(format.Extension);
    GDALDriver* drv = GetGDALDriverManager()->GetDriverByName(driver.c_str());
    if (drv == nullptr) {
        throw FileError("No vector format is called \"" + driver + "\"");
    }
    // Drivers decide by the extension whether to make a file or a folder of
    // files, so the dataset is made under the driver's own extension and each
    // file named after `fileName` on the way out.
    MemoryFolder folder;
    const std::string inside = folder.Path() + "/dataset" + ownExtension;
    {
        DatasetPtr ds(drv->Create(inside.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
        if (!ds) {
            Fail("The " + driver + " file \"" + fileName.string() + "\" could not be created");
        }
        WriteGridLayer(*ds, driver, request);
        if (driver == "GPKG" && request.feature != nullptr) {
            WriteFeatureLayer(*ds, *request.feature);
        }
        ds->FlushCache();
        if (CPLGetLastErrorType() >= CE_Failure) {
            Fail("The " + driver + " file \"" + fileName.string() + "\" could not be written");
        }
    }
    std::vector<std::pair<std::string, std::string>> files;
    const CPLStringList names(VSIReadDir(folder.Path().c_str()));
    for (int i = 0; i < names.size(); ++i) {
        const std::string full = folder.Path() + "/" + names[i];
        vsi_l_offset length = 0;
        const GByte* data = VSIGetMemFileBuffer(full.c_str(), &length, FALSE);
        if (data == nullptr) {
            continue;
        }
        const std::string ext = LowerExtension(names[i]);
        files.emplace_back(
            ext == ownExtension ? fileName.string() : ReplaceExtension(fileName.string(), ext),
            std::string(reinterpret_cast<const char*>(data), static_cast<std::size_t>(length)));
    }
    std::sort(files.begin(), files.end());
    return files;
}

void WriteOgrGridFile(const std::filesystem::path& path, const OgrFormat& format,
                      const OgrGridRequest& request) {
    // A shapefile is a set of files; the others keep the name exactly as given.
    const std::string target = format.Extension == ".shp" && LowerExtension(path.string()) != ".shp"
                                   ? ReplaceExtension(path.string(), ".shp")
                                   : path.string();
    if (StreamsFeatures(format)) {
        StagedFile file(target, WriteFailureText::Runtime);
        StreamOgrGrid(format, request, [&file](std::string_view piece) { file.Write(piece); });
        file.Commit();
        return;
    }
    const std::filesystem::path p(target);
    const auto files = OgrGridFiles(p.filename().string(), format, request);
    std::vector<StagedFile> staged;
    staged.reserve(files.size());
    for (const auto& [name, bytes] : files) {
        staged.emplace_back((p.parent_path() / name).string(), bytes, WriteFailureText::Runtime);
    }
    for (StagedFile& f : staged) {
        f.Commit();
    }
}

bool StreamsFeatures(const OgrFormat& format) {
    return format.Driver == "GeoJSON" || format.Driver == "CSV";
}

void StreamOgrGrid(const OgrFormat& format, const OgrGridRequest& request,
                   const std::function<void(std::string_view)>& put) {
    RegisterDrivers();
    QuietErrors quiet;
    const std::string driver(format.Driver);
    GDALDriver* drv = GetGDALDriverManager()->GetDriverByName(driver.c_str());
    if (drv == nullptr || !StreamsFeatures(format)) {
        throw FileError("The " + driver + " format cannot be written as a stream");
    }
    StandardOutputSink sink(put);
    {
        DatasetPtr ds(drv->Create("/vsistdout/", 0, 0, 0, GDT_Unknown, nullptr));
        if (!ds) {
            Fail("The " + driver + " output could not be started");
        }
        WriteGridLayer(*ds, driver, request, [&sink] { sink.RethrowFailure(); });
    } // closing the dataset writes the end of the document
    sink.RethrowFailure();
    if (CPLGetLastErrorType() >= CE_Failure) {
        Fail("The " + driver + " output could not be written");
    }
}

} // namespace sw
