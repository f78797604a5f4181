#include "exchange/OpenVertexFile.h"

#include "exchange/FileError.h"

namespace sw {

int FilterIndexForPath(const std::string& path) {
    const InputFormat* f = InputFormatForPath(path);
    return f == nullptr ? 0 : OpenBoxPosition(*f);
}

bool FilterUsesDecimalMode(int filterIndex) {
    const InputFormat* f = OpenBoxFormat(filterIndex);
    return f == nullptr || f->DecimalMode;
}

OpenOutcome OpenVertexFile(const InputFormat& format, const std::string& path, VertexTable& t,
                           char decimalSeparator) {
    SetGrid(t, format.DecimalMode);
    return format.Read(path, t, decimalSeparator);
}

OpenOutcome OpenVertexFile(int filterIndex, const std::string& path, VertexTable& t,
                           char decimalSeparator) {
    const InputFormat* f = OpenBoxFormat(filterIndex);
    if (f == nullptr) {
        throw FileError("Unknown file type for \"" + path + "\"");
    }
    return OpenVertexFile(*f, path, t, decimalSeparator);
}

} // namespace sw
