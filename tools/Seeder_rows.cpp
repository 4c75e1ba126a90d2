#include "Seeder.h"

#include "SeedWords.h"
#include "data/clsDB.h"

#include <QLocale>

RecColl Seeder::customerRow(int number)
{
    const QString first = any(SeedWords::firstNames());
    const QString last = any(SeedWords::lastNames());
    const bool business = chance(70);
    const QString company = business ? any(SeedWords::companyWords()) + QLatin1Char(' ') + any(SeedWords::companySuffixes()) : QString();
    const QString domain = (business ? company.section(QLatin1Char(' '), 0, 0) : QStringLiteral("mail")).toLower()
        + QStringLiteral(".example");
    const auto phone = [this] { return QStringLiteral("(%1) 555-%2").arg(200 + pick(800)).arg(pick(10000), 4, 10, QLatin1Char('0')); };
    RecColl c(clsDB::instance().CustomerTable(), -1, QStringLiteral("_customer"));
    c.add(QStringLiteral("custno"), QStringLiteral("C%1").arg(number, 6, 10, QLatin1Char('0')));
    c.add(QStringLiteral("firstname"), first);
    c.add(QStringLiteral("lastname"), last);
    c.add(QStringLiteral("company"), company);
    c.add(QStringLiteral("custcat"), QString::number(anyId(1)));
    c.add(QStringLiteral("salutation"), any(SeedWords::salutations()));
    c.add(QStringLiteral("title"), business ? any(SeedWords::jobTitles()) : QString());
    c.add(QStringLiteral("address1"), QStringLiteral("%1 %2").arg(1 + pick(9999)).arg(any(SeedWords::streets())));
    c.add(QStringLiteral("address2"), chance(20) ? QStringLiteral("Suite %1").arg(100 + pick(900)) : QString());
    c.add(QStringLiteral("city"), any(SeedWords::cities()));
    c.add(QStringLiteral("state"), QString::number(anyId(3)));
    c.add(QStringLiteral("postalcode"), QStringLiteral("%1").arg(pick(100000), 5, 10, QLatin1Char('0')));
    c.add(QStringLiteral("country"), QString::number(chance(80) ? m_categories[4].front() : anyId(4)));
    c.add(QStringLiteral("workphone"), phone());
    c.add(QStringLiteral("homephone"), chance(40) ? phone() : QString());
    c.add(QStringLiteral("mobilphone"), chance(60) ? phone() : QString());
    c.add(QStringLiteral("faxphone"), business && chance(30) ? phone() : QString());
    c.add(QStringLiteral("emailname"), QStringLiteral("%1.%2@%3").arg(first, last, domain).toLower().remove(QLatin1Char('\'')));
    c.add(QStringLiteral("emailname2"), chance(20) ? QStringLiteral("info@") + domain : QString());
    c.add(QStringLiteral("notes"), chance(30) ? sentences(1 + pick(3)) : QString());
    c.add(QStringLiteral("contacts"), contactsMemo());
    c.add(QStringLiteral("custom1"), chance(30) ? any(SeedWords::categoryLists()[8].items) : QString());
    c.add(QStringLiteral("custom2"), chance(30) ? any(SeedWords::categoryLists()[9].items) : QString());
    return c;
}

// Fifty rows of five cells joined by the character 254, each row ended by CR.
QString Seeder::contactsMemo()
{
    const QChar sep(0xFE);
    const int filled = chance(50) ? pick(4) : 0;
    QString memo;
    for (int row = 0; row < 50; ++row) {
        QStringList cells(5);
        if (row < filled) {
            const QString first = any(SeedWords::firstNames());
            const QString last = any(SeedWords::lastNames());
            cells = {first + QLatin1Char(' ') + last, any(SeedWords::jobTitles()), QString(),
                     QStringLiteral("(555) 555-%1").arg(pick(10000), 4, 10, QLatin1Char('0')),
                     (first + QLatin1Char('@') + QStringLiteral("mail.example")).toLower()};
        }
        memo += cells.join(sep) + QLatin1Char('\r');
    }
    return memo;
}

