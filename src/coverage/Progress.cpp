#include "coverage/Progress.h"

#include "index/CheckedMath.h"

namespace sw {

std::string ProgressText(int32_t percent) {
    return "Calculating..." + std::to_string(percent) + "% done";
}

int32_t ProgressPercent(int64_t done, int64_t total) {
    return RoundHalfEven(static_cast<double>(done) / static_cast<double>(total) * 100.0);
}

ProgressTracker::ProgressTracker(const ComputeControl& ctl, int64_t total) : ctl_(ctl) {
    if (!ctl.progress && ctl.cancel == nullptr) {
        return;
    }
    if (total <= 0) {
        return;
    }
    // The percentage never falls as cells are done, so each change point is the
    // first count past the previous one whose percentage is larger.
    int64_t at = 1;
    int32_t p = ProgressPercent(at, total);
    for (;;) {
        changes_.push_back(at);
        percents_.push_back(p);
        if (at == total) {
            break;
        }
        int64_t lo = at + 1;
        int64_t hi = total;
        if (ProgressPercent(hi, total) == p) {
            break;
        }
        while (lo < hi) {
            const int64_t mid = lo + (hi - lo) / 2;
            if (ProgressPercent(mid, total) > p) {
                hi = mid;
            } else {
                lo = mid + 1;
            }
        }
        at = lo;
        p = ProgressPercent(at, total);
    }
    nextChange_ = changes_.front();
}

void ProgressTracker::Report() {
    CheckCancel();
    if (ctl_.progress) {
        ctl_.progress(percents_[next_], ProgressText(percents_[next_]));
    }
    ++next_;
    nextChange_ = next_ < changes_.size() ? changes_[next_] : -1;
}

void ProgressTracker::CheckCancel() const {
    if (ctl_.cancel != nullptr && ctl_.cancel->load(std::memory_order_relaxed)) {
        throw ComputeCancelled();
    }
}

} // namespace sw
