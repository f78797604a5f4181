// The status texts of the pointer over the layout and the cell it names.

#include "TestGrids.h"

#include "coverage/LayoutGeometry.h"
#include "coverage/PointerReadout.h"
#include "index/Convertions.h"
#include "index/SheetExtent.h"
#include "index/SheetNumber.h"

#include <QTest>

#include <array>
#include <initializer_list>
#include <string>
#include <utility>

using namespace sw;
using namespace sw::test;

namespace {

// DmsToText's text: two digits at least, the degree sign as byte 176.
std::string T(int d, int m, int s) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d\xB0%02d'%02d\"", d, m, s);
    return buf;
}

// Appends in place: g++ 12 misreads chains of operator+ on temporaries (-Wrestrict).
std::string Cat(std::initializer_list<std::string> parts) {
    std::string out;
    for (const std::string& p : parts) {
        out += p;
    }
    return out;
}

} // namespace

class PointerReadoutTest : public QObject {
    Q_OBJECT

private slots:
    void northWestCornerOfOneSheet() {
        const Settings s = StartSettings();
        const SheetGrid g = MakeGrid(s, WestSec, NorthSec, 1, 1, {0});
        const LayoutGeometry geo = PlanLayout(s, 1, 1);
        const PointerReading r = ReadPointer(s, g, geo, 105, 105);
        QCOMPARE(r.Panel2, Cat({" Lat: ", T(24, 15, 0), " Long: ", T(72, 0, 0)}));
        QCOMPARE(r.Index, 0);
        QCOMPARE(r.Panel1, std::string(" 1/1 IN"));
        QCOMPARE(r.Panel0, Cat({" ", g.SheetList[0].SheetNo.str(), " (Lat:", T(24, 0, 0), "-",
                                T(24, 15, 0), " Long:", T(72, 0, 0), "-", T(72, 15, 0), ")"}));
    }

    void leftOfTheBlockOnlyThePosition() {
        const Settings s = StartSettings();
        const SheetGrid g = MakeGrid(s, WestSec, NorthSec, 1, 1, {});
        const LayoutGeometry geo = PlanLayout(s, 1, 1);
        const PointerReading r = ReadPointer(s, g, geo, 104, 105);
        QCOMPARE(r.Index, -1);
        QVERIFY(r.Panel0.empty());
        QVERIFY(r.Panel1.empty());
        // One pixel is 900 / 70 seconds; -12.86 truncates toward the origin to -12.
        QCOMPARE(r.Panel2, Cat({" Lat: ", T(24, 15, 0), " Long: ", T(71, 59, 48)}));
    }

    void marginPositionsAreExtrapolated() {
        const Settings s = StartSettings();
        const SheetGrid g = MakeGrid(s, WestSec, NorthSec, 1, 1, {});
        const LayoutGeometry geo = PlanLayout(s, 1, 1);
        const PointerReading r = ReadPointer(s, g, geo, 0, 0);
        QCOMPARE(r.Panel2, Cat({" Lat: ", T(24, 37, 30), " Long: ", T(71, 37, 30)}));
    }

    void rightAndBottomEdgesBelongToTheLastCell() {
        const Settings s = StartSettings();
        const SheetGrid g = MakeGrid(s, WestSec, NorthSec, 2, 2, {3});
        const LayoutGeometry geo = PlanLayout(s, 2, 2);
        QCOMPARE(geo.GridRightX, 245);
        QCOMPARE(ReadPointer(s, g, geo, 245, 110).Index, 1);  // right edge, first row
        QCOMPARE(ReadPointer(s, g, geo, 110, 245).Index, 2);  // bottom edge, first column
        QCOMPARE(ReadPointer(s, g, geo, 245, 245).Index, 3);  // bottom-right corner
        QCOMPARE(ReadPointer(s, g, geo, 175, 110).Index, 1);  // an inner line: the cell east of it
        QCOMPARE(ReadPointer(s, g, geo, 246, 110).Index, -1); // outside
        QCOMPARE(ReadPointer(s, g, geo, 245, 245).Panel1, std::string(" 4/4 IN"));
        QCOMPARE(ReadPointer(s, g, geo, 110, 110).Panel1, std::string(" 1/4 OUT"));
    }

    void openMillionSheetExtent() {
        Settings s = StartSettings();
        SelectSeries(s, Series::OpenSeries);
        SelectScale(s, 1);
        const SheetGrid g = MakeGrid(s, 66 * 3600, 28 * 3600, 1, 1, {0});
        const LayoutGeometry geo = PlanLayout(s, 1, 1);
        const PointerReading r = ReadPointer(s, g, geo, 150, 150);
        QCOMPARE(r.Index, 0);
        const std::string extent = Cat(
            {"(Lat:", T(24, 0, 0), "-", T(28, 0, 0), " Long:", T(66, 0, 0), "-", T(72, 0, 0), ")"});
        QVERIFY(r.Panel0.find(extent) != std::string::npos);
    }

