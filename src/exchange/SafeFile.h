#pragma once

// Replace-on-success writing for the exchange formats. A writer never truncates
// the user's file first: the bytes go to a temporary file in the target's folder,
// which is renamed over the target only once it is complete, so a full disk or a
// refused write leaves an existing file as it was.
//
// Replacing keeps what the user had: a symbolic link is followed and the file it
// names is replaced (the link stays); the permission bits (and, for root, the
// owner) of an existing target carry over to the new file; a FIFO, character
// device or socket is written to directly, never replaced by a file. A folder or
// block device as target is refused. Temporary names stay within the 255-byte
// name limit, and SIGINT, SIGTERM or SIGHUP during a write removes them.

#include "exchange/FileTexts.h"

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <sys/stat.h>

namespace sw {

// `path` with every symbolic link of its last component followed (relative links
// from the link's folder, at most 40 in a row), so that a link to a file that does
// not exist yet still names where that file will be. Other paths come back as given.
std::string FollowLinks(const std::filesystem::path& path);

// True when `path` names an existing FIFO, character device or socket: a stream
// that is written in place (/dev/stdout, a named pipe), whose name a writer must
// take as given rather than put its own extension on.
bool IsStreamTarget(const std::filesystem::path& path);

// A file being written under a temporary name beside its target, renamed over it
// by Commit. Bytes are buffered and written in large blocks, so a document of
// gigabytes needs little memory. Destroying it uncommitted removes the temporary.
// A FIFO, character device or socket target is opened and written in place; its
// Commit only flushes.
class StagedFile {
public:
    // Throws FileError "Cannot create file ..." when the target exists but may not
    // be written, is a folder or block device, or the temporary cannot be created.
    StagedFile(const std::filesystem::path& target, WriteFailureText failure);
    // Opens, writes `bytes` and finishes in one step.
    StagedFile(const std::filesystem::path& target, std::string_view bytes,
               WriteFailureText failure);
    // Takes over `written`, a complete file in the target's file system (a
    // writer's staging folder beside it), to be renamed over the target by
    // Commit, with the same checks of the target as the constructor. A stream
    // target gets its bytes at once and `written` is removed.
    static StagedFile Adopt(const std::filesystem::path& target,
                            const std::filesystem::path& written, WriteFailureText failure);
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;
    StagedFile(StagedFile&& other) noexcept;
    StagedFile& operator=(StagedFile&&) = delete;
    ~StagedFile();

    // Appends bytes. A failed or short write throws the failure text and removes
    // the temporary; the target is untouched.
    void Write(std::string_view bytes);
    // Flushes and closes; errors as for Write. Called by Commit when still open.
    void Finish();
    // Renames the temporary over the target; "Cannot create file ..." on failure.
    void Commit();

    // The file that is replaced (links followed) and the temporary beside it;
    // the temporary is empty once committed, and for a target written in place.
    const std::string& Target() const { return target_; }
    const std::string& TemporaryPath() const { return temp_; }
    bool WritesInPlace() const { return inPlace_; }

private:
    friend class FileSet;
    struct AdoptTag {};
    StagedFile(const std::filesystem::path& target, const std::filesystem::path& written,
               WriteFailureText failure, AdoptTag);
    // Follows links and checks the target; opens a stream target in place.
    // Returns whether the target exists, `st` describing it.
    bool OpenTarget(struct stat& st);
    static void KeepOwnership(int fd, const struct stat& st);
    void Flush();
    [[noreturn]] void FailWrite(int errorNumber);
    void Discard();

    std::string target_;
    std::string temp_; // empty once committed or moved from
    WriteFailureText failure_;
    std::string buffer_;
    int fd_ = -1;
    int slot_ = -1; // the signal-cleanup registration of temp_
    bool inPlace_ = false;
};

// Renames `from` to `to` as rename(2) does: 0 on success, -1 with errno set.
using RenameFunction = int (*)(const char* from, const char* to);

// Several files replaced as one: either every target gets its new contents or
// every target keeps what it had. The old files are kept under temporary names
// until every rename succeeded and are put back otherwise. Commits of sets into
// the same folder by this or another process take turns under a lock on the
// folder, so two writers of one name never leave a mix of their files.
class FileSet {
public:
    // `rename` is the rename used for the replacement steps (a test may make one fail).
    explicit FileSet(RenameFunction rename = nullptr);
    FileSet(const FileSet&) = delete;
    FileSet& operator=(const FileSet&) = delete;
    ~FileSet();

    // Stages one more member; the reference stays valid until the set is destroyed.
    StagedFile& Add(const std::filesystem::path& target, WriteFailureText failure);
    // Adds a file already written in full (StagedFile::Adopt).
    void Adopt(const std::filesystem::path& target, const std::filesystem::path& written,
               WriteFailureText failure);
    // Finishes every member and replaces all targets; on any failure the targets
    // are as before, the temporaries are removed and "Cannot create file ..."
    // names the target that failed.
    void Commit();

private:
    std::vector<std::unique_ptr<StagedFile>> files_;
    RenameFunction rename_;
};

// Stages and commits one file in one step.
void ReplaceFileContents(const std::filesystem::path& path, std::string_view bytes,
                         WriteFailureText failure);

} // namespace sw
