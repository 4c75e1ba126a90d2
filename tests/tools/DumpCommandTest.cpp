#include "TestSupport.h"
#include "xbase/Engine.h"
#include "xbase/Table.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

using bmtest::ToolRun;

ToolRun bmtool(const QStringList& args)
{
    return bmtest::runBmtool(args);
}

class DumpCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        xbase::TableDefinition def;
        def.fields = {{"NAME", 'C', 0, 12}, {"AMOUNT", 'N', 0, 8, 2}, {"BORN", 'D', 0, 8}, {"NOTES", 'M', 0, 10}};
        def.structuralIndex = false;
        xbase::Table* t = nullptr;
        ASSERT_TRUE(m_engine.createTable(m_table.toStdString(), def, &t).isOk());
        append(t, "Ren\xE9", 12.5, "20240315", "line one\r\nline\ttwo \\ end");
        append(t, "gone", 0, "", "");
        ASSERT_TRUE(t->lock(2).isOk());
        ASSERT_TRUE(t->deleteRecord().isOk());
        ASSERT_TRUE(m_engine.closeTable(t).isOk());
    }

    static void append(xbase::Table* t, const char* name, double amount, const char* born, const std::string& notes)
    {
        ASSERT_TRUE(t->appendStart().isOk());
        ASSERT_TRUE(t->blank().isOk());
        ASSERT_TRUE(t->field("NAME")->assignText(name).isOk());
        ASSERT_TRUE(t->field("AMOUNT")->assignDouble(amount).isOk());
        ASSERT_TRUE(t->field("BORN")->assignText(born).isOk());
        ASSERT_TRUE(t->field("NOTES")->assignMemo(notes).isOk());
        ASSERT_TRUE(t->append().isOk());
    }

    bmtest::TempFolder m_dir;
    QString m_table = m_dir.file(QStringLiteral("t.dbf"));
    xbase::Engine m_engine;
};

} // namespace

TEST_F(DumpCommand, PrintsEveryRecordWithItsMemos)
{
    const ToolRun r = bmtool({QStringLiteral("dump"), m_table});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("record 1\n"
                                    "  NAME: Ren\u00E9\n"
                                    "  AMOUNT: 12.50\n"
                                    "  BORN: 20240315\n"
                                    "  NOTES: line one\\r\\nline\\ttwo \\\\ end\n"
                                    "record 2 (deleted)\n"
                                    "  NAME: gone\n"
                                    "  AMOUNT: 0.00\n"
                                    "  BORN: \n"
                                    "  NOTES: \n"));
}

TEST_F(DumpCommand, CountAndStructure)
{
    ToolRun r = bmtool({QStringLiteral("dump"), m_table, QStringLiteral("--count")});
    EXPECT_EQ(r.out, QStringLiteral("2\n"));
    r = bmtool({QStringLiteral("dump"), m_table, QStringLiteral("--structure")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.contains(QStringLiteral("version: 0xF5\n")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("records: 2\n")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("code page: 0x03\n")));
    EXPECT_TRUE(r.out.endsWith(QStringLiteral("fields:\n  NAME C 12 0\n  AMOUNT N 8 2\n  BORN D 8 0\n  NOTES M 10 0\n")));
}

TEST_F(DumpCommand, FailuresNameTheFileAndWrongArgumentsShowTheUsage)
{
    ASSERT_TRUE(QFile::remove(m_dir.file(QStringLiteral("t.fpt"))));
    ToolRun r = bmtool({QStringLiteral("dump"), m_table});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(m_dir.file(QStringLiteral("t.fpt")))) << r.err.toStdString();
    r = bmtool({QStringLiteral("dump")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral("usage")));
    r = bmtool({QStringLiteral("nosuchcommand")});
    EXPECT_EQ(r.exitCode, 2);
}
