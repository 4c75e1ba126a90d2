#include "common/clsSystem.h"

#include "common/Clock.h"

namespace {

QString twoDigits(int value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); }

// "h:mm:ss AMPM" (or "h:mm AMPM") with the locale's designators; a locale
// without designators gets AM and PM so that the hour stays unambiguous.
QString formatTimeAMPM(const QTime& time, bool withSeconds)
{
    const QLocale locale;
    const bool morning = time.hour() < 12;
    QString designator = morning ? locale.amText() : locale.pmText();
    if (designator.isEmpty())
        designator = morning ? QStringLiteral("AM") : QStringLiteral("PM");
    const int hour = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    QString text = QString::number(hour) + u':' + twoDigits(time.minute());
    if (withSeconds)
        text += u':' + twoDigits(time.second());
    return text + u' ' + designator;
}

QString formatDate(const QDate& date, QLocale::FormatType type)
{
    return QLocale().toString(date, clsSystem::instance().displayDateFormat(type));
}

QString storedDate(int year, int month, int day)
{
    return QString::number(year).rightJustified(4, u'0') + twoDigits(month) + twoDigits(day);
}

} // namespace

QString clsSystem::displayDateFormat(QLocale::FormatType type) const
{
    // A stored 2035 shown as "35" would be read back as 1935; widen the year.
    const QString format = QLocale().dateFormat(type);
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format.at(i);
        if (c == u'\'')
            quoted = !quoted;
        if (quoted || c != u'y') {
            out += c;
            ++i;
            continue;
        }
        qsizetype run = 0;
        while (i + run < format.size() && format.at(i + run) == u'y')
            ++run;
        out += run < 4 ? QStringLiteral("yyyy") : format.mid(i, run);
        i += run;
    }
    return out;
}

QString clsSystem::DBDateToDislayDate(const QString& stored, const QString& formatName) const
{
    // The whole four-digit year is taken, so every stored year shows as stored.
    const QString text = stored.trimmed();
    if (text.size() != 8 || !StrDigitsOnly(text))
        return QString();
    const QDate date(text.left(4).toInt(), text.mid(4, 2).toInt(), text.mid(6, 2).toInt());
    if (!date.isValid())
        return QString();
    const bool isLong = formatName.compare(QLatin1String("Long Date"), Qt::CaseInsensitive) == 0;
    return formatDate(date, isLong ? QLocale::LongFormat : QLocale::ShortFormat);
}

QString clsSystem::DBTimeToDislayTime(const QString& stored) const
{
    const QTime time = readTime(stored);
    return time.isValid() ? formatTimeAMPM(time, true) : QString();
}

QString clsSystem::CurrTimeAMPM() const { return formatTimeAMPM(Clock::now().time(), true); }
QString clsSystem::CurrDateShort() const { return formatDate(Clock::today(), QLocale::ShortFormat); }
QString clsSystem::CurrDateLong() const { return formatDate(Clock::today(), QLocale::LongFormat); }

QString clsSystem::CurrDateTimeShort() const
{
    const QDateTime now = Clock::now();
    return formatDate(now.date(), QLocale::ShortFormat) + QLatin1String(" @ ")
        + formatTimeAMPM(now.time(), true);
}

QString clsSystem::CurrDateTimeLong() const
{
    const QDateTime now = Clock::now();
    return formatDate(now.date(), QLocale::LongFormat) + QLatin1String(" @ ")
        + formatTimeAMPM(now.time(), false);
}

QString clsSystem::ShortDate() const { return CurrDateShort(); }
QString clsSystem::LongDate() const { return CurrDateLong(); }

QString clsSystem::NeutralShortDate() const
{
    return QLocale().toString(Clock::today(), QStringLiteral("MMM-dd-yy"));
}

QString clsSystem::PrePad2Zeros(const QString& text) const
{
    return PadChar(text, 2, QStringLiteral("0"), 1);
}

int clsSystem::GetNumDaysInMonth(int month, int year) const
{
    switch (month) {
    case 1: case 3: case 5: case 7: case 8: case 10: case 12:
        return 31;
    case 2:
        return IsLeapYear(year) ? 29 : 28;
    default:
        return 30;
    }
}

bool clsSystem::IsLeapYear(int year) const
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

bool clsSystem::MakeDateRange(qint32 kind, QString& from, QString& to) const
{
    from = CurrDateTimeShort();
    to = from;
    const QDate today = Clock::today();
    const int y = today.year();
    const int m = today.month();
    const int prevMonth = m == 1 ? 12 : m - 1;
    const int prevMonthYear = prevMonth == 12 ? y - 1 : y;
    QString first, last;
    switch (kind) {
    case 1:  first = storedDate(y, m, 1); last = storedDate(y, m, GetNumDaysInMonth(m, y)); break;
    case 2:  first = storedDate(y, 1, 1); last = storedDate(y, 12, 31); break;
    case 11: first = storedDate(prevMonthYear, prevMonth, 1);
             last = storedDate(prevMonthYear, prevMonth, GetNumDaysInMonth(prevMonth, prevMonthYear)); break;
    case 12: first = storedDate(y - 1, 1, 1); last = storedDate(y - 1, 12, 31); break;
    default: return false;
    }
    from = DBDateToDislayDate(first, QStringLiteral("Short Date"));
    to = DBDateToDislayDate(last, QStringLiteral("Short Date"));
    return true;
}
