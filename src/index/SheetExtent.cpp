#include "index/SheetExtent.h"

#include "index/SheetNumber.h"

#include <vector>

namespace sw {

namespace {

// The scale each scale's number extends: old 1:50,000 builds on 1:2,50,000, open
// 1:10,000 on 1:50,000, every other scale on the one before it.
int32_t ParentScale(Series series, int32_t scale) {
    if (series == Series::OldSeries) {
        return scale == 4 ? 2 : scale - 1;
    }
    return scale == 5 ? 3 : scale - 1;
}

std::vector<int32_t> ScaleChain(Series series, int32_t scale) {
    std::vector<int32_t> chain;
    for (int32_t s = scale; s >= 1; s = ParentScale(series, s)) {
        chain.insert(chain.begin(), s);
    }
    return chain;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// True when `prefix` ends where a component of `number` ends: "53H/1" is no
// parent of "53H/17", whose fifteen-minute component is 17.
bool IsComponentPrefix(const std::string& number, const std::string& prefix) {
    if (number.rfind(prefix, 0) != 0) {
        return false;
    }
    if (prefix.empty() || number.size() == prefix.size()) {
        return true;
    }
    const char a = prefix.back();
    const char b = number[prefix.size()];
    return !(IsDigit(a) && IsDigit(b)) && !(IsLetter(a) && IsLetter(b));
}

struct Box {
    int32_t west, south, east, north;
};

// Descends the chain of scales; returns false with `failedScale` set where no cell
// of the level matches.
bool Descend(Series series, const std::string& number, const std::vector<int32_t>& chain, Box& box,
             int32_t& failedScale, std::string& matchedPrefix) {
    for (std::size_t level = 0; level < chain.size(); ++level) {
        const Settings s = SettingsAt(series, chain[level]);
        const bool last = level + 1 == chain.size();
        bool found = false;
        const int32_t firstWest = box.west / s.SheetWidthSec * s.SheetWidthSec;
        const int32_t firstSouth = box.south / s.SheetHeightSec * s.SheetHeightSec;
        for (int32_t south = firstSouth; south < box.north && !found; south += s.SheetHeightSec) {
            for (int32_t west = firstWest; west < box.east && !found; west += s.SheetWidthSec) {
                const std::string n = CellSheetNumber(s, west, south);
                if (n == OutsideSheetNo) {
                    continue;
                }
                const bool match = last ? n == number : IsComponentPrefix(number, n);
                if (match) {
                    box = Box{west, south, west + s.SheetWidthSec, south + s.SheetHeightSec};
                    matchedPrefix = n;
                    found = true;
                }
            }
        }
        if (!found) {
            failedScale = chain[level];
            return false;
        }
    }
    return true;
}

} // namespace

SheetExtent FindSheetExtent(Series series, const std::string& number) {
    const auto& captions = ScaleCaptions(series);
    if (captions.empty()) {
        throw UnknownSheetError("unknown series");
    }
    if (number.empty() || number.size() > ShortStringMax) {
        throw UnknownSheetError("'" + number + "' is not a sheet number: " +
                                (number.empty() ? "it is empty" : "it is too long"));
    }
    // The deepest match over all scales names the part that is wrong.
    std::string bestPrefix;
    int32_t bestFailedScale = 1;
    for (int32_t scale = 1; scale <= static_cast<int32_t>(captions.size()); ++scale) {
        Box box{IndexWestSec, IndexSouthSec, IndexEastSec, IndexNorthSec};
        int32_t failedScale = 0;
        std::string prefix;
        if (Descend(series, number, ScaleChain(series, scale), box, failedScale, prefix)) {
            return SheetExtent{scale, box.south, box.west, box.north, box.east};
        }
        if (prefix.size() > bestPrefix.size()) {
            bestPrefix = prefix;
            bestFailedScale = failedScale;
        }
    }
    const std::string seriesName = series == Series::OldSeries ? "old" : "open";
    if (bestPrefix.empty()) {
        throw UnknownSheetError("'" + number + "' is not a sheet number of the " + seriesName +
                                " series: no 1:1M sheet of the index is numbered so");
    }
    throw UnknownSheetError("'" + number + "' is not a sheet number of the " + seriesName +
                            " series: sheet " + bestPrefix + " has no " +
                            captions[static_cast<std::size_t>(bestFailedScale - 1)] + " sheet '" +
                            number.substr(bestPrefix.size()) + "'");
}

std::array<std::string, 8> NeighbourSheetNumbers(Series series, const SheetExtent& e) {
    const Settings s = SettingsAt(series, e.ScaleIndex);
    const int32_t w = e.EastSec - e.WestSec;
    const int32_t h = e.NorthSec - e.SouthSec;
    std::array<std::string, 8> out;
    std::size_t i = 0;
    for (int32_t dy : {1, 0, -1}) {
        for (int32_t dx : {-1, 0, 1}) {
            if (dx == 0 && dy == 0) {
                continue;
            }
            out[i++] = CellSheetNumber(s, e.WestSec + dx * w, e.SouthSec + dy * h);
        }
    }
    return out;
}

} // namespace sw
