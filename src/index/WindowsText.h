#pragma once

// The program's text is 8-bit in the Windows character set (Windows-1252): the
// angle text with its degree sign (byte 176), sheet numbers, the scale caption
// and every cell of the report and its worksheet. Everything outside the core
// speaks UTF-8 (file paths, the terminal, Qt). These two conversions are the
// one boundary between them.

#include <string>
#include <string_view>

namespace sw {

// 8-bit Windows text. A plain string, named so that signatures say which side
// of the boundary a text is on.
using WindowsText = std::string;

// Every byte to its character; the five bytes the character set leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) to the control characters of the
// same number, so the conversion never loses a byte.
std::string WindowsToUtf8(std::string_view text);

// Every character the Windows character set has to its byte, any other (and any
// byte that is not well-formed UTF-8) to '?'.
WindowsText Utf8ToWindows(std::string_view utf8);

} // namespace sw
