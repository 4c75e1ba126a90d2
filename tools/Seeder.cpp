#include "Seeder.h"

#include "SeedWords.h"
#include "common/Win1252.h"
#include "data/Schema.h"
#include "data/ShippedData.h"
#include "data/clsDB.h"

#include <QElapsedTimer>

#include <algorithm>
#include <ostream>

Seeder::Seeder(uint64_t seed, std::ostream& log) : m_rng(seed), m_log(log) {}

bool Seeder::run(int customers, int issues)
{
    return seedCategories() && seedUsers(std::clamp(customers / 2000, 3, 25)) && seedCustomers(customers)
        && seedIssues(issues);
}

int Seeder::anyId(int type)
{
    const std::vector<int>& ids = m_categories[type];
    return ids.empty() ? 0 : ids[size_t(pick(int(ids.size())))];
}

// Category items have no record type: they are appended to bcccat under
// identifiers of the database object, as the list editor does.
bool Seeder::seedCategories()
{
    for (const ShippedData::Category& c : ShippedData::categories())
        m_categories[c.type].push_back(c.rowid);
    clsDB& db = clsDB::instance();
    DATA4* table = db.OpenTable(db.CategoryTable());
    if (!table)
        return false;
    bool ok = true;
    for (const SeedWords::CategoryList& list : SeedWords::categoryLists()) {
        for (const char* item : list.items) {
            const qint32 id = db.GetNextID(Schema::dataFileName(Schema::Table::Cat));
            const std::string text = toWin1252(QLatin1String(item));
            ok = ok && id > 0 && d4appendStartVB(table, 0) == 0 && d4blank(table) == 0
                && f4assignLong(d4field(table, "rowid"), id) == 0 && f4assignLong(d4field(table, "type"), list.type) == 0
                && f4assignNVB(d4field(table, "desc"), text.data(), int(text.size())) == 0 && d4append(table) == 0;
            m_categories[list.type].push_back(id);
            m_saved += ok ? 1 : 0;
        }
    }
    ok = d4close(table) == 0 && ok;
    if (!ok)
        m_log << "bmtool seed: the category lists could not be written\n";
    return ok;
}

bool Seeder::seedUsers(int count)
{
    clsDB& db = clsDB::instance();
    m_users.push_back(ShippedData::admin().rowid);
    for (int i = 0; i < count; ++i) {
        const QString first = any(SeedWords::firstNames());
        const QString last = any(SeedWords::lastNames());
        RecColl coll(db.UserTable(), -1, QStringLiteral("_userinfo"));
        coll.add(QStringLiteral("login"), (first.left(1) + last).toLower().remove(QLatin1Char('\'')) + QString::number(i + 1));
        coll.add(QStringLiteral("password"), QString());
        coll.add(QStringLiteral("firstname"), first);
        coll.add(QStringLiteral("lastname"), last);
        coll.add(QStringLiteral("dept"), any(SeedWords::departments()));
        coll.add(QStringLiteral("useractive"), chance(90) ? QStringLiteral("T") : QStringLiteral("F"));
        coll.add(QStringLiteral("usertype"), i == 0 ? QStringLiteral("1") : QStringLiteral("0"));
        coll.add(QStringLiteral("perm"), QStringLiteral("1111") + QString(26, QLatin1Char('0')));
        coll.add(QStringLiteral("note"), QString());
        if (!save(coll, nullptr))
            return false;
        m_users.push_back(coll.value(QStringLiteral("_rowid")).toInt());
    }
    return true;
}

bool Seeder::save(RecColl& coll, DATA4* table)
{
    QElapsedTimer clock;
    clock.start();
    const bool saved = clsDB::instance().SaveRecord(coll, false, table);
    m_saveNanos += clock.nsecsElapsed();
    if (!saved) {
        m_log << "bmtool seed: a " << qPrintable(coll.text(QStringLiteral("_rectype"))) << " row could not be saved\n";
        return false;
    }
    ++m_saved;
    return true;
}

QString Seeder::sentences(int count)
{
    QStringList parts;
    for (int i = 0; i < count; ++i)
        parts.append(any(SeedWords::sentences()));
    return parts.join(QLatin1Char(' '));
}

bool Seeder::seedCustomers(int count)
{
    clsDB& db = clsDB::instance();
    DATA4* customers = db.OpenTable(db.CustomerTable());
    DATA4* products = customers ? db.OpenTable(db.Customers2PSTable()) : nullptr;
    bool ok = customers && products;
    for (int i = 0; ok && i < count; ++i) {
        RecColl coll = customerRow(i + 1);
        ok = save(coll, customers);
        const int custid = coll.value(QStringLiteral("_rowid")).toInt();
        m_customers.push_back(custid);
        m_customerPs.push_back(0);
        for (int n = pick(3); ok && n > 0; --n) {
            RecColl ps = psRow(custid);
            m_customerPs.back() = ps.value(QStringLiteral("psid")).toInt();
            ok = save(ps, products);
        }
    }
    if (products)
        d4close(products);
    if (customers)
        d4close(customers);
    return ok;
}

bool Seeder::seedIssues(int count)
{
    if (count > 0 && m_customers.empty()) {
        m_log << "bmtool seed: issues need customers\n";
        return false;
    }
    clsDB& db = clsDB::instance();
    DATA4* issues = db.OpenTable(db.IssuesTable());
    DATA4* actions = issues ? db.OpenTable(db.IssuesActionsTable()) : nullptr;
    bool ok = issues && actions;
    for (int i = 0; ok && i < count; ++i) {
        QDate submitted, resolved;
        RecColl coll = issueRow(&submitted, &resolved);
        ok = save(coll, issues);
        const int issueid = coll.value(QStringLiteral("_rowid")).toInt();
        for (int n = pick(3); ok && n > 0; --n) {
            RecColl action = actionRow(issueid, submitted, resolved.isValid() ? resolved : baseDate());
            ok = save(action, actions);
        }
    }
    if (actions)
        d4close(actions);
    if (issues)
        d4close(issues);
    return ok;
}
