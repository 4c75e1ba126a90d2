#include "LocaleScope.h"

#include "common/Clock.h"
#include "common/clsSystem.h"

#include <gtest/gtest.h>

namespace {

QString s(const char* text) { return QString::fromUtf8(text); }

// A fixed clock for the length of a test.
class FixedClock {
public:
    explicit FixedClock(const QDateTime& at) { Clock::setFixed(at); }
    ~FixedClock() { Clock::clearFixed(); }
};

QDateTime at(int y, int m, int d, int h = 14, int min = 5, int sec = 9)
{
    return QDateTime(QDate(y, m, d), QTime(h, min, sec));
}

} // namespace

TEST(DateTime, ShowsAndReadsTimesWithDesignators)
{
    struct Case { const char* stored; const char* shown; };
    const Case cases[] = {
        {"14:05:09", "2:05:09 PM"}, {"00:00:00", "12:00:00 AM"},
        {"12:30:00", "12:30:00 PM"}, {"09:07:05", "9:07:05 AM"},
    };
    for (const QLocale& l : {LocaleScope::english(), LocaleScope::german()}) {
        LocaleScope locale(l);
        for (const Case& c : cases) {
            const QString shown = s(c.shown).replace(s("AM"), QLocale().amText()).replace(s("PM"), QLocale().pmText());
            EXPECT_EQ(Sys().DBTimeToDislayTime(s(c.stored)), shown) << c.stored;
            EXPECT_EQ(Sys().CBTimeFormat(shown), s(c.stored)) << c.shown;
        }
    }
}

TEST(DateTime, ReadsTypedTimes)
{
    LocaleScope locale(LocaleScope::english());
    struct Case { const char* typed; const char* stored; };
    const Case cases[] = {
        {"14:05", "14:05:00"},      {"2:05 PM", "14:05:00"},  {"2:05pm", "14:05:00"},
        {"2 PM", "14:00:00"},       {"12:15 AM", "00:15:00"}, {"3/5/2024 2:05 PM", "14:05:00"},
        {"3/5/2024", "00:00:00"},   {"24:00", ""},            {"13:00 PM", ""},
        {"14", ""},                 {"2:60", ""},             {"noon", ""},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Sys().CBTimeFormat(s(c.typed)), s(c.stored)) << c.typed;
    EXPECT_EQ(Sys().DBTimeToDislayTime(s("   ")), s(""));
    EXPECT_EQ(Sys().DBTimeToDislayTime(s("later")), s(""));
}

TEST(DateTime, ReadsTypedDatesInTheLocale)
{
    struct Case { QLocale locale; const char* typed; const char* stored; };
    const Case cases[] = {
        {LocaleScope::english(), "3/5/2024", "20240305"},
        {LocaleScope::english(), "03/05/24", "20240305"},
        {LocaleScope::english(), "3-5-1999", "19990305"},
        {LocaleScope::english(), "3/5/35", "19350305"},
        {LocaleScope::english(), "Tuesday, March 5, 2024", "20240305"},
        {LocaleScope::english(), "March 5, 2024", "20240305"},
        {LocaleScope::english(), "2024-03-05", "20240305"},
        {LocaleScope::english(), "3/5/2024 14:05", "20240305"},
        {LocaleScope::english(), "2/30/2024", ""},
        {LocaleScope::english(), "13/5/2024", ""},
        {LocaleScope::english(), "3/5", ""},
        {LocaleScope::english(), "14:05", ""},   // a time alone has no date
        {LocaleScope::english(), "word", ""},
        {LocaleScope::english(), "", ""},
        {LocaleScope::german(), "5.3.2024", "20240305"},
        {LocaleScope::german(), "05.03.24", "20240305"},
        {LocaleScope::german(), "5. M\xc3\xa4rz 2024", "20240305"},
        {LocaleScope::german(), "3/5/2024", "20240503"},
    };
    for (const Case& c : cases) {
        LocaleScope locale(c.locale);
        EXPECT_EQ(Sys().CBDateFormat(s(c.typed)), s(c.stored)) << c.typed;
    }
}

TEST(DateTime, ShowsStoredDatesInTheirOwnCentury)
{
    for (const QLocale& l : {LocaleScope::english(), LocaleScope::german()}) {
        LocaleScope locale(l);
        for (const char* stored : {"19250101", "20350101", "20291231", "19300101", "18000101"}) {
            for (const char* format : {"Short Date", "Long Date"}) {
                const QString shown = Sys().DBDateToDislayDate(s(stored), s(format));
                EXPECT_TRUE(shown.contains(s(stored).left(4))) << shown.toStdString();
                EXPECT_EQ(Sys().CBDateFormat(shown), s(stored)) << shown.toStdString();
            }
        }
    }
}

