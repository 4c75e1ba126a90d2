#include "LocaleScope.h"

#include "common/clsSystem.h"
#include "common/mdlWinAPI.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

QString s(const char* text) { return QString::fromUtf8(text); }

struct NumberCase {
    const char* text;
    std::optional<double> value; // nothing: not numeric
};

void expectNumbers(const std::vector<NumberCase>& cases)
{
    for (const NumberCase& c : cases) {
        const std::optional<double> value = Sys().numericValue(s(c.text));
        EXPECT_EQ(value.has_value(), c.value.has_value()) << c.text;
        if (value && c.value) {
            EXPECT_DOUBLE_EQ(*value, *c.value) << c.text;
        }
    }
}

} // namespace

TEST(NumberConversions, ReadsNumbersInAnEnglishLocale)
{
    LocaleScope locale(LocaleScope::english());
    expectNumbers({
        {"12", 12},         {" -12.5 ", -12.5},  {"+.5", 0.5},        {"1.", 1},
        {"1,234,567.25", 1234567.25},            {"$1,234", 1234},    {"-$3", -3},
        {"$ -3", -3},       {"3$", 3},           {"1.5E3", 1500},     {"2e-2", 0.02},
        {"&HFF", 255},      {"&h1a", 26},        {"12,5", {}},        {"1,23", {}},
        {",123", {}},       {"", {}},            {"  ", {}},          {"abc", {}},
        {"12abc", {}},      {"1E", {}},          {"$", {}},           {"&H", {}},
        {"&HFG", {}},       {"--1", {}},         {"1e999", {}},       {"1.2.3", {}},
    });
}

TEST(NumberConversions, ReadsNumbersInADecimalCommaLocale)
{
    LocaleScope locale(LocaleScope::german());
    expectNumbers({
        {"12,5", 12.5},     {"-0,25", -0.25},    {"1.234.567,5", 1234567.5},
        {"1.234 \xe2\x82\xac", 1234},            {"\xe2\x82\xac 7", 7},
        {"12.5", {}},       {"1.5", {}},         {"1,2,3", {}},       {"&H10", 16},
    });
    EXPECT_DOUBLE_EQ(Sys().val(s("12,75kg")), 12.75);
}

