#include "cli/OutputChecks.h"

#include "cli/CliCommon.h"
#include "exchange/FileNames.h"
#include "exchange/SafeFile.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <ostream>
#include <system_error>

namespace sw::cli {

namespace {

// Two spellings of one file compare equal: "./a.kml", "a.kml" and a link to it.
std::string SameFileKey(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path absolute =
        std::filesystem::absolute(std::filesystem::path(FollowLinks(path)), ec);
    const std::filesystem::path key = std::filesystem::weakly_canonical(absolute, ec);
    return (ec ? absolute : key).lexically_normal().string();
}

} // namespace

std::string FlagOf(const ChosenOutput& o) {
    if (!o.flag.empty()) {
        return o.flag;
    }
    return o.format->CliOption.empty() ? std::string("--out") : std::string(o.format->CliOption);
}

std::vector<ChosenOutput> WithGisOutput(std::vector<ChosenOutput> outputs, const OutputFormat* gis,
                                        const std::string& path) {
    if (gis != nullptr && !path.empty()) {
        outputs.push_back({gis, path, "--out"});
    }
    return outputs;
}

void CheckInputsSpared(const std::vector<ChosenOutput>& outputs,
                       const std::vector<std::string>& inputs) {
    std::map<std::string, std::string> read; // key: the input's file
    for (const std::string& in : inputs) {
        read.emplace(SameFileKey(in), in);
        if (LowerExtension(in) == ".shp") {
            for (const char* side : {".shx", ".dbf", ".prj", ".cpg"}) {
                read.emplace(SameFileKey(ReplaceExtension(in, side)), in);
            }
        }
    }
    for (const ChosenOutput& o : outputs) {
        for (const std::string& file : OutputFiles(*o.format, o.path)) {
            if (const auto it = read.find(SameFileKey(file)); it != read.end()) {
                throw UsageError(FlagOf(o) + " would replace the input \"" + it->second + "\"");
            }
        }
    }
}

void CheckOutputNames(const std::vector<ChosenOutput>& outputs) {
    std::map<std::string, std::pair<std::string, std::string>> written; // key: flag, file
    for (const ChosenOutput& o : outputs) {
        if (o.path.empty()) {
            throw UsageError(FlagOf(o) + " needs a file name");
        }
        const std::string flag = FlagOf(o);
        for (const std::string& file : OutputFiles(*o.format, o.path)) {
            const auto [it, added] = written.emplace(SameFileKey(file), std::pair{flag, file});
            if (!added) {
                throw UsageError(it->second.first + " and " + flag + " would both write \"" + file +
                                 "\"");
            }
        }
    }
}

void NoteLargeOutputs(const std::vector<ChosenOutput>& outputs, const SheetsResult& r,
                      std::ostream& err, uint64_t threshold) {
    NoteLargeOutputs(outputs, r, PlanLayout(r.settings, r.grid.GridCols, r.grid.GridRows), err,
                     threshold);
}

void NoteLargeOutputs(const std::vector<ChosenOutput>& outputs, const SheetsResult& r,
                      const LayoutGeometry& plan, std::ostream& err, uint64_t threshold) {
    for (const ChosenOutput& o : outputs) {
        if (o.format->EstimateBytes == nullptr) {
            continue;
        }
        const uint64_t bytes = o.format->EstimateBytes(r.settings, r.grid, plan);
        if (bytes > threshold) {
            err << "sheetwright-cli: note: " << FlagOf(o) << " writes " << ApproximateSize(bytes)
                << " to \"" << OutputFiles(*o.format, o.path).front() << "\"\n";
            err.flush();
        }
    }
}

std::string WithFileName(const std::string& message, const std::string& file) {
    if (message.find(file) != std::string::npos) {
        return message;
    }
    return "cannot write \"" + file + "\": " + message;
}

} // namespace sw::cli
