#pragma once

// Text from a file or a command line as it appears inside a message.

#include <cstddef>
#include <string>
#include <string_view>

namespace sw {

// `text` shown in at most `limit` characters, "..." after a cut; control characters
// (codes 0 to 31 and 127) written as \t, \n, \r or \xNN, so that a message never
// carries terminal escapes or runs to megabytes for one bad token.
std::string QuoteText(std::string_view text, std::size_t limit = 40);

} // namespace sw
