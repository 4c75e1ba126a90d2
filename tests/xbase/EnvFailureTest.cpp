#include "ForwardingFile.h"
#include "XbaseFixture.h"

#include "xbase/Index.h"
#include "xbase/IndexCheck.h"

using xbase::Env;
using xbase::File;
using xbase::Status;
using xbase::Table;

namespace {

// Makes writes (or reads) of files whose name ends with a given suffix fail
// while armed.
class FailingEnv : public xbase::EnvWrapper {
public:
    FailingEnv() : EnvWrapper(Env::standard()) {}

    std::string suffix;
    bool failWrites = false;
    bool failReads = false;
    bool once = false; // the first failure disarms failWrites

    Status open(const std::string& path, OpenMode mode, std::unique_ptr<File>* out) override;
};

class FailingFile : public ForwardingFile {
public:
    FailingFile(FailingEnv& env, std::unique_ptr<File> target) : ForwardingFile(std::move(target)), m_env(env) {}
    Status readAt(uint64_t offset, void* buf, size_t n, size_t* got) override
    {
        if (m_env.failReads && hit())
            return Status::ioError("injected read failure in " + path());
        return ForwardingFile::readAt(offset, buf, n, got);
    }
    Status writeAt(uint64_t offset, const void* buf, size_t n) override
    {
        if (m_env.failWrites && hit()) {
            m_env.failWrites = !m_env.once;
            return Status::ioError("injected write failure in " + path());
        }
        return ForwardingFile::writeAt(offset, buf, n);
    }

private:
    bool hit() const { return path().size() >= m_env.suffix.size() && path().compare(path().size() - m_env.suffix.size(), std::string::npos, m_env.suffix) == 0; }
    FailingEnv& m_env;
};

Status FailingEnv::open(const std::string& path, OpenMode mode, std::unique_ptr<File>* out)
{
    return openForwarded<FailingFile>(*this, path, mode, out);
}

class EnvFailures : public XbaseFixture {
protected:
    void SetUp() override
    {
        Table* t = create("f.dbf", {"NAME:C:10", "NOTES:M"});
        appendTexts(t, {{"NAME", "one"}, {"NOTES", "memo one"}});
        close(t);
    }
    FailingEnv m_env;
    xbase::Engine m_failing{&m_env};
};

} // namespace

TEST_F(EnvFailures, AFailedMemoWriteLeavesNoRecordAndCanBeRetried)
{
    Table* t = nullptr;
    XB_ASSERT_OK(m_failing.openTable(path("f.dbf"), &t));
    XB_ASSERT_OK(t->appendStart());
    XB_ASSERT_OK(t->field("NAME")->assignText("two"));
    XB_ASSERT_OK(t->field("NOTES")->assignMemo("memo two"));
    m_env.suffix = ".fpt";
    m_env.failWrites = true;
    const Status s = t->append();
    EXPECT_TRUE(s.isIOError()) << s.toString();
    uint32_t count = 0;
    XB_ASSERT_OK(t->recordCount(&count));
    EXPECT_EQ(count, 1u);
    m_env.failWrites = false;
    XB_ASSERT_OK(t->append());
    XB_ASSERT_OK(m_failing.closeTable(t));

    t = open("f.dbf");
    XB_ASSERT_OK(t->go(2));
    const std::string* memo = nullptr;
    XB_ASSERT_OK(t->field("NOTES")->memo(&memo));
    EXPECT_EQ(*memo, "memo two");
}

TEST_F(EnvFailures, AFailedRecordWriteKeepsTheChangePending)
{
    Table* t = nullptr;
    XB_ASSERT_OK(m_failing.openTable(path("f.dbf"), &t));
    XB_ASSERT_OK(t->go(1));
    XB_ASSERT_OK(t->lock(1));
    XB_ASSERT_OK(t->field("NAME")->assignText("changed"));
    m_env.suffix = ".dbf";
    m_env.failWrites = true;
    EXPECT_TRUE(t->flush().isIOError());
    EXPECT_TRUE(t->changed());
    m_env.failWrites = false;
    XB_ASSERT_OK(t->unlock());
    XB_ASSERT_OK(m_failing.closeTable(t));
    t = open("f.dbf");
    XB_ASSERT_OK(t->go(1));
    EXPECT_EQ(t->field("NAME")->raw(), "changed   ");
}

