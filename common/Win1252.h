#pragma once

#include <QString>

#include <string>
#include <string_view>

// The one conversion between the engine's Windows-1252 bytes and the UTF-8
// text used above it.
//
// Every byte decodes to one character. The five bytes that Windows-1252
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) decode to the C1 control
// characters of the same value and encode back to those bytes, so any byte
// string survives a round trip unchanged.
//
// Encoding turns every character that Windows-1252 cannot hold into one "?"
// (a character outside the Basic Multilingual Plane counts as one).

QString fromWin1252(const char* data, qsizetype len);
QString fromWin1252(const std::string& bytes);
std::string toWin1252(const QString& text);

// Whether Windows-1252 holds the character (never half of a surrogate pair).
bool inWin1252(QChar c);
// The index of the first character of `text`, from `from` on, that
// Windows-1252 cannot hold (for a surrogate pair, its first half); -1 when
// the code page holds them all.
qsizetype firstNotInWin1252(const QString& text, qsizetype from = 0);

// Upper case as the engine's UPPER() makes it, for every text that is
// compared with index keys or stored keys: each character of Windows-1252
// becomes the character of its upper-cased byte ("ß" and "µ" stay, "ÿ" becomes
// "Ÿ"); a character the code page cannot hold is left as it is.
QString upperWin1252(const QString& text);

// Two texts of Windows-1252 bytes compared as their characters compare
// ignoring case (QString::compare with Qt::CaseInsensitive): negative, 0 or
// positive.
int compareWin1252IgnoringCase(std::string_view a, std::string_view b);
// The first four characters of a text of Windows-1252 bytes folded as
// compareWin1252IgnoringCase() folds them, packed into one number: texts
// whose keys differ compare as their keys do (a text without NUL bytes).
quint64 win1252PrefixKey(std::string_view text);
