// Typed or imported cells turned into vertices, in both angle modes: no crash,
// one vertex per counted row, and a refusal's message stays short and free of
// control characters however long or strange the cell.
#include "exchange/FileError.h"
#include "exchange/TabDelimitedFile.h"
#include "exchange/VertexConversion.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void CheckMessage(const char* what) {
    const std::string_view m(what);
    if (m.size() > 100) { // 40 characters of the cell, "...", and the sentence
        std::abort();
    }
    for (const char ch : m) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 32 || c == 127) {
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    sw::VertexTable t;
    try {
        sw::ProcessTabDelimitedText(text, t);
    } catch (const sw::FileError&) {
        return 0;
    }
    for (const bool decimalMode : {false, true}) {
        for (const char separator : {'.', ','}) {
            try {
                const auto vertices = sw::TableToVertices(t, decimalMode, separator);
                if (vertices.size() != static_cast<std::size_t>(t.VertexCount)) {
                    std::abort();
                }
            } catch (const sw::ConversionError& e) {
                CheckMessage(e.what());
                if (e.Vertex < 0 || e.Vertex > t.VertexCount) {
                    std::abort();
                }
            }
        }
    }
    return 0;
}
