#pragma once

// A computation that a test cancels must still be running when the cancel
// arrives; on a busy machine a fast one can end first. While a
// HeldComputations lives, computations wait for their cancellation.

#include "view/SheetComputation.h"

namespace sw::test {

class HeldComputations {
public:
    HeldComputations() { gui::SheetComputation::HoldUntilCancelled(true); }
    ~HeldComputations() { gui::SheetComputation::HoldUntilCancelled(false); }
    HeldComputations(const HeldComputations&) = delete;
    HeldComputations& operator=(const HeldComputations&) = delete;
};

} // namespace sw::test
