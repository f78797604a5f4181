// Inputs made to hurt: huge counts, sparse giants, floods of lines or tuples and
// bad text that would flood a message. Each is refused with a message naming the
// file, changes nothing, and costs no more memory than the input justifies.

#include "exchange/ByteOrder.h"
#include "exchange/FileError.h"
#include "exchange/InputLimits.h"
#include "exchange/KmlFile.h"
#include "exchange/MessageText.h"
#include "exchange/SafeFile.h"
#include "exchange/ShapeFile.h"
#include "exchange/TabDelimitedFile.h"
#include "exchange/VertexConversion.h"

#include "ExchangeTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include <unistd.h>

namespace sw {
namespace {

std::string MessageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const FileError& e) {
        return e.what();
    } catch (const ConversionError& e) {
        return e.what();
    }
    return "(no error)";
}

// A polygon main file whose first record declares `points` points (the first
// five of them real) and a content length that covers them all.
std::string PolygonFile(int32_t points) {
    std::string b;
    PutBE32(b, 9994);
    b.append(20, '\0');
    PutBE32(b, 0); // file length, not checked by the reader
    PutLE32(b, 1000);
    PutLE32(b, ShpPolygon);
    b.append(64, '\0');
    PutBE32(b, 1);
    PutBE32(b, static_cast<uint32_t>((44 + 4 + 16 * static_cast<int64_t>(points)) / 2));
    PutLE32(b, ShpPolygon);
    b.append(32, '\0');
    PutLE32(b, 1);
    PutLE32(b, static_cast<uint32_t>(points));
    PutLE32(b, 0);
    const double ring[5][2] = {{77, 29}, {77.25, 29}, {77.25, 28.75}, {77, 28.75}, {77, 29}};
    for (const auto& p : ring) {
        PutDoubleLE(b, p[0]);
        PutDoubleLE(b, p[1]);
    }
    return b;
}

TEST(HostileShapefiles, OnlyTheFirstRecordIsReadAndItsCountsAreChecked) {
    test::ScratchDir dir;
    // A gigabyte on paper, nothing on disk: only the first record is read.
    const std::string sparse = dir.File("sparse.shp");
    test::WriteBytes(sparse, PolygonFile(5));
    ASSERT_EQ(::truncate(sparse.c_str(), off_t{1} << 30), 0);
    VertexTable t;
    ReadShpFile(sparse, t, '.');
    EXPECT_EQ(t.VertexCount, 5);
    EXPECT_EQ(t.Cell(2, 3), "77.25");

    // Two million points declared and, sparsely, present: beyond the vertex limit.
    const std::string many = dir.File("many.shp");
    test::WriteBytes(many, PolygonFile(2'000'000));
    ASSERT_EQ(::truncate(many.c_str(), 100 + 8 + 48 + 16 * off_t{2'000'000}), 0);
    VertexTable untouched;
    untouched.SetCell(1, 1, "kept");
    EXPECT_EQ(MessageOf([&] { ReadShpFile(many, untouched, '.'); }),
              TooManyVerticesText("The shapefile \"" + many + "\""));
    EXPECT_EQ(untouched.Cell(1, 1), "kept");

    // The same count in a file that does not hold the points: damaged, nothing read.
    const std::string shortFile = dir.File("short.shp");
    test::WriteBytes(shortFile, PolygonFile(2'000'000));
    EXPECT_EQ(MessageOf([&] { ReadShpFile(shortFile, untouched, '.'); }),
              DamagedShapefileText(shortFile));
    EXPECT_EQ(untouched.Cell(1, 1), "kept");
    EXPECT_EQ(untouched.VertexCount, 0);
}

TEST(HostileTexts, FloodsOfLinesOrTuplesAreRefusedBeforeTheTableGrows) {
    test::ScratchDir dir;
    const std::string lines = dir.File("lines.txt");
    test::WriteBytes(lines, std::string(MaxInputVertices + 1, '\n'));
    VertexTable t;
    EXPECT_EQ(MessageOf([&] { ProcessTabDelimitedFile(lines, t); }),
              TooManyVerticesText("The vertex file \"" + lines + "\"") + " (one per line)");
    EXPECT_EQ(t.RowCount(), 7);
    // Exactly at the limit is still read; CR LF counts once.
    VertexTable atLimit;
    std::string crlf;
    for (int i = 0; i < 1000; ++i) {
        crlf += "1 2 3 4 5 6 7\r\n";
    }
    ProcessTabDelimitedText(crlf, atLimit);
    EXPECT_EQ(atLimit.VertexCount, 1000);

    std::string tuples = "<coordinates>";
    for (std::size_t i = 0; i <= MaxInputVertices; ++i) {
        tuples += "1,2 ";
    }
    tuples += "</coordinates>";
    const std::string kml = dir.File("flood.kml");
    test::WriteBytes(kml, tuples);
    EXPECT_EQ(MessageOf([&] { ReadKmlFile(kml, t); }),
              TooManyVerticesText("The KML file \"" + kml + "\""));
    EXPECT_EQ(t.RowCount(), 7);
    EXPECT_EQ(t.VertexCount, 0);

    const std::string big = dir.File("big.kml");
    test::WriteBytes(big, "");
    ASSERT_EQ(::truncate(big.c_str(), static_cast<off_t>(MaxTextInputBytes) + 1), 0);
    EXPECT_EQ(MessageOf([&] { ReadKmlFile(big, t); }),
              TooLargeText(big, MaxTextInputBytes + 1, MaxTextInputBytes));
}

TEST(HostileTexts, BadCellsAreQuotedShortWithControlsEscaped) {
    EXPECT_EQ(QuoteText("53F/12"), "53F/12");
    EXPECT_EQ(QuoteText("a\tb\x1b[31m\x07\x7f"), "a\\tb\\x1B[31m\\x07\\x7F");
    EXPECT_EQ(QuoteText(std::string(100, 'x')), std::string(40, 'x') + "...");
    EXPECT_EQ(QuoteText(std::string(40, 'x')), std::string(40, 'x'));
    // Escapes count toward the limit: a cell of control bytes cannot stretch it.
    std::string tenEscapes;
    for (int i = 0; i < 10; ++i) {
        tenEscapes += "\\x01";
    }
    EXPECT_EQ(QuoteText(std::string(30, '\x01')), tenEscapes + "...");

    VertexTable t;
    ProcessTabDelimitedText("1 28 36 50 77 12 30\n2 28 36 50 77 12 30\n3 28 36 50 77 12 30\n4 " +
                                std::string(5'000'000, '9') + "x 0 0 0 0 0\n",
                            t);
    t.SetCell(2, 3,
              "3\x1b]0;owned\x07"
              "6"); // a terminal title escape inside a cell
    try {
        TableToVertices(t, false, '.');
        ADD_FAILURE() << "no error";
    } catch (const ConversionError& e) {
        EXPECT_EQ(std::string(e.what()), "'3\\x1B]0;owned\\x076' is not a valid integer value");
        EXPECT_EQ(e.Vertex, 2);
    }
    t.SetCell(2, 3, "36");
    try {
        TableToVertices(t, false, '.');
        ADD_FAILURE() << "no error";
    } catch (const ConversionError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "'" + std::string(40, '9') + "...' is not a valid integer value");
        EXPECT_EQ(e.Vertex, 4);
    }
}

} // namespace
} // namespace sw
