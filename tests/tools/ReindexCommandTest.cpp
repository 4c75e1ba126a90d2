#include "TestSupport.h"
#include "xbase/Coding.h"
#include "xbase/Engine.h"
#include "xbase/Index.h"
#include "xbase/IndexC4.h"
#include "xbase/Table.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

// 400 rows whose NAME tag (the first, header at 0x600, keys of 40 bytes) has
// an interior root; one byte of that root is then changed, so that its
// entries no longer ascend.
class DamagedIndex : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_engine.settings().exclusive = true;
        xbase::TableDefinition def;
        def.fields = {{"ID", 'N', 0, 8}, {"NAME", 'C', 0, 40}};
        xbase::Table* t = nullptr;
        ASSERT_TRUE(m_engine.createTable(m_table.toStdString(), def, &t).isOk());
        for (int i = 1; i <= 400; ++i) {
            ASSERT_TRUE(t->appendStart().isOk());
            ASSERT_TRUE(t->blank().isOk());
            ASSERT_TRUE(t->field("ID")->assignLong(i).isOk());
            ASSERT_TRUE(t->field("NAME")->assignText("customer number " + std::to_string(i * 37 % 400)).isOk());
            ASSERT_TRUE(t->append().isOk());
        }
        ASSERT_TRUE(xbase::Index::create(*t, {{"NAME", "UPPER(name)", ""}, {"ID", "id", ""}}).isOk());
        ASSERT_TRUE(m_engine.closeTable(t).isOk());
        m_engine.settings().exclusive = false;

        QFile cdx(m_index);
        ASSERT_TRUE(cdx.open(QIODevice::ReadWrite));
        QByteArray all = cdx.readAll();
        const auto* bytes = reinterpret_cast<const uint8_t*>(all.constData());
        const uint32_t root = xbase::coding::getU32LE(bytes + 0x600);
        ASSERT_FALSE(bytes[root] & 2) << "the root must be an interior node";
        ASSERT_TRUE(cdx.seek(root + 12)); // the first byte of the first entry's key
        ASSERT_EQ(cdx.write("\xFF", 1), 1);
    }

    xbase::Table* openShared()
    {
        xbase::Table* t = nullptr;
        const xbase::Status s = m_engine.openTable(m_table.toStdString(), &t);
        EXPECT_TRUE(s.isOk()) << s.toString();
        return t;
    }

    bmtest::TempFolder m_dir;
    QString m_table = m_dir.file(QStringLiteral("d.dbf"));
    QString m_index = m_dir.file(QStringLiteral("d.cdx"));
    xbase::Engine m_engine;
};

TEST_F(DamagedIndex, SavesFailNamingTheTagAndLeaveTheFilesAsTheyWere)
{
    const QByteArray table = bytesOf(m_table), index = bytesOf(m_index);
    const std::string damaged = m_index.toStdString() + ": tag NAME is damaged; re-index it with Database Maintenance";
    xbase::Table* t = openShared();
    ASSERT_NE(t, nullptr);

    ASSERT_TRUE(t->appendStart().isOk());
    ASSERT_TRUE(t->field("NAME")->assignText("late arrival").isOk());
    xbase::Status s = t->append();
    EXPECT_TRUE(s.isCorruption()) << s.toString();
    EXPECT_EQ(s.message().rfind(damaged, 0), 0u) << s.message();
    ASSERT_TRUE(t->discardChanges().isOk());

    ASSERT_TRUE(t->go(5).isOk());
    ASSERT_TRUE(t->lock(5).isOk());
    ASSERT_TRUE(t->field("NAME")->assignText("renamed").isOk());
    s = t->flush();
    EXPECT_EQ(s.message().rfind(damaged, 0), 0u) << s.message();
    ASSERT_TRUE(t->discardChanges().isOk());

    // Through the operation layer, as the data store sees it.
    ASSERT_TRUE(t->go(7).isOk());
    ASSERT_TRUE(t->lock(7).isOk());
    ASSERT_TRUE(t->field("NAME")->assignText("renamed again").isOk());
    EXPECT_LT(d4unlock(t), 0);
    EXPECT_EQ(m_engine.lastError().message().rfind(damaged, 0), 0u) << m_engine.lastError().message();
    ASSERT_TRUE(t->discardChanges().isOk());

    // A seek that meets the damage says so instead of "not found".
    ASSERT_EQ(d4tagSelect(t, d4tag(t, "NAME")), C4_SUCCESS);
    EXPECT_LT(d4seek(t, "CUSTOMER NUMBER 1"), 0);
    s = m_engine.closeTable(t);
    ASSERT_TRUE(s.isOk()) << s.toString();

    EXPECT_EQ(bytesOf(m_table), table);
    EXPECT_EQ(bytesOf(m_index), index);
}

TEST_F(DamagedIndex, ReindexRepairsWhatCheckFindsAndEveryRowIsFoundAgain)
{
    const bmtest::ToolRun before = bmtest::runBmtool({QStringLiteral("check"), m_table});
    EXPECT_EQ(before.exitCode, 1) << before.all().toStdString();
    EXPECT_TRUE(before.out.contains(QStringLiteral("tag NAME"))) << before.out.toStdString();

    const bmtest::ToolRun rebuilt = bmtest::runBmtool({QStringLiteral("reindex"), m_table});
    EXPECT_EQ(rebuilt.exitCode, 0) << rebuilt.all().toStdString();
    EXPECT_EQ(rebuilt.out, QStringLiteral("2 tags rebuilt from 400 records\n"));

    const bmtest::ToolRun after = bmtest::runBmtool({QStringLiteral("check"), m_table});
    EXPECT_EQ(after.exitCode, 0) << after.all().toStdString();
    EXPECT_EQ(after.out, QStringLiteral("2 tags agree with 400 records\n"));

    xbase::Table* t = openShared();
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(d4tagSelect(t, d4tag(t, "NAME")), C4_SUCCESS);
    for (int i = 0; i < 400; i += 7) {
        const std::string name = "CUSTOMER NUMBER " + std::to_string(i);
        ASSERT_EQ(d4seek(t, name.c_str()), C4_SUCCESS) << name;
    }
    ASSERT_TRUE(m_engine.closeTable(t).isOk());
}

TEST_F(DamagedIndex, ReindexNeedsTheTableToItselfAndKeepsTheOldIndexMeanwhile)
{
    const QByteArray index = bytesOf(m_index);
    xbase::Table* t = openShared();
    ASSERT_NE(t, nullptr);
    const bmtest::ToolRun refused = bmtest::runBmtool({QStringLiteral("reindex"), m_table});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.startsWith(QStringLiteral("bmtool reindex: "))) << refused.err.toStdString();
    EXPECT_EQ(bytesOf(m_index), index);
    ASSERT_TRUE(m_engine.closeTable(t).isOk());

    EXPECT_EQ(bmtest::runBmtool({QStringLiteral("reindex")}).exitCode, 2);
    EXPECT_EQ(bmtest::runBmtool({QStringLiteral("reindex"), m_dir.file(QStringLiteral("none.dbf"))}).exitCode, 1);
}

} // namespace
