#pragma once

#include <cstdint>

// Julian day numbers, the day count that Visual FoxPro's DateTime fields
// store (1996-07-04 is day 2450269). Proleptic Gregorian calendar.
namespace xbase::calendar {

int64_t julianDay(int year, int month, int day);
void civilFromJulianDay(int64_t jd, int* year, int* month, int* day);

} // namespace xbase::calendar
