#pragma once

#include <cstdint>
#include <cstring>

// Byte-order helpers for the on-disk structures. Table and memo headers mix
// little- and big-endian words; every reader and writer goes through these.
namespace xbase::coding {

inline uint16_t getU16LE(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
inline uint32_t getU32LE(const uint8_t* p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
inline uint64_t getU64LE(const uint8_t* p) { return uint64_t(getU32LE(p)) | (uint64_t(getU32LE(p + 4)) << 32); }
inline uint16_t getU16BE(const uint8_t* p) { return uint16_t((p[0] << 8) | p[1]); }
inline uint32_t getU32BE(const uint8_t* p)
{
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}

inline void putU16LE(uint8_t* p, uint16_t v) { p[0] = uint8_t(v); p[1] = uint8_t(v >> 8); }
inline void putU32LE(uint8_t* p, uint32_t v)
{
    p[0] = uint8_t(v); p[1] = uint8_t(v >> 8); p[2] = uint8_t(v >> 16); p[3] = uint8_t(v >> 24);
}
inline void putU64LE(uint8_t* p, uint64_t v) { putU32LE(p, uint32_t(v)); putU32LE(p + 4, uint32_t(v >> 32)); }
inline void putU16BE(uint8_t* p, uint16_t v) { p[0] = uint8_t(v >> 8); p[1] = uint8_t(v); }
inline void putU32BE(uint8_t* p, uint32_t v)
{
    p[0] = uint8_t(v >> 24); p[1] = uint8_t(v >> 16); p[2] = uint8_t(v >> 8); p[3] = uint8_t(v);
}

inline double getDoubleLE(const uint8_t* p)
{
    uint64_t bits = getU64LE(p);
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}
inline void putDoubleLE(uint8_t* p, double d)
{
    uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    putU64LE(p, bits);
}

} // namespace xbase::coding
