#include "common/clsSystem.h"

#include <QDateTime>
#include <QRegularExpression>

#include <algorithm>

// Reading dates and times as users type them. Everything follows the default
// locale at the moment of the call.

namespace {

struct DateTimeRead {
    QDate date; // invalid when the text holds no date
    QTime time; // invalid when the text holds no time
};

// Two-digit years as the stored program read them: 00-29 are 2000-2029,
// 30-99 are 1930-1999.
int widenYear(int year) { return year < 30 ? 2000 + year : (year < 100 ? 1900 + year : year); }

// The order of day, month and year in a date format, e.g. "MdY" -> "Mdy".
QString fieldOrder(const QString& format)
{
    QString order;
    bool quoted = false;
    for (QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        else if (!quoted && (c == u'd' || c == u'M' || c == u'y') && !order.contains(c))
            order += c;
    }
    return order;
}

// Three numbers separated by / - or . in the order of the short format.
QDate readNumericDate(const QString& text, const QString& order)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{1,4})\\s*[./-]\\s*(\\d{1,4})\\s*[./-]\\s*(\\d{1,4})\\.?$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch() || order.size() != 3)
        return QDate();
    int day = 0, month = 0, year = 0;
    for (int i = 0; i < 3; ++i) {
        const QString part = m.captured(i + 1);
        const int value = part.toInt();
        if (order.at(i) == u'y') {
            if (part.size() == 3)
                return QDate();
            year = part.size() == 4 ? value : widenYear(value);
        } else if (part.size() > 2) {
            return QDate();
        } else {
            (order.at(i) == u'd' ? day : month) = value;
        }
    }
    return QDate(year, month, day);
}

// ISO or the short format's numbers.
QDate readNumberDate(const QString& text)
{
    if (QDate iso = QDate::fromString(text, Qt::ISODate); iso.isValid())
        return iso;
    const QString shortFormat = clsSystem::instance().displayDateFormat(QLocale::ShortFormat);
    return readNumericDate(text, fieldOrder(shortFormat));
}

// Formats that name the month or weekday. QLocale::toDate is slow, so texts
// without letters never reach it.
QDate readNamedDate(const QString& text)
{
    if (std::none_of(text.cbegin(), text.cend(), [](QChar c) { return c.isLetter(); }))
        return QDate();
    const QLocale locale;
    const clsSystem& sys = clsSystem::instance();
    const QString shortFormat = sys.displayDateFormat(QLocale::ShortFormat);
    const QString longFormat = sys.displayDateFormat(QLocale::LongFormat);
    // Users leave out the weekday of a long date ("March 5, 2024").
    static const QRegularExpression weekday(QStringLiteral("d{3,4}[,.]?\\s*"));
    const QString noWeekday = QString(longFormat).remove(weekday).trimmed();
    for (const QString& format : {longFormat, noWeekday, shortFormat}) {
        QDate date = locale.toDate(text, format);
        if (date.isValid())
            return date.year() < 100 ? QDate(widenYear(date.year()), date.month(), date.day()) : date;
    }
    return QDate();
}

QDate readDateOnly(const QString& text)
{
    const QDate date = readNumberDate(text);
    return date.isValid() ? date : readNamedDate(text);
}

// The locale's time separator when it is not ":" (e.g. "." in some locales).
QString timeSeparators()
{
    QString separators = QStringLiteral(":");
    for (QChar c : QLocale().timeFormat(QLocale::ShortFormat)) {
        if (!c.isLetter() && !c.isSpace() && c != u'\'') {
            if (c != u':')
                separators += c;
            break;
        }
    }
    return separators;
}

// Hours, then optional minutes and seconds. The compiled pattern is kept
// for as long as the locale's separator stays the same.
const QRegularExpression& timePattern()
{
    static QString separators;
    static QRegularExpression pattern;
    const QString current = timeSeparators();
    if (pattern.pattern().isEmpty() || current != separators) {
        separators = current;
        const QString sep = QRegularExpression::escape(separators);
        pattern.setPattern(
            QStringLiteral("^(\\d{1,2})(?:[%1](\\d{1,2}))?(?:[%1](\\d{1,2}))?$").arg(sep));
    }
    return pattern;
}

// Strips a trailing AM/PM designator (the locale's or English) from `text`;
// gives 0 for none, 1 for AM, 2 for PM.
int takeDesignator(QString& text)
{
    const QLocale locale;
    const std::pair<QString, int> designators[] = {
        {locale.amText(), 1}, {locale.pmText(), 2},
        {QStringLiteral("AM"), 1}, {QStringLiteral("PM"), 2}};
    for (const auto& [designator, kind] : designators) {
        if (!designator.isEmpty() && text.size() > designator.size()
            && text.endsWith(designator, Qt::CaseInsensitive)) {
            text = text.left(text.size() - designator.size()).trimmed();
            return kind;
        }
    }
    return 0;
}

QTime readTimeOnly(QString text)
{
    const int designator = takeDesignator(text);
    const QRegularExpressionMatch m = timePattern().match(text);
    if (!m.hasMatch() || (designator == 0 && !m.hasCaptured(2)))
        return QTime();
    int hour = m.captured(1).toInt();
    if (designator != 0) {
        if (hour > 12)
            return QTime();
        hour = hour % 12 + (designator == 2 ? 12 : 0);
    }
    return QTime(hour, m.captured(2).toInt(), m.captured(3).toInt());
}

DateTimeRead readDateTime(const QString& raw)
{
    const QString text = raw.trimmed();
    if (text.isEmpty())
        return {};
    // Numeric dates go before times, so that "5.3.24" is a date also where
    // "." separates hours and minutes.
    if (QDate date = readNumberDate(text); date.isValid())
        return {date, QTime()};
    if (QTime time = readTimeOnly(text); time.isValid())
        return {QDate(), time};
    if (QDate date = readNamedDate(text); date.isValid())
        return {date, QTime()};
    // A date followed by a time: try each blank as the point between them.
    for (qsizetype i = text.indexOf(u' '); i > 0; i = text.indexOf(u' ', i + 1)) {
        const QTime time = readTimeOnly(text.mid(i + 1).trimmed());
        const QDate date = time.isValid() ? readDateOnly(text.left(i).trimmed()) : QDate();
        if (date.isValid())
            return {date, time};
    }
    const QDateTime iso = QDateTime::fromString(text, Qt::ISODate);
    if (iso.isValid() && text.contains(u'T'))
        return {iso.date(), iso.time()};
    return {};
}

} // namespace

bool clsSystem::isDate(const QString& text) const
{
    const DateTimeRead read = readDateTime(text);
    return read.date.isValid() || read.time.isValid();
}

QDate clsSystem::readDate(const QString& text) const { return readDateTime(text).date; }

QTime clsSystem::readTime(const QString& text) const
{
    const DateTimeRead read = readDateTime(text);
    if (read.time.isValid())
        return read.time;
    return read.date.isValid() ? QTime(0, 0) : QTime();
}

QString clsSystem::CBDateFormat(const QString& text) const
{
    const QDate date = readDate(text);
    return date.isValid() ? date.toString(QStringLiteral("yyyyMMdd")) : QString();
}

QString clsSystem::CBTimeFormat(const QString& text) const
{
    const QTime time = readTime(text);
    return time.isValid() ? time.toString(QStringLiteral("HH:mm:ss")) : QString();
}
