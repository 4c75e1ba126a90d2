#include "xbase/Calendar.h"

namespace xbase::calendar {

// Counting from 1 March keeps the leap day at the end of the year, so the
// month lengths follow a fixed pattern.
int64_t julianDay(int year, int month, int day)
{
    const int64_t a = (14 - month) / 12;
    const int64_t y = int64_t(year) + 4800 - a;
    const int64_t m = month + 12 * a - 3;
    return day + (153 * m + 2) / 5 + 365 * y + y / 4 - y / 100 + y / 400 - 32045;
}

void civilFromJulianDay(int64_t jd, int* year, int* month, int* day)
{
    const int64_t a = jd + 32044;
    const int64_t b = (4 * a + 3) / 146097;
    const int64_t c = a - 146097 * b / 4;
    const int64_t d = (4 * c + 3) / 1461;
    const int64_t e = c - 1461 * d / 4;
    const int64_t m = (5 * e + 2) / 153;
    *day = int(e - (153 * m + 2) / 5 + 1);
    *month = int(m + 3 - 12 * (m / 10));
    *year = int(100 * b + d - 4800 + m / 10);
}

} // namespace xbase::calendar
