#include "exchange/OgrGridFile.h"

#include "coverage/CellNumbering.h"
#include "coverage/FeatureUnion.h"
#include "exchange/FeatureShapes.h"
#include "exchange/FileError.h"
#include "exchange/FileNames.h"
#include "exchange/FileReading.h"
#include "exchange/FileTexts.h"
#include "exchange/GdalErrors.h"
#include "exchange/SafeFile.h"
#include "exchange/SheetCorners.h"
#include "exchange/TemporaryFiles.h"
#include "index/Convertions.h"
#include "report/SheetOrder.h"

#include <cpl_conv.h>
#include <cpl_error.h>
#include <cpl_string.h>
#include <cpl_vsi.h>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <system_error>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>

namespace sw {

namespace {

constexpr const char* GridLayerName = "sheets";
constexpr const char* FeatureLayerName = "feature";

double Degrees(const DmsAngle& a) {
    return DmsToDecimal(a);
}

// OGR's own reason when it gave one, else the system's: a full disk makes some
// drivers fail a feature without a word, errno still telling why.
[[noreturn]] void Fail(const std::string& what) {
    const int err = errno;
    std::string reason = CPLGetLastErrorMsg();
    // A full disk first, whatever the driver made of it ("no such table" from a
    // database whose pages were never written).
    const bool full = err == ENOSPC || err == EFBIG || err == EDQUOT;
    if ((reason.empty() || full) && err != 0) {
        const std::string system = SystemReasonText(err);
        reason = reason.empty() ? system : system + " (" + reason + ")";
    }
    throw FileError(what + (reason.empty() ? std::string() : ": " + reason));
}

// A GDAL setting for this thread while alive, the previous value restored after.
class ThreadConfig {
public:
    ThreadConfig(const char* key, const char* value) : key_(key) {
        if (const char* old = CPLGetThreadLocalConfigOption(key, nullptr)) {
            previous_ = old;
            hadPrevious_ = true;
        }
        CPLSetThreadLocalConfigOption(key, value);
    }
    ~ThreadConfig() {
        CPLSetThreadLocalConfigOption(key_, hadPrevious_ ? previous_.c_str() : nullptr);
    }
    ThreadConfig(const ThreadConfig&) = delete;
    ThreadConfig& operator=(const ThreadConfig&) = delete;

private:
    const char* key_;
    std::string previous_;
    bool hadPrevious_ = false;
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

// GeoJSON has no text type of its own that readers keep: GDAL and QGIS read the
// caption "1:50,000" as the time 01:50:00. Every other format declares its types.
bool KeepsTextAsText(std::string_view driver) {
    return driver != "GeoJSON";
}

// Features written between two commits (as many as ogr2ogr's own groups): a
// GeoPackage or SQLite file otherwise keeps one huge transaction open to the end.
constexpr std::size_t FeaturesPerTransaction = 100000;

// A FlatGeobuf spatial index is built in memory at the end, some 250 bytes a
// feature in GDAL's writer: past this many cells the file is written without
// one, front to back in bounded memory (readers then scan it, in the grid's
// row order).
constexpr std::size_t MaxIndexedFeatures = 250'000;

OGRLayer& CreateGridLayer(GDALDataset& ds, std::string_view driver, bool perFeature, bool streamed,
                          std::size_t rows) {
    OGRSpatialReference srs = Wgs84();
    CPLStringList options;
    if (driver == "FlatGeobuf" && rows > MaxIndexedFeatures) {
        options.SetNameValue("SPATIAL_INDEX", "NO");
    }
    if (driver == "CSV") {
        options.SetNameValue("GEOMETRY", "AS_WKT");
        // The column types beside the file, so that readers keep "scale_name" and
        // the sheet numbers as text and the edges as numbers (a stream has no beside).
        if (!streamed) {
            options.SetNameValue("CREATE_CSVT", "YES");
        }
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
    if (perFeature) {
        AddField(*layer, "feature", OFTString);
    }
    AddField(*layer, "sheet_no", OFTString);
    AddField(*layer, "in", OFTInteger, OFSTBoolean);
    AddField(*layer, "series", OFTString);
    AddField(*layer, "scale", OFTInteger);
    for (const char* edge : {"west", "south", "east", "north"}) {
        AddField(*layer, edge, OFTReal);
    }
    if (KeepsTextAsText(driver)) {
        AddField(*layer, "scale_name", OFTString);
    }
    return *layer;
}

// Feature after feature into one layer, committed every FeaturesPerTransaction
// where the driver has transactions.
class LayerWriter {
public:
    LayerWriter(OGRLayer& layer, std::function<void()> afterEach)
        : layer_(layer), afterEach_(std::move(afterEach)) {
        transaction_ = layer_.StartTransaction() == OGRERR_NONE;
    }
    LayerWriter(const LayerWriter&) = delete;
    LayerWriter& operator=(const LayerWriter&) = delete;

    void Add(OGRFeature& f, const std::string& sheetNo) {
        if (layer_.CreateFeature(&f) != OGRERR_NONE) {
            Fail("The sheet " + sheetNo + " could not be written");
        }
        if (afterEach_) {
            afterEach_();
        }
        if (transaction_ && ++inTransaction_ == FeaturesPerTransaction) {
            inTransaction_ = 0;
            if (layer_.CommitTransaction() != OGRERR_NONE) {
                Fail("The sheet layer could not be written");
            }
            transaction_ = layer_.StartTransaction() == OGRERR_NONE;
        }
    }

    void End() {
        if (transaction_ && layer_.CommitTransaction() != OGRERR_NONE) {
            Fail("The sheet layer could not be written");
        }
        transaction_ = false;
    }

private:
    OGRLayer& layer_;
    std::function<void()> afterEach_;
    bool transaction_ = false;
    std::size_t inTransaction_ = 0;
};

// The fields every row of one grid shares.
OGRFeatureUniquePtr GridFeature(OGRLayer& layer, std::string_view driver, const Settings& s) {
    OGRFeatureUniquePtr f(OGRFeature::CreateFeature(layer.GetLayerDefn()));
    f->SetField("series", SeriesName(s));
    f->SetField("scale", static_cast<GIntBig>(ScaleDenominator(s.ScaleText)));
    if (KeepsTextAsText(driver)) {
        f->SetField("scale_name", s.ScaleText.c_str());
    }
    return f;
}

void SetCell(OGRFeature& f, const std::string& sheetNo, bool in, const SheetBox& b) {
    f.SetFID(OGRNullFID);
    f.SetField("sheet_no", sheetNo.c_str());
    f.SetField("in", in ? 1 : 0);
    f.SetField("west", b.West);
    f.SetField("south", b.South);
    f.SetField("east", b.East);
    f.SetField("north", b.North);
    f.SetGeometryDirectly(CellPolygon(b).release());
}

// How many rows the sheet layer will get; 0 when not known beforehand.
std::size_t ExpectedRows(const OgrGridRequest& rq) {
    if (rq.perFeature) {
        return 0;
    }
    if (rq.inOnly) {
        return static_cast<std::size_t>(std::max(rq.grid.InSheetCount, 0));
    }
    if (rq.in != nullptr) {
        return rq.in->size();
    }
    return rq.grid.SheetList.size();
}

// One feature per cell (or per IN cell), in list order, with the corners the
// KML and shapefile writers give the same cell; or, per feature, the IN cells of
// each feature's own grid. `afterEach` runs after every row of a streamed write,
// which stops there once its output has failed.
void WriteGridLayer(GDALDataset& ds, std::string_view driver, const OgrGridRequest& rq,
                    const std::function<void()>& afterEach = {}) {
    OGRLayer& layer = CreateGridLayer(ds, driver, static_cast<bool>(rq.perFeature),
                                      static_cast<bool>(afterEach), ExpectedRows(rq));
    LayerWriter writer(layer, afterEach);
    OGRFeatureUniquePtr f = GridFeature(layer, driver, rq.settings);
    if (rq.perFeature) {
        FeatureGrid next;
        while (rq.perFeature(next)) {
            const SheetCorners corners(rq.settings, next.Grid);
            f->SetField("feature", next.Name.c_str());
            for (const uint32_t k : InSheetsInReportOrder(next.Grid.SheetList)) {
                if (k >= corners.Count()) {
                    continue;
                }
                const std::string sheetNo(next.Grid.SheetList[k].SheetNo.view());
                SetCell(*f, sheetNo, true, corners.Box(k));
                writer.Add(*f, sheetNo);
            }
        }
        writer.End();
        return;
    }
    const SheetGrid& g = rq.grid;
    if (rq.in != nullptr) {
        const SheetCorners corners = SheetCorners::OfBox(rq.settings, g);
        const GridNumberer numberer(rq.settings, g);
        const std::size_t count = std::min(corners.Count(), rq.in->size());
        const auto cols = static_cast<std::size_t>(g.GridCols);
        char number[GridNumberer::MaxLength];
        std::string sheetNo;
        for (std::size_t k = 0; k < count; ++k) {
            const bool in = (*rq.in)[k] != 0;
            if (rq.inOnly && !in) {
                continue;
            }
            const std::size_t length = numberer.Compose(static_cast<int32_t>(k / cols),
                                                        static_cast<int32_t>(k % cols), number);
            sheetNo.assign(number, length);
            SetCell(*f, sheetNo, in, corners.Box(k));
            writer.Add(*f, sheetNo);
        }
        writer.End();
        return;
    }
    const SheetCorners corners =
        rq.plan != nullptr ? SheetCorners(rq.settings, g, *rq.plan) : SheetCorners(rq.settings, g);
    for (std::size_t k = 0; k < corners.Count(); ++k) {
        const SheetRec& rec = g.SheetList[k];
        if (rq.inOnly && rec.InFlag != 1) {
            continue;
        }
        const std::string sheetNo(rec.SheetNo.view());
        SetCell(*f, sheetNo, rec.InFlag == 1, corners.Box(k));
        writer.Add(*f, sheetNo);
    }
    writer.End();
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

namespace {

GDALDriver& DriverOf(const OgrFormat& format) {
    const std::string driver(format.Driver);
    GDALDriver* drv = GetGDALDriverManager()->GetDriverByName(driver.c_str());
    if (drv == nullptr) {
        throw FileError("No vector format is called \"" + driver + "\"");
    }
    return *drv;
}

// The GML driver does not report failed writes (a full disk): a document that
// lacks its closing tag was cut short, and errno says why.
void CheckDocumentEnd(const std::string& file, std::string_view driver,
                      const std::string& shownName) {
    if (driver != "GML") {
        return;
    }
    const int err = errno;
    constexpr std::string_view End = "</ogr:FeatureCollection>\n";
    std::string tail;
    try {
        const InputFile in(file, ReadFailureText::CannotOpen, std::size_t(-1));
        tail = in.Read(in.Size() < End.size() ? 0 : in.Size() - End.size(), End.size());
    } catch (const FileError&) {
    }
    if (tail != End) {
        throw FileError("The GML file \"" + shownName +
                        "\" could not be written: " + SystemReasonText(err != 0 ? err : EIO));
    }
}

// The dataset made in `folder` under `stem` and the driver's own extension
// (drivers decide by the extension whether to make a file or a folder of
// files, and a GML file names its schema after its own name). `shownName` is
// the name messages give.
void WriteDataset(const std::filesystem::path& folder, const std::string& stem,
                  const OgrFormat& format, const OgrGridRequest& request,
                  const std::string& shownName) {
    const QuietGdal quiet;
    GDALDriver& drv = DriverOf(format);
    const std::string driver(format.Driver);
    const std::string inside = (folder / (stem + std::string(format.Extension))).string();
    // A database file waits for no disk flush at each commit: the staged files
    // are flushed once, whole, before they take the target's name (SafeFile).
    const ThreadConfig noSync("OGR_SQLITE_SYNCHRONOUS", "OFF");
    DatasetPtr ds(drv.Create(inside.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    if (!ds) {
        Fail("The " + driver + " file \"" + shownName + "\" could not be created");
    }
    WriteGridLayer(*ds, driver, request);
    if (driver == "GPKG" && request.feature != nullptr && !request.perFeature) {
        WriteFeatureLayer(*ds, *request.feature);
    }
    ds->FlushCache();
    if (CPLGetLastErrorType() >= CE_Failure) {
        Fail("The " + driver + " file \"" + shownName + "\" could not be written");
    }
    GDALDataset* raw = ds.release();
    // Closing writes what the driver kept back (a FlatGeobuf file's index, a
    // shapefile's headers); its failures count too.
    GDALClose(raw);
    if (CPLGetLastErrorType() >= CE_Failure) {
        Fail("The " + driver + " file \"" + shownName + "\" could not be written");
    }
    CheckDocumentEnd(inside, driver, shownName);
}

// The system's reason when the folder's disk is full or a file reached the size
// limit of the process: drivers that fail on a full disk report the database or
// seek error that followed, and errno is long gone when they do.
int DiskFullError(const std::filesystem::path& folder) {
    struct statvfs fs {};
    if (::statvfs(folder.c_str(), &fs) == 0 &&
        static_cast<uint64_t>(fs.f_bavail) * fs.f_frsize < (uint64_t{1} << 20)) {
        return ENOSPC;
    }
    struct rlimit limit {};
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) {
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
            const auto size = entry.file_size(ec);
            if (!ec && size + 65536 >= limit.rlim_cur) {
                return EFBIG;
            }
        }
    }
    return 0;
}

std::string WithDiskFullReason(const std::string& message, const std::filesystem::path& folder) {
    const int err = DiskFullError(folder);
    if (err == 0) {
        return message;
    }
    const std::string reason = SystemReasonText(err);
    if (message.find(reason) != std::string::npos) {
        return message;
    }
    const std::size_t colon = message.find(": ");
    if (colon == std::string::npos) {
        return message + ": " + reason;
    }
    return message.substr(0, colon) + ": " + reason + " (" + message.substr(colon + 2) + ")";
}

// The name a file the driver made takes beside `target`: the dataset's own file
// the target's name, a side file (".shx", ".xsd", ".csvt") the target's name
// with the side file's extension.
std::filesystem::path PlacedName(const std::filesystem::path& target, const std::string& made,
                                 const OgrFormat& format) {
    const std::string ext = LowerExtension(made);
    if (ext == format.Extension) {
        return target;
    }
    return ReplaceExtension(target.string(), ext);
}

// The target's name without its extension: the name a GML file gives its schema.
std::string StemOf(const std::filesystem::path& target) {
    const std::string name = target.filename().string();
    const std::string stem = ReplaceExtension(name, "");
    return stem.empty() ? std::string("sheets") : stem;
}

} // namespace

void WriteOgrGridFile(const std::filesystem::path& path, const OgrFormat& format,
                      const OgrGridRequest& request) {
    // A shapefile is a set of files; the others keep the name exactly as given.
    const std::filesystem::path target =
        format.Extension == ".shp" ? ShapefileMainPath(path) : path;
    // GeoJSON is one document that OGR writes front to back and whose failed
    // writes it does not report: it goes through our own staged file, which
    // stops at the first failed write. So does any format into a pipe.
    if (IsStreamTarget(target) || format.Driver == "GeoJSON") {
        if (!StreamsFeatures(format)) {
            throw FileError(CannotCreateText(target, ESPIPE));
        }
        StagedFile file(target, WriteFailureText::Runtime);
        StreamOgrGrid(format, request, [&file](std::string_view piece) { file.Write(piece); });
        file.Commit();
        return;
    }
    // The staging folder sits beside the target, so that its files are renamed
    // into place, never copied; hidden, and removed on failure or a signal.
    const std::filesystem::path folderOfTarget =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    std::string hidden(1, '.');
    hidden.append(target.filename().native(), 0, 200);
    std::unique_ptr<TemporaryFolder> staging;
    try {
        staging = std::make_unique<TemporaryFolder>(folderOfTarget / (hidden + "."));
    } catch (const FileError&) {
        struct stat st {};
        const int err = ::stat(folderOfTarget.c_str(), &st) != 0 ? errno
                        : !S_ISDIR(st.st_mode)                   ? ENOTDIR
                                                                 : EACCES;
        throw FileError(CannotCreateText(target, err));
    }
    try {
        errno = 0;
        WriteDataset(staging->Path(), StemOf(target), format, request, target.string());
    } catch (const FileError& e) {
        // OGR names the files it was writing: the staging folder is ours, not the user's.
        std::string message = WithDiskFullReason(e.what(), staging->Path());
        const std::string inside = staging->Path().string() + "/";
        for (std::size_t at = message.find(inside); at != std::string::npos;
             at = message.find(inside)) {
            message.replace(at, inside.size(), folderOfTarget.string() + "/");
        }
        throw FileError(message);
    }
    FileSet set;
    std::vector<std::filesystem::path> made;
    for (const auto& entry : std::filesystem::directory_iterator(staging->Path())) {
        made.push_back(entry.path());
    }
    std::sort(made.begin(), made.end());
    for (const std::filesystem::path& file : made) {
        set.Adopt(PlacedName(target, file.filename().string(), format), file,
                  WriteFailureText::Runtime);
    }
    set.Commit();
}

int64_t ScaleDenominator(std::string_view caption) {
    const std::size_t colon = caption.find(':');
    if (colon == std::string_view::npos) {
        return 0;
    }
    int64_t value = 0;
    bool digits = false;
    for (const char ch : caption.substr(colon + 1)) {
        if (ch >= '0' && ch <= '9') {
            if (value > (int64_t{1} << 40)) {
                return 0;
            }
            value = value * 10 + (ch - '0');
            digits = true;
        } else if (ch == 'M' && digits) {
            value *= 1'000'000;
        } else if (ch != ',') {
            return 0;
        }
    }
    return digits ? value : 0;
}

void StreamOgrGrid(const OgrFormat& format, const OgrGridRequest& request,
                   const std::function<void(std::string_view)>& put) {
    const QuietGdal quiet;
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
