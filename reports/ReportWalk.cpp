#include "reports/ReportWalk.h"

#include "common/PromptService.h"
#include "common/RunError.h"
#include "common/Win1252.h"
#include "common/clsSystem.h"
#include "data/Schema.h"
#include "data/clsDB.h"
#include "reports/RepNumber.h"

#include <algorithm>
#include <cstring>

namespace {

// A field of `table`; null when it has none (and the engine's error state,
// which looking up a missing field sets, cleared again).
FIELD4* fieldOf(DATA4* table, const QString& name)
{
    if (name.isEmpty())
        return nullptr;
    FIELD4* field = d4field(table, name.toLatin1().constData());
    if (!field)
        code4errorCode(&table->engine(), 0);
    return field;
}

RunError engineError(DATA4* table, int code)
{
    const xbase::Status& status = table->engine().lastError();
    return RunError::make(code, status.isOk() ? QStringLiteral("Database engine error")
                                              : QString::fromStdString(status.toString()));
}

} // namespace

ReportWalk::ReportWalk(const clsRepDefParser& definition, ReportGrid& grid) : m_definition(definition), m_grid(grid)
{
}

ReportWalk::~ReportWalk()
{
    for (DATA4* table : {m_issues, m_customers, m_users, m_categories, m_customerPs})
        if (table)
            d4close(table);
}

bool ReportWalk::open(const QString& reportType)
{
    clsDB& db = DB();
    // In this order, stopping at the first that cannot be opened.
    const std::pair<DATA4**, QString> tables[] = {
        {&m_issues, db.IssuesTable()},     {&m_customers, db.CustomerTable()},
        {&m_users, db.UserTable()},        {&m_categories, db.CategoryTable()},
        {&m_customerPs, db.Customers2PSTable()}};
    for (const auto& [handle, path] : tables) {
        *handle = db.OpenTable(path);
        if (!*handle)
            return false;
    }
    if (reportType == QLatin1String("C")) {
        m_main = m_customers;
        m_mainFile = Schema::dataFileName(Schema::Table::Cust);
        m_defaultTag = QStringLiteral("lastname");
    } else if (reportType == QLatin1String("I")) {
        m_main = m_issues;
        m_mainFile = Schema::dataFileName(Schema::Table::Issues);
        m_defaultTag = QStringLiteral("SUBMITDT");
    } else {
        MsgBox(QStringLiteral("Invalid report type!"), MsgStyle::Critical);
        return false;
    }
    resolveColumns();
    resolveCriteria();
    return true;
}

bool ReportWalk::mainHasTag(const QString& name) const
{
    if (!m_main)
        return false;
    const bool found = d4tag(m_main, name.toLatin1().constData()) != nullptr;
    if (!found)
        code4errorCode(&m_main->engine(), 0);
    return found;
}

void ReportWalk::resolveColumns()
{
    const QString customers = Schema::dataFileName(Schema::Table::Cust);
    const QString issues = Schema::dataFileName(Schema::Table::Issues);
    bool badTableShown = false;
    for (const clsRepDispCol& col : m_definition.DispCols) {
        Cell cell;
        if (col.tblname != customers && col.tblname != issues) {
            // Shown once for the run, not once per row.
            if (!badTableShown)
                MsgBox(QStringLiteral("Invalid table name found in the report column table!"), MsgStyle::Critical);
            badTableShown = true;
            m_cells.append(cell);
            continue;
        }
        // A column of the table that the walk does not position stays empty.
        if (col.tblname != m_mainFile) {
            m_cells.append(cell);
            continue;
        }
        cell.field = fieldOf(m_main, col.fldname);
        const QString& type = col.datatype;
        if (type == QLatin1String("X"))
            cell.kind = Kind::Products;
        else if (!cell.field)
            cell.kind = Kind::Empty;
        else if (type == QLatin1String("S"))
            cell.kind = Kind::Text;
        else if (type == QLatin1String("L"))
            cell.kind = Kind::Category;
        else if (type == QLatin1String("I"))
            cell.kind = Kind::Whole;
        else if (type == QLatin1String("C"))
            cell.kind = m_main == m_customers ? Kind::Empty : Kind::Customer;
        else if (type == QLatin1String("D"))
            cell.kind = Kind::Date;
        else if (type == QLatin1String("U"))
            cell.kind = Kind::User;
        m_cells.append(cell);
    }
}

