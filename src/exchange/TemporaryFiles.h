#pragma once

// Temporary files removed when the process is stopped by SIGINT, SIGTERM or
// SIGHUP while they exist, so an interrupted save leaves no full-size leftover.
//
// This is process-wide by nature: a signal handler can reach nothing else. The
// table is a fixed array of slots that the handler reads without locking or
// allocating; a file registered while every slot is taken is simply not cleaned.
// The handlers are installed on first use, and only where the signal still has
// its default action, so a program that handles these signals itself keeps its own.

#include <filesystem>
#include <string>

namespace sw {

// Registers `path`; returns the slot to release, or -1 when none was free or the
// path is too long to keep.
int RegisterTemporaryFile(const std::filesystem::path& path);

// Forgets the slot (the file was renamed or removed); -1 is ignored.
void ReleaseTemporaryFile(int slot);

} // namespace sw
