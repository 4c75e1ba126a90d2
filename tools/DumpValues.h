#pragma once

#include "xbase/Field.h"

#include <string>

// A field of the current record as `bmtool dump` shows it, UTF-8, on one
// line: texts without their trailing blanks, numbers without padding, dates
// as stored, memos whole; backslash, line breaks, tabs and other control
// characters escaped (\\ \r \n \t \xHH). NULL values show as .NULL.
// `error` receives the reason when a memo cannot be read.
std::string dumpValue(xbase::Field& field, std::string* error);
