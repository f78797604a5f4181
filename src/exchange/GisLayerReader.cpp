#include "exchange/GisLayerReader.h"

#include "exchange/FileError.h"
#include "exchange/FileNames.h"
#include "exchange/GdalErrors.h"
#include "exchange/GisInputGuard.h"
#include "exchange/MessageText.h"
#include "exchange/ProjectionText.h"

#include <cpl_conv.h>
#include <cpl_error.h>
#include <cpl_vsi.h>
#include <filesystem>
#include <gdal_priv.h>
#include <ogr_feature.h>
#include <ogr_geometry.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <iterator>
#include <memory>
#include <random>

namespace sw {

namespace {

// More vertices than any layer a person computes sheets for; keeps every count
// of the core in 32 bits and the memory in bounds.
constexpr std::size_t MaxLayerVertices = 50'000'000;

// How long a filtered read may take: far beyond a layer of the size limit on a
// slow disk, short of a hang.
constexpr std::chrono::seconds FilterTimeLimit{300};

// Text from the file or the command line inside a message: at most 200
// characters, control characters shown as escapes.
std::string Quoted(std::string_view text) {
    return QuoteText(text, 200);
}

[[noreturn]] void Fail(const std::string& name, const std::string& what) {
    throw FileError("Cannot read \"" + Quoted(name) + "\": " + what);
}

// GDAL's first failure since the file was opened (or its last message), without
// its trailing full stop, or `fallback`. It may quote the file, so it is quoted
// as file text is. Called only while a QuietGdal lives on this thread.
std::string GdalMessage(const std::string& fallback) {
    std::string msg = GdalFirstFailure();
    while (!msg.empty() && (msg.back() == '.' || msg.back() == '\n' || msg.back() == ' ')) {
        msg.pop_back();
    }
    return msg.empty() ? fallback : Quoted(msg);
}

struct DatasetCloser {
    void operator()(GDALDataset* d) const { GDALClose(d); }
};
using DatasetPtr = std::unique_ptr<GDALDataset, DatasetCloser>;

// The columns a spreadsheet's CSV export names its positions by.
const char* const CsvOpenOptions[] = {
    "X_POSSIBLE_NAMES=x,lon,long,longitude,lng,easting",
    "Y_POSSIBLE_NAMES=y,lat,latitude,northing",
    "GEOM_POSSIBLE_NAMES=wkt,geometry,geom,the_geom,shape",
    // The position columns stay attributes too: GDAL 3.6 dereferences a null
    // field when it drops an X/Y column whose name appears twice.
    nullptr,
};

DatasetPtr OpenDataset(const std::string& gdalPath, const std::string& name,
                       const GisLayerOptions& options) {
    // Every driver is asked as a vector driver: a CSV of numbers is otherwise
    // taken by a raster driver (XYZ) and its points are lost.
    const char* const* allowed = options.AllowRemote ? nullptr : LocalDrivers().data();
    GDALDriverH driver = GDALIdentifyDriverEx(gdalPath.c_str(), GDAL_OF_VECTOR, allowed, nullptr);
    const bool csv = driver != nullptr && std::string(GDALGetDriverShortName(driver)) == "CSV";
    auto* ds =
        static_cast<GDALDataset*>(GDALOpenEx(gdalPath.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY,
                                             allowed, csv ? CsvOpenOptions : nullptr, nullptr));
    if (ds == nullptr) {
        VSIStatBufL st;
        if (VSIStatL(gdalPath.c_str(), &st) != 0) {
            Fail(name, "the file does not exist");
        }
        if (driver != nullptr) {
            // Recognised but refused: a damaged file, or one past a limit of the
            // driver (GeoJSON's largest object), whose reason GDAL gives.
            Fail(name, std::string("GDAL's ") + GDALGetDriverShortName(driver) +
                           " reader cannot open it (" + GdalMessage("no reason given") + ")");
        }
        Fail(name, "it is not a GIS file GDAL can read (" +
                       GdalMessage("no vector driver recognises it") + ")");
    }
    ForgetGdalFailures();
    return DatasetPtr(ds);
}

std::string DriverName(GDALDataset& ds) {
    GDALDriver* d = ds.GetDriver();
    return d != nullptr ? d->GetDescription() : "";
}

// KML, KMZ and GPX files are one document whose folders, waypoints, routes and
// tracks GDAL shows as layers: the document is read whole.
bool IsOneDocument(GDALDataset& ds) {
    const std::string driver = DriverName(ds);
    return driver == "KML" || driver == "LIBKML" || driver == "GPX";
}

// GPX's route_points and track_points layers repeat the vertices of its routes
// and tracks as points: read only when named.
bool RepeatsAnotherLayer(GDALDataset& ds, OGRLayer& layer) {
    const std::string n = layer.GetName();
    return DriverName(ds) == "GPX" && (n == "route_points" || n == "track_points");
}

std::string LayerNamesText(const std::vector<OGRLayer*>& layers) {
    std::string names;
    for (OGRLayer* l : layers) {
        names += (names.empty() ? "\"" : ", \"") + Quoted(l->GetName()) + "\"";
    }
    return names;
}

struct ChosenLayers {
    std::vector<OGRLayer*> Read;
    std::vector<OGRLayer*> Unread; // others holding features
};

ChosenLayers ChooseLayers(GDALDataset& ds, const GisLayerOptions& options,
                          const std::string& name) {
    std::vector<OGRLayer*> all;
    for (int i = 0; i < ds.GetLayerCount(); ++i) {
        if (OGRLayer* l = ds.GetLayer(i)) {
            all.push_back(l);
        }
    }
    if (all.empty()) {
        Fail(name, "it holds no layer");
    }
    if (!options.Layer.empty()) {
        for (OGRLayer* l : all) {
            if (options.Layer == l->GetName()) {
                return {{l}, {}};
            }
        }
        Fail(name, "it has no layer \"" + Quoted(options.Layer) +
                       "\" (its layers: " + LayerNamesText(all) + ")");
    }
    std::vector<OGRLayer*> own;
    std::copy_if(all.begin(), all.end(), std::back_inserter(own),
                 [&](OGRLayer* l) { return !RepeatsAnotherLayer(ds, *l); });
    if (options.AllLayers) {
        return {own, {}};
    }
    std::vector<OGRLayer*> holding;
    std::copy_if(own.begin(), own.end(), std::back_inserter(holding),
                 [](OGRLayer* l) { return l->GetFeatureCount(TRUE) != 0; });
    if (holding.empty()) {
        return {{all.front()}, {}};
    }
    if (IsOneDocument(ds)) {
        return {holding, {}};
    }
    return {{holding.front()}, {holding.begin() + 1, holding.end()}};
}

// One part of a geometry in the layer's coordinates.
struct RawPart {
    PartKind Kind;
    std::vector<double> X;
    std::vector<double> Y;
};

void AddCurve(const OGRSimpleCurve& c, PartKind kind, std::vector<RawPart>& out) {
    const int n = c.getNumPoints();
    if (n <= 0) {
        return;
    }
    RawPart p{kind, std::vector<double>(static_cast<std::size_t>(n)),
              std::vector<double>(static_cast<std::size_t>(n))};
    c.getPoints(p.X.data(), sizeof(double), p.Y.data(), sizeof(double));
    out.push_back(std::move(p));
}

// Polygons give rings (holes included), lines polyline parts, points point
// parts; a collection's members count by their own kinds; curves are
// linearised; Z and M are dropped.
void CollectParts(const OGRGeometry* g, std::vector<RawPart>& out, int depth = 0) {
    if (g == nullptr || g->IsEmpty() || depth > 64) {
        return;
    }
    if (g->hasCurveGeometry()) {
        const std::unique_ptr<OGRGeometry> linear(g->getLinearGeometry());
        if (linear != nullptr && !linear->hasCurveGeometry()) {
            CollectParts(linear.get(), out, depth + 1);
        }
        return;
    }
    switch (wkbFlatten(g->getGeometryType())) {
    case wkbPoint: {
        const auto* pt = g->toPoint();
        out.push_back(RawPart{PartKind::Point, {pt->getX()}, {pt->getY()}});
        return;
    }
    case wkbLineString:
    case wkbLinearRing:
        AddCurve(*g->toSimpleCurve(), PartKind::Polyline, out);
        return;
    case wkbPolygon:
    case wkbTriangle:
        for (const OGRLinearRing* ring : *g->toPolygon()) {
            AddCurve(*ring, PartKind::Polygon, out);
        }
        return;
    case wkbMultiPoint:
    case wkbMultiLineString:
    case wkbMultiPolygon:
    case wkbGeometryCollection:
        for (const OGRGeometry* member : *g->toGeometryCollection()) {
            CollectParts(member, out, depth + 1);
        }
        return;
    case wkbPolyhedralSurface:
    case wkbTIN:
        for (const OGRPolygon* member : *g->toPolyhedralSurface()) {
            CollectParts(member, out, depth + 1);
        }
        return;
    default:
        return;
    }
}

bool IsLonLat(double lon, double lat) {
    return std::isfinite(lon) && std::isfinite(lat) && lon >= -180.0 && lon <= 180.0 &&
           lat >= -90.0 && lat <= 90.0;
}

struct CoordinateTransformDeleter {
    void operator()(OGRCoordinateTransformation* ct) const {
        OGRCoordinateTransformation::DestroyCT(ct);
    }
};
using TransformPtr = std::unique_ptr<OGRCoordinateTransformation, CoordinateTransformDeleter>;

// The ".prj" beside a shapefile the driver found no system in: GDAL 3.6's
// shapefile driver reads WKT1 and ESRI WKT only, so a WKT2 file would leave a
// projected layer without a system (refused as "not longitudes and latitudes")
// and a geographic one on another datum taken as WGS 84. Null when there is no
// .prj; a .prj nobody understands is refused.
std::unique_ptr<OGRSpatialReference> ShapefilePrj(GDALDataset& ds, const std::string& gdalPath,
                                                  const std::string& name) {
    if (DriverName(ds) != "ESRI Shapefile" || LowerExtension(gdalPath) != ".shp") {
        return nullptr;
    }
    std::string prj;
    for (const char* ext : {".prj", ".PRJ"}) {
        VSIStatBufL st;
        const std::string candidate = ReplaceExtension(gdalPath, ext);
        if (VSIStatL(candidate.c_str(), &st) == 0) {
            prj = candidate;
            break;
        }
    }
    if (prj.empty()) {
        return nullptr;
    }
    std::string text;
    if (VSILFILE* f = VSIFOpenL(prj.c_str(), "rb")) {
        text.resize(MaxPrjBytes);
        text.resize(VSIFReadL(text.data(), 1, text.size(), f));
        VSIFCloseL(f);
    }
    auto srs = std::make_unique<OGRSpatialReference>();
    if (!ParseProjectionText(text, *srs)) {
        Fail(name, "the coordinate system in its \".prj\" is not understood (WKT1, ESRI WKT or "
                   "WKT2 is read)");
    }
    return srs;
}

// Null for a layer without a coordinate system: its coordinates are taken as
// WGS 84 when every one is a longitude and latitude.
TransformPtr ToWgs84(OGRLayer& layer, const OGRSpatialReference* fallback,
                     const std::string& name) {
    const OGRSpatialReference* srs = layer.GetSpatialRef();
    if (srs == nullptr) {
        srs = fallback;
    }
    if (srs == nullptr) {
        return nullptr;
    }
    OGRSpatialReference source(*srs);
    source.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    OGRSpatialReference wgs84;
    wgs84.SetWellKnownGeogCS("WGS84");
    wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    ForgetGdalFailures();
    TransformPtr ct(OGRCreateCoordinateTransformation(&source, &wgs84));
    if (ct == nullptr) {
        Fail(name, "the coordinate system of layer \"" + Quoted(layer.GetName()) +
                       "\" cannot be transformed to WGS 84 (" +
                       GdalMessage("no transformation known") + ")");
    }
    return ct;
}

std::vector<std::pair<std::string, std::string>> Attributes(const OGRFeature& f) {
    std::vector<std::pair<std::string, std::string>> out;
    const OGRFeatureDefn* defn = f.GetDefnRef();
    const int n = defn->GetFieldCount();
    out.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        out.emplace_back(defn->GetFieldDefn(i)->GetNameRef(),
                         f.IsFieldSetAndNotNull(i) ? f.GetFieldAsString(i) : "");
    }
    return out;
}

class LayerReader {
public:
    LayerReader(const std::string& name, const GisLayerOptions& options,
                const OGRSpatialReference* prj, GisLayer& out)
        : name_(name), options_(options), prj_(prj), out_(out) {}

