#pragma once

// What `sheets` checks about its output files before and while writing them.

#include "cli/SheetsOutputs.h"
#include "coverage/LayoutGeometry.h"
#include "exchange/FormatRegistry.h"

#include <cstdint>

#include <iosfwd>
#include <string>
#include <vector>

namespace sw::cli {

// An output option as given on the command line.
struct ChosenOutput {
    const OutputFormat* format;
    std::string path;
    std::string flag{}; // empty: the format's own option
};

// The option that names the output ("--kml", "--out").
std::string FlagOf(const ChosenOutput& o);

// `outputs` and --out written as `gis` to `path`.
std::vector<ChosenOutput> WithGisOutput(std::vector<ChosenOutput> outputs, const OutputFormat* gis,
                                        const std::string& path);

// Throws UsageError for an empty file name and for two outputs that would write
// the same file (compared as absolute paths with links followed), so that one
// never silently replaces what another just wrote.
void CheckOutputNames(const std::vector<ChosenOutput>& outputs);

// Throws UsageError when an output would replace one of the `inputs` (or a
// shapefile's side file), which is still being read from or is the user's data.
void CheckInputsSpared(const std::vector<ChosenOutput>& outputs,
                       const std::vector<std::string>& inputs);

// Notes on `err` each output estimated over `threshold` bytes, before it is written.
// `plan` is the request's layout (PlanLayout of its grid), planned once for the
// estimates and the writing; without it the layout is planned here.
void NoteLargeOutputs(const std::vector<ChosenOutput>& outputs, const SheetsResult& r,
                      const LayoutGeometry& plan, std::ostream& err,
                      uint64_t threshold = LargeOutputBytes);
void NoteLargeOutputs(const std::vector<ChosenOutput>& outputs, const SheetsResult& r,
                      std::ostream& err, uint64_t threshold = LargeOutputBytes);

// A writer's message naming the file, for texts such as "Disk full" that do not.
std::string WithFileName(const std::string& message, const std::string& file);

} // namespace sw::cli
