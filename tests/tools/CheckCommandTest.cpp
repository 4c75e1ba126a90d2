#include "TestSupport.h"
#include "xbase/Engine.h"
#include "xbase/Index.h"
#include "xbase/Table.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

bmtest::ToolRun check(const QStringList& args)
{
    return bmtest::runBmtool(QStringList{QStringLiteral("check")} + args);
}

// Twenty records NAME "name 0" .. "name 19" with tags on the name and on
// the number; record n's NAME starts at byte 1 of its record.
class CheckCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_engine.settings().exclusive = true;
        xbase::TableDefinition def;
        def.fields = {{"NAME", 'C', 0, 12}, {"NUM", 'N', 0, 6}};
        xbase::Table* t = nullptr;
        ASSERT_TRUE(m_engine.createTable(m_table.toStdString(), def, &t).isOk());
        for (int i = 0; i < 20; ++i) {
            ASSERT_TRUE(t->appendStart().isOk());
            ASSERT_TRUE(t->blank().isOk());
            ASSERT_TRUE(t->field("NAME")->assignText("name " + std::to_string(i)).isOk());
            ASSERT_TRUE(t->field("NUM")->assignLong(i).isOk());
            ASSERT_TRUE(t->append().isOk());
        }
        ASSERT_TRUE(xbase::Index::create(*t, {{"NAME", "UPPER(name)", ".NOT.DELETED()"}, {"NUM", "num", ""}}).isOk());
        m_headerLength = t->header().headerLength;
        m_recordLength = t->header().recordLength;
        ASSERT_TRUE(m_engine.closeTable(t).isOk());
    }

    // Changes record `recno`'s NAME in the file, behind the index's back.
    void renameBehindTheIndex(int recno, const char* name)
    {
        QFile f(m_table);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.seek(m_headerLength + qint64(recno - 1) * m_recordLength + 1));
        f.write(QByteArray(name).leftJustified(12, ' '));
    }

    bmtest::TempFolder m_dir;
    QString m_table = m_dir.file(QStringLiteral("t.dbf"));
    xbase::Engine m_engine;
    int m_headerLength = 0, m_recordLength = 0;
};

} // namespace

TEST_F(CheckCommand, ATableInStepWithItsIndexPasses)
{
    const bmtest::ToolRun r = check({m_table});
    EXPECT_EQ(r.exitCode, 0) << r.out.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("2 tags agree with 20 records\n"));
}

TEST_F(CheckCommand, ReportsEachMissingAndExtraKeyAndFails)
{
    renameBehindTheIndex(3, "zebra");
    const bmtest::ToolRun r = check({m_table});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.contains(QStringLiteral("tag NAME: record 3 extra, key 'NAME 2'"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("tag NAME: record 3 missing, key 'ZEBRA'"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.endsWith(QStringLiteral("2 problems\n")));
}

TEST_F(CheckCommand, AMissingIndexFileAndABadCallFail)
{
    ASSERT_TRUE(QFile::remove(m_dir.file(QStringLiteral("t.cdx"))));
    const bmtest::ToolRun r = check({m_table});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.contains(QStringLiteral("is missing")));
    EXPECT_EQ(check({}).exitCode, 2);
    EXPECT_EQ(check({m_dir.file(QStringLiteral("none.dbf"))}).exitCode, 1);
}

namespace {

// One flipped bit in bccuser.dbf's field descriptors: the open fails naming
// the table whose header is wrong, and the index it no longer fits.
TEST(CheckHeader, AFieldNameOrLengthFlippedInTheTableHeaderNamesTheTable)
{
    bmtest::TempFolder dir;
    const QString folder = dir.file(QStringLiteral("db"));
    const struct {
        const char* name;
        qint64 at; // in the first field descriptor (ROWID) or the second (LOGIN, 20 characters)
        char bit;
        const char* says;
    } cases[] = {
        {"field name", 32 + 4, 0x01, "the table's header has no field ROWID, which tag ROWID of %2 uses: "
                                     "the table or its index is damaged"},
        {"field length", 64 + 16, 0x04, "the table's fields make 16-byte keys of tag ACTIVEUSER, which %2 stores "
                                        "as 20-byte keys: the table or its index is damaged"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(folder).removeRecursively();
        ASSERT_EQ(bmtest::runBmtool({QStringLiteral("mkdb"), folder}).exitCode, 0);
        const QString dbf = QDir(folder).filePath(QStringLiteral("bccuser.dbf"));
        QFile f(dbf);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.seek(c.at));
        char byte = 0;
        ASSERT_TRUE(f.getChar(&byte));
        ASSERT_TRUE(f.seek(c.at));
        ASSERT_TRUE(f.putChar(char(byte ^ c.bit)));
        f.close();
        const bmtest::ToolRun r = check({dbf});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err, QStringLiteral("bmtool check: Corruption: %1: ").arg(dbf)
                             + QString::fromUtf8(c.says).arg(QDir(folder).filePath(QStringLiteral("bccuser.cdx")))
                             + QStringLiteral("\n"));
    }
}

} // namespace
