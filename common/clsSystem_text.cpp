#include "common/clsSystem.h"

#include <algorithm>

namespace {

QString repeated(const QString& unit, int count)
{
    return count < 1 ? QString() : unit.repeated(count);
}

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }
bool isAlpha(QChar c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

template <typename Pred>
bool allOf(const QString& text, Pred pred)
{
    return std::all_of(text.cbegin(), text.cend(), pred);
}

// Joins two name parts with `sep`, or gives whichever part is not empty.
QString joinNames(const QString& a, const QString& b, QLatin1String sep)
{
    if (!a.isEmpty() && !b.isEmpty())
        return a + sep + b;
    return a.isEmpty() ? b : a;
}

} // namespace

QString clsSystem::CRLF(int count) const { return repeated(QStringLiteral("\r\n"), count); }
QString clsSystem::LF(int count) const { return repeated(QStringLiteral("\n"), count); }
QString clsSystem::CR(int count) const { return repeated(QStringLiteral("\r"), count); }
QString clsSystem::DoubleQuote() const { return QStringLiteral("\""); }

QString clsSystem::QuoteStr(const QString& text, bool apostrophes) const
{
    const QChar q = apostrophes ? u'\'' : u'"';
    return q + text + q;
}

QString clsSystem::RemoveChar(const QString& text, const QString& ch) const
{
    if (ch.isEmpty())
        return text;
    return QString(text).remove(ch);
}

QString clsSystem::RemoveLastChar(const QString& text, const QString& ch) const
{
    if (text.isEmpty())
        return text;
    if (ch.isEmpty() || text.right(1) == ch)
        return text.left(text.size() - 1);
    return text;
}

QString clsSystem::RemoveSurroundingQuote(const QString& text) const
{
    if (text.size() > 1 && text.front() == u'"' && text.back() == u'"')
        return text.mid(1, text.size() - 2);
    return text;
}

QString clsSystem::StrGetTextTilChar(const QString& text, QString& ch) const
{
    ch = ch.left(1);
    if (ch.isEmpty())
        return text;
    const qsizetype pos = text.indexOf(ch);
    return pos < 0 ? text : text.left(pos);
}

QString clsSystem::RemoveCRLF(const QString& text) const
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c == u'\r' || c == u'\n')
            out += QLatin1String("  ");
        else
            out += c;
    }
    return out;
}

QString clsSystem::StrTruncate(const QString& text, int maxLen) const
{
    maxLen = std::max(maxLen, 0);
    if (text.size() > maxLen)
        return text.left(maxLen) + QLatin1String("...");
    return text;
}

QString clsSystem::PadChar(const QString& text, int width, const QString& pad, int side) const
{
    width = std::max(width, 0);
    if (text.size() >= width)
        return text.left(width);
    const QString fill(width - text.size(), pad.isEmpty() ? QChar(u' ') : pad.front());
    return side == 2 ? text + fill : fill + text;
}

QString clsSystem::PadZeros(const QString& text, int width, int side) const
{
    return PadChar(text, width, QStringLiteral("0"), side);
}

QString clsSystem::PadSpaces(const QString& text, int width, int side) const
{
    return PadChar(text, width, QStringLiteral(" "), side);
}

bool clsSystem::StrDigitsOnly(const QString& text) const { return allOf(text, isDigit); }
bool clsSystem::StrAlphaOnly(const QString& text) const { return allOf(text, isAlpha); }

bool clsSystem::StrAlphaDigitOnly(const QString& text) const
{
    return allOf(text, [](QChar c) { return isDigit(c) || isAlpha(c); });
}

qint32 clsSystem::CharCountInStr(const QString& text, const QString& ch) const
{
    if (ch.size() != 1)
        return 0;
    return static_cast<qint32>(text.count(ch.front()));
}

bool clsSystem::EmailAddressIsValid(const QString& text) const
{
    return CharCountInStr(text, QStringLiteral("@")) < 2 && !text.endsWith(u'@')
        && !text.contains(u' ');
}

QString clsSystem::MakeFullName(const QString& first, const QString& last) const
{
    return joinNames(last, first, QLatin1String(", "));
}

QString clsSystem::MakeFullNameNoComma(const QString& first, const QString& last) const
{
    return joinNames(first, last, QLatin1String(" "));
}
