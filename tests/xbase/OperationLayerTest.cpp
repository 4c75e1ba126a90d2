#include "XbaseFixture.h"

#include "xbase/c4.h"

#include <cstring>

namespace {

class OperationLayer : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_c4 = d4init_v();
        xbase::TableDefinition def;
        for (const char* f : {"ROWID:N:10", "AMOUNT:N:10:2", "DESC:C:20", "SUBMITDT:D", "NOTES:M"})
            def.fields.push_back(fieldLayout(f));
        xbase::Table* t = nullptr;
        XB_ASSERT_OK(m_c4->createTable(m_path, def, &t));
        XB_ASSERT_OK(m_c4->closeTable(t));
    }
    void TearDown() override { d4initUndo(m_c4); }

    // Appends a row the way the data store does.
    int appendRow(DATA4* d4, long rowid, const char* desc, const std::string& notes)
    {
        d4appendStartVB(d4, 0);
        d4blank(d4);
        f4assignLong(d4field(d4, "rowid"), rowid);
        f4assignDouble(d4field(d4, "amount"), rowid / 4.0);
        f4assignNVB(d4field(d4, "desc"), desc, int(std::strlen(desc)));
        f4assignNVB(d4field(d4, "submitdt"), "20240315", 8);
        f4memoAssignN(d4field(d4, "notes"), notes.data(), uint32_t(notes.size()));
        return d4append(d4);
    }

    bmtest::TempFolder m_dir;
    std::string m_path = m_dir.fileStd(QStringLiteral("bccissues.dbf"));
    CODE4* m_c4 = nullptr;
};

} // namespace

TEST_F(OperationLayer, AppendWalkChangeAndReadAsTheDataStoreDoes)
{
    DATA4* d4 = d4open(m_c4, m_path.c_str());
    ASSERT_NE(d4, nullptr);
    const std::string bigMemo(40000, 'm'); // past the old 32,767-byte limit
    EXPECT_EQ(appendRow(d4, 1000, "first", "short memo"), C4_SUCCESS);
    EXPECT_EQ(appendRow(d4, 1001, "second", bigMemo), C4_SUCCESS);
    EXPECT_EQ(d4recCountDo(d4), 2);
    EXPECT_EQ(d4recNo(d4), 2);

    std::vector<long> walked;
    for (int rc = d4top(d4); rc == C4_SUCCESS; rc = d4skip(d4, 1))
        walked.push_back(f4long(d4field(d4, "rowid")));
    EXPECT_EQ(walked, (std::vector<long>{1000, 1001}));
    EXPECT_EQ(d4skip(d4, 1), C4_EOF);

    ASSERT_EQ(d4go(d4, 2), C4_SUCCESS);
    FIELD4* notes = d4field(d4, "NOTES");
    EXPECT_EQ(f4memoLenVB(notes), bigMemo.size());
    EXPECT_EQ(std::string(f4memoPtr(notes), f4memoLenVB(notes)), bigMemo);
    FIELD4* desc = d4field(d4, "desc");
    EXPECT_EQ(std::string(f4ptr(desc), size_t(f4len_v(desc))), "second              ");
    EXPECT_STREQ(f4name(desc), "DESC");
    EXPECT_DOUBLE_EQ(f4double(d4field(d4, "amount")), 250.25);

    ASSERT_EQ(d4lock(d4, d4recNo(d4)), C4_SUCCESS);
    EXPECT_EQ(d4delete(d4), C4_SUCCESS);
    EXPECT_EQ(d4flush(d4), C4_SUCCESS);
    EXPECT_EQ(d4unlock(d4), C4_SUCCESS);
    EXPECT_EQ(d4top(d4), C4_SUCCESS);
    EXPECT_EQ(d4deleted(d4), 0);
    EXPECT_EQ(d4skip(d4, 1), C4_SUCCESS);
    EXPECT_NE(d4deleted(d4), 0); // a walk in record order still meets it
    EXPECT_EQ(d4skip(d4, -5), C4_BOF);
    EXPECT_EQ(d4recNo(d4), 1);
    EXPECT_EQ(d4close(d4), C4_SUCCESS);
}

