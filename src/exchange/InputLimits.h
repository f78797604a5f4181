#pragma once

// The limits every reader holds an input to, stated in the README. They are far
// beyond any feature a person enters, and keep a hostile or mistaken file (a
// disk image, /dev/zero, a file of a billion empty lines) from exhausting memory.

#include <cstddef>
#include <string>

namespace sw {

// Vertices one file may give; each costs about 150 bytes in the vertex table.
inline constexpr std::size_t MaxInputVertices = 1'000'000;

// Text formats read whole (vertex text, KML).
inline constexpr std::size_t MaxTextInputBytes = std::size_t{64} << 20;

// A projection file is one line of well-known text.
inline constexpr std::size_t MaxPrjBytes = std::size_t{1} << 20;

// Nesting of collections within collections in a structured input.
inline constexpr std::size_t MaxInputNesting = 64;

// "<what> holds more than 1000000 vertices, the most a file may give".
inline std::string TooManyVerticesText(const std::string& what) {
    return what + " holds more than " + std::to_string(MaxInputVertices) +
           " vertices, the most a file may give";
}

} // namespace sw
