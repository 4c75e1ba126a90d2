#pragma once

#include <QByteArray>
#include <QString>

// A plain text as a rich text file in one font: Windows-1252 characters as
// themselves (those above 127 as \'hh escapes), any other as \uN with "?" for
// readers that do not know it; braces and backslashes escaped; each line
// ends in \par.
QByteArray rtfDocument(const QString& text, const QString& fontName, int pointSize);
