#pragma once

#include <QString>

// Per-user preferences, kept as text values under one key. The key paths are
// those of the system's registry ("Software\Tarvelon\Brindlemark\Pref"); they
// are stored in the settings file of SettingsFile, the part after
// "Software\<maker>\<product>\" naming the group.
//
// Failures are never shown: a write reports them only in its result, a read
// gives "" or 0.

enum class RegRoot { CurrentUser };

// "Software\Tarvelon\Brindlemark\Pref"
QString PrefKeyPath();

// Writes `text` as the value `valueName` of `keyPath` (the key's default
// value when `valueName` is ""), creating the key when missing. True when
// the write reached the file.
bool RegWriteString(const QString& keyPath, const QString& text, const QString& valueName);

// Reads the value into `text`, cut at its first NUL character. False, with
// `text` "", when the value is missing or cannot be read.
bool RegReadValue(RegRoot root, const QString& keyPath, const QString& valueName, QString& text);

// The preference writers: the number's decimal text, or the text, under the
// preference key. The result of the write is not passed on.
void SavePrefLong(const QString& valueName, qint32 value);
void SavePrefString(const QString& valueName, const QString& text);

// A numeric preference rounded to a whole number (halves to the even one);
// 0 when missing, empty, not numeric or beyond the 32-bit range.
qint32 GetPrefLong(const QString& valueName);

// The preference's text; "" when missing.
QString GetPrefString(const QString& valueName);