RecColl Seeder::psRow(int custid)
{
    const QDate start = baseDate().addDays(-pick(5 * 365));
    RecColl p(clsDB::instance().Customers2PSTable(), -1, QStringLiteral("_ps"));
    p.add(QStringLiteral("custid"), QString::number(custid));
    p.add(QStringLiteral("psid"), QString::number(anyId(2)));
    p.add(QStringLiteral("shortdesc"), QStringLiteral("Contract for ") + any(SeedWords::issueObjects()));
    p.add(QStringLiteral("custom1"), chance(50) ? any(SeedWords::categoryLists()[12].items) : QString());
    p.add(QStringLiteral("custom2"), chance(50) ? any(SeedWords::categoryLists()[13].items) : QString());
    p.add(QStringLiteral("dateinit"), isoDate(start));
    p.add(QStringLiteral("dateterm"), chance(80) ? isoDate(start.addYears(1 + pick(3))) : QString());
    p.add(QStringLiteral("contno"), QStringLiteral("CN-%1").arg(pick(1000000), 6, 10, QLatin1Char('0')));
    p.add(QStringLiteral("trackno"), chance(40) ? QStringLiteral("TR%1").arg(pick(100000000)) : QString());
    p.add(QStringLiteral("conttype"), QString::number(anyId(103)));
    p.add(QStringLiteral("contdur"), QString::number(anyId(104)));
    p.add(QStringLiteral("notes"), chance(20) ? sentences(1) : QString());
    return p;
}

RecColl Seeder::issueRow(QDate* submitted, QDate* resolved)
{
    constexpr int kClosed = 405;   // the shipped status "Closed"
    const size_t who = size_t(pick(int(m_customers.size())));
    const int status = m_closedPercent >= 0 && chance(m_closedPercent) ? kClosed : anyId(101);
    const bool done = status >= 404;   // Resolved and Closed
    *submitted = baseDate().addDays(-pick(3 * 365));
    *resolved = done ? submitted->addDays(pick(30)) : QDate();
    const QDate responded = status != 400 ? submitted->addDays(pick(3)) : QDate();
    RecColl i(clsDB::instance().IssuesTable(), -1, QStringLiteral("_issue"));
    i.add(QStringLiteral("custid"), QString::number(m_customers[who]));
    i.add(QStringLiteral("psid"), QString::number(m_customerPs[who] ? m_customerPs[who] : anyId(2)));
    i.add(QStringLiteral("shortdesc"), any(SeedWords::issueSubjects()) + QLatin1Char(' ') + any(SeedWords::issueObjects()));
    i.add(QStringLiteral("custom1"), chance(30) ? any(SeedWords::categoryLists()[10].items) : QString());
    i.add(QStringLiteral("custom2"), chance(30) ? any(SeedWords::categoryLists()[11].items) : QString());
    i.add(QStringLiteral("assignedto"), QString::number(m_users[size_t(pick(int(m_users.size())))]));
    i.add(QStringLiteral("priority"), QString::number(anyId(102)));
    i.add(QStringLiteral("status"), QString::number(status));
    i.add(QStringLiteral("issuecat"), QString::number(anyId(105)));
    i.add(QStringLiteral("submitdt"), isoDate(*submitted));
    i.add(QStringLiteral("responsedt"), responded.isValid() ? isoDate(responded) : QString());
    i.add(QStringLiteral("resolvedt"), done ? isoDate(*resolved) : QString());
    i.add(QStringLiteral("desc"), sentences(1 + pick(3)));
    i.add(QStringLiteral("resolution"), done ? sentences(1) : QString());
    return i;
}

RecColl Seeder::actionRow(int issueid, const QDate& from, const QDate& to)
{
    const qint64 span = std::max<qint64>(0, from.daysTo(to));
    RecColl a(clsDB::instance().IssuesActionsTable(), -1, QStringLiteral("_issueaction"));
    a.add(QStringLiteral("issueid"), QString::number(issueid));
    a.add(QStringLiteral("date"), isoDate(from.addDays(pick(int(span) + 1))));
    a.add(QStringLiteral("action"), QString::number(anyId(106)));
    a.add(QStringLiteral("perfby"), QString::number(m_users[size_t(pick(int(m_users.size())))]));
    a.add(QStringLiteral("desc"), any(SeedWords::sentences()));
    a.add(QStringLiteral("duration"), QLocale().toString((1 + pick(16)) * 0.25, 'f', 2));
    a.add(QStringLiteral("notes"), chance(20) ? sentences(1) : QString());
    return a;
}
