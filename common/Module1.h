#pragma once

#include "xbase/c4.h"

#include <QString>

// Turns the engine's field contents into text values and back. Every reader
// of a table goes through these; texts cross to the engine as Windows-1252
// bytes (Win1252.h), one byte per character. The procedures keep no state.
// A null field handle reads as "" and takes no assignment.
namespace Module1 {

// The field's whole contents as stored: exactly f4len_v characters, nothing
// trimmed (trailing blanks, the leading blanks of numbers, NUL bytes stay).
QString FieldStr(FIELD4* field);

// The memo's whole text, of any length; "" when empty or unreadable (the
// engine's error state then says why).
QString MemoFieldStr(FIELD4* field);

// Writes the text into a character or date field; the engine cuts it to the
// field's width or pads it with blanks.
void AssignFieldStr(FIELD4* field, const QString& text);

// Writes the stored date ("YYYYMMDD") shaped by the picture ("MM", "DD",
// "YY", ...) into `result`, which gets exactly Len(picture) characters.
void FormatDate(const QString& date, QString& result, const QString& picture);

// The field's name as the table stores it.
QString FieldNameStr(FIELD4* field);

// A NUL-terminated engine string (at most 255 characters are taken); "" for
// a null address.
QString PtrToStr(const char* address);

} // namespace Module1
