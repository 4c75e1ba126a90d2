#include "common/ui/Win1252Validator.h"

#include "common/Win1252.h"

#include <utility>

Win1252Validator::Win1252Validator(QObject* parent)
    : QValidator(parent)
{
}

QValidator::State Win1252Validator::validate(QString& input, int&) const
{
    m_refused.clear();
    const qsizetype at = firstNotInWin1252(input);
    if (at >= 0) {
        const bool pair = input.at(at).isHighSurrogate() && at + 1 < input.size() && input.at(at + 1).isLowSurrogate();
        m_refused = input.mid(at, pair ? 2 : 1);
        return Invalid;
    }
    for (QChar& c : input) {
        if (c.unicode() < 0x20)
            c = QLatin1Char(' ');
    }
    return Acceptable;
}

QString Win1252Validator::takeRefused() { return std::exchange(m_refused, QString()); }
