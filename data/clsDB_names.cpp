#include "data/clsDB.h"

#include "common/Win1252.h"
#include "common/clsSystem.h"
#include "data/FieldText.h"
#include "data/ParamFlags.h"
#include "data/clsDB_internal.h"

using namespace dbdetail;

namespace {

// Positions the table on the row with that identifier: 0 when found.
int seekRowid(DATA4* table, qint32 rowid)
{
    selectTag(table, "rowid");
    return check(&table->engine(), d4seekDouble(table, rowid));
}

QString text(DATA4* table, const char* field)
{
    return trimBlanks(fieldText(needField(table, field)));
}

// The fields of a customer's display name, looked up once for many rows.
struct NameFields {
    explicit NameFields(DATA4* table)
        : firstname(needField(table, "firstname"))
        , lastname(needField(table, "lastname"))
        , company(needField(table, "company"))
    {
    }
    FIELD4* firstname;
    FIELD4* lastname;
    FIELD4* company;
};

// The display name of the customer on the current row: by the person, or by
// the company with the person beside it; a customer who is only a company or
// only a person keeps a name either way.
QString displayName(const NameFields& fields, long byPerson)
{
    const QString name = Sys().MakeFullName(trimmedFieldText(fields.firstname), trimmedFieldText(fields.lastname));
    const QString company = trimmedFieldText(fields.company);
    if (byPerson == 1 || company.isEmpty())
        return name.isEmpty() ? company : name;
    return name.isEmpty() ? company : company + QStringLiteral(" (") + name + QLatin1Char(')');
}

QString displayName(DATA4* table, long byPerson) { return displayName(NameFields(table), byPerson); }

} // namespace

QString clsDB::readById(qint32 rowid, DATA4* handle, const QString& path, const char* label,
                        const std::function<QString(DATA4*)>& read)
{
    QString result;
    try {
        TableUse table(handle, handle ? nullptr : OpenTable(path));
        if (!table)
            return result;
        // The identifier is sought as a number: the tag keys numbers.
        m_lastResult = seekRowid(table.get(), rowid);
        if (m_lastResult == 0)
            result = read(table.get());
        m_lastResult = table.close();
    } catch (const Fault& f) {
        Sys().ShowError(QLatin1String(label), f.error);
    }
    return result;
}

QString clsDB::GetUsername2(qint32 userId, DATA4* users)
{
    return readById(userId, users, UserTable(), "clsDB_GetUsername2", [](DATA4* table) {
        const QString login = text(table, "login");
        const QString name = Sys().MakeFullName(text(table, "firstname"), text(table, "lastname"));
        return name.isEmpty() ? login : name + QStringLiteral(" (") + login + QLatin1Char(')');
    });
}

QString clsDB::GetCustomername(qint32 custId, DATA4* customers)
{
    return customerName(custId, customers, std::nullopt);
}

QString clsDB::GetCustomername(qint32 custId, DATA4* customers, long nameDisplayFlag)
{
    return customerName(custId, customers, nameDisplayFlag);
}

// The display name; the parameter is read only for a row that is found,
// unless the caller has read it already.
QString clsDB::customerName(qint32 custId, DATA4* customers, std::optional<long> nameDisplayFlag)
{
    if (custId < 1)
        return {};
    return readById(custId, customers, CustomerTable(), "clsDB_GetCustomerName", [nameDisplayFlag](DATA4* table) {
        return displayName(table, nameDisplayFlag ? *nameDisplayFlag : CustomerNameDisplayFlag());
    });
}

bool clsDB::CustomerNames(DATA4* customers, long nameDisplayFlag, const std::function<bool(qint32)>& wanted,
                          const std::function<void(qint32, const QString&)>& found,
                          const std::function<bool()>& keepGoing)
{
    try {
        d4tagSelect(customers, nullptr);
        FIELD4* rowid = needField(customers, "rowid");
        const NameFields fields(customers);
        long read = 0;
        for (int rc = check(m_engine, d4top(customers)); rc == 0; rc = check(m_engine, d4skip(customers, 1))) {
            if (!d4deleted(customers)) {
                const qint32 id = qint32(f4long(rowid));
                if (wanted(id))
                    found(id, displayName(fields, nameDisplayFlag));
            }
            if (++read % 4096 == 0 && keepGoing && !keepGoing())
                return false;
        }
    } catch (const Fault& f) {
        Sys().ShowError(QStringLiteral("clsDB_GetCustomerName"), f.error);
        return false;
    }
    return true;
}

QString clsDB::GetCustomerDetail(qint32 custId, DATA4* customers, DATA4* categories)
{
    QString result;
    if (custId < 1)
        return result;
    try {
        TableUse table(customers, customers ? nullptr : OpenTable(CustomerTable()));
        if (!table)
            return result;
        TableUse cats(categories, categories ? nullptr : OpenTable(CategoryTable()));
        if (!cats)
            return result;
        m_lastResult = seekRowid(table.get(), custId);
        if (m_lastResult == 0)
            result = customerDetail(table.get(), cats.get());
        m_lastResult = cats.close();
        m_lastResult = table.close();
    } catch (const Fault& f) {
        Sys().ShowError(QStringLiteral("clsDB_GetCustomerDetail"), f.error);
    }
    return result;
}

// The detail line of the current customer row.
QString clsDB::customerDetail(DATA4* customers, DATA4* categories)
{
    QString result = Sys().MakeFullNameNoComma(text(customers, "firstname"), text(customers, "lastname"));
    AppendSep(result, text(customers, "company"));
    AppendSep(result, text(customers, "address1"));
    AppendSep(result, text(customers, "address2"));
    AppendSep(result, text(customers, "city"));
    AppendSep(result, GetCategoryDesc(qint32(f4long(needField(customers, "state"))), categories));
    AppendSep(result, text(customers, "postalcode"));
    AppendSep(result, GetCategoryDesc(qint32(f4long(needField(customers, "country"))), categories));
    for (const char* phone : {"workphone", "homephone", "mobilphone", "faxphone"})
        AppendSep(result, text(customers, phone));
    return result;
}

void clsDB::AppendSep(QString& text, const QString& part)
{
    if (part.isEmpty())
        return;
    if (!text.isEmpty())
        text += QStringLiteral(", ");
    text += part;
}

QString clsDB::GetCustomerEmail(qint32 custId, DATA4* customers)
{
    if (custId < 1)
        return {};
    return readById(custId, customers, CustomerTable(), "clsDB_GetCustomerEmail",
                    [](DATA4* table) { return text(table, "emailname"); });
}

qint32 clsDB::GetLoginID(const QString& login)
{
    qint32 result = 0;
    try {
        TableUse table(nullptr, OpenTable(UserTable()));
        if (!table)
            return 0;
        selectTag(table.get(), "login");
        m_lastResult = seekExact(table.get(), upperWin1252(login), needField(table.get(), "login"));
        if (m_lastResult == 0)
            result = qint32(f4long(needField(table.get(), "rowid")));
        m_lastResult = table.close();
    } catch (const Fault& f) {
        Sys().ShowError(QStringLiteral("clsDB_GetLoginID"), f.error);
    }
    return result;
}
