#include "cli/SheetsPerFeature.h"

#include "cli/CliCommon.h"

#include "index/CheckedMath.h"
#include "report/SheetOrder.h"

#include <nlohmann/json.hpp>

#include <ostream>

namespace sw::cli {

namespace {

std::string CsvField(const std::string& s) {
    if (s.find_first_of(",\"\r\n") == std::string::npos) {
        return s;
    }
    std::string q = "\"";
    for (const char ch : s) {
        q += ch;
        if (ch == '"') {
            q += '"';
        }
    }
    return q + '"';
}

std::vector<std::string> SheetsOf(const Settings& s, const GisFeature& gf, Algorithm algorithm) {
    Feature f = gf.Shape;
    SheetGrid g;
    try {
        ComputeSheets(s, f, g, {}, algorithm);
    } catch (const ComputeError& e) {
        throw InputError("feature " + std::to_string(gf.Position) + ": " + e.what());
    } catch (const IntegerOverflow& e) {
        throw InputError("feature " + std::to_string(gf.Position) + ": " + e.what());
    }
    std::vector<std::string> sheets;
    for (const uint32_t i : InSheetsInReportOrder(g.SheetList)) {
        sheets.push_back(g.SheetList[i].SheetNo.str());
    }
    return sheets;
}

} // namespace

int64_t PrintPerFeature(const Settings& s, const GisLayer& layer, const std::string& idField,
                        const std::string& format, Algorithm algorithm, std::ostream& out) {
    if (!idField.empty() && layer.Features.front().Attribute(idField) == nullptr) {
        throw UsageError("--id-field: \"" + layer.Path + "\" has no attribute \"" + idField + "\"");
    }
    auto id = [&](const GisFeature& gf) {
        const std::string* value = idField.empty() ? nullptr : gf.Attribute(idField);
        return value != nullptr ? *value : std::to_string(gf.Position);
    };
    int64_t printed = 0;
    if (format == "json") {
        nlohmann::json all = nlohmann::json::array();
        for (const GisFeature& gf : layer.Features) {
            const std::vector<std::string> sheets = SheetsOf(s, gf, algorithm);
            nlohmann::json item;
            if (idField.empty()) {
                item["feature"] = gf.Position;
            } else {
                item["feature"] = id(gf);
            }
            item["sheets"] = sheets;
            all.push_back(std::move(item));
            printed += static_cast<int64_t>(sheets.size());
        }
        out << all.dump() << '\n';
        return printed;
    }
    const bool csv = format == "csv";
    if (csv) {
        out << "feature,sheet\n";
    }
    for (const GisFeature& gf : layer.Features) {
        const std::string name = csv ? CsvField(id(gf)) : id(gf);
        for (const std::string& sheet : SheetsOf(s, gf, algorithm)) {
            out << name << (csv ? ',' : '\t') << (csv ? CsvField(sheet) : sheet) << '\n';
            ++printed;
        }
    }
    return printed;
}

} // namespace sw::cli
