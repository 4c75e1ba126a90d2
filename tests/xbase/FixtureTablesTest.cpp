#include "XbaseFixture.h"

#include "xbase/Calendar.h"

#include <QDir>
#include <cmath>

using xbase::Table;

namespace {

struct Sample {
    uint32_t recno;
    const char* field;
    const char* text; // compared with the trimmed text (memo: the whole text); null: compare number
    double number = 0;
};

struct FixtureCase {
    const char* file;
    uint32_t count;
    uint8_t version;
    std::vector<Sample> samples;
};

const std::vector<FixtureCase>& cases()
{
    static const std::vector<FixtureCase> all = {
        {"infused-dbf/foxprodb/calls.dbf", 16, 0x30,
         {{1, "CALL_ID", nullptr, 1},
          {1, "SUBJECT", "Buy flavored coffees."},
          {1, "NOTES", "Nancy told me about their blends. Thinking about it. Should call back later."},
          {16, "CALL_ID", nullptr, 16},
          {16, "NOTES", "Margaret's shipment went to Steven, oops."}}},
        {"infused-dbf/foxprodb/contacts.dbf", 5, 0x30, {{1, "FIRST_NAME", "Nancy"}, {1, "ADDRESS", "507 - 20th Ave. E.\r\nApt. 2A"}}},
        {"infused-dbf/foxprodb/setup.dbf", 3, 0x30, {{1, "KEY_NAME", "CALLS"}, {1, "VALUE", nullptr, 21}}},
        {"infused-dbf/foxprodb/types.dbf", 2, 0x30, {{1, "CONTACT_T2", "Buyer"}}},
        {"infused-dbf/foxprodb/FOXPRO-DB-TEST.DBC", 58, 0x30, {}},
        {"infused-dbf/dbase_30.dbf", 34, 0x30,
         {{1, "ACCESSNO", "1999.1"}, {1, "CATDATE", "19990305"}, {1, "INSVALUE", nullptr, 1000000.0},
          {1, "CLASSES", "Domestic Life\r\nWeddings\r\n"}, {1, "EARLYDATE", nullptr, 1942}}},
        {"infused-dbf/dbase_31.dbf", 77, 0x31,
         {{1, "PRODUCTID", nullptr, 1}, {1, "PRODUCTNAM", "Chai"}, {1, "UNITPRICE", nullptr, 18}, {1, "UNITSINSTO", nullptr, 39}}},
        {"infused-dbf/dbase_32.dbf", 1, 0x32, {{1, "NAME", "Bad Meets Evil"}}},
        {"infused-dbf/dbase_f5.dbf", 975, 0xF5,
         {{1, "NF", nullptr, 1}, {1, "NOM", "joan-ramon"}, {1, "DATN", "19510113"}, {1, "NFC1", nullptr, 133}, {1, "OBSE", ""}}},
        {"infused-dbf/cp1251.dbf", 4, 0x30, {{1, "RN", nullptr, 1}}},
        {"XSharpPublic/orders.dbf", 830, 0x31,
         {{1, "ORDERID", nullptr, 10248}, {1, "CUSTOMERID", "VINET"}, {1, "ORDERDATE", "19960704"}, {1, "FREIGHT", nullptr, 32.38}}},
        {"XSharpPublic/orderdetails.dbf", 2155, 0x30, {{1, "ORDERID", nullptr, 10248}, {1, "QUANTITY", nullptr, 12}}},
        {"XSharpPublic/products.dbf", 77, 0x31, {{1, "PRODUCTNAM", "Chai"}}},
        {"XSharpPublic/customers.dbf", 91, 0x30, {{1, "CUSTOMERID", "ALFKI"}, {1, "COMPANYNAM", "Alfreds Futterkiste"}}},
        {"XSharpPublic/employees.dbf", 9, 0x31, {{1, "LASTNAME", "Davolio"}, {1, "BIRTHDATE", "19681208"}}},
        {"XSharpPublic/categories.dbf", 8, 0x31, {{1, "DESCRIPTIO", "Soft drinks, coffees, teas, beers, and ales"}}},
        {"XSharpPublic/suppliers.dbf", 29, 0x31, {{1, "COMPANYNAM", "Exotic Liquids"}}},
        {"XSharpPublic/territories.dbf", 53, 0x30, {{1, "TERRITORYD", "Westboro"}}},
        {"XSharpPublic/region.dbf", 4, 0x31, {{1, "REGIONDESC", "Eastern"}}},
        {"XSharpPublic/shippers.dbf", 3, 0x31, {{1, "COMPANYNAM", "Speedy Express"}}},
        {"XSharpPublic/employeeterritories.dbf", 49, 0x30, {{1, "TERRITORYI", "06897"}}},
        {"XSharpPublic/customercustomerdemo.dbf", 0, 0x30, {}},
        {"XSharpPublic/customerdemographics.dbf", 0, 0x30, {}},
    };
    return all;
}

std::string trimmed(const std::string& s)
{
    const size_t b = s.find_first_not_of(' ');
    return b == std::string::npos ? std::string() : s.substr(b, s.find_last_not_of(' ') - b + 1);
}

class FixtureTables : public ::testing::Test {
protected:
    void SetUp() override
    {
        BM_REQUIRE_FIXTURES();
        m_engine.settings().readOnly = true; // the shared files are read-only
    }
    std::string fixture(const char* rel) const
    {
        return QDir(bmtest::sharedFixturesDir()).filePath(QString::fromLatin1(rel)).toStdString();
    }
    xbase::Engine m_engine;
};

} // namespace

