#include "xbase/NumberText.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <string>

namespace {

// What stored number text means, by the general parser alone: blanks and
// NULs in front skipped, a '+' allowed, reading stops where the text stops
// being a number, and anything unreadable is 0.
double reference(const std::string& text)
{
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end && (*p == ' ' || *p == '\0'))
        ++p;
    if (p < end && *p == '+')
        ++p;
    double v = 0;
    const auto r = std::from_chars(p, end, v, std::chars_format::general);
    return r.ec == std::errc() && std::isfinite(v) ? v : 0;
}

} // namespace

// The quick reading of plain numbers must agree with the general parser to
// the last bit, whole parts included.
TEST(NumberText, PlainAndUnusualTextsReadAsTheGeneralParserReadsThem)
{
    const std::string texts[] = {
        "       450", "450", "  -12", "  -12.50", "+3", "  +7", "-0", "-0.5", "0.5", ".5", "-.25", "5.", "00012",
        "999999999999999", "-999999999999999", "9999999999999999", "1234567890123456", "123456789012.345",
        "1234567890123.4567", "0.99999999999999999", "0.9999999999999999", "999999999999999.9", "0.1", "0.3",
        "2.675", "-2147483648", "1e5", "1.5E-3", "12abc", "1.2.3", "1,5", "--5", " - 5", "12 ", "  1 2",
        "", "   ", "-", "+", ".", "-.", std::string("\0\0 7", 4), "inf", "nan", "0x10",
    };
    for (const std::string& t : texts) {
        const double want = reference(t);
        const double got = xbase::number::parse(t.data(), t.size());
        EXPECT_EQ(got, want) << '"' << t << '"';
        EXPECT_EQ(std::signbit(got), std::signbit(want)) << '"' << t << '"';
        EXPECT_EQ(xbase::number::parseWhole(t.data(), t.size()), xbase::number::truncate(want)) << '"' << t << '"';
    }
}