    void Read(OGRLayer& layer) {
        const std::string layerName = layer.GetName();
        const std::string shown = Quoted(layerName);
        std::unique_ptr<OGRFeatureQuery> filter;
        if (!options_.Where.empty()) {
            filter = Filter(layer, shown);
        }
        const TransformPtr ct = ToWgs84(layer, prj_, name_);
        ForgetGdalFailures();
        layer.ResetReading();
        const auto deadline = std::chrono::steady_clock::now() + FilterTimeLimit;
        int32_t position = 0;
        for (;;) {
            if (options_.Cancel != nullptr && options_.Cancel->load(std::memory_order_relaxed)) {
                throw GisReadCancelled();
            }
            const std::unique_ptr<OGRFeature> f(layer.GetNextFeature());
            if (f == nullptr) {
                break;
            }
            if (filter != nullptr) {
                if (std::chrono::steady_clock::now() > deadline) {
                    Fail(name_, "the filter \"" + Quoted(options_.Where) + "\" took longer than " +
                                    std::to_string(FilterTimeLimit.count()) +
                                    " seconds on layer \"" + shown + "\"");
                }
                if (filter->Evaluate(f.get()) == FALSE) {
                    continue;
                }
            }
            ++position;
            std::vector<RawPart> parts;
            const OGRGeometry* geometry = f->GetGeometryRef();
            CollectParts(geometry, parts);
            if (parts.empty()) {
                ++out_.SkippedEmpty;
                continue;
            }
            GisFeature gf;
            gf.Position = position;
            gf.Layer = layerName;
            gf.Geometry = geometry->getGeometryName();
            gf.Attributes = Attributes(*f);
            gf.Shape = ToFeature(parts, ct.get(), shown);
            out_.Features.push_back(std::move(gf));
        }
        if (CPLGetLastErrorType() == CE_Failure) {
            Fail(name_, GdalMessage("the layer \"" + shown + "\" cannot be read to its end"));
        }
    }

private:
    // One expression in OGR's own attribute-filter language, compiled and
    // evaluated by OGR itself on each feature. It never reaches the driver: one
    // that hands filters to its database (GeoPackage, SQLite) would run
    // statements after a ';' or a subquery such as a recursive one that never
    // ends, and no flag could stop it.
    std::unique_ptr<OGRFeatureQuery> Filter(OGRLayer& layer, const std::string& shown) {
        const std::string& where = options_.Where;
        const auto refuse = [&](const std::string& why) {
            Fail(name_, "the filter \"" + Quoted(where) + "\" is not valid for layer \"" + shown +
                            "\" (" + why + ")");
        };
        if (where.find(';') != std::string::npos) {
            refuse("a filter is one expression; ';' is not allowed");
        }
        auto query = std::make_unique<OGRFeatureQuery>();
        ForgetGdalFailures();
        if (query->Compile(layer.GetLayerDefn(), where.c_str()) != OGRERR_NONE) {
            refuse(GdalMessage("OGR refused it"));
        }
        return query;
    }

