#include "XbaseFixture.h"

#include "xbase/Index.h"
#include "xbase/IndexC4.h"
#include "xbase/IndexCheck.h"

#include <functional>

using namespace xbase;

namespace {

// Five customers; LOGIN keyed upper-cased for active, live rows only.
class IndexSeeks : public XbaseFixture {
protected:
    void SetUp() override
    {
        m_engine.settings().exclusive = true;
        m_table = create("s.dbf", {"LOGIN:C:12", "ACTIVE:C:1", "DAY:D:8", "NUM:N:6"});
        ASSERT_NE(m_table, nullptr);
        const char* rows[][4] = {{"smith", "T", "20240105", "3"},   {"Smithers", "T", "20240105", "1"},
                                 {"jones", "F", "20231231", "2"},   {"SMITH", "T", "20240301", "3"},
                                 {"brown", "T", "", "5"}};
        for (const auto& r : rows)
            appendTexts(m_table, {{"LOGIN", r[0]}, {"ACTIVE", r[1]}, {"DAY", r[2]}, {"NUM", r[3]}});
        XB_ASSERT_OK(Index::create(*m_table, {{"ACTIVEUSER", "UPPER(login)", "active = 'T' .AND. .NOT.DELETED()"},
                                              {"DAYDESC", "day", "", true},
                                              {"NUM", "num", ""}}));
    }

    std::vector<long> all(int rc, const std::function<int()>& next)
    {
        std::vector<long> out;
        for (; rc == C4_SUCCESS && out.size() < 20; rc = next())
            out.push_back(d4recNo(m_table));
        return out;
    }
    void select(const char* tag) { ASSERT_EQ(d4tagSelect(m_table, d4tag(m_table, tag)), C4_SUCCESS); }