void ReportWalk::resolveCriteria()
{
    for (const clsRepFilter& filter : m_definition.Filters) {
        Criterion c;
        const std::optional<qint32> value = repIdentifier(filter.Value);
        c.isNot = filter.Oper == QLatin1String("#");
        c.value = value.value_or(0);
        if (value && filter.Col.datatype == QLatin1String("L")) {
            c.field = fieldOf(m_main, filter.Col.fldname);
            c.test = c.field ? Test::Category : Test::None;
        } else if (value && filter.Col.datatype == QLatin1String("P")) {
            c.test = Test::Owns;
        }
        if (c.test != Test::None)
            m_criteria.append(c);
    }
}

bool ReportWalk::passes(qint32 rowid)
{
    for (const Criterion& c : m_criteria) {
        const bool holds = c.test == Test::Category ? f4long(c.field) == c.value
                                                    : DB().CustomerHasPS(rowid, c.value, m_customerPs);
        if (holds == c.isNot)
            return false;
    }
    return true;
}

bool ReportWalk::yieldDue(bool firstRow)
{
    return m_pace.due(firstRow);
}

bool ReportWalk::walk(const QString& tag, std::optional<qint32> key, Progress& progress)
{
    m_walkedTag = tag;
    FIELD4* rowidField = fieldOf(m_main, QStringLiteral("rowid"));
    if (!rowidField) {
        Sys().ShowError(QStringLiteral("frmReportDisplay_DisplayRowData"), engineError(m_main, C4_ERR_ARGUMENT));
        return false;
    }
    TAG4* order = d4tag(m_main, tag.toLatin1().constData());
    if (!order) {
        code4errorCode(&m_main->engine(), 0);
        m_walkedTag.clear();
    }
    m_pace.restart();
    // A walk of every record asks for nearly every customer's products:
    // one pass over them in advance costs less than a seek for each.
    if (!key && std::any_of(m_cells.cbegin(), m_cells.cend(), [](const Cell& c) { return c.kind == Kind::Products; }))
        loadProducts(progress);
    if (m_cancelled)
        return true;
    int rc = d4tagSelect(m_main, order);
    if (rc == 0)
        rc = key ? d4seekDouble(m_main, double(*key)) : d4top(m_main);
    while (rc == 0) {
        bool shown = false;
        if (!d4deleted(m_main)) {
            ++m_visited;
            const qint32 rowid = qint32(f4long(rowidField));
            if (passes(rowid)) {
                addRow(rowid);
                shown = true;
            }
        }
        if (yieldDue(shown && m_grid.rowCount() == 1) && !progress.report(-1)) {
            m_cancelled = true;
            break;
        }
        rc = key ? d4seekNextDouble(m_main, double(*key)) : d4skip(m_main, 1);
    }
    if (rc < 0) {
        Sys().ShowError(QStringLiteral("frmReportDisplay_DisplayRowData"), engineError(m_main, rc));
        code4errorCode(&m_main->engine(), 0);
        return false;
    }
    return true;
}

void ReportWalk::addRow(qint32 rowid)
{
    m_grid.addRow(rowid);
    for (const Cell& cell : m_cells)
        m_grid.addCell(cellText(cell, rowid));
}

QStringView ReportWalk::fieldText(FIELD4* field)
{
    const char* bytes = f4ptr(field);
    qsizetype begin = 0;
    qsizetype end = f4len_v(field);
    while (begin < end && bytes[begin] == ' ')
        ++begin;
    while (end > begin && bytes[end - 1] == ' ')
        --end;
    bool plain = true;
    for (qsizetype i = begin; i < end && plain; ++i)
        plain = static_cast<unsigned char>(bytes[i]) < 0x80;
    if (!plain) {
        m_scratch = fromWin1252(bytes + begin, end - begin);
        return m_scratch;
    }
    m_scratch.resize(end - begin);
    QChar* out = m_scratch.data();
    for (qsizetype i = begin; i < end; ++i)
        *out++ = QLatin1Char(bytes[i]);
    return m_scratch;
}

