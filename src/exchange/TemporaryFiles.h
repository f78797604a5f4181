#pragma once

// Temporary files and staging folders removed when the process is stopped by
// SIGINT, SIGTERM, SIGHUP or SIGPIPE while they exist, so an interrupted save (or
// an output piped into a reader that quit) leaves no full-size leftover.
//
// This is process-wide by nature: a signal handler can reach nothing else. The
// table is a fixed array of slots that the handler reads without locking or
// allocating; a path registered while every slot is taken is simply not cleaned.
// The handlers are installed on first use, and only where the signal still has
// its default action, so a program that handles these signals itself keeps its own.

#include <filesystem>
#include <string>

#include <signal.h>

namespace sw {

// Registers the file `path`; returns the slot to release, or -1 when none was
// free or the path is too long to keep.
int RegisterTemporaryFile(const std::filesystem::path& path);

// Registers the folder `path`: on a signal the files in it are removed, then the
// folder. Staging folders hold files only, never folders of their own.
int RegisterTemporaryFolder(const std::filesystem::path& path);

// Forgets the slot (the file was renamed or removed); -1 is ignored.
void ReleaseTemporaryFile(int slot);

// While alive, the cleaned-up signals wait (blocked in this thread), so that a
// file or folder is never made without being registered; they arrive when it
// goes. Installs the handlers first.
class SignalsHeld {
public:
    SignalsHeld();
    ~SignalsHeld();
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
    sigset_t previous_;
};

// A folder made with a unique name from `prefix` (a path ending in the start of
// the name; "XXXXXX" is appended), registered for removal on a signal and
// removed with everything in it when this goes. Throws FileError naming the
// folder's parent and the reason when it cannot be made.
class TemporaryFolder {
public:
    explicit TemporaryFolder(const std::filesystem::path& prefix);
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
    int slot_ = -1;
};

// An empty file made with a unique name from `prefix` ("XXXXXX" is appended)
// and closed, for a writer that opens it by name; registered for removal on a
// signal and removed when this goes. Throws FileError "Cannot create file" with
// the reason when it cannot be made.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::filesystem::path& prefix);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
    int slot_ = -1;
};

} // namespace sw
