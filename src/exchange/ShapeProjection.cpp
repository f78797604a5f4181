#include "exchange/FileNames.h"
#include "exchange/InputLimits.h"
#include "exchange/SafeFile.h"
#include "exchange/ShapeFile.h"

#include <filesystem>
#include <system_error>

namespace sw {

ProjectionCheck CheckShapefileProjection(const std::filesystem::path& shpPath) {
    const std::string prj = ReplaceExtension(shpPath.string(), ".prj");
    std::error_code ec;
    if (!std::filesystem::exists(prj, ec)) {
        return ProjectionCheck::Missing;
    }
    const std::string text = ReadWholeFile(prj, ReadFailureText::Runtime, MaxPrjBytes);
    const std::string_view firstLine = std::string_view(text).substr(0, text.find_first_of("\r\n"));
    // The well-known-text keyword of a projected system; the first line is the
    // whole definition in the files GIS programs write.
    return firstLine.find("PROJCS") != std::string_view::npos ? ProjectionCheck::Projected
                                                              : ProjectionCheck::Geographic;
}

} // namespace sw
