#pragma once

// `sheets --per-feature`: the IN sheets of each feature of a layer, each feature
// computed on its own grid as if entered alone.

#include "coverage/Coverage.h"
#include "exchange/GisLayerReader.h"
#include "index/Settings.h"

#include <iosfwd>
#include <string>

namespace sw::cli {

// Features in layer order, sheets in the report's order. `format` "csv": the
// header feature,sheet and one line per IN sheet; "json": an array of objects
// with "feature" and "sheets"; otherwise feature<TAB>sheet lines. A feature is
// its position, or the value of the attribute `idField` when that is not empty
// (UsageError when the layer has no such field). Returns the number of IN
// sheets printed.
int64_t PrintPerFeature(const Settings& s, const GisLayer& layer, const std::string& idField,
                        const std::string& format, Algorithm algorithm, std::ostream& out);

} // namespace sw::cli
