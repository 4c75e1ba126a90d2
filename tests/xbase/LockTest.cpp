#include "ChildProcess.h"
#include "XbaseFixture.h"

#include "xbase/c4.h"

#include <chrono>
#include <memory>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

using xbase::Table;

namespace {

class Locks : public XbaseFixture {
protected:
    void SetUp() override
    {
        Table* t = create("t.dbf", {"NAME:C:10"});
        appendTexts(t, {{"NAME", "one"}});
        appendTexts(t, {{"NAME", "two"}});
        close(t);
        m_engine.settings().lockAttempts = 3;
        m_engine.settings().lockDelayMs = 1;
    }

    // A child that opens the table on its own engine, locks `recno`, says
    // 'L', and releases when told 'R' (then says 'U' and waits for 'Q').
    std::unique_ptr<ChildProcess> childLocking(uint32_t recno)
    {
        const std::string file = path("t.dbf");
        auto child = std::make_unique<ChildProcess>([file, recno](ChildProcess& self) {
            xbase::Engine engine;
            Table* t = nullptr;
            if (!engine.openTable(file, &t).isOk() || !t->lock(recno).isOk())
                ::_exit(1);
            self.send('L');
            if (self.receive() != 'R')
                ::_exit(2);
            (void)t->unlock();
            self.send('U');
            self.receive();
        });
        EXPECT_EQ(child->receive(), 'L');
        return child;
    }
};

} // namespace

TEST_F(Locks, AnotherProcessHoldingARecordMakesTheLockReturn50UntilItLetsGo)
{
    auto child = childLocking(1);
    CODE4* c4 = d4init_v();
    code4lockAttempts(c4, 10);
    code4lockDelay(c4, 2);
    DATA4* d4 = d4open(c4, path("t.dbf").c_str());
    ASSERT_NE(d4, nullptr);
    EXPECT_EQ(d4lock(d4, 1), C4_LOCKED);
    EXPECT_EQ(code4errorCode(c4, 0), 0); // a busy record is an answer, not an error
    EXPECT_EQ(d4lock(d4, 2), C4_SUCCESS);
    child->send('R');
    EXPECT_EQ(child->receive(), 'U');
    EXPECT_EQ(d4lock(d4, 1), C4_SUCCESS);
    child->send('Q');
    EXPECT_EQ(child->wait(), 0);
    EXPECT_EQ(d4initUndo(c4), 0);
}

// The wait's budget is (attempts - 1) x delay: a holder that keeps the
// record past it makes the lock give up as locked, no sooner; a holder that
// lets go within it lets the waiter through long before the budget is spent.
TEST_F(Locks, AWaitEndsWithTheBudgetOrWhenTheHolderLetsGo)
{
    using Clock = std::chrono::steady_clock;
    struct Case {
        int attempts;
        int delayMs;
        int releaseAfterMs; // -1: the holder never lets go
        bool locks;
        int atLeastMs;
    };
    const Case cases[] = {
        {1, 5000, -1, false, 0},
        {4, 30, -1, false, 90},
        {-1, 100, 40, true, 40},
        {200, 100, 40, true, 40},
    };
    const std::string file = path("t.dbf");
    for (const Case& c : cases) {
        SCOPED_TRACE("attempts " + std::to_string(c.attempts) + ", delay " + std::to_string(c.delayMs));
        ChildProcess child([file, c](ChildProcess& self) {
            xbase::Engine engine;
            Table* t = nullptr;
            if (!engine.openTable(file, &t).isOk() || !t->lock(1).isOk())
                ::_exit(1);
            self.send('L');
            if (c.releaseAfterMs >= 0) {
                // The release is timed from the waiter's start, not from
                // the moment the lock was taken.
                if (self.receive() != 'G')
                    ::_exit(2);
                ::usleep(useconds_t(c.releaseAfterMs) * 1000);
                (void)t->unlock();
            }
            self.receive();
        });
        ASSERT_EQ(child.receive(), 'L');
        CODE4* c4 = d4init_v();
        code4lockAttempts(c4, c.attempts);
        code4lockDelay(c4, c.delayMs);
        DATA4* d4 = d4open(c4, file.c_str());
        ASSERT_NE(d4, nullptr);
        const Clock::time_point start = Clock::now();
        if (c.releaseAfterMs >= 0)
            child.send('G');
        EXPECT_EQ(d4lock(d4, 1), c.locks ? C4_SUCCESS : C4_LOCKED);
        const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
        EXPECT_GE(waited, c.atLeastMs);
        if (c.locks) {
            EXPECT_LT(waited, 5000); // through at the release, not at the end of a 20 s budget
        } else if (c.attempts == 1) {
            EXPECT_LT(waited, 2500); // one try waits for nothing
        }
        child.send('Q');
        EXPECT_EQ(child.wait(), 0);
        EXPECT_EQ(d4initUndo(c4), 0);
    }
}

