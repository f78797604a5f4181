#pragma once

// "-" as an output's file name: the output goes to standard output instead of
// a file called "-". Every writer works on file names (some put their own
// extension on it, some write files beside it), so the writer runs in a fresh
// temporary folder and the one file it made is copied to the stream.

#include <functional>
#include <iosfwd>
#include <string>

namespace sw::cli {

inline constexpr const char* StandardOutputName = "-";

// Runs `write` with a path in a temporary folder and copies what it wrote to
// `out`: the file of exactly that name, or else the only file it made (a KML
// writer's "stdout.kml"). An output of several files (a shapefile) throws
// UsageError naming `flag`; the folder is removed in every case.
void WriteThroughStream(const std::string& flag,
                        const std::function<void(const std::string& path)>& write,
                        std::ostream& out, const std::string& extension = {});

} // namespace sw::cli
