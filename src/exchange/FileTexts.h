#pragma once

// The texts of file errors, as the user reads them: the runtime's wording of
// system errors and the sentences that name a file.

#include <cstddef>
#include <filesystem>
#include <string>

#include <sys/types.h>

namespace sw {

// How a failed write is worded: the runtime's input/output texts ("Disk full",
// "File access denied", "I/O error %d") or the worksheet writer's "Stream write error".
enum class WriteFailureText { Runtime, StreamWriteError };

// The runtime's text for a system error number: "File not found", "File access
// denied", "Disk full", otherwise "I/O error %d".
std::string RuntimeIoText(int errorNumber);

// "Cannot create file "<path>". <reason>" / "Cannot open file "<path>". <reason>".
std::string CannotCreateText(const std::filesystem::path& path, int errorNumber);
std::string CannotOpenText(const std::filesystem::path& path, int errorNumber);

// The system's own text for an error number ("No space left on device").
std::string SystemReasonText(int errorNumber);

// A failed write worded as `failure` asks.
std::string WriteFailureMessage(WriteFailureText failure, int errorNumber);

// What a path that is not a regular file is ("It is a folder, not a file");
// empty for a regular file.
std::string NonFileKindText(mode_t mode);

// "Cannot create file "<path>". <reason>".
std::string CannotCreateBecause(const std::filesystem::path& path, const std::string& reason);

// "The file "<path>" is N MB; files of more than M MB are not read".
std::string TooLargeText(const std::filesystem::path& path, std::size_t size, std::size_t maxBytes);

} // namespace sw
