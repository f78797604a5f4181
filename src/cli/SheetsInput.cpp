#include "cli/SheetsInput.h"

#include "cli/CliCommon.h"

#include "exchange/FileError.h"
#include "exchange/FormatRegistry.h"
#include "exchange/OpenVertexFile.h"
#include "exchange/VertexConversion.h"
#include "exchange/VertexTable.h"

namespace sw::cli {

namespace {

// A file as the vertex dialog opens it in its format, numbers written and read
// with '.'.
std::vector<VertexRec> ReadFormat(const InputFormat& format, const std::string& path) {
    VertexTable t;
    if (OpenVertexFile(format, path, t, '.') == OpenOutcome::NotReadNoPrj) {
        throw InputError("the shapefile \"" + path +
                         "\" has no \".prj\" beside it; without a geographic coordinate "
                         "system it is not read");
    }
    return TableToVertices(t, format.DecimalMode, '.');
}

} // namespace

std::string KnownExtensions() {
    std::string known;
    for (const InputFormat& f : InputFormats()) {
        for (const std::string_view ext : f.Extensions) {
            known += (known.empty() ? "" : ", ") + std::string(ext);
        }
    }
    return known;
}

std::vector<VertexRec> ReadFeatureFile(const std::string& path) {
    const InputFormat* format = InputFormatForPath(path);
    if (format == nullptr) {
        throw UsageError("cannot read '" + path + "': input files must end in " +
                         KnownExtensions());
    }
    try {
        return ReadFormat(*format, path);
    } catch (const FileError& err) {
        throw InputError(err.what());
    } catch (const ConversionError& err) {
        throw InputError(path + ": " + err.what());
    }
}

} // namespace sw::cli
