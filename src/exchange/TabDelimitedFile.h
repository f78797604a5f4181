#pragma once

// The vertex text file: one vertex per line, a label then latitude degrees,
// minutes, seconds and longitude degrees, minutes, seconds. Lines end at CR LF, LF
// or CR; a break after the last line adds no line; an empty line is a vertex too.

#include "exchange/VertexTable.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace sw {

// Splits one line into fields. Any run of characters of code 0 to 32 (blanks, tabs,
// other control characters) is one separator and is ignored at either end. A
// comma separates too, the blanks around it belonging to the same separator; two
// commas with only blanks between them enclose an empty field and a comma ending
// the line adds an empty last field. A field that begins with a double quote runs
// to the closing quote and may hold blanks and commas; two double quotes inside
// it stand for one; an unclosed quote runs to the end of the line.
std::vector<std::string> SplitVertexLine(std::string_view line);

// Reads the text into the table: VertexCount := number of lines, row count :=
// lines + 2, and for line i field j into column j of row i + 2, the column count
// following each line's field count in turn (at least 1). Each line's row is
// emptied before its fields are written, so a short line never leaves values of
// an earlier import behind; other rows keep what they held.
void ProcessTabDelimitedText(std::string_view bytes, VertexTable& t);

// The same from a file. Throws FileError naming the file and the system's reason
// when it cannot be opened or read; the table is then unchanged.
void ProcessTabDelimitedFile(const std::filesystem::path& path, VertexTable& t);

} // namespace sw
