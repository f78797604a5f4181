#include "coverage/CellNumbering.h"

#include "index/CheckedMath.h"
#include "index/SheetNumber.h"

#include <algorithm>
#include <charconv>

namespace sw {

namespace {

char* PutInt(char* p, int32_t v) {
    return std::to_chars(p, p + 12, v).ptr;
}

char* PutTwoDigits(char* p, int32_t v) {
    if (v >= 0 && v < 10) {
        *p++ = '0';
    }
    return PutInt(p, v);
}

// Seconds into the 15' sheet, as the quadrant rule takes them.
int32_t FifteenOffset(const DmsAngle& a) {
    return CheckedAdd(CheckedMul(a.Min, 60), a.Sec) % 900;
}

} // namespace

GridNumberer::GridNumberer(const Settings& s, const SheetGrid& g)
    : series_(s.MapSeries == Series::OldSeries ? Series::OldSeries : Series::OpenSeries),
      scale_(s.ScaleIndex), settings_(s), widthSec_(s.SheetWidthSec), heightSec_(s.SheetHeightSec),
      spansDegrees_(s.SheetWidthSec <= 0 || s.SheetHeightSec <= 0 || 3600 % s.SheetWidthSec != 0 ||
                    3600 % s.SheetHeightSec != 0) {
    cols_.resize(static_cast<std::size_t>(std::max(g.GridCols, 0)));
    rows_.resize(static_cast<std::size_t>(std::max(g.GridRows, 0)));
    int32_t lon = g.GridWestSec;
    for (std::size_t c = 0; c < cols_.size(); ++c) {
        Column& k = cols_[c];
        k = Column{};
        k.WestSec = lon;
        k.Lon = SecToDms(lon);
        const DmsAngle& a = k.Lon;
        // Only cells inside the index are composed, where the components are
        // normalised and the degrees lie in 64..99.
        if (a.Deg >= 64 && a.Deg <= 99 && a.Min >= 0 && a.Sec >= 0) {
            k.MillionBase = BaseColumnNumbers.at(static_cast<std::size_t>(a.Deg / 4 - 16));
            k.Letter = series_ == Series::OldSeries ? 4 * (a.Deg % 4) : a.Deg % 6;
            k.Fifteen = 4 * (a.Min / 15);
            k.Ten = (a.Min % 15) / 3;
            k.TwoK = 5 * (CheckedAdd(CheckedMul(a.Min % 3, 60), a.Sec) / 36);
            k.Half = a.Min >= 30 ? 'E' : 'W';
            k.Quarter = FifteenOffset(a) >= 450 ? 'E' : 'W';
            const int32_t d = a.Deg - 66;
            const int32_t zone = 42 + (d >= 0 ? d / 6 : -((-d + 5) / 6));
            k.ZoneLen = static_cast<uint8_t>(PutInt(k.Zone, zone) - k.Zone);
        }
        if (c + 1 < cols_.size()) {
            lon = CheckedAdd(lon, s.SheetWidthSec);
        }
    }
    int32_t rowNorth = g.GridNorthSec;
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        Row& k = rows_[r];
        k = Row{};
        k.SouthSec = CheckedSub(rowNorth, s.SheetHeightSec);
        k.Lat = SecToDms(k.SouthSec);
        const DmsAngle& a = k.Lat;
        if (a.Deg >= 4 && a.Deg <= 39 && a.Min >= 0 && a.Sec >= 0) {
            k.Million = (39 - a.Deg) / 4;
            k.Letter = series_ == Series::OldSeries ? 3 - a.Deg % 4 : 6 * (3 - a.Deg % 4);
            k.Fifteen = (59 - a.Min) / 15 + 1;
            k.Ten = 5 * (4 - (a.Min % 15) / 3);
            k.TwoK = 5 - CheckedAdd(CheckedMul(a.Min % 3, 60), a.Sec) / 36;
            k.Half = a.Min >= 30 ? 'N' : 'S';
            k.Quarter = FifteenOffset(a) >= 450 ? 'N' : 'S';
            k.Band = a.Deg < 8 ? SouthernBandLetter
                               : BandLetters.at(static_cast<std::size_t>((a.Deg - 8) / 4));
        }
        if (r + 1 < rows_.size()) {
            rowNorth = CheckedSub(rowNorth, s.SheetHeightSec);
        }
    }
}

