#include "ChildProcess.h"
#include "XbaseFixture.h"

#include "xbase/Index.h"
#include "xbase/IndexC4.h"
#include "xbase/RecordCache.h"

#include <chrono>
#include <thread>
#include <unistd.h>

using xbase::Table;

namespace {

constexpr int kRecords = 200;
constexpr size_t kRecordLength = 1 + 3 * 250 + 240 + 8; // several read-ahead blocks in all

// A shared table of kRecords long records, NAME "r1".."r200" and NUM 1..200,
// with a tag on NUM; the reader is m_engine's handle, the writer a handle of
// an engine of its own, as another program's would be.
class ReadAhead : public XbaseFixture {
protected:
    void SetUp() override
    {
        m_engine.settings().exclusive = true;
        Table* t = create("t.dbf", {"NAME:C:250", "PAD1:C:250", "PAD2:C:250", "PAD3:C:240", "NUM:N:8"}, true);
        ASSERT_EQ(t->layout().recordLength(), kRecordLength);
        for (int i = 1; i <= kRecords; ++i)
            appendTexts(t, {{"NAME", "r" + std::to_string(i)}, {"NUM", std::to_string(i)}});
        XB_ASSERT_OK(xbase::Index::create(*t, {{"NUM", "num", ""}}));
        close(t);
        m_engine.settings().exclusive = false;
        m_reader = open("t.dbf");
        XB_ASSERT_OK(m_writer.openTable(path("t.dbf"), &m_written));
    }

    static std::string name(Table* t)
    {
        std::string n = t->field("NAME")->raw();
        return n.substr(0, n.find(' '));
    }

    // Changes NAME of `recno` through the writer's handle.
    void change(uint32_t recno, const std::string& text)
    {
        XB_ASSERT_OK(m_written->go(recno));
        XB_ASSERT_OK(m_written->lock(recno));
        XB_ASSERT_OK(m_written->field("NAME")->assignText(text));
        XB_ASSERT_OK(m_written->unlock());
    }

    void skipTo(Table* t, uint32_t recno)
    {
        XB_ASSERT_OK(t->top());
        while (t->recNo() < recno && !t->eof())
            XB_ASSERT_OK(t->skip(1));
        ASSERT_EQ(t->recNo(), recno);
    }

    Table* m_reader = nullptr;
    xbase::Engine m_writer;
    Table* m_written = nullptr;
};

} // namespace

TEST_F(ReadAhead, AWalkThatReachesTheEndMeetsRecordsAnotherProcessAppended)
{
    const std::string file = path("t.dbf");
    auto appendOne = [&](const std::string& text, int num) {
        ChildProcess child([&](ChildProcess&) {
            xbase::Engine engine;
            Table* t = nullptr;
            if (!engine.openTable(file, &t).isOk() || !t->appendStart().isOk() || !t->blank().isOk() ||
                !t->field("NAME")->assignText(text).isOk() || !t->field("NUM")->assignLong(num).isOk() ||
                !t->append().isOk())
                ::_exit(1);
            ::_exit(0);
        });
        ASSERT_EQ(child.wait(), 0);
    };

    skipTo(m_reader, kRecords); // in record order
    appendOne("late", 500);
    XB_ASSERT_OK(m_reader->skip(1));
    EXPECT_EQ(m_reader->recNo(), kRecords + 1u);
    EXPECT_EQ(name(m_reader), "late");
    XB_ASSERT_OK(m_reader->skip(1));
    EXPECT_TRUE(m_reader->eof());
    EXPECT_EQ(m_reader->recNo(), kRecords + 2u);

    // In tag order, straight after the steps before it.
    ASSERT_EQ(d4tagSelect(m_reader, d4tag(m_reader, "NUM")), C4_SUCCESS);
    ASSERT_EQ(d4top(m_reader), C4_SUCCESS);
    while (m_reader->recNo() != kRecords + 1u)
        ASSERT_EQ(d4skip(m_reader, 1), C4_SUCCESS);
    appendOne("later", 600);
    ASSERT_EQ(d4skip(m_reader, 1), C4_SUCCESS);
    EXPECT_EQ(name(m_reader), "later");
    EXPECT_EQ(d4skip(m_reader, 1), C4_EOF);
    EXPECT_EQ(d4recCountDo(m_reader), kRecords + 2);
}

TEST_F(ReadAhead, ARecordAnotherProcessChangedIsSeenAfterALockAFreshTopAGoOrAWhile)
{
    skipTo(m_reader, 2); // the records around are read ahead now
    change(3, "three");
    XB_ASSERT_OK(m_reader->skip(1));
    XB_ASSERT_OK(m_reader->lock(3));
    EXPECT_EQ(name(m_reader), "three");
    XB_ASSERT_OK(m_reader->unlock());
    XB_ASSERT_OK(m_reader->skip(-1));
    XB_ASSERT_OK(m_reader->skip(1));
    EXPECT_EQ(name(m_reader), "three"); // what the lock read replaced what was read ahead

    change(4, "four");
    skipTo(m_reader, 4);
    EXPECT_EQ(name(m_reader), "four");

    change(5, "five");
    XB_ASSERT_OK(m_reader->go(5));
    EXPECT_EQ(name(m_reader), "five");

    change(6, "six");
    std::this_thread::sleep_for(std::chrono::milliseconds(2 * xbase::RecordCache::kMaxAgeMs + 10));
    XB_ASSERT_OK(m_reader->skip(1));
    EXPECT_EQ(name(m_reader), "six");
}

