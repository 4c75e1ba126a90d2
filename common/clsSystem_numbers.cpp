#include "common/clsSystem.h"

#include "common/mdlWinAPI.h"

#include <cmath>
#include <limits>

namespace {

// Whole numbers beyond 64 bits are held at the nearest end instead of
// overflowing.
qint64 clampToInt64(double whole)
{
    constexpr double top = 9223372036854775807.0; // rounds up to 2^63
    if (std::isnan(whole))
        return 0;
    if (whole >= top)
        return std::numeric_limits<qint64>::max();
    if (whole <= -top)
        return std::numeric_limits<qint64>::min();
    return static_cast<qint64>(whole);
}

double roundHalfEven(double value)
{
    if (std::fabs(value - std::trunc(value)) == 0.5)
        return 2.0 * std::round(value / 2.0);
    return std::round(value);
}

template <typename T>
int sign(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

} // namespace

int clsSystem::NotBelowZeroInt(int value) const { return value < 0 ? 0 : value; }
qint32 clsSystem::NotBelowZeroLong(qint32 value) const { return value < 0 ? 0 : value; }
qint32 clsSystem::NotBelowMinVal(qint32 value, qint32 minimum) const { return value < minimum ? minimum : value; }
qint32 clsSystem::NotAboveMaxVal(qint32 value, qint32 maximum) const { return value > maximum ? maximum : value; }
qint32 clsSystem::Minus1ToZero(qint32 value) const { return value == -1 ? 0 : value; }

QString clsSystem::ZeroToNullStr(const QString& text, const QString& suffix) const
{
    const std::optional<double> value = numericValue(text);
    return value && *value != 0.0 ? text + suffix : QString();
}

QString clsSystem::ZeroToNullStr(const QString& text, double suffix) const
{
    const std::optional<double> value = numericValue(text);
    if (!value || *value == 0.0)
        return QString();
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(*value + suffix, 'g', 15);
}

void clsSystem::IncL(qint32& value) const
{
    if (value < std::numeric_limits<qint32>::max())
        ++value;
}

qint32 clsSystem::NextDocNum()
{
    IncL(m_docNum);
    return m_docNum;
}

qint64 clsSystem::Str2Int(const QString& text) const
{
    const std::optional<double> value = numericValue(text);
    return value ? clampToInt64(roundHalfEven(*value)) : 0;
}

QString clsSystem::CommafyNoDec(const QString& value) const
{
    return CommafyNoDec(numericValue(value).value_or(0.0));
}

QString clsSystem::CommafyNoDec(double value) const
{
    // Halves go away from zero, as the display format always did; a value
    // that rounds to nothing still shows "0" rather than an empty text.
    const qint64 whole = std::isfinite(value) ? clampToInt64(std::round(value)) : 0;
    return whole == 0 ? QStringLiteral("0") : QLocale().toString(whole);
}

QString clsSystem::FormatLongWithCommas(qint32 value) const
{
    return QLocale().toString(static_cast<qint64>(value));
}

QString clsSystem::NumCleanStr(const QString& text) const
{
    QString out = text;
    const QString separator = mdlWinAPI::LocaleMonetaryThousandSep();
    if (!separator.isEmpty())
        out.remove(separator);
    const QString currency = mdlWinAPI::LocaleCurrencySymbol();
    if (!currency.isEmpty())
        out.remove(currency);
    return out;
}

QString clsSystem::GetCurrencySymbol() const { return mdlWinAPI::LocaleCurrencySymbol(); }

QString clsSystem::Bool2TorF(bool value) const { return value ? QStringLiteral("T") : QStringLiteral("F"); }
bool clsSystem::DBTF2TrueFalse(const QString& text) const { return text.toUpper() == QLatin1String("T"); }
bool clsSystem::Str2Bool(const QString& text) const { return text == QLatin1String("True"); }
bool clsSystem::CK2TrueFalse(Qt::CheckState state) const { return state == Qt::Checked; }
int clsSystem::TrueFalse2ZeroOne(bool value) const { return value ? 1 : 0; }

int clsSystem::CompareInt(const QString& a, const QString& b) const
{
    return sign(Str2Int(a), Str2Int(b));
}

int clsSystem::CompareStrNoCase(const QString& a, const QString& b) const
{
    return sign(QString::compare(a, b, Qt::CaseInsensitive), 0);
}

int clsSystem::CompareDate(const QString& a, const QString& b) const
{
    return sign(Str2Date(a), Str2Date(b));
}

QDate clsSystem::Str2Date(const QString& text) const
{
    const QDate date = readDate(text);
    return date.isValid() ? date : QDate(1800, 1, 1);
}
