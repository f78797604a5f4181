#pragma once

// Which sheets a feature covers. ComputeSheets lays the smallest block of whole
// sheets of the current series and scale over the feature, numbers every cell
// (CellSheetNumber: at its south-west corner, or at a covered point of a 1:1M
// sheet whose south-west degree is not covered) and marks IN every sheet a
// segment touches (and, for a polygon, every sheet inside it); cells wholly
// outside the index stay "#" and OUT. The IN decision is made in the layout
// pixel frame at s.SheetPixelHeight; the application always passes the default
// zoom (DecisionSettings), the command line its --zoom.

#include "coverage/Feature.h"
#include "coverage/LargeBlock.h"
#include "coverage/SheetGrid.h"
#include "index/Error.h"
#include "index/Settings.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace sw {

// A computation refused before anything changed: "No vertices to compute",
// "Data extent too large! Try with smaller area or smaller scale".
class ComputeError : public Error {
public:
    explicit ComputeError(const std::string& what) : Error(ErrorKind::Input, what) {}
};

// The user stopped the computation; nothing changed.
class ComputeCancelled : public Error {
public:
    ComputeCancelled() : Error(ErrorKind::Cancelled, "Calculation cancelled") {}
};

inline constexpr const char* NoVerticesMessage = "No vertices to compute";
inline constexpr const char* ExtentTooLargeMessage =
    "Data extent too large! Try with smaller area or smaller scale";
inline constexpr int64_t MaxSheetCount = 100'000'000;

struct ComputeControl {
    // The percentage p done and its text, "Calculating..." + p + "% done", called
    // only when p changes; the last call is 100. May be called from a worker
    // thread. The number is passed so that no caller parses it back out of the text.
    std::function<void(int32_t percent, const std::string& text)> progress;
    // Checked during the enumeration; when it turns true ComputeSheets throws
    // ComputeCancelled and changes nothing.
    const std::atomic<bool>* cancel = nullptr;
};

enum class Algorithm {
    Fast,      // the production path
    Reference, // every cell against every segment and every edge, as plainly as possible
};

// Recomputes `grid` (and, for a polygon, f.FeaturePoints at origin 0, 0) from the
// feature and the settings. All or nothing: on ComputeError, ComputeCancelled or
// IntegerOverflow, `grid` and `f` are left exactly as they were. A feature that
// is the union of several (MemberStarts) is computed as ComputeUnion of them.
void ComputeSheets(const Settings& s, Feature& f, SheetGrid& grid, const ComputeControl& ctl = {},
                   Algorithm algorithm = Algorithm::Fast);

// Several features on one grid, the block over all their vertices: a cell is IN
// where any feature marks it IN. The even-odd rule runs over the rings of each
// feature alone, so overlapping features never cancel each other. A feature
// without vertices takes no part; ComputeError when none has any. Sets the
// FeaturePoints of each feature with a polygon ring. All or nothing, as above.
void ComputeUnion(const Settings& s, std::vector<Feature>& features, SheetGrid& grid,
                  const ComputeControl& ctl = {}, Algorithm algorithm = Algorithm::Fast);

// Which cells are IN, without the sheet list: for a caller that prints only the
// numbers it needs and can make them with GridNumberer(s, Grid). Grid holds
// everything ComputeSheets sets but SheetList, which stays empty; In has one
// byte per cell, row r, column c at r * Grid.GridCols + c, 1 for IN. The same
// cells are IN as in the fast ComputeSheets.
using CellFlags = std::vector<uint8_t, LargeAllocator<uint8_t>>;

struct SheetMask {
    SheetGrid Grid;
    CellFlags In;
};

// ComputeSheets and ComputeUnion with the fast enumeration, giving the mask. The
// progress callback is not called; cancellation and the all-or-nothing rule
// hold as there.
void ComputeSheetMask(const Settings& s, Feature& f, SheetMask& mask,
                      const ComputeControl& ctl = {});
void ComputeUnionMask(const Settings& s, std::vector<Feature>& features, SheetMask& mask,
                      const ComputeControl& ctl = {});

} // namespace sw