TEST(NumberConversions, TakesTheLeadingNumberOfOtherTexts)
{
    LocaleScope locale(LocaleScope::english());
    struct Case { const char* text; double value; };
    const Case cases[] = {
        {"12abc", 12}, {" -3.5x", -3.5}, {"1e3z", 1000}, {"1ez", 1},
        {"abc", 0},    {"", 0},          {"&H1Fx", 31},  {"1,234", 1234},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(Sys().val(s(c.text)), c.value) << c.text;
}

TEST(NumberConversions, RoundsWholeNumbersHalfToEven)
{
    LocaleScope locale(LocaleScope::english());
    struct Case { const char* text; qint64 value; };
    const Case cases[] = {
        {"12.5", 12},   {"13.5", 14},  {"-12.5", -12}, {"12.51", 13}, {"abc", 0},
        {"40000", 40000}, {"1e30", std::numeric_limits<qint64>::max()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Sys().Str2Int(s(c.text)), c.value) << c.text;
}

TEST(NumberConversions, ComparesWholeNumbersBeyondSixteenBits)
{
    LocaleScope locale(LocaleScope::english());
    EXPECT_EQ(Sys().CompareInt(s("40000"), s("32767")), 1);
    EXPECT_EQ(Sys().CompareInt(s("100000"), s("99999")), 1);
    EXPECT_EQ(Sys().CompareInt(s("-5"), s("x")), -1); // not numeric counts as 0
    EXPECT_EQ(Sys().CompareInt(s("0"), s("")), 0);
    EXPECT_EQ(Sys().CompareStrNoCase(s("abc"), s("ABD")), -1);
    EXPECT_EQ(Sys().CompareStrNoCase(s("ABC"), s("abc")), 0);
}

TEST(NumberConversions, GroupsWholeNumbersInTheLocale)
{
    struct Case { QLocale locale; const char* value; const char* text; };
    const Case cases[] = {
        {LocaleScope::english(), "1234567.4", "1,234,567"},
        {LocaleScope::english(), "-2500.5", "-2,501"},
        {LocaleScope::english(), "0", "0"},
        {LocaleScope::english(), "0.4", "0"},
        {LocaleScope::english(), "n/a", "0"},
        {LocaleScope::german(), "1234567,4", "1.234.567"},
    };
    for (const Case& c : cases) {
        LocaleScope locale(c.locale);
        EXPECT_EQ(Sys().CommafyNoDec(s(c.value)), s(c.text)) << c.value;
    }
    LocaleScope locale(LocaleScope::english());
    EXPECT_EQ(Sys().FormatLongWithCommas(0), s("0"));
    EXPECT_EQ(Sys().FormatLongWithCommas(-1234567), s("-1,234,567"));
}

TEST(NumberConversions, CleansCurrencyAndGroupingFromTheLocale)
{
    {
        LocaleScope locale(LocaleScope::english());
        EXPECT_EQ(Sys().NumCleanStr(s("$1,234.50")), s("1234.50"));
        EXPECT_EQ(Sys().GetCurrencySymbol(), s("$"));
    }
    LocaleScope locale(LocaleScope::german());
    EXPECT_EQ(Sys().NumCleanStr(s("1.234,50\xe2\x82\xac")), s("1234,50"));
}

TEST(NumberConversions, AnswersLocaleItemsForTheUserLocaleOnly)
{
    LocaleScope locale(LocaleScope::german());
    using namespace mdlWinAPI;
    EXPECT_EQ(GetLocaleString(kLocaleUserDefault, kLocaleCurrencySymbol), s("\xe2\x82\xac"));
    EXPECT_EQ(GetLocaleString(kLocaleUserDefault, kLocaleMonetaryThousandSep), s("."));
    EXPECT_EQ(GetLocaleString(kLocaleSystemDefault, kLocaleDecimalSep), s(","));
    EXPECT_EQ(GetLocaleString(0x0409, kLocaleCurrencySymbol), s(""));
    EXPECT_EQ(GetLocaleString(kLocaleUserDefault, 9999), s(""));
}

TEST(NumberConversions, ZeroToNullStrDropsZerosAndAddsTheSuffix)
{
    LocaleScope locale(LocaleScope::english());
    EXPECT_EQ(Sys().ZeroToNullStr(s("0"), s(" hrs")), s(""));
    EXPECT_EQ(Sys().ZeroToNullStr(s("x"), s(" hrs")), s(""));
    EXPECT_EQ(Sys().ZeroToNullStr(s("2"), s(" hrs")), s("2 hrs"));
    EXPECT_EQ(Sys().ZeroToNullStr(s("2.5"), 1.0), s("3.5"));
}

TEST(NumberConversions, CountersStopAtTheLargestLong)
{
    qint32 counter = std::numeric_limits<qint32>::max() - 1;
    Sys().IncL(counter);
    Sys().IncL(counter);
    EXPECT_EQ(counter, std::numeric_limits<qint32>::max());
    const qint32 first = Sys().NextDocNum();
    EXPECT_EQ(Sys().NextDocNum(), first + 1);
}

TEST(NumberConversions, ClampsValues)
{
    EXPECT_EQ(Sys().NotBelowZeroInt(-4), 0);
    EXPECT_EQ(Sys().NotBelowZeroLong(7), 7);
    EXPECT_EQ(Sys().NotBelowMinVal(3, 5), 5);
    EXPECT_EQ(Sys().NotAboveMaxVal(9, 5), 5);
    EXPECT_EQ(Sys().Minus1ToZero(-1), 0);
    EXPECT_EQ(Sys().Minus1ToZero(-2), -2);
}
