#pragma once

// Fixed byte orders of the binary exchange formats, independent of the host:
// the shapefile mixes big-endian integers with little-endian ones and doubles.

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace sw {

inline void PutLE16(std::string& out, uint16_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8);
}

inline void PutLE32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
    }
}

inline void PutBE32(std::string& out, uint32_t v) {
    for (int i = 3; i >= 0; --i) {
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
    }
}

inline void PutLE64(std::string& out, uint64_t v) {
    for (int i = 0; i < 8; ++i) {
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
    }
}

inline void PutDoubleLE(std::string& out, double v) {
    PutLE64(out, std::bit_cast<uint64_t>(v));
}

// Readers take a position the caller has checked against the data's size.
inline uint32_t GetLE32(std::string_view in, std::size_t pos) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) {
        v = (v << 8) | static_cast<unsigned char>(in[pos + static_cast<std::size_t>(i)]);
    }
    return v;
}

inline uint32_t GetBE32(std::string_view in, std::size_t pos) {
    uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        v = (v << 8) | static_cast<unsigned char>(in[pos + i]);
    }
    return v;
}

inline double GetDoubleLE(std::string_view in, std::size_t pos) {
    uint64_t v = 0;
    for (int i = 7; i >= 0; --i) {
        v = (v << 8) | static_cast<unsigned char>(in[pos + static_cast<std::size_t>(i)]);
    }
    return std::bit_cast<double>(v);
}

} // namespace sw
