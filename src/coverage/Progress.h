#pragma once

// The "Calculating..." progress of the sheet enumeration and its cancellation
// check. The text is sent only when the rounded percentage changes, so a caller on
// another thread gets at most 101 messages however large the grid is.

#include "coverage/Coverage.h"

#include <cstdint>
#include <string>
#include <vector>

namespace sw {

// "Calculating..." + p + "% done".
std::string ProgressText(int32_t percent);

// Round(done / total * 100), a half to even, in double precision.
int32_t ProgressPercent(int64_t done, int64_t total);

// Sends the same sequence of texts as checking ProgressPercent after every cell,
// without a division per cell: the cell counts at which the percentage changes
// are found once, up front.
class ProgressTracker {
public:
    ProgressTracker(const ComputeControl& ctl, int64_t total);

    // Call after every cell with the number of cells done so far (1, 2, ...).
    void CellDone(int64_t done) {
        if (done == nextChange_) {
            Report();
        }
    }

    // Throws ComputeCancelled once the caller's flag is set.
    void CheckCancel() const;

private:
    void Report();

    const ComputeControl& ctl_;
    std::vector<int64_t> changes_; // cell counts at which the text changes, ascending
    std::vector<int32_t> percents_;
    std::size_t next_ = 0;
    int64_t nextChange_ = -1;
};

} // namespace sw
