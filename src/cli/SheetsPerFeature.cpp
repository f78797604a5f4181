#include "cli/SheetsPerFeature.h"

#include "cli/CliCommon.h"

#include "exchange/CsvField.h"
#include "index/CheckedMath.h"
#include "index/SheetNumber.h"
#include "report/SheetOrder.h"

#include <ostream>

namespace sw::cli {

void CheckIdField(const GisLayer& layer, const std::string& idField) {
    if (!idField.empty() && !layer.Features.empty() &&
        layer.Features.front().Attribute(idField) == nullptr) {
        throw UsageError("--id-field: \"" + layer.Path + "\" has no attribute \"" + idField + "\"");
    }
}

namespace {

std::string IdOf(const GisFeature& gf, const std::string& idField) {
    const std::string* value = idField.empty() ? nullptr : gf.Attribute(idField);
    return value != nullptr ? *value : std::to_string(gf.Position);
}

void ComputeFeature(const Settings& s, const GisFeature& gf, Algorithm algorithm, SheetGrid& g) {
    Feature f = gf.Shape;
    try {
        ComputeSheets(s, f, g, {}, algorithm);
    } catch (const Error& e) {
        // Among many features, the message says which one was refused.
        throw Error(e.Kind(), "feature " + std::to_string(gf.Position) + ": " + e.what());
    }
}

bool AnyVertexOutside(const Feature& f) {
    for (const VertexRec& v : f.Vertices) {
        if (!InCoverageArea(v.Long, v.Lat)) {
            return true;
        }
    }
    return false;
}

void Count(const GisFeature& gf, int32_t sheets, PerFeatureCounts& counts) {
    counts.sheets += sheets;
    if (sheets == 0) {
        ++counts.wholly;
    } else if (AnyVertexOutside(gf.Shape)) {
        ++counts.partly;
    }
}

// The IN sheets in the report's order.
std::vector<std::string> InSheetNames(const SheetGrid& g) {
    std::vector<std::string> sheets;
    for (const uint32_t i : InSheetsInReportOrder(g.SheetList)) {
        sheets.push_back(g.SheetList[i].SheetNo.str());
    }
    return sheets;
}

} // namespace

PerFeaturePrinter::PerFeaturePrinter(const std::string& format, const std::string& idField,
                                     std::ostream& out)
    : format_(format), idField_(idField), out_(out), all_(nlohmann::json::array()) {
    if (format_ == "csv") {
        out_ << "feature,sheet\n";
    }
}

void PerFeaturePrinter::Add(const GisFeature& gf, const std::vector<std::string>& sheets) {
    if (format_ == "json") {
        nlohmann::json item;
        if (idField_.empty()) {
            item["feature"] = gf.Position;
        } else {
            item["feature"] = IdOf(gf, idField_);
        }
        item["sheets"] = sheets;
        all_.push_back(std::move(item));
        return;
    }
    const bool csv = format_ == "csv";
    const char separator = csv ? ',' : '\t';
    const std::string name = csv ? CsvField(IdOf(gf, idField_)) : IdOf(gf, idField_);
    if (sheets.empty()) {
        out_ << name << separator << '\n';
    }
    for (const std::string& sheet : sheets) {
        out_ << name << separator << (csv ? CsvField(sheet) : sheet) << '\n';
    }
}

void PerFeaturePrinter::Finish() {
    if (format_ == "json") {
        out_ << all_.dump() << '\n';
    }
}

PerFeatureCounts PrintPerFeature(const Settings& s, const GisLayer& layer,
                                 const std::string& idField, const std::string& format,
                                 Algorithm algorithm, std::ostream& out) {
    // Checked before the printer exists, so a bad --id-field prints no CSV header.
    CheckIdField(layer, idField);
    PerFeaturePrinter printer(format, idField, out);
    PerFeatureCounts counts;
    const FeatureGridSource next = PerFeatureGrids(s, layer, idField, algorithm, counts, &printer);
    FeatureGrid feature;
    while (next(feature)) {
        // Each call computes, counts and prints one feature.
    }
    printer.Finish();
    return counts;
}

FeatureGridSource PerFeatureGrids(const Settings& s, const GisLayer& layer,
                                  const std::string& idField, Algorithm algorithm,
                                  PerFeatureCounts& counts, PerFeaturePrinter* print) {
    CheckIdField(layer, idField);
    std::size_t next = 0;
    return [&s, &layer, idField, algorithm, &counts, print, next](FeatureGrid& out) mutable {
        if (next >= layer.Features.size()) {
            return false;
        }
        const GisFeature& gf = layer.Features[next++];
        out.Name = IdOf(gf, idField);
        out.Grid = SheetGrid{};
        ComputeFeature(s, gf, algorithm, out.Grid);
        Count(gf, out.Grid.InSheetCount, counts);
        // Only the printed form needs the names; a GIS file alone reads the grid.
        if (print != nullptr) {
            print->Add(gf, InSheetNames(out.Grid));
        }
        return true;
    };
}

std::string OutsideFeaturesNote(const PerFeatureCounts& counts, std::size_t featureCount) {
    const int64_t outside = int64_t{counts.wholly} + counts.partly;
    if (outside == 0) {
        return {};
    }
    return std::to_string(outside) + " of " + std::to_string(featureCount) +
           (featureCount == 1 ? " feature lies" : " features lie") +
           " wholly or partly outside the index (" + std::to_string(counts.wholly) + " wholly)";
}

} // namespace sw::cli
