#pragma once

// The limits every reader holds an input to, stated in the README. They are far
// beyond any feature a person enters, and keep a hostile or mistaken file (a
// disk image, /dev/zero, a file of a billion empty lines) from exhausting memory.

#include <cstddef>
#include <cstdint>
#include <string>

namespace sw {

// Vertices one file may give; each costs about 150 bytes in the vertex table.
inline constexpr std::size_t MaxInputVertices = 1'000'000;

// Text formats read whole (vertex text, KML).
inline constexpr std::size_t MaxTextInputBytes = std::size_t{64} << 20;

// A GIS layer on disk, an archive inflated, or read from standard input, unless
// the user asks for another limit (--max-input).
inline constexpr std::size_t DefaultMaxGisInputBytes = std::size_t{2} << 30;

// A projection file is one line of well-known text.
inline constexpr std::size_t MaxPrjBytes = std::size_t{1} << 20;

// Nesting of collections within collections in a structured input.
inline constexpr std::size_t MaxInputNesting = 64;

// "2 GB", "300 MB": a byte limit as the messages state it.
inline std::string ByteLimitText(uint64_t bytes) {
    constexpr uint64_t mb = uint64_t{1} << 20;
    constexpr uint64_t gb = uint64_t{1} << 30;
    if (bytes >= gb && bytes % gb == 0) {
        return std::to_string(bytes / gb) + " GB";
    }
    if (bytes >= mb && bytes % mb == 0) {
        return std::to_string(bytes / mb) + " MB";
    }
    return std::to_string(bytes) + " bytes";
}

// "<what> holds more than 1000000 vertices, the most a file may give".
inline std::string TooManyVerticesText(const std::string& what) {
    return what + " holds more than " + std::to_string(MaxInputVertices) +
           " vertices, the most a file may give";
}

} // namespace sw
