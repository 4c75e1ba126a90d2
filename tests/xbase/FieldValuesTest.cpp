#include "XbaseFixture.h"

#include "xbase/Coding.h"
#include "xbase/MemoFile.h"

using xbase::Field;
using xbase::Table;

namespace {

class FieldValues : public XbaseFixture {
protected:
    // Writes an empty Visual FoxPro table (with its memo file) of the fields.
    void writeVisualFoxProTable(const std::string& name, const std::vector<std::string>& fieldTexts)
    {
        std::vector<xbase::FieldDescriptor> fields;
        for (const std::string& s : fieldTexts)
            fields.push_back(fieldLayout(s));
        xbase::RecordLayout layout;
        XB_ASSERT_OK(xbase::RecordLayout::build(fields, name, &layout));
        xbase::TableHeader h;
        h.version = xbase::kVisualFoxPro;
        h.headerLength = uint16_t(32 + 32 * layout.fieldCount() + 1 + 263);
        h.recordLength = uint16_t(layout.recordLength());
        std::vector<uint8_t> bytes(32);
        h.encode(bytes.data());
        layout.encode(&bytes);
        bytes.resize(h.headerLength, 0);
        bytes.push_back(0x1A);
        writeFile(name, bytes);
        std::unique_ptr<xbase::MemoFile> memo;
        XB_ASSERT_OK(xbase::MemoFile::create(m_engine.env(), path(name.substr(0, name.size() - 3) + "fpt"), &memo));
    }
};

struct NumberCase {
    const char* field;
    double value;
    const char* stored; // null: refused
};

} // namespace

TEST_F(FieldValues, NumbersAreStoredRightAlignedWithTheFieldsDecimals)
{
    Table* t = create("n.dbf", {"N52:N:5:2", "N30:N:3", "F84:F:8:4", "C6:C:6"});
    ASSERT_NE(t, nullptr);
    const NumberCase cases[] = {
        {"N52", 1.005, " 1.00"},   {"N52", 12.345, "12.35"},  {"N52", -0.001, " 0.00"}, {"N52", 99.99, "99.99"},
        {"N52", 100.0, nullptr},   {"N30", 999, "999"},       {"N30", -99, "-99"},      {"N30", -100, nullptr},
        {"N30", 2.5, "  2"},       {"F84", 3.14159, "  3.1416"}, {"C6", 42.5, "42.5  "},
    };
    XB_ASSERT_OK(t->appendStart());
    for (const NumberCase& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + std::to_string(c.value));
        Field* f = t->field(c.field);
        const std::string before = f->raw();
        const xbase::Status s = f->assignDouble(c.value);
        EXPECT_EQ(s.isOk(), c.stored != nullptr) << s.toString();
        EXPECT_EQ(f->raw(), c.stored ? c.stored : before);
    }
    XB_ASSERT_OK(t->field("N30")->assignLong(-7));
    EXPECT_EQ(t->field("N30")->raw(), " -7");
    XB_ASSERT_OK(t->field("N52")->assignLong(12));
    EXPECT_EQ(t->field("N52")->raw(), "12.00");
    EXPECT_TRUE(t->field("N52")->assignText("123456").isInvalidArgument());
    XB_ASSERT_OK(t->field("N52")->assignText(" 1.5 "));
    EXPECT_EQ(t->field("N52")->raw(), "  1.5");
    EXPECT_DOUBLE_EQ(t->field("N52")->asDouble(), 1.5);
    XB_ASSERT_OK(t->field("N30")->assignText(""));
    EXPECT_EQ(t->field("N30")->asLong(), 0);
}

