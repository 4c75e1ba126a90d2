#include "common/GridCsv.h"

#include "common/clsSystem.h"

#include <QLocale>

#include <cstdlib>

namespace {

// The number at the start of `text` with "." as the decimal point; blanks
// anywhere in it are passed over, and reading stops at the first character
// that cannot continue the number.
double leadingNumber(const QString& text)
{
    QByteArray digits;
    bool point = false;
    bool exponent = false;
    for (const QChar c : text) {
        if (c == u' ' || c == u'\t' || c == u'\r' || c == u'\n')
            continue;
        const char ch = char(c.unicode() < 128 ? c.unicode() : 0);
        const bool signAllowed = digits.isEmpty() || digits.endsWith('E');
        if ((ch == '+' || ch == '-') && signAllowed)
            digits.append(ch);
        else if (ch >= '0' && ch <= '9')
            digits.append(ch);
        else if (ch == '.' && !point && !exponent)
            point = true, digits.append(ch);
        else if ((ch == 'E' || ch == 'e' || ch == 'D' || ch == 'd') && !exponent && !digits.isEmpty())
            exponent = true, digits.append('E');
        else
            break;
    }
    bool ok = false;
    const double value = digits.toDouble(&ok);
    return ok ? value : std::strtod(digits.constData(), nullptr);
}

} // namespace

namespace GridCsv {

QString field(QString cell)
{
    const QString upper = cell.toUpper();
    if (upper == QLatin1String("TRUE"))
        cell = QStringLiteral("Yes");
    else if (upper == QLatin1String("FALSE"))
        cell = QStringLiteral("No");
    const QString noCommas = Sys().RemoveChar(cell, QStringLiteral(","));
    if (Sys().isNumeric(noCommas)) {
        QLocale locale;
        locale.setNumberOptions(QLocale::OmitGroupSeparator);
        return locale.toString(leadingNumber(Sys().NumCleanStr(noCommas)), 'G', 15);
    }
    return Sys().QuoteStr(Sys().StrReplaceChar(cell, u'"', QStringLiteral("\"\""), true));
}

QString line(const QStringList& cells)
{
    QString text;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i > 0)
            text += u',';
        text += field(cells.at(i));
    }
    return text + Sys().CRLF();
}

} // namespace GridCsv
