#pragma once

#include <cstdint>
#include <string>

// Sortable key encodings of the compound index. Every key is a fixed-length
// byte string whose unsigned byte order (memcmp) is the order of the values.
namespace xbase::key {

// What a tag's key expression yields, which decides the key bytes.
enum class KeyType { Character, Numeric, Integer, Date, DateTime, Logical };

// Byte that pads a key and that leaves may drop from its end: a space for
// character keys, zero for every binary key.
inline uint8_t fillByte(KeyType t) { return t == KeyType::Character ? 0x20 : 0x00; }

// Numbers (and dates as Julian days): the IEEE double big-endian, the sign bit
// flipped for values >= 0 (-0 counts as +0), all bits inverted for negatives.
void encodeDouble(double v, uint8_t out[8]);
double decodeDouble(const uint8_t in[8]);

// 32-bit integers: value + 2^31, big-endian.
void encodeInt32(int32_t v, uint8_t out[4]);
int32_t decodeInt32(const uint8_t in[4]);

// The Julian day of "YYYYMMDD" text; false when the text is blank or no date.
bool julianFromDtos(const char* text, size_t len, double* out);
// "YYYYMMDD" of a Julian day, or eight blanks for day 0.
std::string dtosFromJulian(int64_t jd);

} // namespace xbase::key
