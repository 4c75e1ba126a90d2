#pragma once

#include "data/RecColl.h"
#include "xbase/c4.h"

#include <QDate>
#include <QString>

#include <cstdint>
#include <iosfwd>
#include <map>
#include <random>
#include <span>
#include <vector>

// Fills the database that clsDB has open with generated rows, through the
// database object as the windows would: category lists, users, customers
// with their products/services, issues with their actions. The same seed
// gives the same rows (the caller fixes the clock for the stamps).
class Seeder {
public:
    Seeder(uint64_t seed, std::ostream& log);

    bool run(int customers, int issues);
    // From now on that share of the issues (0 to 100) gets the status
    // "Closed" and the rest any status; -1 (the default): any status for all.
    void setClosedPercent(int percent) { m_closedPercent = percent; }
    int rowsSaved() const { return m_saved; }
    // Time spent inside the database object's saves, in seconds.
    double saveSeconds() const { return double(m_saveNanos) / 1e9; }

    // The date that the generated dates lead up to.
    static QDate baseDate() { return QDate(2024, 6, 30); }

private:
    uint32_t next() { return uint32_t(m_rng()); }
    int pick(int n) { return n > 0 ? int(next() % uint32_t(n)) : 0; }
    bool chance(int percent) { return pick(100) < percent; }
    QString any(std::span<const char* const> words) { return QLatin1String(words[size_t(pick(int(words.size())))]); }
    int anyId(int type);
    QString isoDate(const QDate& d) const { return d.toString(QStringLiteral("yyyy-MM-dd")); }

    bool seedCategories();
    bool seedUsers(int count);
    bool seedCustomers(int count);
    bool seedIssues(int count);

    RecColl customerRow(int number);
    QString contactsMemo();
    RecColl psRow(int custid);
    RecColl issueRow(QDate* submitted, QDate* resolved);
    RecColl actionRow(int issueid, const QDate& from, const QDate& to);
    QString sentences(int count);
    bool save(RecColl& coll, DATA4* table);

    std::mt19937_64 m_rng;
    std::ostream& m_log;
    std::map<int, std::vector<int>> m_categories;   // category type -> row identifiers
    std::vector<int> m_users;
    std::vector<int> m_customers;
    std::vector<int> m_customerPs;                   // per customer: a product/service category, or 0
    int m_saved = 0;
    int m_closedPercent = -1;
    qint64 m_saveNanos = 0;
};
