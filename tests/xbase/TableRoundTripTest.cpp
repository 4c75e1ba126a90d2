#include "XbaseFixture.h"

#include "xbase/Coding.h"

using xbase::Field;
using xbase::Table;

namespace {

const std::vector<std::string> kCustomerFields = {"NAME:C:20", "AMOUNT:N:10:2", "COUNT:N:11", "RATIO:F:12:4",
                                                  "BORN:D", "ACTIVE:L", "NOTES:M"};

std::string memoOf(Table* t, const char* name)
{
    const std::string* text = nullptr;
    const xbase::Status s = t->field(name)->memo(&text);
    EXPECT_TRUE(s.isOk()) << s.toString();
    return text ? *text : std::string();
}

std::string longText(size_t n)
{
    std::string s(n, ' ');
    for (size_t i = 0; i < n; ++i)
        s[i] = char('a' + i % 26);
    return s;
}

} // namespace

using TableRoundTrip = XbaseFixture;

TEST_F(TableRoundTrip, EveryFoxProFieldKindSurvivesCloseAndReopen)
{
    Table* t = create("cust.dbf", kCustomerFields);
    ASSERT_NE(t, nullptr);
    XB_ASSERT_OK(t->appendStart());
    XB_ASSERT_OK(t->blank());
    XB_ASSERT_OK(t->field("name")->assignText("Smith"));
    XB_ASSERT_OK(t->field("amount")->assignDouble(-1234.567));
    XB_ASSERT_OK(t->field("count")->assignLong(2147483647));
    XB_ASSERT_OK(t->field("ratio")->assignDouble(0.125));
    XB_ASSERT_OK(t->field("born")->assignText("20240315"));
    XB_ASSERT_OK(t->field("active")->assignBool(true));
    XB_ASSERT_OK(t->field("notes")->assignMemo(longText(100000)));
    XB_ASSERT_OK(t->append());
    appendTexts(t, {{"NAME", "a name that is longer than twenty"}});
    close(t);

    t = open("cust.dbf");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->header().version, 0xF5);
    EXPECT_EQ(t->header().codePage, 0x03);
    XB_ASSERT_OK(t->go(1));
    EXPECT_EQ(t->field("NAME")->raw(), "Smith               ");
    EXPECT_EQ(t->field("AMOUNT")->raw(), "  -1234.57");
    EXPECT_DOUBLE_EQ(t->field("AMOUNT")->asDouble(), -1234.57);
    EXPECT_EQ(t->field("AMOUNT")->asLong(), -1234);
    EXPECT_EQ(t->field("COUNT")->asLong(), 2147483647);
    EXPECT_DOUBLE_EQ(t->field("RATIO")->asDouble(), 0.125);
    EXPECT_EQ(t->field("BORN")->raw(), "20240315");
    EXPECT_TRUE(t->field("ACTIVE")->asBool());
    EXPECT_EQ(memoOf(t, "NOTES"), longText(100000));
    XB_ASSERT_OK(t->go(2));
    EXPECT_EQ(t->field("NAME")->raw(), "a name that is longe");
    EXPECT_EQ(t->field("BORN")->raw(), "        ");
    EXPECT_EQ(t->field("COUNT")->asLong(), 0);
    EXPECT_EQ(memoOf(t, "NOTES"), "");
}

TEST_F(TableRoundTrip, WalkingRunsOffBothEnds)
{
    Table* t = create("w.dbf", {"NAME:C:4"});
    XB_ASSERT_OK(t->top());
    EXPECT_TRUE(t->eof());
    appendTexts(t, {{"NAME", "a"}});
    appendTexts(t, {{"NAME", "b"}});
    XB_ASSERT_OK(t->top());
    EXPECT_EQ(t->recNo(), 1u);
    XB_ASSERT_OK(t->skip(-1));
    EXPECT_TRUE(t->bof());
    EXPECT_EQ(t->recNo(), 1u);
    XB_ASSERT_OK(t->skip(2));
    EXPECT_TRUE(t->eof());
    EXPECT_EQ(t->recNo(), 3u);
    XB_ASSERT_OK(t->skip(-1));
    EXPECT_EQ(t->field("NAME")->raw(), "b   ");
    XB_ASSERT_OK(t->goEof());
    EXPECT_TRUE(t->eof());
    EXPECT_EQ(t->field("NAME")->raw(), "    ");
    EXPECT_TRUE(t->deleteRecord().isInvalidArgument()); // nothing to delete past the end
}
