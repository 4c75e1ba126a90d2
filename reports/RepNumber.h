#pragma once

#include <QString>

#include <optional>

// The identifier that an item of a report definition stands for: a text of
// the form [+-]digits[.digits] once blanks around it are gone (in any
// locale), rounded to a whole number with halves going to the even one.
// Nothing for any other text, and for a value outside the 32-bit range.
std::optional<qint32> repIdentifier(const QString& text);