TEST_F(ReadAhead, ATagWalkDropsWhatItReadAheadWhenTheIndexShowsAnotherWriter)
{
    ASSERT_EQ(d4tagSelect(m_reader, d4tag(m_reader, "NUM")), C4_SUCCESS);
    ASSERT_EQ(d4top(m_reader), C4_SUCCESS);
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(d4skip(m_reader, 1), C4_SUCCESS);
    change(6, "six"); // no key changes: the index counter stays
    XB_ASSERT_OK(m_written->go(150));
    XB_ASSERT_OK(m_written->lock(150));
    XB_ASSERT_OK(m_written->field("NUM")->assignLong(1000));
    XB_ASSERT_OK(m_written->unlock());
    ASSERT_EQ(d4seekDouble(m_reader, 5), C4_SUCCESS); // a seek reads the counter
    ASSERT_EQ(d4skip(m_reader, 1), C4_SUCCESS);
    EXPECT_EQ(name(m_reader), "six");
}

TEST_F(ReadAhead, AWalkEndsWhereAShortenedFileEndsAndNeverServesAPartRecord)
{
    skipTo(m_reader, 10);
    const size_t headerLength = m_reader->header().headerLength;
    truncate("t.dbf", headerLength + 120 * kRecordLength + kRecordLength / 2);
    uint32_t last = m_reader->recNo();
    while (!m_reader->eof()) {
        XB_ASSERT_OK(m_reader->skip(1));
        if (!m_reader->eof())
            EXPECT_EQ(m_reader->recNo(), ++last);
    }
    EXPECT_EQ(last, 120u);
    EXPECT_EQ(m_reader->recNo(), 121u);
    EXPECT_TRUE(m_reader->go(150).isInvalidArgument());
    uint32_t count = 0;
    XB_ASSERT_OK(m_reader->recordCount(&count));
    EXPECT_EQ(count, 120u);
}

TEST_F(ReadAhead, WritesThroughTheHandleAreReadBackAtOnce)
{
    Table* t = m_reader;
    skipTo(t, 2);
    XB_ASSERT_OK(t->lock(2));
    XB_ASSERT_OK(t->field("NAME")->assignText("mine"));
    XB_ASSERT_OK(t->unlock());
    XB_ASSERT_OK(t->skip(-1));
    XB_ASSERT_OK(t->skip(1));
    EXPECT_EQ(name(t), "mine");

    // A change written by moving on, and a deletion.
    XB_ASSERT_OK(t->lock(3));
    XB_ASSERT_OK(t->lock(4));
    XB_ASSERT_OK(t->skip(1));
    XB_ASSERT_OK(t->field("NAME")->assignText("moved"));
    XB_ASSERT_OK(t->skip(1));
    XB_ASSERT_OK(t->deleteRecord());
    XB_ASSERT_OK(t->skip(-1));
    XB_ASSERT_OK(t->unlock()); // unlocked records come from what was read ahead
    XB_ASSERT_OK(t->skip(1));
    EXPECT_TRUE(t->deleted());
    XB_ASSERT_OK(t->skip(-1));
    EXPECT_EQ(name(t), "moved");

    // An append lands in the block that held the table's end.
    skipTo(t, kRecords);
    XB_ASSERT_OK(t->appendStart());
    XB_ASSERT_OK(t->field("NAME")->assignText("new"));
    XB_ASSERT_OK(t->append());
    XB_ASSERT_OK(t->skip(-1));
    XB_ASSERT_OK(t->skip(1));
    EXPECT_EQ(t->recNo(), kRecords + 1u);
    EXPECT_EQ(name(t), "new");
}

// An exclusive handle uses again what it read, also for go and seeks: its
// own changes, appends and a failed write's play-back must still show.
TEST_F(ReadAhead, AnExclusiveHandleGoesToWhatItWroteLast)
{
    XB_ASSERT_OK(m_writer.closeTable(m_written));
    close(m_reader);
    m_engine.settings().exclusive = true;
    Table* t = open("t.dbf");
    ASSERT_EQ(d4tagSelect(t, d4tag(t, "NUM")), C4_SUCCESS);
    for (uint32_t r : {10u, 11u, 10u})
        XB_ASSERT_OK(t->go(r));
    XB_ASSERT_OK(t->field("NAME")->assignText("ten"));
    XB_ASSERT_OK(t->go(11)); // writes the change
    XB_ASSERT_OK(t->go(10));
    EXPECT_EQ(name(t), "ten");
    XB_ASSERT_OK(t->deleteRecord());
    ASSERT_EQ(d4seekDouble(t, 11), C4_SUCCESS);
    XB_ASSERT_OK(t->go(10));
    EXPECT_TRUE(t->deleted());

    XB_ASSERT_OK(t->appendStart());
    XB_ASSERT_OK(t->blank());
    XB_ASSERT_OK(t->field("NAME")->assignText("new"));
    XB_ASSERT_OK(t->field("NUM")->assignLong(11));
    XB_ASSERT_OK(t->append());
    ASSERT_EQ(d4seekDouble(t, 11), C4_SUCCESS);
    EXPECT_EQ(name(t), "r11");
    ASSERT_EQ(d4seekNextDouble(t, 11), C4_SUCCESS);
    EXPECT_EQ(t->recNo(), kRecords + 1u);
    EXPECT_EQ(name(t), "new");
    close(t);
    m_engine.settings().exclusive = false;
}
