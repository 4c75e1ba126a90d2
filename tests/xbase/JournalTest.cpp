#include "StoppingEnv.h"
#include "XbaseFixture.h"

#include "xbase/Index.h"
#include "xbase/IndexCheck.h"
#include "xbase/Journal.h"

#include <atomic>
#include <chrono>
#include <thread>

using namespace xbase;

namespace {

class JournalLock : public XbaseFixture {
protected:
    void SetUp() override
    {
        m_engine.settings().exclusive = true;
        Table* t = create("j.dbf", {"NAME:C:20", "NOTES:M"});
        ASSERT_NE(t, nullptr);
        XB_ASSERT_OK(Index::create(*t, {{"NAME", "UPPER(name)", ""}}));
        for (const char* name : {"one", "two", "three"})
            appendTexts(t, {{"NAME", name}, {"NOTES", std::string("memo of ") + name}});
        close(t);
        m_engine.settings().exclusive = false;
    }

    // An append whose process dies once the record is in the data file:
    // its journal still holds the call.
    void dieInAnAppend()
    {
        const auto before = readFile("j.dbf");
        for (long n = 1; n < 100; ++n) {
            StoppingEnv env(Env::standard(), n);
            {
                Engine dying(&env);
                Table* t = nullptr;
                XB_ASSERT_OK(dying.openTable(path("j.dbf"), &t));
                XB_ASSERT_OK(t->appendStart());
                XB_ASSERT_OK(t->field("NAME")->assignText("four"));
                XB_ASSERT_OK(t->field("NOTES")->assignMemo("memo of four"));
                ASSERT_FALSE(t->append().isOk());
            }
            if (readFile("j.dbf").size() > before.size())
                return;
            // Died before the record: the next open puts the rest back.
            Table* t = open("j.dbf");
            ASSERT_NE(t, nullptr);
            close(t);
        }
        FAIL() << "no write put the record in the file";
    }
};

TEST_F(JournalLock, AJournalWhoseLockIsHeldIsLeftAloneUntilItsWriterLetsGo)
{
    const auto dbf = readFile("j.dbf"), fpt = readFile("j.fpt");
    dieInAnAppend();
    const auto torn = readFile("j.dbf");
    ASSERT_NE(torn, dbf);

    // A writer that is alive holds the journal lock for its call.
    std::unique_ptr<File> writer;
    XB_ASSERT_OK(Env::standard()->open(path("j.dbf"), Env::OpenMode::ReadWrite, &writer));
    XB_ASSERT_OK(writer->tryLock(Journal::kLockOffset, 1, true));

    std::atomic<bool> opened{false};
    Status openStatus;
    std::thread opener([&] {
        Engine engine;
        Table* t = nullptr;
        openStatus = engine.openTable(path("j.dbf"), &t);
        opened = true;
        if (openStatus.isOk())
            openStatus = engine.closeTable(t);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(opened);
    EXPECT_EQ(readFile("j.dbf"), torn);
    XB_ASSERT_OK(writer->unlock(Journal::kLockOffset, 1));
    opener.join();
    XB_EXPECT_OK(openStatus);

    EXPECT_EQ(readFile("j.dbf"), dbf);
    EXPECT_EQ(readFile("j.fpt"), fpt);
    Table* t = open("j.dbf");
    ASSERT_NE(t, nullptr);
    std::vector<std::string> problems;
    XB_ASSERT_OK(checkIndex(*t, &problems));
    EXPECT_TRUE(problems.empty()) << problems.front();
    close(t);
}

TEST_F(JournalLock, TheLastHandleToCloseRemovesTheJournalAndAHandleLeftOpenKeepsIt)
{
    Table* first = open("j.dbf");
    Table* second = open("j.dbf");
    ASSERT_TRUE(first && second);
    appendTexts(first, {{"NAME", "four"}});
    EXPECT_TRUE(m_engine.env()->exists(Journal::pathFor(path("j.dbf"))));
    close(first);
    EXPECT_TRUE(m_engine.env()->exists(Journal::pathFor(path("j.dbf"))));
    appendTexts(second, {{"NAME", "five"}});
    close(second);
    EXPECT_FALSE(m_engine.env()->exists(Journal::pathFor(path("j.dbf"))));
}

} // namespace
