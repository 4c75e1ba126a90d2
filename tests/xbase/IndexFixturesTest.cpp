#include "XbaseFixture.h"

#include "xbase/Index.h"
#include "xbase/IndexC4.h"
#include "xbase/IndexCheck.h"
#include "xbase/KeyCodec.h"

#include <QDir>
#include <map>

using namespace xbase;

namespace {

// Tables whose index files the other program wrote in step with them (two
// fixture indexes were rewritten elsewhere and no longer match; see the
// fixtures' notes).
const char* const kIndexedTables[] = {
    "infused-dbf/foxprodb/calls.dbf",          "infused-dbf/foxprodb/contacts.dbf",
    "infused-dbf/foxprodb/setup.dbf",          "infused-dbf/foxprodb/types.dbf",
    "infused-dbf/foxprodb/FOXPRO-DB-TEST.DBC", "XSharpPublic/customercustomerdemo.dbf",
    "XSharpPublic/customerdemographics.dbf",   "XSharpPublic/employees.dbf",
    "XSharpPublic/employeeterritories.dbf",    "XSharpPublic/orderdetails.dbf",
    "XSharpPublic/orders.dbf",                 "XSharpPublic/products.dbf",
    "XSharpPublic/region.dbf",                 "XSharpPublic/shippers.dbf",
    "XSharpPublic/suppliers.dbf",              "XSharpPublic/territories.dbf",
};

class IndexFixtures : public ::testing::Test {
protected:
    void SetUp() override
    {
        BM_REQUIRE_FIXTURES();
        m_engine.settings().readOnly = true; // the shared files are read-only
    }
    Table* openFixture(const char* rel)
    {
        Table* t = nullptr;
        const std::string path = QDir(bmtest::sharedFixturesDir()).filePath(QString::fromLatin1(rel)).toStdString();
        const Status s = m_engine.openTable(path, &t);
        EXPECT_TRUE(s.isOk()) << s.toString();
        return t;
    }
    Engine m_engine;
};

// Each record's key in the tag, grouped: key -> records in ascending order.
std::map<std::string, std::vector<uint32_t>> keysOf(Table& t, IndexTag& tag)
{
    std::map<std::string, std::vector<uint32_t>> out;
    uint32_t count = 0;
    EXPECT_TRUE(t.recordCount(&count).isOk());
    std::string key;
    for (uint32_t r = 1; r <= count; ++r) {
        EXPECT_TRUE(t.go(r).isOk());
        if (tag.makeKey(t.record(), &key))
            out[key].push_back(r);
    }
    return out;
}

// Seeks one key the way callers do: text for character tags, a number for
// the others; then follows the same key with seek-next.
std::vector<uint32_t> seekAll(Table* t, IndexTag& tag, const std::string& key)
{
    const bool text = tag.keyType() == key::KeyType::Character;
    const size_t skip = (tag.options() & cdx::kOptNullable) ? 1 : 0;
    const auto* k = reinterpret_cast<const uint8_t*>(key.data()) + skip;
    double value = 0;
    if (tag.keyType() == key::KeyType::Integer)
        value = key::decodeInt32(k);
    else if (!text)
        value = key::decodeDouble(k);
    const std::string str = key.substr(skip);
    std::vector<uint32_t> found;
    int rc = text ? d4seek(t, str.c_str()) : d4seekDouble(t, value);
    while (rc == C4_SUCCESS) {
        found.push_back(uint32_t(d4recNo(t)));
        rc = text ? d4seekNext(t, str.c_str()) : d4seekNextDouble(t, value);
    }
    return found;
}

TEST_F(IndexFixtures, EveryTagAgreesWithItsTable)
{
    for (const char* rel : kIndexedTables) {
        SCOPED_TRACE(rel);
        Table* t = openFixture(rel);
        ASSERT_NE(t, nullptr);
        Index* index = Index::of(*t);
        ASSERT_NE(index, nullptr);
        EXPECT_GT(index->tagCount(), 0u);
        std::vector<std::string> problems;
        XB_ASSERT_OK(checkIndex(*t, &problems));
        for (const std::string& p : problems)
            ADD_FAILURE() << p;
        XB_EXPECT_OK(m_engine.closeTable(t));
    }
}

TEST_F(IndexFixtures, SeeksFindTheRecordsThatAScanFinds)
{
    for (const char* rel : kIndexedTables) {
        Table* t = openFixture(rel);
        ASSERT_NE(t, nullptr);
        Index* index = Index::of(*t);
        for (size_t i = 0; i < index->tagCount(); ++i) {
            IndexTag& tag = *index->tag(i);
            SCOPED_TRACE(std::string(rel) + " tag " + tag.name());
            ASSERT_EQ(d4tagSelect(t, d4tag(t, tag.name().c_str())), C4_SUCCESS);
            for (const auto& [key, records] : keysOf(*t, tag)) {
                if (key.find_first_not_of('\0') == std::string::npos)
                    continue; // NULL: no value to seek with
                EXPECT_EQ(seekAll(t, tag, key), records);
            }
        }
        XB_EXPECT_OK(m_engine.closeTable(t));
    }
}

TEST_F(IndexFixtures, MultiLevelTreesWalkBothWays)
{
    Table* t = openFixture("XSharpPublic/orderdetails.dbf");
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(d4tagSelect(t, d4tag(t, "primarykey")), C4_SUCCESS);
    std::vector<uint32_t> forward, backward;
    for (int rc = d4top(t); rc == C4_SUCCESS; rc = d4skip(t, 1))
        forward.push_back(uint32_t(d4recNo(t)));
    ASSERT_EQ(forward.size(), 2155u);
    XB_ASSERT_OK(t->go(forward.back()));
    for (int rc = C4_SUCCESS; rc == C4_SUCCESS; rc = d4skip(t, -1)) {
        backward.push_back(uint32_t(d4recNo(t)));
        if (backward.size() > forward.size())
            break;
    }
    std::reverse(backward.begin(), backward.end());
    EXPECT_EQ(backward, forward);
    XB_EXPECT_OK(m_engine.closeTable(t));
}

} // namespace
