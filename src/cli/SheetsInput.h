#pragma once

// The inputs of `sheets`: the files a polyline or polygon is read from, chosen by
// their extension among the registry's formats, turned into the vertices of one
// feature.

#include "coverage/Feature.h"

#include <string>
#include <vector>

namespace sw::cli {

// The vertices of the file at `path`, read by the reader its extension names.
// A file that cannot be read throws InputError naming it; an extension no reader
// knows throws UsageError listing the known ones.
std::vector<VertexRec> ReadFeatureFile(const std::string& path);

// ".txt, .shp, ...": the extensions every reader takes, for help and messages.
std::string KnownExtensions();

} // namespace sw::cli
