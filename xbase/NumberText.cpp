#include "xbase/NumberText.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace xbase::number {
namespace {

bool rightAlign(const char* begin, const char* end, int width, std::string* out)
{
    const size_t n = size_t(end - begin);
    if (width < 0 || n > size_t(width))
        return false;
    out->assign(size_t(width) - n, ' ');
    out->append(begin, n);
    return true;
}

// Plain decimals of up to 15 digits, as stored numbers nearly always are,
// read without the general parser. With so few digits the value as a double
// (the digits as an integer, then one division, exact to the last bit as
// from_chars is) and its whole part cut toward zero are both exact.
struct Plain {
    bool negative = false;
    uint64_t digits = 0; // every digit, the decimals included
    uint64_t whole = 0;  // the digits before the point
    int decimals = 0;
};

// Skips the blanks and a '+' in front; false when the text needs the general
// parser (no digits, too many, an exponent).
bool scanPlain(const char*& p, const char* end, Plain* out)
{
    // Numbers stand right-aligned behind blanks: skip them a word at a time.
    constexpr uint64_t kBlanks = 0x2020202020202020ULL;
    while (end - p >= 8) {
        uint64_t word = 0;
        std::memcpy(&word, p, 8);
        const uint64_t other = word ^ kBlanks; // zero bytes where blanks are
        if (other != 0) {
            if constexpr (std::endian::native == std::endian::little)
                p += std::countr_zero(other) / 8;
            break;
        }
        p += 8;
    }
    while (p < end && (*p == ' ' || *p == '\0'))
        ++p;
    if (p < end && *p == '+')
        ++p;
    const char* q = p;
    const bool negative = q < end && *q == '-';
    q += negative ? 1 : 0;
    const char* const start = q;
    uint64_t digits = 0;
    for (; q < end && *q >= '0' && *q <= '9'; ++q)
        digits = digits * 10 + uint64_t(*q - '0');
    const uint64_t whole = digits;
    const long wholeCount = q - start;
    long decimals = 0;
    if (q < end && *q == '.') {
        const char* const fraction = ++q;
        for (; q < end && *q >= '0' && *q <= '9'; ++q)
            digits = digits * 10 + uint64_t(*q - '0');
        decimals = q - fraction;
    }
    const long count = wholeCount + decimals;
    *out = {negative, digits, whole, int(decimals)};
    return count > 0 && count <= 15 && !(q < end && (*q == 'e' || *q == 'E'));
}

double generalParse(const char* p, const char* end)
{
    double value = 0;
    const auto result = std::from_chars(p, end, value, std::chars_format::general);
    if (result.ec != std::errc() || !std::isfinite(value))
        return 0;
    return value;
}

// Whether [from, to) is blanks only; bytes up to `limit` may be read.
bool blanksOnly(const char* from, const char* to, const char* limit)
{
    constexpr uint64_t kBlanks = 0x2020202020202020ULL;
    uint64_t word = 0;
    for (; to - from >= 8; from += 8) {
        std::memcpy(&word, from, 8);
        if (word != kBlanks)
            return false;
    }
    const size_t n = size_t(to - from);
    if (std::endian::native == std::endian::little && n > 0 && limit - from >= 8) {
        std::memcpy(&word, from, 8); // the n bytes wanted are its low ones
        return ((word ^ kBlanks) & ((uint64_t(1) << (8 * n)) - 1)) == 0;
    }
    for (; from < to; ++from)
        if (*from != ' ')
            return false;
    return true;
}

// Blanks, a '-' perhaps, then up to 15 digits to the end: how N fields
// without decimals hold whole numbers. Read from the end; anything else is
// left to scanPlain, which reads from the front.
bool rightAligned(const char* text, const char* end, int64_t* out)
{
    const char* p = end;
    uint64_t value = 0, scale = 1;
    for (; p > text && uint8_t(p[-1] - '0') <= 9; --p, scale *= 10) {
        if (scale > 100000000000000ULL)
            return false;
        value += uint64_t(p[-1] - '0') * scale;
    }
    if (p == end)
        return false;
    const bool negative = p > text && p[-1] == '-';
    p -= negative ? 1 : 0;
    if (!blanksOnly(text, p, end))
        return false;
    *out = negative ? -int64_t(value) : int64_t(value);
    return true;
}

} // namespace

double parse(const char* text, size_t length)
{
    static constexpr double kPow10[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const char* p = text;
    Plain n;
    if (!scanPlain(p, text + length, &n))
        return generalParse(p, text + length);
    const double value = n.decimals == 0 ? double(n.digits) : double(n.digits) / kPow10[n.decimals];
    return n.negative ? -value : value;
}

int64_t parseWhole(const char* text, size_t length)
{
    int64_t whole = 0;
    if (rightAligned(text, text + length, &whole))
        return whole;
    const char* p = text;
    Plain n;
    if (!scanPlain(p, text + length, &n))
        return truncate(generalParse(p, text + length));
    return n.negative ? -int64_t(n.whole) : int64_t(n.whole);
}

bool format(double value, int width, int decimals, std::string* out)
{
    if (!std::isfinite(value))
        return false;
    char buf[640];
    auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return false;
    // Rounding may leave "-0.00"; FoxPro stores zero without a sign.
    if (buf[0] == '-' && parse(buf + 1, size_t(result.ptr - buf - 1)) == 0)
        return rightAlign(buf + 1, result.ptr, width, out);
    return rightAlign(buf, result.ptr, width, out);
}

bool formatWhole(int64_t value, int width, int decimals, std::string* out)
{
    char buf[64];
    auto result = std::to_chars(buf, buf + 24, value);
    char* end = result.ptr;
    if (decimals > 0 && decimals < 32) {
        *end++ = '.';
        for (int i = 0; i < decimals; ++i)
            *end++ = '0';
    }
    return rightAlign(buf, end, width, out);
}

int64_t truncate(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double kMax = 9223372036854775807.0;
    if (value >= kMax)
        return std::numeric_limits<int64_t>::max();
    if (value <= -kMax)
        return std::numeric_limits<int64_t>::min();
    return int64_t(std::trunc(value));
}

} // namespace xbase::number
