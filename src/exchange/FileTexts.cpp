#include "exchange/FileTexts.h"

#include <cerrno>
#include <system_error>

#include <sys/stat.h>

namespace sw {

std::string SystemReasonText(int errorNumber) {
    return std::generic_category().message(errorNumber);
}

std::string WriteFailureMessage(WriteFailureText failure, int errorNumber) {
    if (failure == WriteFailureText::StreamWriteError) {
        return "Stream write error";
    }
    return RuntimeIoText(errorNumber);
}

// What a path that is not a regular file is, for messages; empty for a regular file.
std::string NonFileKindText(mode_t mode) {
    if (S_ISDIR(mode)) {
        return "It is a folder, not a file";
    }
    if (S_ISFIFO(mode)) {
        return "It is a FIFO (named pipe), not a file";
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return "It is a device, not a file";
    }
    if (S_ISSOCK(mode)) {
        return "It is a socket, not a file";
    }
    return {};
}

std::string CannotCreateBecause(const std::filesystem::path& path, const std::string& reason) {
    return "Cannot create file \"" + path.string() + "\". " + reason;
}

std::string RuntimeIoText(int errorNumber) {
    switch (errorNumber) {
    case ENOENT:
        return "File not found";
    case EACCES:
    case EPERM:
    case EROFS:
        return "File access denied";
    case ENOSPC:
    case EFBIG:
    case EDQUOT:
        return "Disk full";
    default:
        return "I/O error " + std::to_string(errorNumber);
    }
}

std::string CannotCreateText(const std::filesystem::path& path, int errorNumber) {
    return CannotCreateBecause(path, SystemReasonText(errorNumber));
}

std::string CannotOpenText(const std::filesystem::path& path, int errorNumber) {
    return "Cannot open file \"" + path.string() + "\". " + SystemReasonText(errorNumber);
}

std::string TooLargeText(const std::filesystem::path& path, std::size_t size,
                         std::size_t maxBytes) {
    return "The file \"" + path.string() + "\" is " + std::to_string((size + (1 << 20) - 1) >> 20) +
           " MB; files of more than " + std::to_string(maxBytes >> 20) + " MB are not read";
}

} // namespace sw
