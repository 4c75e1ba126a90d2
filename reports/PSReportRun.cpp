#include "reports/PSReportRun.h"

#include "common/Module1.h"
#include "common/RunError.h"
#include "common/clsSystem.h"
#include "data/ParamFlags.h"
#include "data/clsDB.h"
#include "xbase/IndexC4.h"
#include "xbase/c4.h"

#include <QHash>

#include <array>

namespace {

// The event loop is served at least this often: with the grid's growth and
// a busy machine on top, a longer stretch would come near a tenth of a
// second.
constexpr qint64 kYieldMs = 20;
const QString kShortDate = QStringLiteral("Short Date");

// The bcccust_ps fields that the walk reads, in the order of the grid's
// columns where they are shown.
enum Field { RowId, PsId, CustId, DateInit, DateTerm, Custom1, Custom2, ContNo, TrackNo, ContType, ContDur,
             ShortDesc, FieldCount };
constexpr std::array<const char*, FieldCount> kFieldNames{"rowid",   "psid",    "custid",  "dateinit",
                                                          "dateterm", "custom1", "custom2", "contno",
                                                          "trackno", "conttype", "contdur", "shortdesc"};

// The three tables of one walk, each closed once it ends; after the
// database was closed under the walk the handles died with its engine.
class WalkTables {
public:
    WalkTables() : m_engine(DB().CBEngine()) {}
    ~WalkTables()
    {
        if (!databaseStillOpen())
            return;
        for (DATA4* table : {customerPs, categories, customers})
            if (table)
                d4close(table);
    }
    bool open()
    {
        clsDB& db = DB();
        categories = db.OpenTable(db.CategoryTable());
        customers = categories ? db.OpenTable(db.CustomerTable()) : nullptr;
        customerPs = customers ? db.OpenTable(db.Customers2PSTable()) : nullptr;
        return customerPs != nullptr;
    }
    bool databaseStillOpen() const { return DB().IsOpen() && DB().CBEngine() == m_engine; }

    DATA4* categories = nullptr;
    DATA4* customers = nullptr;
    DATA4* customerPs = nullptr;

private:
    CODE4* m_engine = nullptr;
};

// The texts that many rows repeat, looked up once per walk.
class Lookups {
public:
    explicit Lookups(const WalkTables& tables) : m_tables(tables), m_nameFlag(CustomerNameDisplayFlag()) {}
    const QString& category(qint32 id)
    {
        auto it = m_categories.constFind(id);
        if (it == m_categories.constEnd())
            it = m_categories.insert(id, DB().GetCategoryDesc(id, m_tables.categories));
        return it.value();
    }
    const QString& customer(qint32 id)
    {
        auto it = m_customers.constFind(id);
        if (it == m_customers.constEnd())
            it = m_customers.insert(id, DB().GetCustomername(id, m_tables.customers, m_nameFlag));
        return it.value();
    }
    const QString& date(const QString& stored)
    {
        auto it = m_dates.constFind(stored);
        if (it == m_dates.constEnd())
            it = m_dates.insert(stored, Sys().DBDateToDislayDate(stored, kShortDate));
        return it.value();
    }

private:
    const WalkTables& m_tables;
    long m_nameFlag = 0;
    QHash<qint32, QString> m_categories, m_customers;
    QHash<QString, QString> m_dates;
};

QString trimmedField(FIELD4* field) { return Sys().trimBlanks(Module1::FieldStr(field)); }

// The shown text decides what is a date, so that an empty cell always goes
// with "Yes".
bool activeFor(const QString& shownEnd, const QString& dateterm, const QDate& today)
{
    if (shownEnd.isEmpty())
        return true;
    const QDate ends = QDate::fromString(Sys().trimBlanks(dateterm), QStringLiteral("yyyyMMdd"));
    return !ends.isValid() || ends >= today;
}

} // namespace

const QStringList& PSReportRun::labelledFields()
{
    static const QStringList fields{QStringLiteral("dateinit"), QStringLiteral("dateterm"), QStringLiteral("custom1"),
                                    QStringLiteral("custom2"),  QStringLiteral("contno"),   QStringLiteral("trackno"),
                                    QStringLiteral("conttype"), QStringLiteral("contdur"),  QStringLiteral("shortdesc")};
    return fields;
}

bool PSReportRun::IsActive(const QString& dateterm, const QDate& today)
{
    return activeFor(Sys().DBDateToDislayDate(dateterm, kShortDate), dateterm, today);
}