    Feature ToFeature(std::vector<RawPart>& parts, OGRCoordinateTransformation* ct,
                      const std::string& layerName) {
        std::vector<VertexRec> vs;
        std::vector<FeaturePart> starts;
        for (RawPart& p : parts) {
            vertices_ += p.X.size();
            if (vertices_ > MaxLayerVertices) {
                Fail(name_, "it holds more than " + std::to_string(MaxLayerVertices) + " vertices");
            }
            const auto n = p.X.size();
            if (ct != nullptr) {
                std::vector<int> ok(n, FALSE);
                ct->Transform(n, p.X.data(), p.Y.data(), nullptr, ok.data());
                if (std::find(ok.begin(), ok.end(), FALSE) != ok.end()) {
                    Fail(name_, "a coordinate of layer \"" + layerName +
                                    "\" cannot be transformed to WGS 84");
                }
            }
            starts.push_back({static_cast<int32_t>(vs.size()), p.Kind});
            for (std::size_t i = 0; i < n; ++i) {
                if (!IsLonLat(p.X[i], p.Y[i])) {
                    if (ct == nullptr) {
                        Fail(name_, "layer \"" + layerName +
                                        "\" has no coordinate system and its coordinates are "
                                        "not longitudes and latitudes");
                    }
                    Fail(name_, "a coordinate of layer \"" + layerName +
                                    "\" lies outside the longitudes and latitudes of the earth");
                }
                vs.push_back(DecimalVertex(p.Y[i], p.X[i]));
            }
        }
        return MakePartsFeature(std::move(vs), std::move(starts));
    }