// The record and its memo reach their files before the index pages do; when
// those fail, the call puts everything back before it returns.
TEST_F(EnvFailures, AFailedIndexWriteTakesBackTheRecordAndItsMemo)
{
    m_engine.settings().exclusive = true;
    Table* t = open("f.dbf");
    XB_ASSERT_OK(xbase::Index::create(*t, {{"NAME", "UPPER(name)", ""}}));
    close(t);
    m_engine.settings().exclusive = false;
    const auto dbf = readFile("f.dbf"), fpt = readFile("f.fpt"), cdx = readFile("f.cdx");

    XB_ASSERT_OK(m_failing.openTable(path("f.dbf"), &t));
    XB_ASSERT_OK(t->appendStart());
    XB_ASSERT_OK(t->field("NAME")->assignText("two"));
    XB_ASSERT_OK(t->field("NOTES")->assignMemo(std::string(300, 'x')));
    m_env.suffix = ".cdx";
    m_env.failWrites = m_env.once = true;
    const Status s = t->append();
    EXPECT_TRUE(s.isIOError()) << s.toString();
    EXPECT_EQ(readFile("f.dbf"), dbf);
    EXPECT_EQ(readFile("f.fpt"), fpt);
    // All but the index's change counter, which moves on so that no reader
    // trusts what it read of the half-written index.
    auto withoutCounter = [](std::vector<uint8_t> bytes) {
        std::fill_n(bytes.begin() + 8, 4, 0);
        return bytes;
    };
    EXPECT_EQ(withoutCounter(readFile("f.cdx")), withoutCounter(cdx));

    appendTexts(t, {{"NAME", "three"}, {"NOTES", "memo three"}});
    uint32_t count = 0;
    XB_ASSERT_OK(t->recordCount(&count));
    EXPECT_EQ(count, 2u);
    std::vector<std::string> problems;
    XB_ASSERT_OK(xbase::checkIndex(*t, &problems));
    EXPECT_TRUE(problems.empty()) << problems.front();
    XB_ASSERT_OK(m_failing.closeTable(t));
}

TEST_F(EnvFailures, AFailedReadFailsTheOpenWithTheFilesName)
{
    m_env.suffix = ".dbf";
    m_env.failReads = true;
    Table* t = nullptr;
    const Status s = m_failing.openTable(path("f.dbf"), &t);
    EXPECT_TRUE(s.isIOError());
    EXPECT_NE(s.message().find(path("f.dbf")), std::string::npos);
    EXPECT_EQ(m_failing.openCount(), 0u);
}

// The journal keeps the old bytes of a save before any of them change: when
// writing it fails, the save fails whole, even if the table's own files
// would take the writes.
TEST_F(EnvFailures, AFailedJournalWriteFailsTheSaveAndChangesNothing)
{
    const auto dbf = readFile("f.dbf"), fpt = readFile("f.fpt");
    Table* t = nullptr;
    XB_ASSERT_OK(m_failing.openTable(path("f.dbf"), &t));
    XB_ASSERT_OK(t->appendStart());
    XB_ASSERT_OK(t->field("NAME")->assignText("two"));
    XB_ASSERT_OK(t->field("NOTES")->assignMemo("memo two"));
    m_env.suffix = ".jnl";
    m_env.failWrites = true;
    m_env.once = true;
    const Status s = t->append();
    EXPECT_TRUE(s.isIOError()) << s.toString();
    EXPECT_EQ(readFile("f.dbf"), dbf);
    EXPECT_EQ(readFile("f.fpt"), fpt);
    XB_ASSERT_OK(t->append());
    XB_ASSERT_OK(m_failing.closeTable(t));

    t = open("f.dbf");
    uint32_t count = 0;
    XB_ASSERT_OK(t->recordCount(&count));
    EXPECT_EQ(count, 2u);
    XB_ASSERT_OK(t->go(2));
    const std::string* memo = nullptr;
    XB_ASSERT_OK(t->field("NOTES")->memo(&memo));
    EXPECT_EQ(*memo, "memo two");
}
