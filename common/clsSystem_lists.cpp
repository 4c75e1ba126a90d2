#include "common/clsSystem.h"

#include "common/Win1252.h"

namespace {

int hexDigit(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    return -1;
}

} // namespace

QString clsSystem::CSVField_GetValue(const QString& field) const
{
    const QString value = trimBlanks(field);
    if (value == QLatin1String("\"\""))
        return QString();
    if (value.size() > 2 && value.front() == u'"' && value.back() == u'"')
        return value.mid(1, value.size() - 2).replace(QLatin1String("\"\""), QLatin1String("\""));
    return value;
}

QString clsSystem::StrReplaceChar(const QString& text, QChar ch, const QString& replacement,
                                  bool insideQuotes) const
{
    QString out;
    out.reserve(text.size());
    bool inQuotes = false;
    for (QChar c : text) {
        if (c == u'"')
            inQuotes = !inQuotes;
        if (c == ch && (insideQuotes || !inQuotes))
            out += replacement;
        else
            out += c;
    }
    return out;
}

void clsSystem::StrParse2Array(const QString& text, QStringList& pieces, QChar delimiter,
                               bool upperCase) const
{
    // split() yields the one empty piece after a trailing delimiter and one
    // empty piece for "", just as the stored texts were split.
    pieces = QStringList{QString()};
    for (const QString& part : text.split(delimiter)) {
        const QString piece = trimBlanks(part);
        pieces.append(upperCase ? upperWin1252(piece) : piece);
    }
}

bool clsSystem::StrExistsInArray(const QString& text, const QStringList& array, int& pos) const
{
    for (int i = 1; i < array.size(); ++i) {
        if (array.at(i) == text) {
            pos = i;
            return true;
        }
    }
    return false;
}

QString clsSystem::StringToHexStr(const QString& text) const
{
    const std::string bytes = toWin1252(text);
    return QString::fromLatin1(QByteArray::fromStdString(bytes).toHex().toUpper());
}

QString clsSystem::HexStrToString(const QString& hex) const
{
    std::string bytes;
    for (qsizetype i = 0; i < hex.size(); i += 2) {
        const QString piece = hex.mid(i, 2);
        int code = 0;
        bool ok = true;
        for (QChar c : piece) {
            const int d = hexDigit(c);
            ok = ok && d >= 0;
            code = code * 16 + d;
        }
        if (ok)
            bytes.push_back(static_cast<char>(code));
    }
    return fromWin1252(bytes);
}

QString clsSystem::trimBlanks(const QString& text) const
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == u' ')
        ++begin;
    while (end > begin && text.at(end - 1) == u' ')
        --end;
    return text.mid(begin, end - begin);
}