std::size_t GridNumberer::Compose(const Row& row, const Column& col, char* out) const {
    char* p = out;
    if (!InCoverageArea(col.Lon, row.Lat)) {
        // A sheet reaching into the index from outside (1:1M only) is numbered
        // from its covered part; there are a few of them, on the edge.
        if (spansDegrees_ && CellInCoverageArea(col.WestSec, row.SouthSec, widthSec_, heightSec_)) {
            const std::string n = CellSheetNumber(settings_, col.WestSec, row.SouthSec);
            const std::size_t len = std::min(n.size(), MaxLength);
            std::copy_n(n.data(), len, out);
            return len;
        }
        *p++ = '#';
        return 1;
    }
    if (series_ == Series::OldSeries) {
        if (scale_ < 1 || scale_ > 5) {
            return 0;
        }
        // The 1:1M number has two digits everywhere inside the index; the cut to
        // two characters is kept as the numbering rules state it.
        char million[12];
        const char* end = PutInt(million, col.MillionBase + row.Million);
        for (const char* m = million; m < end && m < million + 2; ++m) {
            *p++ = *m;
        }
        if (scale_ == 1) {
            return static_cast<std::size_t>(p - out);
        }
        *p++ = static_cast<char>('A' + col.Letter + row.Letter);
        if (scale_ == 2) {
            return static_cast<std::size_t>(p - out);
        }
        *p++ = '/';
        if (scale_ == 3) {
            *p++ = row.Half;
            *p++ = col.Half;
            return static_cast<std::size_t>(p - out);
        }
        p = PutInt(p, row.Fifteen + col.Fifteen);
        if (scale_ == 5) {
            *p++ = '/';
            *p++ = row.Quarter;
            *p++ = col.Quarter;
        }
        return static_cast<std::size_t>(p - out);
    }
    if (scale_ < 1 || scale_ > 6) {
        return 0;
    }
    *p++ = row.Band;
    for (uint8_t z = 0; z < col.ZoneLen; ++z) {
        *p++ = col.Zone[z];
    }
    if (scale_ == 1) {
        return static_cast<std::size_t>(p - out);
    }
    *p++ = static_cast<char>('A' + col.Letter + row.Letter);
    if (scale_ == 2) {
        return static_cast<std::size_t>(p - out);
    }
    p = PutTwoDigits(p, row.Fifteen + col.Fifteen);
    if (scale_ == 3) {
        return static_cast<std::size_t>(p - out);
    }
    if (scale_ == 4) {
        *p++ = '/';
        *p++ = row.Quarter;
        *p++ = col.Quarter;
        return static_cast<std::size_t>(p - out);
    }
    *p++ = static_cast<char>('A' + col.Ten + row.Ten);
    if (scale_ == 6) {
        p = PutTwoDigits(p, col.TwoK + row.TwoK);
    }
    return static_cast<std::size_t>(p - out);
}

std::string GridCellSheetNumber(const Settings& s, const SheetGrid& g, int32_t row, int32_t col) {
    const int32_t south =
        CheckedSub(g.GridNorthSec, CheckedMul(CheckedAdd(row, 1), s.SheetHeightSec));
    const int32_t west = CheckedAdd(g.GridWestSec, CheckedMul(col, s.SheetWidthSec));
    return CellSheetNumber(s, west, south);
}

void GridNumberer::NumberRow(int32_t r, SheetRec* row) const {
    const Row& k = rows_[static_cast<std::size_t>(r)];
    char buf[MaxLength];
    for (std::size_t c = 0; c < cols_.size(); ++c) {
        const std::size_t n = Compose(k, cols_[c], buf);
        row[c].SheetNo.assign(std::string_view(buf, n));
    }
}

std::string GridNumberer::Number(int32_t r, int32_t c) const {
    char buf[MaxLength];
    const std::size_t n =
        Compose(rows_[static_cast<std::size_t>(r)], cols_[static_cast<std::size_t>(c)], buf);
    return std::string(buf, n);
}

} // namespace sw