    Table* m_table = nullptr;
};

TEST_F(IndexSeeks, TextSeeksFindTheFirstKeyThatBeginsWithTheText)
{
    select("activeuser"); // letter case of tag names does not matter
    // "SMITH" begins "SMITH" and "SMITHERS": records 1 and 4, then 2.
    EXPECT_EQ(all(d4seek(m_table, "SMITH"), [&] { return d4seekNext(m_table, "SMITH"); }), (std::vector<long>{1, 4, 2}));
    EXPECT_EQ(all(d4seek(m_table, "SMITH       "), [&] { return d4seekNext(m_table, "SMITH       "); }),
              (std::vector<long>{1, 4}));
    EXPECT_EQ(d4seek(m_table, "JONES"), C4_AFTER); // inactive: not in the tag; the next key is current
    EXPECT_EQ(d4recNo(m_table), 1);
    EXPECT_EQ(d4seek(m_table, "ZED"), C4_EOF);
    EXPECT_TRUE(m_table->eof());
    EXPECT_EQ(d4seek(m_table, ""), C4_SUCCESS); // everything begins with nothing
    EXPECT_EQ(d4recNo(m_table), 5);
}

TEST_F(IndexSeeks, DeletingAndRecallingMovesRowsOutOfAndBackIntoFilteredTags)
{
    select("ACTIVEUSER");
    XB_ASSERT_OK(m_table->go(4));
    XB_ASSERT_OK(m_table->deleteRecord());
    XB_ASSERT_OK(m_table->flush());
    EXPECT_EQ(all(d4seek(m_table, "SMITH "), [&] { return d4seekNext(m_table, "SMITH "); }), (std::vector<long>{1}));
    XB_ASSERT_OK(m_table->go(4));
    XB_ASSERT_OK(m_table->recall());
    XB_ASSERT_OK(m_table->flush());
    EXPECT_EQ(all(d4seek(m_table, "SMITH "), [&] { return d4seekNext(m_table, "SMITH "); }), (std::vector<long>{1, 4}));
    std::vector<std::string> problems;
    XB_ASSERT_OK(checkIndex(*m_table, &problems));
    EXPECT_TRUE(problems.empty());
}

TEST_F(IndexSeeks, DescendingTagsWalkAndSeekFromTheTop)
{
    select("DAYDESC");
    EXPECT_EQ(all(d4top(m_table), [&] { return d4skip(m_table, 1); }), (std::vector<long>{4, 2, 1, 3, 5}));
    // Equal keys come in descending record order too; dates seek as text.
    EXPECT_EQ(all(d4seek(m_table, "20240105"), [&] { return d4seekNext(m_table, "20240105"); }), (std::vector<long>{2, 1}));
    EXPECT_EQ(d4seek(m_table, "20240201"), C4_AFTER);
    EXPECT_EQ(d4recNo(m_table), 2); // the next date down
}

TEST_F(IndexSeeks, NumberSeeksMatchExactly)
{
    select("NUM");
    EXPECT_EQ(all(d4seekDouble(m_table, 3), [&] { return d4seekNextDouble(m_table, 3); }), (std::vector<long>{1, 4}));
    EXPECT_EQ(d4seekDouble(m_table, 4), C4_AFTER);
    EXPECT_EQ(d4recNo(m_table), 5);
    EXPECT_EQ(d4seek(m_table, "2"), C4_SUCCESS); // a number given as text
    EXPECT_EQ(d4recNo(m_table), 3);
}

TEST_F(IndexSeeks, MissingTagsAreErrorsOnlyWhileTagNameErrorsAreOn)
{
    EXPECT_EQ(d4tag(m_table, "NOSUCH"), nullptr);
    EXPECT_EQ(code4errorCode(&m_engine, 0), C4_ERR_TAG);
    code4errTagName(&m_engine, 0);
    EXPECT_EQ(d4tag(m_table, "NOSUCH"), nullptr);
    EXPECT_EQ(code4errorCode(&m_engine, 0), 0);
    ASSERT_EQ(d4tagSelect(m_table, nullptr), C4_SUCCESS);
    EXPECT_EQ(d4seek(m_table, "x"), C4_ERR_TAG); // no tag selected
    EXPECT_EQ(all(d4top(m_table), [&] { return d4skip(m_table, 1); }), (std::vector<long>{1, 2, 3, 4, 5}));
}

TEST_F(IndexSeeks, CandidateTagsRefuseASecondRecordAndUniqueTagsKeepTheFirst)
{
    // The table holds 3 twice: a candidate tag cannot be built, and the
    // index stays as it was.
    EXPECT_TRUE(Index::create(*m_table, {{"NUMC", "num", ".NOT.DELETED()", false, false, true}}).isInvalidArgument());
    EXPECT_NE(Index::of(*m_table)->find("DAYDESC"), nullptr);
    XB_ASSERT_OK(m_table->go(4));
    XB_ASSERT_OK(m_table->field("NUM")->assignLong(4));
    XB_ASSERT_OK(m_table->flush());
    XB_ASSERT_OK(Index::create(*m_table, {{"NUMC", "num", ".NOT.DELETED()", false, false, true},
                                          {"NUMU", "num", "", false, true, false}}));
    uint32_t count = 0;
    XB_ASSERT_OK(m_table->recordCount(&count));
    ASSERT_TRUE(m_table->appendStart().isOk());
    XB_ASSERT_OK(m_table->field("NUM")->assignLong(2));
    EXPECT_TRUE(m_table->append().isInvalidArgument());
    uint32_t after = 0;
    XB_ASSERT_OK(m_table->recordCount(&after));
    EXPECT_EQ(after, count); // nothing written
    // Once the holder is deleted the key is free again.
    XB_ASSERT_OK(m_table->go(3));
    XB_ASSERT_OK(m_table->deleteRecord());
    XB_ASSERT_OK(m_table->flush());
    appendTexts(m_table, {{"NUM", "2"}});
    select("NUMU");
    EXPECT_EQ(all(d4seekDouble(m_table, 2), [&] { return d4seekNextDouble(m_table, 2); }), (std::vector<long>{3}));
    std::vector<std::string> problems;
    XB_ASSERT_OK(checkIndex(*m_table, &problems));
    EXPECT_TRUE(problems.empty()) << problems.front();
}

} // namespace
