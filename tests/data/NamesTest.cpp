#include "LoginFixture.h"

#include "data/CategoryTypes.h"
#include "data/ParamFlags.h"
#include "data/clsLookupCustomer.h"

namespace bmtest {
namespace {

class NamesTest : public LoginTest {
protected:
    int customer(const QList<std::pair<QString, QString>>& fields)
    {
        return saveNew(m_db.CustomerTable(), QStringLiteral("_customer"), fields);
    }
    static std::pair<QString, QString> f(const char* name, const QString& value)
    {
        return {QLatin1String(name), value};
    }
};

TEST_F(NamesTest, UserNamesCarryTheLogin)
{
    const int john = addUser({QStringLiteral("jsmith"), true, QStringLiteral("0"), QString(), QStringLiteral("John"),
                              QStringLiteral("Smith")});
    const int bare = addUser({QStringLiteral("jdoe")});
    EXPECT_EQ(m_db.GetUsername2(john), QStringLiteral("Smith, John (jsmith)"));
    EXPECT_EQ(m_db.GetUsername2(bare), QStringLiteral("jdoe"));
    EXPECT_EQ(m_db.GetUsername2(4242), QString());
}

TEST_F(NamesTest, CustomerDisplayNamesForEachCombination)
{
    const QString john = QStringLiteral("John");
    const QString smith = QStringLiteral("Smith");
    const QString acme = QStringLiteral("Acme");
    struct Case {
        QString first, last, company;
        QString byCompany;   // CUSTOMERNAME_DISPLAY not "1"
        QString byPerson;    // CUSTOMERNAME_DISPLAY "1"
    };
    const Case cases[] = {
        {john, smith, acme, QStringLiteral("Acme (Smith, John)"), QStringLiteral("Smith, John")},
        {john, smith, QString(), QStringLiteral("Smith, John"), QStringLiteral("Smith, John")},
        {QString(), QString(), acme, acme, acme},   // a company alone keeps its name
        {john, QString(), QString(), john, john},
        {QString(), smith, acme, QStringLiteral("Acme (Smith)"), smith},
        {QString(), QString(), QString(), QString(), QString()},
    };
    QList<int> ids;
    for (const Case& c : cases)
        ids.append(customer({f("firstname", c.first), f("lastname", c.last), f("company", c.company)}));
    for (const bool byPerson : {false, true}) {
        ASSERT_TRUE(m_db.SetParamValue(QStringLiteral("CUSTOMERNAME_DISPLAY"), byPerson ? QStringLiteral("1") : QStringLiteral("0")));
        for (qsizetype i = 0; i < ids.size(); ++i)
            EXPECT_EQ(m_db.GetCustomername(ids[i]), byPerson ? cases[i].byPerson : cases[i].byCompany)
                << i << (byPerson ? " by person" : " by company");
    }
    EXPECT_EQ(m_db.GetCustomername(0), QString());
}

// A list fill or report run reads the display rule once and hands it to
// every lookup; single lookups still read it each time.
TEST_F(NamesTest, AListFillReadsTheDisplayRuleOnce)
{
    const QString acme = QStringLiteral("Acme");
    QList<int> ids;
    for (int i = 0; i < 50; ++i)
        ids.append(customer({f("firstname", QStringLiteral("John")), f("lastname", QString::number(i)),
                             f("company", i % 2 ? acme : QString())}));
    ASSERT_TRUE(m_db.SetParamValue(QStringLiteral("CUSTOMERNAME_DISPLAY"), QStringLiteral("0")));

    DATA4* custs = m_db.OpenTable(m_db.CustomerTable());
    ASSERT_NE(custs, nullptr);
    const long readsBefore = CustomerNameDisplayReads();
    const long flag = CustomerNameDisplayFlag();
    constexpr int kRows = 100000;
    int named = 0;
    for (int row = 0; row < kRows; ++row) {
        const int i = row % int(ids.size());
        const QString expected = i % 2 ? QStringLiteral("Acme (%1, John)").arg(i) : QStringLiteral("%1, John").arg(i);
        named += m_db.GetCustomername(ids[i], custs, flag) == expected;
    }
    EXPECT_EQ(CustomerNameDisplayReads() - readsBefore, 1);
    EXPECT_EQ(named, kRows);
    d4close(custs);

    (void)m_db.GetCustomername(ids[0]);
    (void)m_db.GetCustomername(ids[1]);
    EXPECT_EQ(CustomerNameDisplayReads() - readsBefore, 3);
}

TEST_F(NamesTest, CustomerDetailLeavesEmptyPartsOut)
{
    DATA4* cats = m_db.OpenTable(m_db.CategoryTable());
    ASSERT_NE(cats, nullptr);
    const qint32 ohio = m_db.AddCategory(QStringLiteral("Ohio"), CatType::State, cats);
    const qint32 usa = m_db.AddCategory(QStringLiteral("USA"), CatType::Country, cats);
    const int minimal = customer({f("company", QStringLiteral("Acme")), f("city", QStringLiteral("Dayton"))});
    const int full = customer({f("firstname", QStringLiteral("John")), f("lastname", QStringLiteral("Smith")),
                               f("company", QStringLiteral("Acme")), f("address1", QStringLiteral("1 Main St")),
                               f("city", QStringLiteral("Dayton")), f("state", QString::number(ohio)),
                               f("postalcode", QStringLiteral("45402")), f("country", QString::number(usa)),
                               f("workphone", QStringLiteral("555-1")), f("faxphone", QStringLiteral("555-9"))});
    const int person = customer({f("firstname", QStringLiteral("Ann")), f("lastname", QStringLiteral("Lee")),
                                 f("state", QStringLiteral("0")), f("homephone", QStringLiteral("555-2"))});
    EXPECT_EQ(m_db.GetCustomerDetail(minimal), QStringLiteral("Acme, Dayton"));
    EXPECT_EQ(m_db.GetCustomerDetail(full),
              QStringLiteral("John Smith, Acme, 1 Main St, Dayton, Ohio, 45402, USA, 555-1, 555-9"));
    EXPECT_EQ(m_db.GetCustomerDetail(person, nullptr, cats), QStringLiteral("Ann Lee, 555-2"));
    EXPECT_EQ(m_db.GetCustomerDetail(0), QString());
    EXPECT_EQ(d4top(cats), 0);   // the caller's table stays open
    d4close(cats);
}

TEST_F(NamesTest, CustomerEmailAndCallerHandles)
{
    const int id = customer({f("emailname", QStringLiteral("  ann@example.com ")), f("emailname2", QStringLiteral("b@x"))});
    DATA4* custs = m_db.OpenTable(m_db.CustomerTable());
    ASSERT_NE(custs, nullptr);
    EXPECT_EQ(m_db.GetCustomerEmail(id, custs), QStringLiteral("ann@example.com"));
    EXPECT_EQ(m_db.GetCustomerEmail(id), QStringLiteral("ann@example.com"));
    EXPECT_EQ(m_db.GetCustomerEmail(0, custs), QString());
    EXPECT_EQ(m_db.GetCustomername(id, custs), QString());
    EXPECT_EQ(d4top(custs), 0);
    d4close(custs);
}

TEST_F(NamesTest, LoginIdentifierNeedsTheWholeLogin)
{
    const int bobby = addUser({QStringLiteral("bobby")});
    const int gone = addUser({QStringLiteral("gone"), false});
    EXPECT_EQ(m_db.GetLoginID(QStringLiteral("BOBBY")), bobby);
    EXPECT_EQ(m_db.GetLoginID(QStringLiteral("bob")), 0);
    EXPECT_EQ(m_db.GetLoginID(QStringLiteral("gone")), gone);   // inactive users too
    EXPECT_EQ(m_db.GetLoginID(QString()), 0);
    const int bob = addUser({QStringLiteral("bob")});
    EXPECT_EQ(m_db.GetLoginID(QStringLiteral("bob")), bob);
}

TEST_F(NamesTest, CustomersWithTheSameNumber)
{
    const int a = customer({f("custno", QStringLiteral("A1"))});
    customer({f("custno", QStringLiteral("A1"))});
    customer({f("custno", QStringLiteral("a1"))});
    customer({f("custno", QStringLiteral("A12"))});
    const int mass = customer({f("custno", QStringLiteral("Maß-1"))});
    const clsLookupCustomer lookup;
    struct Case {
        QString number;
        qint32 own;
        qint32 expected;
    };
    const Case cases[] = {{QStringLiteral("A1"), -1, 2},   {QStringLiteral("A1"), a, 1},
                          {QStringLiteral(" A1 "), a, 1},  {QStringLiteral("a1"), -1, 1},
                          {QStringLiteral("A"), -1, 0},    {QString(), -1, 0},
                          {QStringLiteral("   "), -1, 0},  {QStringLiteral("B7"), -1, 0},
                          {QStringLiteral("Maß-1"), -1, 1}, {QStringLiteral("Maß-1"), mass, 0},
                          {QStringLiteral("MASS-1"), -1, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(lookup.CustomersWithCustomerNumber(c.number, c.own), c.expected)
            << "'" << c.number.toStdString() << "' " << c.own;
}

} // namespace
} // namespace bmtest
