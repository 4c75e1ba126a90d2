#include "TestSupport.h"
#include "common/Module1.h"

#include <gtest/gtest.h>

namespace {

// One record of a table with a text, a date and a memo field, open through
// the engine's operations.
class Module1Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_c4 = d4init_v();
        xbase::TableDefinition def;
        def.fields = {{"NAME", 'C', 0, 30}, {"BORN", 'D', 0, 8}, {"NOTES", 'M', 0, 10}};
        ASSERT_TRUE(m_c4->createTable(m_dir.fileStd(QStringLiteral("t.dbf")), def, &m_d4).isOk());
        d4appendStartVB(m_d4, 0);
        d4blank(m_d4);
        ASSERT_EQ(d4append(m_d4), 0);
        ASSERT_EQ(d4lock(m_d4, 1), 0);
    }
    void TearDown() override { d4initUndo(m_c4); }

    FIELD4* field(const char* name) { return d4field(m_d4, name); }

    // Writes the memo, stores the record and reads it back from the file.
    void storeMemo(const std::string& text)
    {
        f4memoAssignN(field("NOTES"), text.data(), uint32_t(text.size()));
        ASSERT_EQ(d4flush(m_d4), 0);
        ASSERT_EQ(d4go(m_d4, 1), 0);
    }

    bmtest::TempFolder m_dir;
    CODE4* m_c4 = nullptr;
    DATA4* m_d4 = nullptr;
};

} // namespace

TEST_F(Module1Test, FieldStrGivesTheWholeWidthUntrimmed)
{
    Module1::AssignFieldStr(field("NAME"), QStringLiteral("Smith"));
    EXPECT_EQ(Module1::FieldStr(field("NAME")), QStringLiteral("Smith") + QString(25, u' '));
    EXPECT_EQ(Module1::FieldStr(field("BORN")), QString(8, u' '));
    EXPECT_EQ(Module1::FieldStr(field("BORN")).trimmed(), QString());
    EXPECT_EQ(Module1::FieldStr(nullptr), QString());
}

TEST_F(Module1Test, TextsCrossAsWindows1252)
{
    Module1::AssignFieldStr(field("NAME"), QStringLiteral("Ren\u00E9e \u20AC \u4E2D"));
    EXPECT_EQ(std::string(f4ptr(field("NAME")), 9), "Ren\xE9" "e \x80 ?");
    EXPECT_EQ(Module1::FieldStr(field("NAME")).trimmed(), QStringLiteral("Ren\u00E9e \u20AC ?"));
}

TEST_F(Module1Test, ATextLongerThanAnyCountIsCutToTheField)
{
    Module1::AssignFieldStr(field("NAME"), QString(40000, u'x'));
    EXPECT_EQ(Module1::FieldStr(field("NAME")), QString(30, u'x'));
}

TEST_F(Module1Test, MemosOfAnyLengthReadWhole)
{
    EXPECT_EQ(Module1::MemoFieldStr(field("NOTES")), QString());
    for (size_t n : {size_t(32767), size_t(32768), size_t(100000)}) {
        storeMemo(std::string(n, 'm'));
        EXPECT_EQ(Module1::MemoFieldStr(field("NOTES")).size(), qsizetype(n));
    }
    storeMemo("caf\xE9\r\nline two");
    EXPECT_EQ(Module1::MemoFieldStr(field("NOTES")), QStringLiteral("caf\u00E9\r\nline two"));
}

TEST_F(Module1Test, FormatDatePicksMonthDayAndYear)
{
    const QString stored = QStringLiteral("20240315");
    const struct {
        const char* picture;
        const char* expected;
    } cases[] = {{"MM", "03"}, {"DD", "15"}, {"YY", "24"}};
    for (const auto& c : cases) {
        QString result = QStringLiteral("old");
        Module1::FormatDate(stored, result, QString::fromLatin1(c.picture));
        EXPECT_EQ(result, QString::fromLatin1(c.expected)) << c.picture;
    }
}

TEST_F(Module1Test, NamesAndEngineStrings)
{
    EXPECT_EQ(Module1::FieldNameStr(field("notes")), QStringLiteral("NOTES"));
    EXPECT_EQ(Module1::PtrToStr(nullptr), QString());
    EXPECT_EQ(Module1::PtrToStr(std::string(300, 'a').c_str()).size(), 255);
}