TEST_F(FieldValues, VisualFoxProKindsSurviveCloseAndReopen)
{
    writeVisualFoxProTable("vfp.dbf", {"ID:I:4", "PRICE:Y:8:4", "RATE:B:8:2", "STAMP:T:8", "TITLE:V:10",
                                        "NOTE:C:10:0:2", "MEMO:M:4", "FLAG:L:1", "_NullFlags:0:1:0:5"});
    Table* t = open("vfp.dbf");
    ASSERT_NE(t, nullptr);
    XB_ASSERT_OK(t->appendStart());
    XB_ASSERT_OK(t->blank());
    XB_ASSERT_OK(t->field("ID")->assignLong(-123456));
    XB_ASSERT_OK(t->field("PRICE")->assignDouble(12.3456));
    XB_ASSERT_OK(t->field("RATE")->assignDouble(-0.1));
    XB_ASSERT_OK(t->field("TITLE")->assignText("short"));
    XB_ASSERT_OK(t->field("MEMO")->assignMemo("memo text"));
    XB_ASSERT_OK(t->field("FLAG")->assignBool(false));
    EXPECT_TRUE(t->field("ID")->assignText("1").isInvalidArgument());
    xbase::coding::putU32LE(t->recordForUpdate() + t->field("STAMP")->descriptor().offset, 2450269);
    xbase::coding::putU32LE(t->recordForUpdate() + t->field("STAMP")->descriptor().offset + 4, 3600000);
    t->recordForUpdate()[t->layout().nullFlags()->offset] |= uint8_t(1u << t->field("NOTE")->descriptor().nullBit);
    XB_ASSERT_OK(t->append());
    appendTexts(t, {{"TITLE", "exactly 10"}, {"NOTE", "not null"}});
    close(t);

    t = open("vfp.dbf");
    XB_ASSERT_OK(t->go(1));
    EXPECT_EQ(t->field("ID")->asLong(), -123456);
    EXPECT_DOUBLE_EQ(t->field("PRICE")->asDouble(), 12.3456);
    EXPECT_DOUBLE_EQ(t->field("RATE")->asDouble(), -0.1);
    EXPECT_EQ(t->field("TITLE")->text(), "short");
    EXPECT_FALSE(t->field("FLAG")->asBool());
    EXPECT_TRUE(t->field("NOTE")->isNull());
    int32_t day = 0, ms = 0;
    t->field("STAMP")->dateTime(&day, &ms);
    EXPECT_EQ(day, 2450269);
    EXPECT_EQ(ms, 3600000);
    const std::string* memo = nullptr;
    XB_ASSERT_OK(t->field("MEMO")->memo(&memo));
    EXPECT_EQ(*memo, "memo text");
    XB_ASSERT_OK(t->go(2));
    EXPECT_EQ(t->field("TITLE")->text(), "exactly 10");
    EXPECT_FALSE(t->field("NOTE")->isNull());
    EXPECT_EQ(t->field("ID")->asLong(), 0);
}

TEST_F(FieldValues, MemoRewriteStaysInItsBlocksOnlyWhileItFits)
{
    Table* t = create("m.dbf", {"NOTES:M"});
    appendTexts(t, {{"NOTES", std::string(50, 'a')}}); // 58 bytes: one 64-byte block
    appendTexts(t, {{"NOTES", "second"}});
    uint32_t first = 0, again = 0, moved = 0;
    XB_ASSERT_OK(t->go(1));
    XB_ASSERT_OK(t->field("NOTES")->memoBlock(&first));
    XB_ASSERT_OK(t->lock(1));
    XB_ASSERT_OK(t->field("NOTES")->assignMemo(std::string(56, 'b'))); // still one block
    XB_ASSERT_OK(t->unlock());
    XB_ASSERT_OK(t->field("NOTES")->memoBlock(&again));
    EXPECT_EQ(again, first);
    XB_ASSERT_OK(t->lock(1));
    XB_ASSERT_OK(t->field("NOTES")->assignMemo(std::string(57, 'c'))); // needs two blocks
    XB_ASSERT_OK(t->unlock());
    XB_ASSERT_OK(t->field("NOTES")->memoBlock(&moved));
    EXPECT_GT(moved, first + 1);
    XB_ASSERT_OK(t->go(2));
    const std::string* memo = nullptr;
    XB_ASSERT_OK(t->field("NOTES")->memo(&memo));
    EXPECT_EQ(*memo, "second"); // the neighbour was not overwritten
    XB_ASSERT_OK(t->go(1));
    XB_ASSERT_OK(t->field("NOTES")->memo(&memo));
    EXPECT_EQ(*memo, std::string(57, 'c'));
    XB_ASSERT_OK(t->lock(1));
    XB_ASSERT_OK(t->field("NOTES")->assignMemo(""));
    XB_ASSERT_OK(t->unlock());
    XB_ASSERT_OK(t->field("NOTES")->memoBlock(&moved));
    EXPECT_EQ(moved, 0u);
    EXPECT_EQ(t->field("NOTES")->raw(), std::string(10, ' '));
}

TEST_F(FieldValues, AppendStartedFromARecordDoesNotShareItsMemo)
{
    Table* t = create("m.dbf", {"NAME:C:5", "NOTES:M"});
    appendTexts(t, {{"NAME", "one"}, {"NOTES", "first memo"}});
    XB_ASSERT_OK(t->go(1));
    XB_ASSERT_OK(t->appendStart()); // no blank: the name is carried over, the memo is not
    XB_ASSERT_OK(t->field("NOTES")->assignMemo("x"));
    XB_ASSERT_OK(t->append());
    const std::string* memo = nullptr;
    XB_ASSERT_OK(t->go(1));
    XB_ASSERT_OK(t->field("NOTES")->memo(&memo));
    EXPECT_EQ(*memo, "first memo");
    XB_ASSERT_OK(t->go(2));
    EXPECT_EQ(t->field("NAME")->raw(), "one  ");
    XB_ASSERT_OK(t->field("NOTES")->memo(&memo));
    EXPECT_EQ(*memo, "x");
}