TEST(DateTime, WidensTwoDigitYearsInTheLocaleFormats)
{
    LocaleScope locale(LocaleScope::english());
    EXPECT_EQ(Sys().DBDateToDislayDate(s("20350305"), s("Short Date")), s("3/5/2035"));
    EXPECT_EQ(Sys().DBDateToDislayDate(s("20350305"), s("Long Date")), s("Monday, March 5, 2035"));
    LocaleScope german(LocaleScope::german());
    EXPECT_EQ(Sys().displayDateFormat(QLocale::ShortFormat), s("dd.MM.yyyy"));
    EXPECT_EQ(Sys().DBDateToDislayDate(s("19250101"), s("short date")), s("01.01.1925"));
}

TEST(DateTime, ShowsNothingForStoredTextsThatAreNotDates)
{
    LocaleScope locale(LocaleScope::english());
    for (const char* stored : {"", "        ", "2024AB05", "202403", "20240230", "20241301", "2024-3-5"})
        EXPECT_EQ(Sys().DBDateToDislayDate(s(stored), s("Short Date")), s("")) << stored;
    EXPECT_EQ(Sys().DBDateToDislayDate(s(" 20240305 "), s("Short Date")), s("3/5/2024"));
}

TEST(DateTime, StampsTheCurrentDateAndTime)
{
    LocaleScope locale(LocaleScope::english());
    FixedClock clock(at(2024, 3, 5, 9, 7, 5));
    EXPECT_EQ(Sys().CurrTimeAMPM(), s("9:07:05 AM"));
    EXPECT_EQ(Sys().CurrDateShort(), s("3/5/2024"));
    EXPECT_EQ(Sys().ShortDate(), s("3/5/2024"));
    EXPECT_EQ(Sys().CurrDateTimeShort(), s("3/5/2024 @ 9:07:05 AM"));
    EXPECT_EQ(Sys().CurrDateTimeLong(), s("Tuesday, March 5, 2024 @ 9:07 AM"));
    EXPECT_EQ(Sys().LongDate(), Sys().CurrDateLong());
    EXPECT_EQ(Sys().NeutralShortDate(), s("Mar-05-24"));
}

TEST(DateTime, MakesDateRangesOfMonthsAndYears)
{
    LocaleScope locale(LocaleScope::english());
    struct Case { QDateTime now; qint32 kind; const char* from; const char* to; };
    const Case cases[] = {
        {at(2024, 2, 10), 1, "2/1/2024", "2/29/2024"},
        {at(2023, 2, 10), 1, "2/1/2023", "2/28/2023"},
        {at(2024, 2, 10), 2, "1/1/2024", "12/31/2024"},
        {at(2024, 1, 15), 11, "12/1/2023", "12/31/2023"},
        {at(2024, 3, 15), 11, "2/1/2024", "2/29/2024"},
        {at(2024, 3, 15), 12, "1/1/2023", "12/31/2023"},
    };
    for (const Case& c : cases) {
        FixedClock clock(c.now);
        QString from, to;
        EXPECT_TRUE(Sys().MakeDateRange(c.kind, from, to));
        EXPECT_EQ(from, s(c.from)) << c.kind;
        EXPECT_EQ(to, s(c.to)) << c.kind;
    }
    FixedClock clock(at(2024, 3, 5));
    QString from, to;
    EXPECT_FALSE(Sys().MakeDateRange(3, from, to));
    EXPECT_EQ(from, s("3/5/2024 @ 2:05:09 PM"));
    EXPECT_EQ(to, from);
}

TEST(DateTime, CountsDaysInMonths)
{
    struct Case { int month; int year; int days; };
    const Case cases[] = {
        {2, 2000, 29}, {2, 2024, 29}, {2, 1900, 28}, {2, 2023, 28},
        {1, 2023, 31}, {4, 2023, 30}, {12, 2023, 31}, {13, 2023, 30}, {0, 2023, 30},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Sys().GetNumDaysInMonth(c.month, c.year), c.days) << c.month << "/" << c.year;
}

TEST(DateTime, SortsTextsThatAreNotDatesFirst)
{
    LocaleScope locale(LocaleScope::english());
    EXPECT_EQ(Sys().Str2Date(s("n/a")), QDate(1800, 1, 1));
    EXPECT_EQ(Sys().CompareDate(s("n/a"), s("1/1/1801")), -1);
    EXPECT_EQ(Sys().CompareDate(s("3/5/2024"), s("3/4/2024")), 1);
    EXPECT_EQ(Sys().CompareDate(s("March 5, 2024"), s("3/5/2024")), 0);
    EXPECT_TRUE(Sys().isDate(s("14:05")));
    EXPECT_FALSE(Sys().isDate(s("14")));
}
