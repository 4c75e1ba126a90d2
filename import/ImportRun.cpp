#include "import/ImportRun.h"

#include "common/ImportFileReader.h"
#include "common/Progress.h"
#include "common/clsSystem.h"
#include "data/CategoryTypes.h"
#include "data/RecColl.h"
#include "data/clsDB.h"
#include "import/clsImportColDef.h"
#include "import/clsImportData.h"

#include <QHash>

#include <cmath>

namespace {

struct CustomerColumn {
    const char* field;
    int categoryType; // 0: the text itself
};

// The customer field that each heading fills.
const QHash<QString, CustomerColumn>& customerColumns()
{
    static const QHash<QString, CustomerColumn> columns{
        {QStringLiteral("CUSTOMERNUMBER"), {"custno", 0}},
        {QStringLiteral("SALUTATION"), {"salutation", 0}},
        {QStringLiteral("FIRSTNAME"), {"firstname", 0}},
        {QStringLiteral("LASTNAME"), {"lastname", 0}},
        {QStringLiteral("COMPANY"), {"company", 0}},
        {QStringLiteral("TITLE"), {"title", 0}},
        {QStringLiteral("ADDRESSLINE1"), {"address1", 0}},
        {QStringLiteral("ADDRESSLINE2"), {"address2", 0}},
        {QStringLiteral("CITY"), {"city", 0}},
        {QStringLiteral("STATE"), {"state", CatType::State}},
        {QStringLiteral("POSTALCODE"), {"postalcode", 0}},
        {QStringLiteral("COUNTRY"), {"country", CatType::Country}},
        {QStringLiteral("CUSTOM1"), {"custom1", 0}},
        {QStringLiteral("CUSTOM2"), {"custom2", 0}},
        {QStringLiteral("WORKPHONE"), {"workphone", 0}},
        {QStringLiteral("HOMEPHONE"), {"homephone", 0}},
        {QStringLiteral("MOBILEPHONE"), {"mobilphone", 0}},
        {QStringLiteral("FAXPHONE"), {"faxphone", 0}},
        {QStringLiteral("EMAILDEFAULT"), {"emailname", 0}},
        {QStringLiteral("EMAILALTERNATE"), {"emailname2", 0}},
        {QStringLiteral("CATEGORY"), {"custcat", CatType::CustomerCategory}},
        {QStringLiteral("NOTES"), {"notes", 0}},
    };
    return columns;
}

} // namespace

ImportRun::ImportRun(const QString& targetKey, const QStringList& headings)
    : m_targetKey(targetKey), m_headings(headings)
{
}

ImportRun::~ImportRun() { closeTables(); }

bool ImportRun::openTables(QString& failure)
{
    closeTables();
    m_customers = DB().OpenTable(DB().CustomerTable());
    if (!m_customers) {
        failure = QStringLiteral("Unable to open Customer table!");
        return false;
    }
    m_categories = DB().OpenTable(DB().CategoryTable());
    if (!m_categories) {
        closeTables();
        failure = QStringLiteral("Unable to open Category table!");
        return false;
    }
    return true;
}

void ImportRun::closeTables()
{
    if (m_customers)
        d4close(m_customers);
    if (m_categories)
        d4close(m_categories);
    m_customers = nullptr;
    m_categories = nullptr;
}

bool ImportRun::importFile(const QString& fileName, qint32& rowCount, Progress& progress)
{
    ImportFileReader reader(fileName);
    if (!reader.open()) {
        closeTables();
        Sys().ShowError(QStringLiteral("frmDataImport_ImportData_Detail"),
                        QFile::exists(fileName) ? RunError::permissionDenied() : RunError::fileNotFound());
        return false;
    }
    // Every new row takes an identifier; keep their table open meanwhile.
    DB().KeepIdTableOpen(true);
    const bool customers = m_targetKey == kImportTargetCustomers;
    bool result = true;
    qint32 processed = 0;
    QString record;
    // Row 1, the headings, is one line whatever quotes it holds.
    for (bool more = reader.readLine(record); more; more = reader.readRecord(record)) {
        progress.report(int(std::floor(double(reader.linesRead()) / (double(rowCount) + 1) * 100)));
        const QString trimmed = Sys().trimBlanks(record);
        if (reader.linesRead() == 1 || trimmed.isEmpty())
            continue;
        Sys().IncL(processed);
        // A quoted value the file never closed swallowed the rest of the
        // file: that is no row to add.
        if (reader.recordUnclosed()) {
            result = false;
            continue;
        }
        const QStringList fields = importLineFields(trimmed);
        if (!(customers ? AddCustomer(fields) : AddCategory(fields)))
            result = false;
    }
    DB().KeepIdTableOpen(false);
    if (reader.error()) {
        Sys().ShowError(QStringLiteral("frmDataImport_ImportData_Detail"), RunError::deviceIO());
        result = false;
    }
    rowCount = processed;
    reader.close();
    closeTables();
    return result;
}

bool ImportRun::AddCustomer(const QStringList& fields)
{
    // A copy of one new, blank customer made for the run.
    if (m_blankCustomer.isEmpty())
        DB().NewCustomerRecColl(m_blankCustomer);
    RecColl coll = m_blankCustomer;
    const QHash<QString, CustomerColumn>& columns = customerColumns();
    for (qsizetype i = 1; i < m_headings.size() && i < fields.size(); ++i) {
        const auto column = columns.constFind(m_headings.at(i));
        if (column == columns.cend())
            continue;
        const QString value = Sys().CSVField_GetValue(fields.at(i));
        if (column->categoryType == 0) {
            coll.set(QLatin1String(column->field), value);
            continue;
        }
        const qint32 id = LookupOrAddCategory(value, column->categoryType);
        // A list item that could not be added would leave the customer
        // pointing at nothing: the row fails (the append was reported).
        if (id < 0)
            return false;
        coll.set(QLatin1String(column->field), QString::number(id));
    }
    if (coll.text(QStringLiteral("lastname")).isEmpty() && coll.text(QStringLiteral("company")).isEmpty())
        coll.set(QStringLiteral("lastname"), QStringLiteral("Un-named"));
    return DB().SaveRecord(coll, false, m_customers);
}

bool ImportRun::AddCategory(const QStringList& fields)
{
    if (m_headings.size() < 2 || m_headings.at(1) != QLatin1String("DESCRIPTION") || fields.size() < 2)
        return false;
    return LookupOrAddCategory(Sys().CSVField_GetValue(fields.at(1)), m_targetKey.toInt()) > 0;
}

qint32 ImportRun::LookupOrAddCategory(const QString& description, qint32 type)
{
    if (description.isEmpty())
        return 0;
    const qint32 id = DB().CategoryExists(description, type, m_categories);
    if (id >= 0)
        return id;
    return DB().AddCategory(description, type, m_categories);
}
