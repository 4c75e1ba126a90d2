#include "TestSupport.h"
#include "xbase/Coding.h"
#include "xbase/Engine.h"
#include "xbase/Index.h"
#include "xbase/Table.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <functional>

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

// 300 records with a memo each and a tag on the name, whose tree has an
// interior root over several leaves; the verbs find the pages and memo
// pointers to damage. Field NOTES starts at byte 41 of a record.
class CheckDamage : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_engine.settings().exclusive = true;
        xbase::TableDefinition def;
        def.fields = {{"NAME", 'C', 0, 40}, {"NOTES", 'M', 0, 10}};
        xbase::Table* t = nullptr;
        ASSERT_TRUE(m_engine.createTable(m_table.toStdString(), def, &t).isOk());
        for (int i = 0; i < 300; ++i) {
            ASSERT_TRUE(t->appendStart().isOk());
            ASSERT_TRUE(t->blank().isOk());
            ASSERT_TRUE(t->field("NAME")->assignText("customer " + std::to_string(i * 37 % 300)).isOk());
            ASSERT_TRUE(t->field("NOTES")->assignMemo("note of record " + std::to_string(i + 1)).isOk());
            ASSERT_TRUE(t->append().isOk());
        }
        ASSERT_TRUE(xbase::Index::create(*t, {{"NAME", "UPPER(name)", ""}}).isOk());
        m_headerLength = t->header().headerLength;
        m_recordLength = t->header().recordLength;
        ASSERT_TRUE(m_engine.closeTable(t).isOk());
        m_cdx = bytesOf(QStringLiteral("t.cdx"));
        ASSERT_FALSE(uint8_t(m_cdx[root()]) & 2) << "the root must be an interior node";
    }

    QByteArray bytesOf(const QString& name) const
    {
        QFile f(m_dir.file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void patch(const QString& name, qint64 at, const QByteArray& bytes) const
    {
        QFile f(m_dir.file(name));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.seek(at));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }
    uint32_t cdxWord(uint32_t at) const { return xbase::coding::getU32LE(reinterpret_cast<const uint8_t*>(m_cdx.constData()) + at); }
    // The NAME tag's header is at 0x600.
    uint32_t root() const { return cdxWord(0x600); }
    uint32_t firstLeaf() const
    {
        uint32_t n = root();
        while (!(uint8_t(m_cdx[n]) & 2)) // the child of an interior page's first entry, key length 40
            n = xbase::coding::getU32BE(reinterpret_cast<const uint8_t*>(m_cdx.constData()) + n + 12 + 44);
        return n;
    }
    // Sets leaf `page`'s right neighbour.
    void linkRight(uint32_t page, uint32_t to)
    {
        QByteArray word(4, '\0');
        xbase::coding::putU32LE(reinterpret_cast<uint8_t*>(word.data()), to);
        patch(QStringLiteral("t.cdx"), page + 8, word);
    }
    // Writes `pointer` (ten characters) as record `recno`'s memo pointer.
    void pointMemo(int recno, const char* pointer)
    {
        patch(QStringLiteral("t.dbf"), m_headerLength + qint64(recno - 1) * m_recordLength + 41, QByteArray(pointer));
    }

    bmtest::TempFolder m_dir;
    QString m_table = m_dir.file(QStringLiteral("t.dbf"));
    QString m_fpt = m_dir.file(QStringLiteral("t.fpt"));
    xbase::Engine m_engine;
    int m_headerLength = 0, m_recordLength = 0;
    QByteArray m_cdx;
};

TEST_F(CheckDamage, ASoundTableSaysItsIndexAndMemoFileAgree)
{
    const bmtest::ToolRun r = check({m_table});
    EXPECT_EQ(r.exitCode, 0) << r.all().toStdString();
    EXPECT_EQ(r.out, QStringLiteral("1 tags and the memo file agree with 300 records\n"));
}

