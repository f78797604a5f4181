#pragma once

// A file that cannot be created, opened, read or written, or whose contents are
// damaged. The message is the text shown to the user as it stands.

#include <stdexcept>
#include <string>

namespace sw {

class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace sw
