#include "cli/StandardOutput.h"

#include "cli/CliCommon.h"
#include "exchange/SafeFile.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <system_error>
#include <vector>

namespace sw::cli {

namespace {

namespace fs = std::filesystem;

class TemporaryFolder {
public:
    TemporaryFolder() {
        std::string pattern = (fs::temp_directory_path() / "sheetwright-out-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw InputError("no temporary folder for standard output: " +
                             std::generic_category().message(errno));
        }
        path_ = pattern;
    }
    ~TemporaryFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

} // namespace

void WriteThroughStream(const std::string& flag,
                        const std::function<void(const std::string& path)>& write,
                        std::ostream& out, const std::string& extension) {
    const TemporaryFolder folder;
    const fs::path target = folder.Path() / ("stdout" + extension);
    write(target.string());
    std::vector<fs::path> made;
    for (const auto& entry : fs::directory_iterator(folder.Path())) {
        made.push_back(entry.path());
    }
    fs::path chosen;
    if (fs::exists(target)) {
        chosen = target;
    } else if (made.size() == 1) {
        chosen = made.front();
    } else {
        throw UsageError(flag + " writes several files and cannot write to standard output (-)");
    }
    out << ReadWholeFile(chosen.string(), ReadFailureText::Runtime);
    out.flush();
}

} // namespace sw::cli
