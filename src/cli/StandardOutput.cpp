#include "cli/StandardOutput.h"

#include "cli/CliCommon.h"
#include "exchange/FileError.h"
#include "exchange/FileReading.h"
#include "exchange/SafeFile.h"
#include "exchange/TemporaryFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string_view>
#include <system_error>
#include <vector>

namespace sw::cli {

namespace {

namespace fs = std::filesystem;

// The staging folder in the temporary folder, removed on every way out: a
// return, an exception, and SIGTERM, SIGINT, SIGHUP or SIGPIPE (the reader of a
// pipe quitting early).
std::unique_ptr<TemporaryFolder> StagingFolder() {
    try {
        return std::make_unique<TemporaryFolder>(fs::temp_directory_path() / "sheetwright-out-");
    } catch (const FileError& e) {
        throw Error(ErrorKind::Output,
                    std::string("no temporary folder for standard output: ") + e.what());
    }
}

} // namespace

void WriteThroughStream(const std::string& flag,
                        const std::function<void(const std::string& path)>& write,
                        std::ostream& out, const std::string& extension) {
    const std::unique_ptr<TemporaryFolder> staging = StagingFolder();
    const TemporaryFolder& folder = *staging;
    const fs::path target = folder.Path() / ("stdout" + extension);
    try {
        write(target.string());
    } catch (const FileError& e) {
        // The staging folder is ours: the user asked for standard output.
        const std::string_view message = e.what();
        const std::string inside = folder.Path().string() + "/";
        std::string shown;
        std::size_t from = 0;
        for (std::size_t at = message.find(inside); at != std::string_view::npos;
             at = message.find(inside, from)) {
            shown.append(message.substr(from, at - from)).append(StandardOutputName);
            from = std::min(message.find('"', at), message.size());
        }
        shown.append(message.substr(from));
        throw FileError(shown);
    }
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
    // Copied in blocks: a staged file of gigabytes never sits in memory whole.
    const InputFile file(chosen, ReadFailureText::Runtime, std::size_t(-1));
    constexpr std::size_t Block = std::size_t{1} << 20;
    for (std::size_t at = 0; at < file.Size(); at += Block) {
        const std::string piece = file.Read(at, Block);
        out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
        if (!out) {
            break;
        }
    }
    out.flush();
}

} // namespace sw::cli