QStringView ReportWalk::wholeText(long value)
{
    // Written backwards into a fixed buffer: no allocation per cell.
    char16_t* end = m_digits + sizeof m_digits / sizeof m_digits[0];
    char16_t* p = end;
    unsigned long magnitude = value < 0 ? 0UL - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
    do {
        *--p = char16_t(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        *--p = u'-';
    return QStringView(p, end - p);
}

const QString& ReportWalk::cached(QHash<qint32, QString>& cache, qint32 id, Kind kind)
{
    auto it = cache.constFind(id);
    if (it != cache.constEnd())
        return it.value();
    clsDB& db = DB();
    QString text;
    if (kind == Kind::Category)
        text = db.GetCategoryDesc(id, m_categories);
    else if (kind == Kind::User)
        text = db.GetUsername2(id, m_users);
    else
        text = db.GetCustomerDetail(id, m_customers, m_categories);
    return cache.insert(id, text).value();
}

// The customer's products/services as clsDB::CustomerPS gives them, with
// the category texts taken from the run's cache.
void ReportWalk::loadProducts(Progress& progress)
{
    m_products.clear();
    m_productsLoaded = false;
    FIELD4* custid = d4field(m_customerPs, "custid");
    FIELD4* psid = d4field(m_customerPs, "psid");
    TAG4* tag = d4tag(m_customerPs, "custid");
    if (!custid || !psid || !tag || d4tagSelect(m_customerPs, tag) < 0) {
        code4errorCode(&m_customerPs->engine(), 0);
        return;
    }
    // The tag keeps each customer's rows together, in the order a seek finds them.
    std::optional<qint32> previous;
    int rc = d4top(m_customerPs);
    for (qint64 read = 1; rc == 0; rc = d4skip(m_customerPs, 1), ++read) {
        // The pass yields as the walk does; stopped, it leaves no rows.
        if (read % 1024 == 0 && yieldDue(false) && !progress.report(-1)) {
            m_products.clear();
            m_cancelled = true;
            return;
        }
        const qint32 id = qint32(f4long(custid));
        QString& text = m_products[id];
        if (previous == id)
            text += QLatin1Char(';');
        previous = id;
        text += cached(m_categoryTexts, qint32(f4long(psid)), Kind::Category);
    }
    if (rc < 0) {
        // Each row then asks for itself, and a failure is reported there.
        m_products.clear();
        code4errorCode(&m_customerPs->engine(), 0);
        return;
    }
    m_productsLoaded = true;
}

QStringView ReportWalk::productsText(qint32 custId)
{
    if (m_productsLoaded) {
        const auto it = m_products.constFind(custId);
        return it == m_products.constEnd() ? QStringView() : QStringView(it.value());
    }
    FIELD4* psid = d4field(m_customerPs, "psid");
    TAG4* tag = d4tag(m_customerPs, "custid");
    if (!psid || !tag || d4tagSelect(m_customerPs, tag) < 0) {
        m_scratch = DB().CustomerPS(custId, m_customerPs, m_categories);
        return m_scratch;
    }
    m_scratch.clear();
    bool first = true;
    int rc = d4seekDouble(m_customerPs, custId);
    for (; rc == 0; rc = d4seekNextDouble(m_customerPs, custId)) {
        if (!first)
            m_scratch += QLatin1Char(';');
        first = false;
        m_scratch += cached(m_categoryTexts, qint32(f4long(psid)), Kind::Category);
    }
    // A failing read is reported as the shared lookup reports it.
    if (rc < 0)
        m_scratch = DB().CustomerPS(custId, m_customerPs, m_categories);
    return m_scratch;
}

QStringView ReportWalk::cellText(const Cell& cell, qint32 rowid)
{
    switch (cell.kind) {
    case Kind::Empty:
        return {};
    case Kind::Text:
        return fieldText(cell.field);
    case Kind::Whole:
        return wholeText(f4long(cell.field));
    case Kind::Category:
        return cached(m_categoryTexts, qint32(f4long(cell.field)), cell.kind);
    case Kind::User:
        return cached(m_userTexts, qint32(f4long(cell.field)), cell.kind);
    case Kind::Customer:
        return cached(m_customerTexts, qint32(f4long(cell.field)), cell.kind);
    case Kind::Date: {
        const char* stored = f4ptr(cell.field);
        const qsizetype length = qMin<qsizetype>(f4len_v(cell.field), 8);
        quint64 key = 0;
        std::memcpy(&key, stored, size_t(length));
        auto it = m_dateTexts.constFind(key);
        if (it == m_dateTexts.constEnd())
            it = m_dateTexts.insert(key, Sys().DBDateToDislayDate(QString::fromLatin1(stored, length),
                                                                  QStringLiteral("Short Date")));
        return it.value();
    }
    case Kind::Products:
        return productsText(rowid);
    }
    return {};
}