TEST_F(Locks, AKilledLockHolderFreesItsLocks)
{
    auto child = childLocking(2);
    Table* t = open("t.dbf");
    EXPECT_TRUE(t->lock(2).isLocked());
    child->kill();
    child->wait();
    XB_EXPECT_OK(t->lock(2));
}

TEST_F(Locks, TwoHandlesInOneProcessConflict)
{
    Table* a = open("t.dbf");
    Table* b = open("t.dbf");
    XB_ASSERT_OK(a->lock(1));
    EXPECT_TRUE(b->lock(1).isLocked());
    XB_EXPECT_OK(b->lock(2));
    XB_ASSERT_OK(a->unlock());
    XB_EXPECT_OK(b->lock(1));
}

TEST_F(Locks, ExclusiveOpenFailsWhileAnotherProcessHasTheTableOpen)
{
    const std::string file = path("t.dbf");
    auto child = std::make_unique<ChildProcess>([file](ChildProcess& self) {
        xbase::Engine engine;
        Table* t = nullptr;
        self.send(engine.openTable(file, &t).isOk() ? 'O' : 'F');
        self.receive();
    });
    ASSERT_EQ(child->receive(), 'O');
    CODE4* c4 = d4init_v();
    code4accessMode(c4, 1);
    EXPECT_EQ(d4open(c4, file.c_str()), nullptr);
    EXPECT_EQ(c4->errorCode(), C4_ERR_OPEN);
    EXPECT_TRUE(c4->lastError().isLocked()) << c4->lastError().toString();
    child->send('Q');
    child->wait();

    code4errorCode(c4, 0);
    DATA4* d4 = d4open(c4, file.c_str());
    ASSERT_NE(d4, nullptr);
    Table* shared = nullptr;
    EXPECT_TRUE(m_engine.openTable(file, &shared).isLocked()); // held exclusively now
    EXPECT_EQ(d4close(d4), 0);
    XB_EXPECT_OK(m_engine.openTable(file, &shared));
    d4initUndo(c4);
}

TEST_F(Locks, ALockedRecordIsReadAgain)
{
    Table* reader = open("t.dbf");
    Table* writer = open("t.dbf");
    XB_ASSERT_OK(reader->go(1));
    XB_ASSERT_OK(writer->go(1));
    XB_ASSERT_OK(writer->lock(1));
    XB_ASSERT_OK(writer->field("NAME")->assignText("changed"));
    XB_ASSERT_OK(writer->unlock());
    EXPECT_EQ(reader->field("NAME")->raw(), "one       ");
    XB_ASSERT_OK(reader->lock(1));
    EXPECT_EQ(reader->field("NAME")->raw(), "changed   ");
}

TEST_F(Locks, AChangeNeedsTheRecordLockWhileLocksAreEnforced)
{
    Table* t = open("t.dbf");
    Table* other = open("t.dbf");
    XB_ASSERT_OK(t->go(1));
    XB_ASSERT_OK(t->field("NAME")->assignText("unlocked"));
    EXPECT_TRUE(t->flush().isLocked());
    EXPECT_TRUE(t->go(2).isLocked()); // the change is kept, not lost on the way
    XB_ASSERT_OK(t->discardChanges());
    EXPECT_EQ(t->field("NAME")->raw(), "one       ");

    m_engine.settings().lockEnforce = false; // then the write locks for itself
    XB_ASSERT_OK(other->lock(1));
    XB_ASSERT_OK(t->field("NAME")->assignText("free"));
    EXPECT_TRUE(t->flush().isLocked());
    XB_ASSERT_OK(other->unlock());
    XB_ASSERT_OK(t->flush());
    XB_ASSERT_OK(other->go(1));
    EXPECT_EQ(other->field("NAME")->raw(), "free      ");
}

