#include "xbase/KeyCodec.h"

#include "xbase/Calendar.h"

#include <cstdio>
#include <cstring>

namespace xbase::key {

void encodeDouble(double v, uint8_t out[8])
{
    if (v == 0.0)
        v = 0.0; // folds -0 into +0
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    bits = (bits & 0x8000000000000000ULL) ? ~bits : (bits | 0x8000000000000000ULL);
    for (int i = 7; i >= 0; --i) {
        out[i] = uint8_t(bits);
        bits >>= 8;
    }
}

double decodeDouble(const uint8_t in[8])
{
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i)
        bits = (bits << 8) | in[i];
    bits = (bits & 0x8000000000000000ULL) ? (bits & ~0x8000000000000000ULL) : ~bits;
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

void encodeInt32(int32_t v, uint8_t out[4])
{
    const uint32_t u = uint32_t(v) ^ 0x80000000U;
    out[0] = uint8_t(u >> 24);
    out[1] = uint8_t(u >> 16);
    out[2] = uint8_t(u >> 8);
    out[3] = uint8_t(u);
}

int32_t decodeInt32(const uint8_t in[4])
{
    const uint32_t u = (uint32_t(in[0]) << 24) | (uint32_t(in[1]) << 16) | (uint32_t(in[2]) << 8) | in[3];
    return int32_t(u ^ 0x80000000U);
}

bool julianFromDtos(const char* text, size_t len, double* out)
{
    if (len < 8)
        return false;
    int parts[3] = {0, 0, 0};
    const int widths[3] = {4, 2, 2};
    size_t pos = 0;
    for (int p = 0; p < 3; ++p) {
        for (int i = 0; i < widths[p]; ++i, ++pos) {
            const char c = text[pos];
            if (c < '0' || c > '9')
                return false;
            parts[p] = parts[p] * 10 + (c - '0');
        }
    }
    if (parts[1] < 1 || parts[1] > 12 || parts[2] < 1 || parts[2] > 31)
        return false;
    *out = double(calendar::julianDay(parts[0], parts[1], parts[2]));
    return true;
}

std::string dtosFromJulian(int64_t jd)
{
    if (jd <= 0)
        return std::string(8, ' ');
    int year = 0, month = 0, day = 0;
    calendar::civilFromJulianDay(jd, &year, &month, &day);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d", year % 10000, month, day);
    return buf;
}

} // namespace xbase::key
