#include "exchange/ByteOrder.h"
#include "exchange/FileError.h"
#include "exchange/FileNames.h"
#include "exchange/FileReading.h"
#include "exchange/InputLimits.h"
#include "exchange/SafeFile.h"
#include "exchange/ShapeFile.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace sw {

namespace {

bool IsValidShapeType(int32_t t) {
    switch (t) {
    case 0:
    case 1:
    case 3:
    case 5:
    case 8:
    case 11:
    case 13:
    case 15:
    case 18:
    case 21:
    case 23:
    case 25:
    case 28:
    case 31:
        return true;
    default:
        return false;
    }
}

constexpr std::size_t RecordHeaderSize = 8;
constexpr std::size_t PolyFixedSize = 44; // type, box, NumParts, NumPoints
constexpr std::size_t FirstRecord = ShpHeaderSize;
constexpr std::size_t FirstContent = FirstRecord + RecordHeaderSize;

int32_t AsInt(uint32_t v) {
    return static_cast<int32_t>(v);
}

std::string ShapeTypeName(int32_t type) {
    switch (type) {
    case 0:
        return "no shapes";
    case 1:
    case 11:
    case 21:
        return "points";
    case 8:
    case 18:
    case 28:
        return "multipoints";
    case 31:
        return "multipatches";
    default:
        return "shapes of type " + std::to_string(type);
    }
}

} // namespace

std::string DamagedShapefileText(const std::filesystem::path& path) {
    return "The shapefile \"" + path.string() + "\" is damaged or incomplete";
}

VertexList ReadShpPositions(std::string_view bytes, const std::filesystem::path& path) {
    VertexList list;
    auto damaged = [&] { return FileError(DamagedShapefileText(path)); };
    if (bytes.size() < ShpHeaderSize) {
        throw damaged();
    }
    const int32_t type = AsInt(GetLE32(bytes, 32));
    if (!IsValidShapeType(type)) {
        return list;
    }
    if (type != ShpPolyline && type != ShpPolygon) {
        list.IsPolygon = false;
        return list;
    }

    // Everything is checked before a position is taken, and nothing past the
    // bytes the file holds, or past the record's declared length, is read.
    if (bytes.size() < FirstContent + 4) {
        throw damaged();
    }
    const int64_t contentBytes = 2 * static_cast<int64_t>(AsInt(GetBE32(bytes, FirstRecord + 4)));
    const int64_t available = static_cast<int64_t>(bytes.size() - FirstContent);
    if (contentBytes < 4 || contentBytes > available) {
        throw damaged();
    }
    if (AsInt(GetLE32(bytes, FirstContent)) == 0) {
        // A null shape has no points; there is nothing to take from it.
        list.IsPolygon = type == ShpPolygon;
        return list;
    }
    if (contentBytes < static_cast<int64_t>(PolyFixedSize)) {
        throw damaged();
    }
    const int32_t numParts = AsInt(GetLE32(bytes, FirstContent + 36));
    const int32_t numPoints = AsInt(GetLE32(bytes, FirstContent + 40));
    if (numParts < 0 || numPoints < 0 || numPoints == INT32_MAX) {
        throw damaged();
    }
    const int64_t needed = static_cast<int64_t>(PolyFixedSize) +
                           4 * static_cast<int64_t>(numParts) +
                           16 * static_cast<int64_t>(numPoints);
    if (needed > contentBytes) {
        throw damaged();
    }

    const std::size_t partsAt = FirstContent + PolyFixedSize;
    const std::size_t pointsAt = partsAt + 4 * static_cast<std::size_t>(numParts);
    // The points the record's parts start at. An index that does not come after
    // the one before it, or lies past the points, marks no part.
    int32_t previous = -1;
    for (int32_t p = 0; p < numParts; ++p) {
        const int32_t start = AsInt(GetLE32(bytes, partsAt + 4 * static_cast<std::size_t>(p)));
        if (start > previous && start < numPoints) {
            list.PartStarts.push_back(start);
            previous = start;
        }
    }
    if (list.PartStarts.size() > 1) {
        list.PartStarts.front() = 0;
    } else {
        list.PartStarts.clear();
    }
    list.IsPolygon = type == ShpPolygon;
    list.HasShape = true;
    list.Positions.resize(static_cast<std::size_t>(numPoints));
    for (std::size_t i = 0; i < list.Positions.size(); ++i) {
        const std::size_t at = pointsAt + 16 * i;
        list.Positions[i] =
            DecimalPosition{.Lat = GetDoubleLE(bytes, at + 8), .Lon = GetDoubleLE(bytes, at)};
    }
    return list;
}

