#include "CustomerTestSupport.h"

#include "customers/CustomerWindows.h"

CustomerSearchFixture::CustomerSearchFixture()
{
    m_folder = openNewDatabase();
    registerCustomerWindows();
    WindowCreators::set(WindowCreators::Kind::Customer,
                        [this](QWidget*) { return new StubCustomerWindow(m_opened); });
}

CustomerSearchFixture::~CustomerSearchFixture()
{
    for (QMdiSubWindow* sub : subWindows())
        delete sub;
    WindowCreators::clear();
}

qint32 CustomerSearchFixture::addCustomer(const QList<std::pair<const char*, QString>>& fields)
{
    const QString type = QStringLiteral("_customer");
    RecColl coll(DB().CustomerTable(), -1, type);
    for (const Schema::KindField& f : Schema::recordType(type)->writes)
        coll.add(QLatin1String(f.name), QString());
    for (const auto& [name, value] : fields)
        coll.set(QLatin1String(name), value);
    EXPECT_TRUE(DB().SaveRecord(coll, false));
    return coll.value(QStringLiteral("_rowid")).toInt();
}

void CustomerSearchFixture::deleteCustomer(qint32 id) { EXPECT_TRUE(DB().DeleteRecord(id, DB().CustomerTable())); }
