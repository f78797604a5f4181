// The vertex text import on arbitrary bytes: it must never crash, and every
// line must land in the table.
#include "exchange/TabDelimitedFile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    sw::VertexTable t;
    sw::ProcessTabDelimitedText(text, t);
    if (t.VertexCount < 0 || t.RowCount() != t.VertexCount + 2) {
        std::abort();
    }
    return 0;
}
