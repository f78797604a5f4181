// The KML coordinate reader on arbitrary bytes: no crash, no read past the text,
// and the counts stay consistent with the rows written.
#include "exchange/FileError.h"
#include "exchange/KmlFile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    sw::VertexTable t;
    sw::SetGrid(t, true);
    try {
        sw::ReadKmlText(text, t);
    } catch (const sw::FileError&) {
        return 0;
    }
    // Rows written less two, one more at most for an open line string.
    if (t.IsPolygon != 1 || t.VertexCount < -2 || t.VertexCount > t.RowCount()) {
        std::abort();
    }
    return 0;
}