TEST_F(Locks, SharedHandlesCountEachOthersAppends)
{
    Table* a = open("t.dbf");
    Table* b = open("t.dbf");
    appendTexts(a, {{"NAME", "three"}});
    appendTexts(b, {{"NAME", "four"}});
    uint32_t count = 0;
    XB_ASSERT_OK(a->recordCount(&count));
    EXPECT_EQ(count, 4u);
    EXPECT_EQ(b->recNo(), 4u);
    XB_ASSERT_OK(a->go(3));
    EXPECT_EQ(a->field("NAME")->raw(), "three     ");
    close(a);
    close(b);
    const std::vector<uint8_t> bytes = readFile("t.dbf");
    EXPECT_EQ(bytes[4], 4); // the header count follows
    EXPECT_EQ(bytes.back(), 0x1A);
}

TEST_F(Locks, AppendWaitsForTheAppendLock)
{
    Table* a = open("t.dbf");
    Table* b = open("t.dbf");
    XB_ASSERT_OK(b->dataFile().tryLock(Table::kHeaderLockOffset, 1, true));
    XB_ASSERT_OK(a->appendStart());
    EXPECT_EQ(d4append(a), C4_LOCKED);
    XB_ASSERT_OK(b->dataFile().unlock(Table::kHeaderLockOffset, 1));
    EXPECT_EQ(d4append(a), C4_SUCCESS);
    EXPECT_EQ(d4recNo(a), 3);
}

TEST_F(Locks, ExclusiveTablesNeedNoRecordLocks)
{
    m_engine.settings().exclusive = true;
    Table* t = open("t.dbf");
    XB_ASSERT_OK(t->go(2));
    XB_ASSERT_OK(t->field("NAME")->assignText("mine"));
    XB_ASSERT_OK(t->flush());
    appendTexts(t, {{"NAME", "three"}});
    uint32_t count = 0;
    XB_ASSERT_OK(t->recordCount(&count));
    EXPECT_EQ(count, 3u);
}

TEST_F(Locks, AFileWithoutWritePermissionIsNoLockConflict)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may write any file";
    ASSERT_EQ(::chmod(path("t.dbf").c_str(), 0444), 0);
    Table* t = nullptr;
    const xbase::Status s = m_engine.openTable(path("t.dbf"), &t);
    EXPECT_TRUE(s.isIOError()) << s.toString();
    m_engine.settings().readOnly = true;
    XB_EXPECT_OK(m_engine.openTable(path("t.dbf"), &t));
}

// Writers that keep taking the same locks do not shut one of them out: four
// processes append at once, each with the data store's budget (10 tries,
// 100 ms apart), and every append of every writer gets through, each row
// once.
TEST_F(Locks, FourWritersAppendingAtOnceAllGetThroughWithinTheDataStoresBudget)
{
    constexpr int kWriters = 4, kRows = 250;
    const std::string file = path("t.dbf");
    std::vector<std::unique_ptr<ChildProcess>> writers;
    for (int w = 0; w < kWriters; ++w) {
        writers.push_back(std::make_unique<ChildProcess>([file, w](ChildProcess& self) {
            xbase::Engine engine;
            engine.settings().lockAttempts = 10;
            engine.settings().lockDelayMs = 100;
            Table* t = nullptr;
            if (!engine.openTable(file, &t).isOk())
                ::_exit(1);
            self.send('O');
            if (self.receive() != 'G')
                ::_exit(2);
            for (int i = 0; i < kRows; ++i) {
                const std::string name = std::to_string(w) + "-" + std::to_string(i);
                const xbase::Status s = t->appendStart();
                if (!s.isOk() || !t->field("NAME")->assignText(name).isOk())
                    ::_exit(3);
                const xbase::Status a = t->append();
                if (!a.isOk())
                    ::_exit(a.isLocked() ? 4 : 5);
            }
            ::_exit(engine.closeTable(t).isOk() ? 0 : 6);
        }));
        ASSERT_EQ(writers.back()->receive(), 'O');
    }
    for (auto& w : writers)
        w->send('G');
    for (auto& w : writers)
        EXPECT_EQ(w->wait(), 0) << "4: a writer was kept from the locks beyond its budget";

    Table* t = open("t.dbf");
    uint32_t count = 0;
    XB_ASSERT_OK(t->recordCount(&count));
    ASSERT_EQ(count, 2u + kWriters * kRows);
    std::set<std::string> names;
    for (uint32_t r = 3; r <= count; ++r) {
        XB_ASSERT_OK(t->go(r));
        std::string name = t->field("NAME")->raw();
        names.insert(name.erase(name.find_last_not_of(' ') + 1));
    }
    EXPECT_EQ(names.size(), size_t(kWriters * kRows));
    close(t);
}