// A leaf's right link that names the wrong page, or none: the check names
// the page, says where the walk stopped and why, and counts no record as
// missing, since a damaged tree hides what lies past the fault.
TEST_F(CheckDamage, ABrokenSiblingLinkIsNamedAndNoRecordIsCalledMissing)
{
    std::vector<uint32_t> leaves{firstLeaf()};
    while (leaves.size() < 3 && cdxWord(leaves.back() + 8) != 0xFFFFFFFFu)
        leaves.push_back(cdxWord(leaves.back() + 8));
    ASSERT_EQ(leaves.size(), 3u);
    const struct {
        const char* name;
        uint32_t page; // whose right link is damaged
        uint32_t to;
        QString says;
    } cases[] = {
        {"the first leaf to a leaf further on", leaves[0], leaves[2],
         QStringLiteral("tag NAME: walk stopped before its first key: ")},
        {"a later leaf back to the first", leaves[1], leaves[0],
         QStringLiteral("tag NAME: walk stopped on index page at %1 after ").arg(leaves[1])},
        {"a later leaf to none", leaves[1], 0xFFFFFFFFu,
         QStringLiteral(" of the 300 keys the table gives; missing keys are not counted over a damaged tree\n")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const uint32_t right = cdxWord(c.page + 8);
        linkRight(c.page, c.to);
        const bmtest::ToolRun r = check({m_table});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.out.startsWith(QStringLiteral("tag NAME: %1: index page at %2: right link does not name the next "
                                                    "node of its level\n")
                                         .arg(m_dir.file(QStringLiteral("t.cdx")))
                                         .arg(c.page)))
            << r.out.toStdString();
        EXPECT_TRUE(r.out.contains(c.says)) << r.out.toStdString();
        EXPECT_FALSE(r.out.contains(QStringLiteral("missing,"))) << r.out.toStdString();
        EXPECT_TRUE(r.out.endsWith(QStringLiteral("\n2 problems\n"))) << r.out.toStdString();
        linkRight(c.page, right);
    }
    EXPECT_EQ(check({m_table}).exitCode, 0);
}

TEST_F(CheckDamage, AMemoPointerOrBlockThatIsNoMemoFailsNamingTheMemoFile)
{
    const qint64 fptSize = bytesOf(QStringLiteral("t.fpt")).size();
    const QByteArray record5 = bytesOf(QStringLiteral("t.dbf")).mid(m_headerLength + 4 * m_recordLength + 41, 10);
    const uint32_t block5 = record5.trimmed().toUInt();
    ASSERT_GT(block5, 8u);
    const struct {
        const char* name;
        std::function<void()> damage;
        const char* says;
    } cases[] = {
        {"pointer past the end", [&] { pointMemo(5, "   9999999"); }, "memo pointer 9999999 is past the end of the memo file"},
        {"pointer into the header", [&] { pointMemo(5, "         3"); }, "memo pointer 3 points into the memo header"},
        {"length past the end", [&] { patch(QStringLiteral("t.fpt"), block5 * 64 + 4, QByteArray("\x00\x10\x00\x00", 4)); },
         "runs past the end of the file"},
        {"unknown block type", [&] { patch(QStringLiteral("t.fpt"), block5 * 64, QByteArray("\x00\x00\x00\x07", 4)); },
         "has type 7, which no memo has"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.damage();
        const bmtest::ToolRun r = check({m_table});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.out.startsWith(QStringLiteral("record 5, field NOTES: ") + m_fpt + QStringLiteral(": ")))
            << r.out.toStdString();
        EXPECT_TRUE(r.out.contains(QLatin1String(c.says))) << r.out.toStdString();
        EXPECT_TRUE(r.out.endsWith(QStringLiteral("\n1 problems\n"))) << r.out.toStdString();
        EXPECT_FALSE(r.out.contains(QStringLiteral("agree"))) << r.out.toStdString();
        pointMemo(5, record5.constData());
        patch(QStringLiteral("t.fpt"), block5 * 64, QByteArray("\x00\x00\x00\x01\x00\x00\x00\x10", 8));
    }
    EXPECT_EQ(bytesOf(QStringLiteral("t.fpt")).size(), fptSize);
    EXPECT_EQ(check({m_table}).exitCode, 0);
}

} // namespace

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
