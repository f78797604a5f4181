#include "exchange/OpenVertexFile.h"

#include "exchange/FileError.h"

namespace sw {

OpenFilter FilterIndexForPath(const std::string& path) {
    const InputFormat* f = InputFormatForPath(path);
    return f == nullptr ? OpenFilter::None : OpenBoxPosition(*f);
}

bool FilterUsesDecimalMode(OpenFilter filterIndex) {
    const InputFormat* f = OpenBoxFormat(filterIndex);
    return f == nullptr || f->DecimalMode;
}

OpenOutcome OpenVertexFile(const InputFormat& format, const std::string& path, VertexTable& t,
                           char decimalSeparator) {
    SetGrid(t, format.DecimalMode);
    return format.Read(path, t, decimalSeparator);
}

OpenOutcome OpenVertexFile(OpenFilter filterIndex, const std::string& path, VertexTable& t,
                           char decimalSeparator) {
    const InputFormat* f = OpenBoxFormat(filterIndex);
    if (f == nullptr) {
        throw FileError("Unknown file type for \"" + path + "\"");
    }
    return OpenVertexFile(*f, path, t, decimalSeparator);
}

} // namespace sw
