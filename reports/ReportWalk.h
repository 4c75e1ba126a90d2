#pragma once

#include "common/Progress.h"
#include "reports/ReportGrid.h"
#include "reports/clsRepDefParser.h"
#include "xbase/IndexC4.h"
#include "xbase/c4.h"

#include <QHash>
#include <QList>
#include <QString>

#include <optional>
#include <string>

// One walk of a report run: the five tables opened once, the columns and
// criteria resolved to fields once, and the lookups of the run (category,
// user and customer texts, shown dates) cached for its length. The tables
// are closed when the object goes.
class ReportWalk {
public:
    ReportWalk(const clsRepDefParser& definition, ReportGrid& grid);
    ~ReportWalk();
    ReportWalk(const ReportWalk&) = delete;
    ReportWalk& operator=(const ReportWalk&) = delete;

    // Opens the tables and picks the main table by the report type; false
    // after the opener's message or "Invalid report type!".
    bool open(const QString& reportType);
    QString defaultTag() const { return m_defaultTag; }
    bool mainHasTag(const QString& name) const;

    // Walks the main table in the order of `tag` (all records), or only the
    // records whose key under it is `key`, appending a grid row for each
    // record that passes. False after a run-time error (shown).
    bool walk(const QString& tag, std::optional<qint32> key, Progress& progress);
    const QString& walkedTag() const { return m_walkedTag; }
    qint64 visited() const { return m_visited; }
    bool cancelled() const { return m_cancelled; }

private:
    enum class Kind { Empty, Text, Category, Whole, Customer, Date, User, Products };
    struct Cell {
        Kind kind = Kind::Empty;
        FIELD4* field = nullptr;
    };
    enum class Test { None, Category, Owns };
    struct Criterion {
        Test test = Test::None;
        bool isNot = false;
        qint32 value = 0;
        FIELD4* field = nullptr;
    };

    void resolveColumns();
    void resolveCriteria();
    bool passes(qint32 rowid);
    void addRow(qint32 rowid);
    QStringView cellText(const Cell& cell, qint32 rowid);
    QStringView fieldText(FIELD4* field);
    QStringView wholeText(long value);
    QStringView productsText(qint32 custId);
    void loadProducts(Progress& progress);
    const QString& cached(QHash<qint32, QString>& cache, qint32 id, Kind kind);
    bool yieldDue(bool firstRow);

    const clsRepDefParser& m_definition;
    ReportGrid& m_grid;
    DATA4* m_issues = nullptr;
    DATA4* m_customers = nullptr;
    DATA4* m_users = nullptr;
    DATA4* m_categories = nullptr;
    DATA4* m_customerPs = nullptr;
    DATA4* m_main = nullptr;
    QString m_mainFile;
    QString m_defaultTag;
    QList<Cell> m_cells;
    QList<Criterion> m_criteria;
    QHash<qint32, QString> m_categoryTexts, m_userTexts, m_customerTexts;
    QHash<quint64, QString> m_dateTexts;   // by the stored eight bytes
    // Every customer's products/services, read once for a walk of all records.
    QHash<qint32, QString> m_products;
    bool m_productsLoaded = false;
    QString m_scratch;
    char16_t m_digits[24] = {};
    QString m_walkedTag;
    qint64 m_visited = 0;
    bool m_cancelled = false;
    // The walk reports to its progress at most this often, and at its first row.
    static constexpr qint64 kYieldMs = 50;
    ProgressPace m_pace{kYieldMs};
};