TEST_F(OperationLayer, FailuresSetTheErrorCodeUntilItIsCleared)
{
    EXPECT_EQ(d4open(m_c4, (m_path + ".missing").c_str()), nullptr);
    EXPECT_EQ(code4errorCode(m_c4, 0), C4_ERR_OPEN);
    EXPECT_EQ(m_c4->errorCode(), 0);
    DATA4* d4 = d4open(m_c4, m_path.c_str());
    ASSERT_NE(d4, nullptr);
    EXPECT_EQ(d4field(d4, "nosuchfield"), nullptr);
    EXPECT_EQ(m_c4->errorCode(), C4_ERR_ARGUMENT);
    EXPECT_NE(m_c4->lastError().message().find("nosuchfield"), std::string::npos);
    EXPECT_EQ(d4go(d4, 5), C4_ERR_ARGUMENT);
    EXPECT_EQ(d4top(d4), C4_EOF); // an empty table has no current record
}

TEST_F(OperationLayer, SettingsReturnTheirFormerValue)
{
    EXPECT_EQ(code4lockAttempts(m_c4, 10), -1);
    EXPECT_EQ(code4lockAttempts(m_c4, -1), 10);
    EXPECT_EQ(code4lockDelay(m_c4, 5), 100);
    EXPECT_EQ(code4lockEnforce(m_c4, 0), 1);
    EXPECT_EQ(code4accessMode(m_c4, 1), 0);
    EXPECT_EQ(code4readOnly(m_c4, 0), 0);
    EXPECT_EQ(code4readLock(m_c4, 0), 0);
    EXPECT_EQ(code4errTagName(m_c4, 0), 1);
    EXPECT_TRUE(m_c4->settings().exclusive);
    EXPECT_FALSE(m_c4->settings().lockEnforce);
}

TEST_F(OperationLayer, ShuttingTheEngineDownClosesItsTables)
{
    DATA4* d4 = d4open(m_c4, m_path.c_str());
    ASSERT_NE(d4, nullptr);
    EXPECT_EQ(appendRow(d4, 1, "first", ""), C4_SUCCESS);
    ASSERT_EQ(d4lock(d4, 1), C4_SUCCESS);
    f4assignNVB(d4field(d4, "desc"), "pending", 7);
    EXPECT_EQ(d4initUndo(m_c4), 0);
    m_c4 = d4init_v();
    code4accessMode(m_c4, 1); // nobody holds it any more
    d4 = d4open(m_c4, m_path.c_str());
    ASSERT_NE(d4, nullptr);
    EXPECT_EQ(d4recCountDo(d4), 1);
    ASSERT_EQ(d4top(d4), C4_SUCCESS);
    FIELD4* desc = d4field(d4, "desc");
    EXPECT_EQ(std::string(f4ptr(desc), 7), "pending"); // written on the way out
}

TEST(DateFormat, PicturesPickThePartsOfAStoredDate)
{
    struct Case {
        const char* date;
        const char* picture;
        const char* expected;
    } cases[] = {
        {"20240315", "MM", "03"},       {"20240315", "DD", "15"},         {"20240315", "YY", "24"},
        {"20240315", "CCYY", "2024"},   {"20240315", "YYYY", "2024"},     {"20240315", "MM/DD/YY", "03/15/24"},
        {"        ", "MM", "  "},       {"2024", "DD", "  "},
    };
    for (const Case& c : cases) {
        char result[32];
        std::memset(result, 'x', sizeof result);
        date4format(c.date, result, c.picture);
        EXPECT_STREQ(result, c.expected) << c.date << " " << c.picture;
    }
}

TEST(EngineStrings, CopiesStopAtTheLimit)
{
    char buf[8];
    EXPECT_EQ(u4ncpy(buf, "NOTES", 8), 5);
    EXPECT_STREQ(buf, "NOTES");
    EXPECT_EQ(u4ncpy(buf, "A_LONG_NAME", 8), 7);
    EXPECT_STREQ(buf, "A_LONG_");
    EXPECT_EQ(u4ncpy(buf, nullptr, 8), 0);
    char to[4] = {};
    u4memCpy(to, "abc", 3);
    EXPECT_STREQ(to, "abc");
}