    void emptySheetListNamesNoCell() {
        const Settings s = StartSettings();
        const SheetGrid g; // before any computation
        const LayoutGeometry geo = PlanLayout(s, 0, 0);
        const PointerReading r = ReadPointer(s, g, geo, geo.GridOriginX, geo.GridOriginY);
        QCOMPARE(r.Index, -1);
        QVERIFY(!r.Panel2.empty());
    }

    // The window's readout: a ring cell by its own number and extent, the
    // margin by nothing; the block as ReadPointer reads it.
    void ringCellsAreReadAndTheMarginIsNot() {
        const Settings s = StartSettings();
        const SheetGrid g = MakeGrid(s, WestSec, NorthSec, 2, 1, {1});
        const LayoutGeometry geo = PlanLayout(s, 2, 1); // block 105..245 x 105..175
        const auto ring = [&](int x, int y, int westSec, int southSec) {
            const PointerReading r = ReadLayoutPointer(s, g, geo, x, y);
            QCOMPARE(r.Place, PointerPlace::Ring);
            QCOMPARE(r.Index, -1);
            QCOMPARE(r.Panel1, std::string(NeighbourSheetText));
            QCOMPARE(r.Panel2, ReadPointer(s, g, geo, x, y).Panel2);
            const std::string number = SheetNumber(s, SecToDms(westSec), SecToDms(southSec));
            QCOMPARE(r.Panel0, Cat({" ", number, " (Lat:", DmsToText(SecToDms(southSec)), "-",
                                    DmsToText(SecToDms(southSec + 900)),
                                    " Long:", DmsToText(SecToDms(westSec)), "-",
                                    DmsToText(SecToDms(westSec + 900)), ")"}));
        };
        const int south = NorthSec - 900;            // the block's one row
        ring(104, 140, WestSec - 900, south);        // west of the block
        ring(35, 35, WestSec - 900, NorthSec);       // the outer north-west corner
        ring(246, 176, WestSec + 1800, south - 900); // south-east, past both edges
        ring(315, 245, WestSec + 1800, south - 900); // the outer south-east corner
        ring(140, 100, WestSec, NorthSec);           // north of the first column
        for (const auto& [x, y] : {std::pair{34, 140}, {0, 0}, {316, 100}, {140, 246}}) {
            const PointerReading r = ReadLayoutPointer(s, g, geo, x, y);
            QCOMPARE(r.Place, PointerPlace::Margin);
            QVERIFY(r.Panel0.empty() && r.Panel1.empty() && r.Panel2.empty());
        }
        const PointerReading cell = ReadLayoutPointer(s, g, geo, 245, 140);
        QCOMPARE(cell.Place, PointerPlace::Block);
        QCOMPARE(cell.Index, 1);
        QCOMPARE(cell.Panel1, std::string(" 2/2 IN"));
    }

    // Each ring cell reads as the sheet's eight neighbours are numbered: at the
    // index's edge a neighbour whose south-west corner lies in a cut-out but
    // which reaches into the index (old 1:1M sheet 79, south of 78) is a sheet,
    // and one wholly outside (north and east of 89) is "#".
    void ringCellsReadAsTheSheetsNeighbours() {
        const Settings s = SettingsAt(Series::OldSeries, 1);
        for (const char* number : {"78", "89"}) {
            const SheetExtent e = FindSheetExtent(Series::OldSeries, number);
            const SheetGrid g = MakeGrid(s, e.WestSec, e.NorthSec, 1, 1, {0});
            const LayoutGeometry geo = PlanLayout(s, 1, 1);
            const std::array<std::string, 8> expected = NeighbourSheetNumbers(Series::OldSeries, e);
            std::size_t k = 0;
            for (int dy : {1, 0, -1}) {
                for (int dx : {-1, 0, 1}) {
                    if (dx == 0 && dy == 0) {
                        continue;
                    }
                    const int x = geo.GridOriginX + dx * geo.CellWidth + geo.CellWidth / 2;
                    const int y = geo.GridOriginY - dy * geo.CellHeight + geo.CellHeight / 2;
                    const PointerReading r = ReadLayoutPointer(s, g, geo, x, y);
                    QCOMPARE(r.Place, PointerPlace::Ring);
                    QCOMPARE(r.Panel0.substr(0, r.Panel0.find(" (")), " " + expected[k]);
                    ++k;
                }
            }
        }
        const SheetExtent e78 = FindSheetExtent(Series::OldSeries, "78");
        QCOMPARE(NeighbourSheetNumbers(Series::OldSeries, e78)[6], std::string("79"));
        QCOMPARE(SheetNumber(s, SecToDms(e78.WestSec), SecToDms(e78.SouthSec - 4 * 3600)),
                 std::string(OutsideSheetNo));
    }

    void highlightRectangleInsideTheFrame() {
        const Settings s = StartSettings();
        const LayoutGeometry geo = PlanLayout(s, 1, 1);
        SheetRec rec;
        rec.X = 105;
        rec.Y = 105;
        const HighlightBox r = HighlightRect(geo, rec);
        QCOMPARE(r.Left, 107);
        QCOMPARE(r.Top, 107);
        QCOMPARE(r.Right, 174);
        QCOMPARE(r.Bottom, 174);
    }
};

QTEST_GUILESS_MAIN(PointerReadoutTest)
#include "PointerReadoutTest.moc"
