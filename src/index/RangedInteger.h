#pragma once

// Reading a whole number typed into a field with a valid range. No Qt: the
// rules are those of the number conversion, not of a widget.

#include <cstdint>
#include <string_view>

namespace sw {

// Trims blanks (and other control characters) from both ends and converts the
// rest: an optional sign, then decimal digits. The target always receives a
// value. When the conversion fails it keeps the value of the digits read before
// the first character that is not one (0 when there are none, as for an empty
// text; a digit that would overflow 32 bits also ends the number) and the result
// is false with no range check. A number outside lowest..highest sets the target
// to 0 and gives false.
bool ReadRangedInteger(std::string_view text, int32_t& target, int32_t lowest, int32_t highest);

} // namespace sw
