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

} // namespace

double parse(const char* text, size_t length)
{
    const char* p = text;
    const char* end = text + length;
    while (p < end && (*p == ' ' || *p == '\0'))
        ++p;
    if (p < end && *p == '+')
        ++p;
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