void ReadShpData(std::string_view bytes, const std::filesystem::path& path, VertexTable& t,
                 char decimalSeparator) {
    FillVertexTable(ReadShpPositions(bytes, path), t, decimalSeparator);
}

std::string ShpNothingReadText(std::string_view bytes, const std::filesystem::path& path) {
    if (bytes.size() < ShpHeaderSize) {
        return {}; // refused as damaged
    }
    const int32_t type = AsInt(GetLE32(bytes, 32));
    if (!IsValidShapeType(type)) {
        return QuotedPath(path) + " is not a shapefile: its header names no shape type";
    }
    if (type != ShpPolyline && type != ShpPolygon) {
        return "The shapefile \"" + path.string() + "\" holds " + ShapeTypeName(type) +
               ", not polylines or polygons";
    }
    if (bytes.size() >= FirstContent + 4 && AsInt(GetLE32(bytes, FirstContent)) == 0) {
        return "The first shape of \"" + path.string() + "\" is empty";
    }
    return {};
}

VertexList ReadShpFilePositions(const std::filesystem::path& path) {
    // Only the header and the first record are read, however large the file: the
    // counts are checked against the file's size and the vertex limit before the
    // points are read.
    const InputFile file(path, ReadFailureText::CannotOpen, SIZE_MAX);
    std::string bytes = file.Read(0, FirstContent + PolyFixedSize);
    if (bytes.size() >= FirstContent + PolyFixedSize) {
        const int32_t type = AsInt(GetLE32(bytes, 32));
        const int32_t numParts = AsInt(GetLE32(bytes, FirstContent + 36));
        const int32_t numPoints = AsInt(GetLE32(bytes, FirstContent + 40));
        const int64_t declared = 2 * static_cast<int64_t>(AsInt(GetBE32(bytes, FirstRecord + 4)));
        const int64_t needed = static_cast<int64_t>(PolyFixedSize) +
                               4 * static_cast<int64_t>(numParts) +
                               16 * static_cast<int64_t>(numPoints);
        const bool poly = type == ShpPolyline || type == ShpPolygon;
        if (poly && AsInt(GetLE32(bytes, FirstContent)) != 0 && numParts >= 0 && numPoints >= 0 &&
            declared >= needed &&
            declared <= static_cast<int64_t>(file.Size()) - static_cast<int64_t>(FirstContent)) {
            if (static_cast<std::size_t>(numPoints) > MaxInputVertices) {
                throw FileError(TooManyVerticesText("The shapefile \"" + path.string() + "\""));
            }
            bytes = file.Read(0, FirstContent + static_cast<std::size_t>(needed));
            // What follows the points in a longer record is never looked at: let the
            // record end where the points end.
            const auto words = static_cast<uint32_t>(needed / 2);
            for (int i = 0; i < 4; ++i) {
                bytes[FirstRecord + 4 + static_cast<std::size_t>(i)] =
                    static_cast<char>((words >> (24 - 8 * i)) & 0xFF);
            }
        } else {
            // Damaged, or not a polyline or polygon: what was read tells which.
            bytes = file.Read(0, std::max<std::size_t>(bytes.size(), FirstContent + 4));
        }
    }
    return ReadShpPositions(bytes, path);
}

void ReadShpFile(const std::filesystem::path& path, VertexTable& t, char decimalSeparator) {
    FillVertexTable(ReadShpFilePositions(path), t, decimalSeparator);
}

} // namespace sw
