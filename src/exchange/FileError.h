#pragma once

// A file that cannot be created, opened, read or written, or whose contents are
// damaged. The message is the text shown to the user as it stands.

#include "index/Error.h"

#include <string>

namespace sw {

class FileError : public Error {
public:
    explicit FileError(const std::string& what) : Error(ErrorKind::Input, what) {}
};

} // namespace sw
