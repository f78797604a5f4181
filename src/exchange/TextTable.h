#pragma once

// A table of 8-bit text cells, [row][column]; rows may have fewer cells than the
// widest row. The report window shows one and the worksheet writer saves it.

#include <string>
#include <vector>

namespace sw {

using TextTable = std::vector<std::vector<std::string>>;

} // namespace sw