TEST_F(FixtureTables, EveryTableOpensAndEveryFieldOfEveryRecordReads)
{
    for (const FixtureCase& c : cases()) {
        SCOPED_TRACE(c.file);
        Table* t = nullptr;
        XB_ASSERT_OK(m_engine.openTable(fixture(c.file), &t));
        EXPECT_EQ(t->header().version, c.version);
        uint32_t count = 0;
        XB_ASSERT_OK(t->recordCount(&count));
        EXPECT_EQ(count, c.count);
        uint32_t seen = 0;
        XB_ASSERT_OK(t->top());
        while (!t->eof()) {
            ++seen;
            for (size_t i = 0; i < t->fieldCount(); ++i) {
                const std::string* memo = nullptr;
                if (t->field(i)->isMemo())
                    XB_ASSERT_OK(t->field(i)->memo(&memo));
            }
            XB_ASSERT_OK(t->skip(1));
        }
        EXPECT_EQ(seen, c.count);
        XB_EXPECT_OK(m_engine.closeTable(t));
    }
}

TEST_F(FixtureTables, SampleValuesAgreeWithTheSourceSummaries)
{
    for (const FixtureCase& c : cases()) {
        Table* t = nullptr;
        XB_ASSERT_OK(m_engine.openTable(fixture(c.file), &t));
        for (const Sample& s : c.samples) {
            SCOPED_TRACE(std::string(c.file) + " record " + std::to_string(s.recno) + " " + s.field);
            XB_ASSERT_OK(t->go(s.recno));
            xbase::Field* f = t->field(s.field);
            ASSERT_NE(f, nullptr);
            if (!s.text) {
                EXPECT_NEAR(f->asDouble(), s.number, 1e-9);
            } else if (f->isMemo()) {
                const std::string* memo = nullptr;
                XB_ASSERT_OK(f->memo(&memo));
                EXPECT_EQ(*memo, s.text);
            } else {
                EXPECT_EQ(trimmed(f->text()), s.text);
            }
        }
        XB_EXPECT_OK(m_engine.closeTable(t));
    }
}

TEST_F(FixtureTables, VisualFoxProDateTimeAndCurrencyFieldsDecode)
{
    Table* t = nullptr;
    XB_ASSERT_OK(m_engine.openTable(fixture("infused-dbf/foxprodb/calls.dbf"), &t));
    XB_ASSERT_OK(t->go(1));
    int32_t day = 0, ms = 0;
    t->field("CALL_DATE")->dateTime(&day, &ms);
    int y = 0, m = 0, d = 0;
    xbase::calendar::civilFromJulianDay(day, &y, &m, &d);
    EXPECT_EQ(y * 10000 + m * 100 + d, 19941121);
    EXPECT_EQ(std::lround(ms / 1000.0), 13 * 3600 + 35 * 60 + 39);

    Table* products = nullptr;
    XB_ASSERT_OK(m_engine.openTable(fixture("XSharpPublic/products.dbf"), &products));
    XB_ASSERT_OK(products->go(1));
    EXPECT_EQ(products->field("UNITPRICE")->asLong(), 18);
    EXPECT_FALSE(products->field("DISCONTINU")->asBool());
    EXPECT_FALSE(products->field("PRODUCTNAM")->isNull());
}
