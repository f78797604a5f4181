#include "exchange/GisInputGuard.h"

#include "exchange/FileError.h"
#include "exchange/InputLimits.h"
#include "exchange/MessageText.h"

#include <cpl_conv.h>
#include <cpl_http.h>
#include <cpl_string.h>
#include <cpl_vsi.h>

#include <system_error>

namespace sw {

namespace {

namespace fs = std::filesystem;

[[noreturn]] void Refuse(const fs::path& path, const std::string& what) {
    throw FileError("Cannot read \"" + QuoteText(path.string(), 200) + "\": " + what);
}

// The folder's entries whose names are the input's stem and another extension:
// a shapefile's .shx, .dbf, .prj and .cpg, a GML file's .gfs and .xsd, a MapInfo
// table's .map and .dat. GDAL opens them on its own; one that is a FIFO would
// block the reading for ever.
void CheckSidecars(const fs::path& path) {
    const std::string prefix = path.stem().string() + ".";
    std::error_code ec;
    fs::directory_iterator it(path.parent_path().empty() ? fs::path(".") : path.parent_path(), ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
            it->path().filename() == path.filename()) {
            continue;
        }
        std::error_code sec;
        const fs::file_status st = fs::status(it->path(), sec);
        if (!sec && fs::exists(st) && !fs::is_regular_file(st)) {
            Refuse(path, "the file \"" + QuoteText(name, 200) +
                             "\" beside it is not a regular file (a folder, a pipe or a device)");
        }
    }
}

} // namespace

void CheckArchiveSize(const std::string& gdalPath, const std::string& name, uint64_t limit) {
    const std::string root = "/vsizip/{" + gdalPath + "}";
    char** entries = VSIReadDirRecursive(root.c_str());
    uint64_t total = 0;
    int count = 0;
    for (char** e = entries; e != nullptr && *e != nullptr; ++e) {
        VSIStatBufL st;
        if (VSIStatL((root + "/" + *e).c_str(), &st) == 0 && !VSI_ISDIR(st.st_mode)) {
            total += static_cast<uint64_t>(st.st_size);
        }
        ++count;
    }
    CSLDestroy(entries);
    if (total > limit || count > 100'000) {
        Refuse(name, "the archive inflates to more than " + ByteLimitText(limit) +
                         ", the most a GIS input may hold (--max-input changes it)");
    }
}

namespace {

bool LooksRemoteOrPrefixed(const std::string& name) {
    if (name.rfind("/vsi", 0) == 0 || name.find("://") != std::string::npos) {
        return true;
    }
    // "WFS:http://...", "GeoJSON:file", "GPKG:a.gpkg:layer": a driver's prefix.
    const std::size_t colon = name.find(':');
    return colon != std::string::npos && colon > 1 && name.find('/') > colon;
}

CPLHTTPResult* RefuseFetch(const char* /*url*/, CSLConstList /*options*/,
                           GDALProgressFunc /*progress*/, void* /*progressArg*/,
                           CPLHTTPFetchWriteFunc /*write*/, void* /*writeArg*/,
                           void* /*userData*/) {
    auto* result = static_cast<CPLHTTPResult*>(CPLCalloc(1, sizeof(CPLHTTPResult)));
    result->nStatus = 1;
    result->pszErrBuf = CPLStrdup("network access is off while a file is read");
    return result;
}

} // namespace

std::string GuardedInputPath(const fs::path& path, const GisLayerOptions& options) {
    const std::string name = path.string();
    if (options.AllowRemote) {
        return name;
    }
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (!fs::exists(st)) {
        if (LooksRemoteOrPrefixed(name)) {
            Refuse(path, "only local files are read; URLs, /vsi paths and driver prefixes "
                         "are read with --allow-remote");
        }
        Refuse(path, "the file does not exist");
    }
    if (fs::is_directory(st)) {
        Refuse(path, "it is a folder, not a file");
    }
    if (!fs::is_regular_file(st)) {
        Refuse(path, "it is not a regular file (a pipe, a socket or a device)");
    }
    const uint64_t size = fs::file_size(path, ec);
    if (ec) {
        Refuse(path, ec.message());
    }
    if (size > options.MaxBytes) {
        Refuse(path, "it is larger than " + ByteLimitText(options.MaxBytes) +
                         ", the most a GIS input may hold (--max-input changes it)");
    }
    CheckSidecars(path);
    const fs::path absolute = fs::absolute(path, ec);
    const std::string gdalPath = ec ? "./" + name : absolute.string();
    std::string ext = path.extension().string();
    for (char& c : ext) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    if (ext == ".kmz" || ext == ".zip") {
        CheckArchiveSize(gdalPath, name, options.MaxBytes);
    }
    return gdalPath;
}

const std::vector<const char*>& LocalDrivers() {
    // Formats whose reading stays within the file and its sidecars. Left out on
    // purpose: VRT (names other files and URLs), WFS, OAPIF and every other web
    // service or database client, GMLAS (fetches schemas), GPSBabel (runs a
    // program).
    static const std::vector<const char*> drivers{
        "ESRI Shapefile", "GPKG", "SQLite", "GeoJSON",      "GeoJSONSeq",  "ESRIJSON",
        "TopoJSON",       "KML",  "LIBKML", "GPX",          "CSV",         "GML",
        "FlatGeobuf",     "DXF",  "DGN",    "MapInfo File", "OpenFileGDB", "ODS",
        "XLSX",           "JML",  "GeoRSS", "OSM",          nullptr};
    return drivers;
}

NetworkOff::NetworkOff(bool allowRemote) : active_(!allowRemote) {
    if (!active_) {
        return;
    }
    pushed_ = CPLHTTPPushFetchCallback(RefuseFetch, nullptr) != 0;
    // /vsicurl/ takes only names ending in an allowed extension: none is.
    CPLSetThreadLocalConfigOption("CPL_VSIL_CURL_ALLOWED_EXTENSIONS", ".sheetwright-offline");
    CPLSetThreadLocalConfigOption("GDAL_HTTP_MAX_RETRY", "0");
    CPLSetThreadLocalConfigOption("PROJ_NETWORK", "OFF");
}

NetworkOff::~NetworkOff() {
    if (!active_) {
        return;
    }
    if (pushed_) {
        CPLHTTPPopFetchCallback();
    }
    CPLSetThreadLocalConfigOption("CPL_VSIL_CURL_ALLOWED_EXTENSIONS", nullptr);
    CPLSetThreadLocalConfigOption("GDAL_HTTP_MAX_RETRY", nullptr);
    CPLSetThreadLocalConfigOption("PROJ_NETWORK", nullptr);
}

} // namespace sw
