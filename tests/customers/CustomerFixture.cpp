#include "CustomerFixture.h"

#include "app/WindowCreators.h"
#include "common/ui/clsSystemUI.h"
#include "customers/CustomerWindows.h"
#include "data/RecColl.h"
#include "data/clsDB.h"
#include "xbase/IndexC4.h"
#include "xbase/c4.h"

CustomerFixture::CustomerFixture()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    registerCustomerWindows();
    openNewDatabase();
}

CustomerFixture::~CustomerFixture()
{
    WindowCreators::clear();
    QLocale::setDefault(m_locale);
}

qint32 CustomerFixture::addCustomer(const QList<std::pair<QString, QVariant>>& fields)
{
    RecColl coll;
    DB().NewCustomerRecColl(coll);
    for (const auto& [name, value] : fields)
        coll.set(name, value);
    EXPECT_TRUE(DB().SaveRecord(coll, false));
    return coll.value(QStringLiteral("_rowid")).toInt();
}

qint32 CustomerFixture::addCategory(const QString& text, qint32 type)
{
    DATA4* table = DB().OpenTable(DB().CategoryTable());
    const qint32 id = DB().AddCategory(text, type, table);
    d4close(table);
    EXPECT_GE(id, 1);
    return id;
}

namespace {

qint32 saveRow(const QString& path, const QString& rectype, const QList<std::pair<QString, QVariant>>& fields,
               const QStringList& blanks)
{
    RecColl coll(path, -1, rectype);
    for (const QString& name : blanks)
        coll.add(name, QString());
    for (const auto& [name, value] : fields)
        coll.set(name, value);
    EXPECT_TRUE(DB().SaveRecord(coll, false));
    return coll.value(QStringLiteral("_rowid")).toInt();
}

} // namespace

qint32 CustomerFixture::addPS(qint32 custId, qint32 psid, const QString& dateInit, const QString& dateTerm)
{
    return saveRow(DB().Customers2PSTable(), QStringLiteral("_ps"),
                   {{QStringLiteral("custid"), custId}, {QStringLiteral("psid"), psid},
                    {QStringLiteral("dateinit"), dateInit}, {QStringLiteral("dateterm"), dateTerm}},
                   {QStringLiteral("custid"), QStringLiteral("psid"), QStringLiteral("shortdesc"),
                    QStringLiteral("custom1"), QStringLiteral("custom2"), QStringLiteral("dateinit"),
                    QStringLiteral("dateterm"), QStringLiteral("contno"), QStringLiteral("trackno"),
                    QStringLiteral("conttype"), QStringLiteral("contdur"), QStringLiteral("notes")});
}

qint32 CustomerFixture::addIssue(qint32 custId, const QString& shortDesc)
{
    return saveRow(DB().IssuesTable(), QStringLiteral("_issue"),
                   {{QStringLiteral("custid"), custId}, {QStringLiteral("shortdesc"), shortDesc},
                    {QStringLiteral("submitdt"), QStringLiteral("3/1/2024")}},
                   {QStringLiteral("custid"), QStringLiteral("psid"), QStringLiteral("shortdesc"),
                    QStringLiteral("custom1"), QStringLiteral("custom2"), QStringLiteral("assignedto"),
                    QStringLiteral("priority"), QStringLiteral("status"), QStringLiteral("issuecat"),
                    QStringLiteral("submitdt"), QStringLiteral("responsedt"), QStringLiteral("resolvedt"),
                    QStringLiteral("desc"), QStringLiteral("resolution")});
}

frmCustomer* CustomerFixture::open(qint32 custId, bool editMode)
{
    m_main.ShowCustomer(custId, editMode);
    QWidget* window = nullptr;
    SysUI().GetFormWithTag(QStringLiteral("C%1").arg(custId), window);
    return dynamic_cast<frmCustomer*>(window);
}

QString CustomerFixture::mark(qint32 custId)
{
    RecColl coll(DB().CustomerTable(), custId, QStringLiteral("_lockinfo"));
    if (!DB().ReadRecord(coll, true))
        return QStringLiteral("?");
    return coll.text(QStringLiteral("underedit")).trimmed() + QLatin1Char('|')
           + coll.text(QStringLiteral("edtstation")).trimmed();
}