    const std::string& name_;
    const GisLayerOptions& options_;
    const OGRSpatialReference* prj_;
    GisLayer& out_;
    std::size_t vertices_ = 0;
};

GisLayer ReadOpened(const std::string& gdalPath, const std::string& name,
                    const GisLayerOptions& options) {
    const DatasetPtr ds = OpenDataset(gdalPath, name, options);
    const std::unique_ptr<OGRSpatialReference> prj = ShapefilePrj(*ds, gdalPath, name);
    GisLayer out;
    out.Path = name;
    LayerReader reader(name, options, prj.get(), out);
    const ChosenLayers chosen = ChooseLayers(*ds, options, name);
    for (OGRLayer* layer : chosen.Read) {
        out.LayerNames.emplace_back(layer->GetName());
        reader.Read(*layer);
    }
    for (OGRLayer* layer : chosen.Unread) {
        out.UnreadLayers.emplace_back(layer->GetName());
    }
    if (out.Features.empty()) {
        Fail(name, out.SkippedEmpty > 0 ? "none of its features has a geometry"
                   : options.Where.empty()
                       ? "it holds no feature"
                       : "no feature matches the filter \"" + Quoted(options.Where) + "\"");
    }
    return out;
}

// A name in GDAL's memory file system, unique to this reading.
std::string MemoryPath(const std::string& name) {
    std::random_device rd;
    std::string ext = LowerExtension(name);
    return "/vsimem/sheetwright-" + std::to_string(rd()) + std::to_string(rd()) + ext;
}

// Bytes without a telling name get an extension from their first character,
// enough for the formats that come through a pipe.
std::string GuessExtension(std::string_view bytes) {
    std::size_t i = 0;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        i = 3;
    }
    while (i < bytes.size() && std::isspace(static_cast<unsigned char>(bytes[i])) != 0) {
        ++i;
    }
    if (bytes.substr(0, 16) == std::string_view("SQLite format 3\0", 16)) {
        return ".gpkg";
    }
    if (bytes.substr(0, 4) == "PK\x03\x04") {
        return ".kmz";
    }
    if (bytes.substr(0, 4) == "fgb\x03") {
        return ".fgb";
    }
    if (i < bytes.size() && (bytes[i] == '{' || bytes[i] == '[')) {
        return ".geojson";
    }
    if (i < bytes.size() && bytes[i] == '<') {
        const std::string_view head = bytes.substr(i, 4096);
        if (head.find("<gpx") != std::string_view::npos) {
            return ".gpx";
        }
        if (head.find("<kml") != std::string_view::npos) {
            return ".kml";
        }
        return ".gml";
    }
    return ".csv";
}

} // namespace

