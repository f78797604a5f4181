#pragma once

// Grids built by hand, a scratch folder and file helpers for the exchange tests.

#include "coverage/SheetGrid.h"
#include "index/Settings.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace sw::test {

// A grid of `cols` x `rows` sheets of the settings' size whose north-west corner
// is at the given whole degrees; sheet k is numbered "S<k>" and IN when `in(k)`.
template <class InPredicate>
SheetGrid MakeGrid(const Settings& s, int32_t westDeg, int32_t northDeg, int32_t cols, int32_t rows,
                   InPredicate in) {
    SheetGrid g;
    g.GridCols = cols;
    g.GridRows = rows;
    g.SheetCount = cols * rows;
    g.GridWestSec = westDeg * 3600;
    g.GridNorthSec = northDeg * 3600;
    g.GridWest = SecToDms(g.GridWestSec);
    g.GridNorth = SecToDms(g.GridNorthSec);
    g.GridEast = SecToDms(g.GridWestSec + cols * s.SheetWidthSec);
    g.GridSouth = SecToDms(g.GridNorthSec - rows * s.SheetHeightSec);
    for (int32_t k = 0; k < cols * rows; ++k) {
        SheetRec rec;
        std::string no = "S";
        no += std::to_string(k);
        rec.SheetNo = no;
        rec.InFlag = in(k) ? 1 : 0;
        g.SheetList.push_back(rec);
    }
    return g;
}

inline SheetGrid MakeGrid(const Settings& s, int32_t westDeg, int32_t northDeg, int32_t cols,
                          int32_t rows) {
    return MakeGrid(s, westDeg, northDeg, cols, rows, [](int32_t) { return true; });
}

// Old series 1:50,000: 15' sheets, zoom 70.
inline Settings FifteenMinuteSheets(int32_t zoom = 70) {
    Settings s = StartSettings();
    s.SheetPixelHeight = zoom;
    return s;
}

class ScratchDir {
public:
    ScratchDir() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() /
                ("sheetwright-exchange-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string File(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& Path() const { return path_; }
    // Names in the folder, to prove no temporary file is left behind.
    std::size_t EntryCount() const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(path_),
                                                      std::filesystem::directory_iterator()));
    }

private:
    std::filesystem::path path_;
};

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

// A file in tests/data/<format>/.
inline std::string DataFile(const std::string& relative) {
    const char* root = std::getenv("SHEETWRIGHT_TEST_DATA");
    return (std::filesystem::path(root != nullptr ? root : "tests/data") / relative).string();
}

} // namespace sw::test
