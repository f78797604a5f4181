#pragma once

// `sheets --per-feature`: the IN sheets of each feature of a layer, each feature
// computed on its own grid as if entered alone.

#include "coverage/Coverage.h"
#include "exchange/GisLayer.h"
#include "exchange/OgrGridRequest.h"
#include "index/Settings.h"

#include <cstdint>
#include <nlohmann/json.hpp>

#include <iosfwd>
#include <string>
#include <vector>

namespace sw::cli {

// What the features came to, for the note on standard error.
struct PerFeatureCounts {
    int64_t sheets = 0; // IN sheets listed, over all features
    int32_t wholly = 0; // features with no sheet: nothing of them lies in the index
    int32_t partly = 0; // features with sheets and a vertex outside the index
};

// UsageError when `idField` is not empty and the layer's features have no such
// attribute. Called before anything is printed, so a refusal prints nothing.
void CheckIdField(const GisLayer& layer, const std::string& idField);

// Features in layer order, sheets in the report's order. `format` "csv": the
// header feature,sheet and one line per IN sheet; "json": an array of objects
// with "feature" and "sheets"; otherwise feature<TAB>sheet lines. A feature
// without a sheet still has its line ("name," / "name<TAB>"), so every feature
// of the layer is accounted for. A feature is its position, or the value of the
// attribute `idField` when that is not empty (UsageError when the layer has no
// such field).
PerFeatureCounts PrintPerFeature(const Settings& s, const GisLayer& layer,
                                 const std::string& idField, const std::string& format,
                                 Algorithm algorithm, std::ostream& out);

// The features one at a time with their own grids, for a GIS file of one row per
// feature and IN sheet (OgrGridRequest::perFeature); `counts` is filled as they
// go, and when `print` is not null each feature is also printed as
// PrintPerFeature prints it (call its Finish after the last).
class PerFeaturePrinter;
FeatureGridSource PerFeatureGrids(const Settings& s, const GisLayer& layer,
                                  const std::string& idField, Algorithm algorithm,
                                  PerFeatureCounts& counts, PerFeaturePrinter* print);

// The printed form of PrintPerFeature, one feature at a time.
class PerFeaturePrinter {
public:
    PerFeaturePrinter(const std::string& format, const std::string& idField, std::ostream& out);
    void Add(const GisFeature& gf, const std::vector<std::string>& sheets);
    void Finish();

private:
    std::string format_;
    std::string idField_;
    std::ostream& out_;
    nlohmann::json all_;
};

// "3 of 12 features lie wholly or partly outside the index (1 wholly)"; empty
// when every feature lies inside.
std::string OutsideFeaturesNote(const PerFeatureCounts& counts, std::size_t featureCount);

} // namespace sw::cli
