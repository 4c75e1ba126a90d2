#include "common/clsSystem.h"

#include <cctype>
#include <cmath>

namespace {

// Reads numbers written in the default locale. Everything is turned into
// the C locale's plain form and converted once, so rounding is the library's.
class NumberScanner {
public:
    explicit NumberScanner(const QString& text)
        : m_text(text)
        , m_decimal(m_locale.decimalPoint())
        , m_group(m_locale.groupSeparator())
        , m_currency(m_locale.currencySymbol(QLocale::CurrencySymbol))
    {
    }

    // The whole text as one number, or nothing.
    std::optional<double> whole()
    {
        skipBlanks();
        if (std::optional<double> hex = hexNumber()) {
            skipBlanks();
            return atEnd() ? hex : std::nullopt;
        }
        bool currency = false;
        readPrefix(currency);
        if (!readMantissa(true))
            return std::nullopt;
        readExponent();
        skipBlanks();
        if (!currency && eat(m_currency))
            skipBlanks();
        return atEnd() ? convert() : std::nullopt;
    }

    // The number at the start of the text; 0 when there is none.
    double leading()
    {
        skipBlanks();
        if (std::optional<double> hex = hexNumber())
            return *hex;
        if (peek() == u'+' || peek() == u'-')
            m_plain += m_text.at(m_pos++);
        if (!readMantissa(false))
            return 0.0;
        readExponent();
        return convert().value_or(0.0);
    }

private:
    QChar peek(qsizetype ahead = 0) const
    {
        const qsizetype i = m_pos + ahead;
        return i < m_text.size() ? m_text.at(i) : QChar();
    }
    bool atEnd() const { return m_pos >= m_text.size(); }
    bool isDigitAt(qsizetype ahead) const { return peek(ahead).isDigit() && peek(ahead).unicode() < 128; }

    void skipBlanks()
    {
        while (!atEnd() && peek().isSpace())
            ++m_pos;
    }

    bool eat(const QString& token)
    {
        if (token.isEmpty() || !QStringView(m_text).mid(m_pos).startsWith(token))
            return false;
        m_pos += token.size();
        return true;
    }

    // "&H" followed by hexadecimal digits only, read as an unsigned value.
    std::optional<double> hexNumber()
    {
        if (!QStringView(m_text).mid(m_pos).startsWith(QLatin1String("&H"), Qt::CaseInsensitive))
            return std::nullopt;
        qsizetype end = m_pos + 2;
        while (end < m_text.size() && end - m_pos < 18 && std::isxdigit(m_text.at(end).toLatin1()))
            ++end;
        bool ok = false;
        const qulonglong value = QStringView(m_text).mid(m_pos + 2, end - m_pos - 2).toULongLong(&ok, 16);
        if (!ok)
            return std::nullopt;
        m_pos = end;
        return static_cast<double>(value);
    }

    // A sign and the currency symbol in either order, blanks between.
    void readPrefix(bool& currency)
    {
        bool sign = false;
        for (int i = 0; i < 2; ++i) {
            skipBlanks();
            if (!currency && eat(m_currency)) {
                currency = true;
            } else if (!sign && (peek() == u'+' || peek() == u'-')) {
                m_plain += m_text.at(m_pos++);
                sign = true;
            }
        }
        skipBlanks();
    }

    int readDigits()
    {
        int count = 0;
        while (isDigitAt(0)) {
            m_plain += m_text.at(m_pos++);
            ++count;
        }
        return count;
    }

    // Group separators count only between digits and before exactly three
    // digits, so that "12.5" in a decimal-comma locale is not read as 125.
    bool eatGroup()
    {
        const qsizetype start = m_pos;
        // Users type a plain blank where the locale groups with a no-break one.
        const bool spaceGroup = m_group == QString(QChar(0x00A0)) || m_group == QString(QChar(0x202F));
        if (!eat(m_group) && !(spaceGroup && eat(QStringLiteral(" "))))
            return false;
        if (isDigitAt(0) && isDigitAt(1) && isDigitAt(2) && !isDigitAt(3))
            return true;
        m_pos = start;
        return false;
    }

    bool readMantissa(bool grouped)
    {
        int digits = readDigits();
        while (grouped && digits > 0 && eatGroup())
            digits += readDigits();
        if (eat(m_decimal)) {
            m_plain += u'.';
            digits += readDigits();
        }
        return digits > 0;
    }

    void readExponent()
    {
        if (peek() != u'e' && peek() != u'E')
            return;
        const qsizetype signLen = (peek(1) == u'+' || peek(1) == u'-') ? 1 : 0;
        if (!isDigitAt(1 + signLen))
            return;
        m_plain += u'e';
        m_plain += m_text.mid(m_pos + 1, signLen);
        m_pos += 1 + signLen;
        readDigits();
    }

    std::optional<double> convert() const
    {
        bool ok = false;
        const double value = QLocale::c().toDouble(m_plain, &ok);
        if (!ok || !std::isfinite(value))
            return std::nullopt;
        return value;
    }

    const QLocale m_locale;
    const QString m_text;
    const QString m_decimal;
    const QString m_group;
    const QString m_currency;
    qsizetype m_pos = 0;
    QString m_plain;
};

} // namespace

bool clsSystem::isNumeric(const QString& text) const { return numericValue(text).has_value(); }

std::optional<double> clsSystem::numericValue(const QString& text) const
{
    return NumberScanner(text).whole();
}

double clsSystem::val(const QString& text) const
{
    if (std::optional<double> value = numericValue(text))
        return *value;
    return NumberScanner(text).leading();
}