bool PSReportRun::FiltersPassed(const PSReportFilters& filters, qint32 psid, bool isActive, const QString& custom1,
                                const QString& custom2)
{
    if (filters.PSID > 0 && filters.PSID != psid)
        return false;
    if ((filters.Active == 1 && !isActive) || (filters.Active == 0 && isActive))
        return false;
    const auto lacks = [](const QString& wanted, const QString& field) {
        return !wanted.isEmpty() && (field.isEmpty() || !field.contains(wanted, Qt::CaseInsensitive));
    };
    return !lacks(filters.Custom1, custom1) && !lacks(filters.Custom2, custom2);
}

void PSReportRun::InitGrid(const QStringList& labels)
{
    QList<ReportGrid::Column> columns{
        {QStringLiteral("Row"), ReportGrid::kRowColumnData, QStringLiteral("R")},
        {QStringLiteral("Product/Service"), 0, QString()},
        {QStringLiteral("Cust Id"), 0, QStringLiteral("I")},
        {QStringLiteral("Customer"), 0, QString()},
        {QStringLiteral("Is Active?"), 0, QString()},
    };
    for (int i = 0; i < labelledFields().size(); ++i) {
        const QString mark = i < 2 ? QStringLiteral("D") : QString();
        columns.append({labels.value(i), 0, mark});
    }
    m_grid.reset(columns);
}

QString PSReportRun::GetColumnDataType(int column) const
{
    if (column < 1 || column >= m_grid.columnCount())
        return {};
    const QString& mark = m_grid.column(column).sortType;
    return mark == QLatin1String("I") || mark == QLatin1String("D") ? mark : QString();
}

bool PSReportRun::DisplayRowData(const PSReportFilters& filters, const QDate& today, Progress& progress)
{
    WalkTables tables;
    if (!tables.open())
        return false;
    DATA4* ps = tables.customerPs;
    std::array<FIELD4*, FieldCount> field{};
    int rc = 0;
    for (int i = 0; i < FieldCount && rc == 0; ++i) {
        field[size_t(i)] = d4field(ps, kFieldNames[size_t(i)]);
        if (!field[size_t(i)])
            rc = C4_ERR_ARGUMENT;
    }
    TAG4* order = rc == 0 ? d4tag(ps, "PSID") : nullptr;
    if (rc == 0)
        rc = order ? d4tagSelect(ps, order) : C4_ERR_TAG;
    if (rc == 0)
        rc = d4top(ps);

    Lookups lookups(tables);
    ProgressPace pace(kYieldMs);
    bool stopped = false;
    while (rc == 0) {
        bool firstRow = false;
        if (!d4deleted(ps)) {
            const qint32 psid = qint32(f4long(field[PsId]));
            const QString dateterm = trimmedField(field[DateTerm]);
            const QString custom1 = trimmedField(field[Custom1]);
            const QString custom2 = trimmedField(field[Custom2]);
            const QString shownEnd = lookups.date(dateterm);  // a copy: later look-ups may rehash
            const bool active = activeFor(shownEnd, dateterm, today);
            if (FiltersPassed(filters, psid, active, custom1, custom2)) {
                const qint32 custId = qint32(f4long(field[CustId]));
                m_grid.addRow(qint32(f4long(field[RowId])));
                m_grid.addCell(lookups.category(psid));
                m_grid.addCell(QString::number(custId));
                m_grid.addCell(lookups.customer(custId));
                m_grid.addCell(active ? QStringLiteral("Yes") : QStringLiteral("NO"));
                m_grid.addCell(lookups.date(trimmedField(field[DateInit])));
                m_grid.addCell(shownEnd);
                m_grid.addCell(custom1);
                m_grid.addCell(custom2);
                m_grid.addCell(trimmedField(field[ContNo]));
                m_grid.addCell(trimmedField(field[TrackNo]));
                m_grid.addCell(lookups.category(qint32(f4long(field[ContType]))));
                m_grid.addCell(lookups.category(qint32(f4long(field[ContDur]))));
                m_grid.addCell(trimmedField(field[ShortDesc]));
                firstRow = m_grid.rowCount() == 1;
            }
        }
        if (pace.due(firstRow)) {
            if (!progress.report(-1) || !tables.databaseStillOpen()) {
                stopped = true;
                break;
            }
        }
        rc = d4skip(ps, 1);
    }
    // Squeezing copies what the rows hold: a wait of its own.
    if (!stopped && rc >= 0 && m_grid.rowCount() > 0)
        stopped = !progress.report(-1) || !tables.databaseStillOpen();
    m_grid.squeeze();
    if (rc < 0 && !stopped) {
        Sys().ShowError(QStringLiteral("frmProductReportDisplay_DisplayRowData"), DB().TakeEngineError(rc));
        return false;
    }
    return true;
}

void PSReportRun::SortAndNumber()
{
    if (m_grid.rowCount() < 1 || m_grid.columnCount() < 2)
        return;
    m_grid.sortBy(1);
    m_grid.numberRows();
}
