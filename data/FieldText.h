#pragma once

#include "xbase/c4.h"

#include <QString>

#include <string_view>

// A character field's bytes without the blanks around it: list fills and
// name lookups read many rows and trim before they decode.
std::string_view trimmedFieldBytes(FIELD4* field);
// The same decoded from Windows-1252: one byte is one character, so this is
// the trimmed text of the whole field.
QString trimmedFieldText(FIELD4* field);