GisLayer ReadGisLayer(const std::filesystem::path& path, const GisLayerOptions& options) {
    const QuietGdal quiet;
    const NetworkOff offline(options.AllowRemote);
    return ReadOpened(GuardedInputPath(path, options), path.string(), options);
}

GisLayer ReadGisLayerBytes(std::string_view bytes, const std::string& name,
                           const GisLayerOptions& options) {
    const QuietGdal quiet;
    const NetworkOff offline(options.AllowRemote);
    if (bytes.size() > options.MaxBytes) {
        Fail(name, "it holds more than " + ByteLimitText(options.MaxBytes) +
                       ", the most a GIS input may hold (--max-input changes it)");
    }
    std::string memName = MemoryPath(name);
    if (LowerExtension(name).empty()) {
        memName += GuessExtension(bytes);
    }
    // GDAL reads the bytes in place; they are not copied and not taken over.
    VSILFILE* f = VSIFileFromMemBuffer(memName.c_str(),
                                       reinterpret_cast<GByte*>(const_cast<char*>(bytes.data())),
                                       static_cast<vsi_l_offset>(bytes.size()), FALSE);
    if (f == nullptr) {
        Fail(name, "it cannot be held in memory");
    }
    VSIFCloseL(f);
    struct Unlink {
        const std::string& path;
        ~Unlink() { VSIUnlink(path.c_str()); }
    } unlink{memName};
    try {
        if (LowerExtension(memName) == ".kmz") {
            CheckArchiveSize(memName, name, options.MaxBytes);
        }
        return ReadOpened(memName, name, options);
    } catch (const FileError& e) {
        // GDAL's messages name the memory file; the user knows the bytes by
        // their own name.
        std::string what = e.what();
        for (std::size_t at = what.find(memName); at != std::string::npos;
             at = what.find(memName, at)) {
            what.replace(at, memName.size(), name);
            at += name.size();
        }
        throw FileError(what);
    }
}

} // namespace sw
