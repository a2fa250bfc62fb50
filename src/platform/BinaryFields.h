#pragma once
// Numbers inside binary records: the 10-byte x87 extended real, the 8-byte double and the
// 32-bit little-endian integer, read and written at a byte offset of a record buffer.
#include <cstdint>
#include <cstring>

namespace exo {

static_assert(sizeof(long double) >= 10, "long double must be the x87 extended real");

inline long double ReadExtended(const char* at) {
    long double x = 0;
    std::memcpy(&x, at, 10);
    return x;
}

inline void WriteExtended(char* at, long double x) {
    std::memcpy(at, &x, 10);
}

inline double ReadDouble(const char* at) {
    double x = 0;
    std::memcpy(&x, at, sizeof x);
    return x;
}

inline void WriteDouble(char* at, double x) {
    std::memcpy(at, &x, sizeof x);
}

inline std::int32_t ReadInt32(const char* at) {
    const auto* b = reinterpret_cast<const unsigned char*>(at);
    return static_cast<std::int32_t>(std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 |
                                     std::uint32_t(b[2]) << 16 | std::uint32_t(b[3]) << 24);
}

inline void WriteInt32(char* at, std::int32_t n) {
    const auto u = static_cast<std::uint32_t>(n);
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<char>((u >> (8 * i)) & 0xFF);
}

} // namespace exo
