#include "exchange/OpenVertexFile.h"
#include "exchange/FileNames.h"

#include "exchange/ByteOrder.h"
#include "exchange/FileError.h"
#include "exchange/FileReading.h"
#include "exchange/SafeFile.h"
#include "exchange/ShapeFile.h"

#include <cctype>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <variant>

namespace sw {

OpenFilter FilterIndexForPath(const std::filesystem::path& path) {
    const InputFormat* f = InputFormatForPath(path.string());
    return f == nullptr ? OpenFilter::None : OpenBoxPosition(*f);
}

namespace {

// The format the first bytes of a file name: a shapefile by the file code 9994
// (big-endian) that opens every main file, KML by markup, since a vertex text
// line starts with a label or a number and never with '<'. None for anything else.
OpenFilter FilterFromContent(const std::filesystem::path& path) {
    // Only a regular file is looked into, and it is opened without waiting: a
    // FIFO with no writer would otherwise hold the dialog until one came.
    std::string head;
    try {
        const InputFile file(path, ReadFailureText::CannotOpen, SIZE_MAX);
        head = file.Read(0, 64);
    } catch (const FileError&) {
        return OpenFilter::None;
    }
    const std::string_view bytes = head;
    if (bytes.empty()) {
        return OpenFilter::None;
    }
    if (bytes.size() >= 4 && GetBE32(bytes, 0) == static_cast<uint32_t>(ShpFileCode)) {
        return OpenBoxPosition("shapefile");
    }
    std::string_view rest = bytes;
    if (rest.substr(0, 3) == "\xef\xbb\xbf") {
        rest.remove_prefix(3); // a UTF-8 byte order mark
    }
    while (!rest.empty() && std::isspace(static_cast<unsigned char>(rest.front())) != 0) {
        rest.remove_prefix(1);
    }
    if (!rest.empty() && rest.front() == '<') {
        return OpenBoxPosition("kml");
    }
    return OpenFilter::None;
}

} // namespace

OpenFilter ReadingFilter(const std::filesystem::path& path, OpenFilter hint) {
    if (const OpenFilter byContent = FilterFromContent(path); byContent != OpenFilter::None) {
        return byContent;
    }
    if (const OpenFilter byName = FilterIndexForPath(path); byName != OpenFilter::None) {
        return byName;
    }
    return hint;
}

bool FilterUsesDecimalMode(OpenFilter filterIndex) {
    const InputFormat* f = OpenBoxFormat(filterIndex);
    return f == nullptr || f->DecimalMode;
}

OpenOutcome OpenVertexFile(const InputFormat& format, const std::filesystem::path& path,
                           VertexTable& t, char decimalSeparator, const Modules& modules) {
    SetGrid(t, format.DecimalMode);
    if (const auto* text = std::get_if<ReadsText>(&format.Read)) {
        text->Read(path, t);
        return OpenOutcome::Read;
    }
    VertexList list;
    const OpenOutcome outcome = std::get<ReadsNumbers>(format.Read).Read(path, list, modules);
    if (outcome == OpenOutcome::Read) {
        FillVertexTable(list, t, decimalSeparator);
    }
    return outcome;
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
                           VertexTable& t, char decimalSeparator, const Modules& modules) {
    const InputFormat* f = OpenBoxFormat(filterIndex);
    if (f == nullptr) {
        throw FileError("Unknown file type for \"" + path.string() + "\"");
    }
    return OpenVertexFile(*f, path, t, decimalSeparator, modules);
}

} // namespace sw
