#include "exchange/OpenVertexFile.h"
#include "exchange/FileNames.h"

#include "exchange/FileError.h"
#include "exchange/SafeFile.h"
#include "exchange/ShapeFile.h"

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace sw {

OpenFilter FilterIndexForPath(const std::filesystem::path& path) {
    const InputFormat* f = InputFormatForPath(path.string());
    return f == nullptr ? OpenFilter::None : OpenBoxPosition(*f);
}

bool FilterUsesDecimalMode(OpenFilter filterIndex) {
    const InputFormat* f = OpenBoxFormat(filterIndex);
    return f == nullptr || f->DecimalMode;
}

OpenOutcome OpenVertexFile(const InputFormat& format, const std::filesystem::path& path,
                           VertexTable& t, char decimalSeparator) {
    SetGrid(t, format.DecimalMode);
    return format.Read(path, t, decimalSeparator);
}

std::string NothingReadReason(const InputFormat& format, const std::filesystem::path& path,
                              const VertexTable& t) {
    if (format.Id == std::string_view("shapefile")) {
        const InputFile file(path, ReadFailureText::CannotOpen, SIZE_MAX);
        std::string why = ShpNothingReadText(file.Read(0, ShpHeaderSize + 12), path);
        if (!why.empty()) {
            return why;
        }
    }
    if (t.VertexCount <= 0) {
        return QuotedPath(path) + " holds no coordinates";
    }
    return {};
}

OpenOutcome OpenVertexFile(OpenFilter filterIndex, const std::filesystem::path& path,
                           VertexTable& t, char decimalSeparator) {
    const InputFormat* f = OpenBoxFormat(filterIndex);
    if (f == nullptr) {
        throw FileError("Unknown file type for \"" + path.string() + "\"");
    }
    return OpenVertexFile(*f, path, t, decimalSeparator);
}

} // namespace sw
