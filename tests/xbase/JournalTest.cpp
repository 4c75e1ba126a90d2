#include "StoppingEnv.h"
#include "XbaseFixture.h"

#include "xbase/Index.h"
#include "xbase/IndexCheck.h"
#include "xbase/Journal.h"

#include <atomic>
#include <chrono>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace xbase;

namespace {

// The files as an account sees them that may read the table but not write
// it.
class ReadOnlyAccount final : public EnvWrapper {
public:
    ReadOnlyAccount() : EnvWrapper(Env::standard()) {}
    Status open(const std::string& path, OpenMode mode, std::unique_ptr<File>* out) override
    {
        if (mode != OpenMode::ReadOnly)
            return Status::ioError("cannot open " + path + ": Permission denied");
        return EnvWrapper::open(path, mode, out);
    }
};

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

    // A writer that is alive holds the journal lock for its call.
    std::unique_ptr<File> liveWriter()
    {
        std::unique_ptr<File> writer;
        EXPECT_TRUE(Env::standard()->open(path("j.dbf"), Env::OpenMode::ReadWrite, &writer).isOk());
        EXPECT_TRUE(writer->tryLock(Journal::kLockOffset, 1, true).isOk());
        return writer;
    }

    // Opens the table (and closes it again) in a thread of its own, through
    // `env`; `*opened` is set once the open returned.
    std::thread openAside(Env* env, bool readOnly, std::atomic<bool>* opened, Status* status)
    {
        return std::thread([this, env, readOnly, opened, status] {
            Engine engine(env);
            engine.settings().readOnly = readOnly;
            Table* t = nullptr;
            *status = engine.openTable(path("j.dbf"), &t);
            *opened = true;
            if (status->isOk())
                *status = engine.closeTable(t);
        });
    }
};

TEST_F(JournalLock, AJournalWhoseLockIsHeldIsLeftAloneUntilItsWriterLetsGo)
{
    const auto dbf = readFile("j.dbf"), fpt = readFile("j.fpt");
    dieInAnAppend();
    const auto torn = readFile("j.dbf");
    ASSERT_NE(torn, dbf);

    std::unique_ptr<File> writer = liveWriter();
    std::atomic<bool> opened{false};
    Status openStatus;
    std::thread opener = openAside(Env::standard(), false, &opened, &openStatus);
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

// An earlier version's journal: magic "XBJRNL01" and entries summed with
// FNV-1a over every byte of the head (up to its checksum) and the payload.
TEST_F(JournalLock, AJournalAnEarlierVersionLeftIsPlayedBackAsWell)
{
    const auto dbf = readFile("j.dbf"), fpt = readFile("j.fpt");
    dieInAnAppend();
    ASSERT_NE(readFile("j.dbf"), dbf);

    const std::string journal = Journal::pathFor(path("j.dbf"));
    std::vector<uint8_t> bytes = readFile(journal.substr(journal.find_last_of('/') + 1));
    ASSERT_GE(bytes.size(), 32u);
    ASSERT_EQ(std::string(bytes.begin(), bytes.begin() + 8), "XBJRNL02");
    bytes[7] = '1';
    auto le32 = [](const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; };
    const uint64_t salt = *reinterpret_cast<const uint64_t*>(bytes.data() + 8);
    int entries = 0;
    for (size_t at = 32; at + 32 <= bytes.size() && *reinterpret_cast<const uint64_t*>(bytes.data() + at) == salt;) {
        const uint32_t n = le32(bytes.data() + at + 12);
        uint32_t h = 2166136261u;
        for (size_t i = 0; i < 24; ++i)
            h = (h ^ bytes[at + i]) * 16777619u;
        for (size_t i = 0; i < n; ++i)
            h = (h ^ bytes[at + 32 + i]) * 16777619u;
        for (int i = 0; i < 4; ++i)
            bytes[at + 24 + size_t(i)] = uint8_t(h >> (8 * i));
        at += 32 + n;
        ++entries;
    }
    ASSERT_GE(entries, 2); // the data file named, and its old bytes
    writeFile(journal.substr(journal.find_last_of('/') + 1), bytes);

    Table* t = open("j.dbf");
    ASSERT_NE(t, nullptr);
    close(t);
    EXPECT_EQ(readFile("j.dbf"), dbf);
    EXPECT_EQ(readFile("j.fpt"), fpt);
}

// What a dead writer left cannot be played back by an account that may not
// write the table: it is not read as if whole, and the message names the
// table and who can put it right. Once such a one has opened it, it reads.
TEST_F(JournalLock, AnOpenerThatMayNotWriteRefusesASaveLeftUnfinished)
{
    const auto dbf = readFile("j.dbf"), fpt = readFile("j.fpt");
    dieInAnAppend();
    const auto torn = readFile("j.dbf");
    ASSERT_NE(torn, dbf);

    ReadOnlyAccount account;
    {
        Engine reader(&account);
        reader.settings().readOnly = true;
        Table* t = nullptr;
        const Status s = reader.openTable(path("j.dbf"), &t);
        ASSERT_FALSE(s.isOk());
        EXPECT_EQ(s.message(), path("j.dbf") + ": a save to this table was left unfinished; someone with write access "
                                               "to it must open it (with the program, bmtool check or bmtool dump) "
                                               "to put it right");
        EXPECT_EQ(readFile("j.dbf"), torn);
    }

    Table* t = open("j.dbf"); // with write access: played back
    ASSERT_NE(t, nullptr);
    close(t);
    EXPECT_EQ(readFile("j.dbf"), dbf);
    EXPECT_EQ(readFile("j.fpt"), fpt);
    Engine reader(&account);
    reader.settings().readOnly = true;
    XB_ASSERT_OK(reader.openTable(path("j.dbf"), &t));
    std::vector<std::string> problems;
    XB_ASSERT_OK(checkIndex(*t, &problems));
    EXPECT_TRUE(problems.empty()) << problems.front();
    uint32_t count = 0;
    XB_ASSERT_OK(t->recordCount(&count));
    EXPECT_EQ(count, 3u);
}

// A live writer's call is waited out, not refused: it clears its journal
// when it ends.
TEST_F(JournalLock, AnOpenerThatMayNotWriteWaitsForALiveWritersCall)
{
    dieInAnAppend();
    std::unique_ptr<File> writer = liveWriter();
    ReadOnlyAccount account;
    std::atomic<bool> opened{false};
    Status openStatus;
    std::thread opener = openAside(&account, true, &opened, &openStatus);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(opened);
    // The writer's call ends: its journal is cleared, then the lock goes.
    std::unique_ptr<File> journal;
    XB_ASSERT_OK(Env::standard()->open(Journal::pathFor(path("j.dbf")), Env::OpenMode::ReadWrite, &journal));
    const uint8_t cleared[8] = {};
    XB_ASSERT_OK(journal->writeAt(0, cleared, sizeof cleared));
    XB_ASSERT_OK(writer->unlock(Journal::kLockOffset, 1));
    opener.join();
    XB_EXPECT_OK(openStatus);
}

} // namespace
