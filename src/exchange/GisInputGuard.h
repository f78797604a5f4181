#pragma once

// What the GIS-layer reader checks and switches off before GDAL opens anything.
// A file a stranger sent must not make the program fetch URLs, read other files
// because the file says so, block on a pipe, or fill the memory: the input must be
// a regular local file (or bytes already read), of bounded size, opened only by
// drivers that read the file itself, with GDAL's network access refused.

#include "exchange/GisLayerReader.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace sw {

// The path GDAL is to open for `path`: an absolute path of a regular file, so
// that no part of the name ("WFS:", "/vsizip/", "http://") reads as a prefix.
// Without options.AllowRemote, anything but an existing regular file (a folder,
// a FIFO, a device, a URL, a /vsi path or a driver prefix), a file larger than
// options.MaxBytes, a sidecar of it that is not a regular file and an archive
// that inflates beyond options.MaxBytes are refused with a FileError naming the
// file. With AllowRemote the name goes to GDAL as it stands.
std::string GuardedInputPath(const std::filesystem::path& path, const GisLayerOptions& options);

// A zip archive (KMZ) is opened by GDAL through its own reader, which inflates
// an entry up to the size its directory states: the sum of those sizes bounds
// what reading it can take. Past `limit` a FileError naming `name`.
void CheckArchiveSize(const std::string& gdalPath, const std::string& name, uint64_t limit);

// The drivers offered for input: those that read only the file they are given
// (and its sidecars), or every driver (an empty list) with options.AllowRemote.
// The list ends in a null pointer, ready for GDALOpenEx.
const std::vector<const char*>& LocalDrivers();

// While one lives, HTTP requests GDAL makes on this thread are refused (schema
// downloads, a GeoJSON "link" coordinate system, anything else asking for a URL)
// and PROJ looks up no grid on the network; nothing when `allowRemote`.
class NetworkOff {
public:
    explicit NetworkOff(bool allowRemote);
    ~NetworkOff();
    NetworkOff(const NetworkOff&) = delete;
    NetworkOff& operator=(const NetworkOff&) = delete;

private:
    bool active_;
    bool pushed_ = false;
};

} // namespace sw
