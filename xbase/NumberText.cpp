#include "xbase/NumberText.h"

#include <charconv>
#include <cmath>
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

// Plain decimals of up to 15 digits, as stored numbers nearly always are:
// the digits as an integer, then one division, which is exact to the last
// bit as from_chars is. NaN when the text needs the full parser.
double parsePlain(const char* p, const char* end)
{
    static constexpr double kPow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    static constexpr double kNotPlain = std::numeric_limits<double>::quiet_NaN();
    const bool negative = p < end && *p == '-';
    p += negative ? 1 : 0;
    uint64_t digits = 0;
    int count = 0, decimals = 0;
    for (; p < end && *p >= '0' && *p <= '9'; ++p, ++count)
        digits = digits * 10 + uint64_t(*p - '0');
    if (p < end && *p == '.')
        for (++p; p < end && *p >= '0' && *p <= '9'; ++p, ++count, ++decimals)
            digits = digits * 10 + uint64_t(*p - '0');
    if (count == 0 || count > 15 || (p < end && (*p == 'e' || *p == 'E')))
        return kNotPlain;
    const double value = decimals == 0 ? double(digits) : double(digits) / kPow10[decimals];
    return negative ? -value : value;
}

} // namespace

double parse(const char* text, size_t length)
{
    const char* p = text;
    const char* end = text + length;
    while (p < end && (*p == ' ' || *p == '\0'))
        ++p;
    if (p < end && *p == '+')
        ++p;
    const double plain = parsePlain(p, end);
    if (!std::isnan(plain))
        return plain;
    double value = 0;
    const auto result = std::from_chars(p, end, value, std::chars_format::general);
    if (result.ec != std::errc() || !std::isfinite(value))
        return 0;
    return value;
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
