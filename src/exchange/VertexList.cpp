#include "exchange/VertexList.h"

#include "exchange/NumberText.h"

#include <string>

namespace sw {

void FillVertexTable(const VertexList& list, VertexTable& t, char decimalSeparator) {
    if (list.IsPolygon) {
        t.IsPolygon = *list.IsPolygon ? 1 : 0;
    }
    if (!list.HasShape) {
        return;
    }
    const auto count = static_cast<int32_t>(list.Positions.size());
    t.SetRowCount(count + 1);
    t.VertexCount = count;
    for (int32_t i = 0; i < count; ++i) {
        const DecimalPosition& p = list.Positions[static_cast<std::size_t>(i)];
        t.SetCell(0, i + 1, std::to_string(i + 1));
        t.SetCell(1, i + 1, FormatGeneral15(p.Lat, decimalSeparator));
        t.SetCell(2, i + 1, FormatGeneral15(p.Lon, decimalSeparator));
    }
    t.PartStartRows.clear();
    if (list.PartStarts.size() > 1) {
        for (const int32_t start : list.PartStarts) {
            t.PartStartRows.push_back(start + 1);
        }
    }
}

} // namespace sw
