#pragma once

// Sheet numbers of both series. Every rule looks only at the point's own
// normalised components, so a sheet holds its west and south edges but not its
// east and north edges; callers numbering a grid cell pass its south-west corner.

#include "index/Convertions.h"
#include "index/Settings.h"

#include <array>
#include <string>

namespace sw {

// Number of the northernmost 1:1M old-series sheet of each 4° column from 64°E;
// position 10 (100°E–104°E) lies outside the index and is never used.
inline constexpr std::array<uint8_t, 10> BaseColumnNumbers{32, 37, 42, 51, 60, 69, 75, 80, 89, 98};

// Letter of each 4° band of open-series 1:1M sheets from 8°N.
inline constexpr std::array<char, 10> BandLetters{'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L'};

// The open-series band 4°N–8°N has no letter in the table; it takes the letter
// before "C" in the same banding.
inline constexpr char SouthernBandLetter = 'B';

// The sheet number text of a position outside the index.
inline constexpr const char* OutsideSheetNo = "#";

// The index's box in seconds: 4°N–40°N, 64°E–100°E. Every sheet lies within it.
inline constexpr int32_t IndexSouthSec = 4 * 3600;
inline constexpr int32_t IndexNorthSec = 40 * 3600;
inline constexpr int32_t IndexWestSec = 64 * 3600;
inline constexpr int32_t IndexEastSec = 100 * 3600;

// 4°N–40°N, 64°E–100°E less the three southern cut-outs; whole degrees decide.
bool InCoverageArea(const DmsAngle& lon, const DmsAngle& lat);

// Old-series number at s.ScaleIndex, "#" outside the index, "" for an unlisted scale.
std::string OldSheetNumber(const Settings& s, const DmsAngle& lon, const DmsAngle& lat);

// Open-series number at s.ScaleIndex, "#" outside the index, "" for an unlisted scale.
std::string OpenSheetNumber(const Settings& s, const DmsAngle& lon, const DmsAngle& lat);

// The entry point: old series when MapSeries is 1, open series otherwise.
std::string SheetNumber(const Settings& s, const DmsAngle& lon, const DmsAngle& lat);

// A cell of the sheet grid, given by its south-west corner and size in seconds,
// is a sheet of the index when any part of it is covered: a 1:1M sheet whose
// south-west degree lies in a cut-out or west of 64°E is still a sheet. Sets
// (lonSec, latSec) to a covered point of the cell, its south-west corner when
// that is covered, and returns true; false when no part of the cell is covered.
bool CoveredPointOfCell(int32_t westSec, int32_t southSec, int32_t widthSec, int32_t heightSec,
                        int32_t& lonSec, int32_t& latSec);

// True when any part of the cell lies in the index.
bool CellInCoverageArea(int32_t westSec, int32_t southSec, int32_t widthSec, int32_t heightSec);

// The number of the cell of s's sheet size whose south-west corner is (westSec,
// southSec): SheetNumber at a covered point of it (every point of a sheet has
// the same number), "#" when the cell lies wholly outside the index.
std::string CellSheetNumber(const Settings& s, int32_t westSec, int32_t southSec);

} // namespace sw
