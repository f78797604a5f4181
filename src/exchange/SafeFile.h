#pragma once

// Whole-file reading and replace-on-success writing for the exchange formats.
// A writer never truncates the user's file first: the bytes go to a temporary
// file in the same folder, which is renamed over the target only once it is
// complete, so a full disk or a refused write leaves an existing file as it was.

#include <string>
#include <string_view>

namespace sw {

// How a failed write is worded: the runtime's input/output texts ("Disk full",
// "File access denied", "I/O error %d") or the worksheet writer's "Stream write error".
enum class WriteFailureText { Runtime, StreamWriteError };

// The runtime's text for a system error number: "File not found", "File access
// denied", "Disk full", otherwise "I/O error %d".
std::string RuntimeIoText(int errorNumber);

// "Cannot create file "<path>". <reason>" / "Cannot open file "<path>". <reason>".
std::string CannotCreateText(const std::string& path, int errorNumber);
std::string CannotOpenText(const std::string& path, int errorNumber);

// A file written completely under a temporary name beside its target, waiting
// to be renamed over it. Destroying it without Commit removes the temporary.
class StagedFile {
public:
    // Throws FileError "Cannot create file ..." when the target exists but may not
    // be written, or the temporary cannot be created; the write failure text when
    // a write fails. In every case the temporary is gone and the target untouched.
    StagedFile(std::string target, std::string_view bytes, WriteFailureText failure);
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;
    StagedFile(StagedFile&& other) noexcept;
    StagedFile& operator=(StagedFile&&) = delete;
    ~StagedFile();

    // Renames the temporary over the target; "Cannot create file ..." on failure.
    void Commit();

    const std::string& TemporaryPath() const { return temp_; }

private:
    std::string target_;
    std::string temp_; // empty once committed or moved from
};

// Stages and commits in one step.
void ReplaceFileContents(const std::string& path, std::string_view bytes, WriteFailureText failure);

// The whole file. When it cannot be opened or read, throws FileError with
// CannotOpenText or the runtime's text, as `failure` asks; nothing is returned.
enum class ReadFailureText { Runtime, CannotOpen };
std::string ReadWholeFile(const std::string& path, ReadFailureText failure);

} // namespace sw
