#include "common/RtfWriter.h"

#include "common/Win1252.h"

#include <QList>

namespace {

void appendCharacter(QByteArray& out, char32_t c)
{
    if (c == U'\\' || c == U'{' || c == U'}') {
        out.append('\\').append(char(c));
    } else if (c == U'\t') {
        out.append("\\tab ");
    } else if (c < 0x80) {
        out.append(char(c));
    } else {
        const QString one = QString::fromUcs4(&c, 1);
        const std::string encoded = toWin1252(one);
        if (encoded != "?") {
            out.append(QByteArrayLiteral("\\'") + QByteArray::number(quint8(encoded.front()), 16).rightJustified(2, '0'));
        } else {
            // \u takes a signed 16-bit number; beyond the basic plane each
            // UTF-16 half goes on its own.
            for (const QChar unit : one)
                out.append("\\u" + QByteArray::number(qint16(unit.unicode())) + "?");
        }
    }
}

} // namespace

QByteArray rtfDocument(const QString& text, const QString& fontName, int pointSize)
{
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fmodern ";
    out.append(QByteArray::fromStdString(toWin1252(fontName))).append(";}}\r\n\\f0\\fs");
    out.append(QByteArray::number(pointSize * 2)).append(' ');
    QString normalized = text;
    normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    const QList<uint> codes = normalized.toUcs4();
    for (const uint c : codes) {
        if (c == U'\n')
            out.append("\\par\r\n");
        else
            appendCharacter(out, char32_t(c));
    }
    out.append("}\r\n");
    return out;
}
