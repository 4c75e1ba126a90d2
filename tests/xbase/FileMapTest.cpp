#include "ChildProcess.h"
#include "TestSupport.h"

#include "xbase/Env.h"
#include "xbase/FileMap.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using xbase::Env;
using xbase::File;
using xbase::FileMap;

namespace {

constexpr size_t kChunk = size_t(1) << FileMap::kChunkShift;

// Files read through readFastAt and written through writeFastAt, which
// serve from a map of the file where they can, beside a second open of the
// same file that reads, writes and cuts it as another program would.
class FileMapTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_path = m_dir.fileStd(QStringLiteral("f.bin"));
        std::unique_ptr<File> f;
        ASSERT_TRUE(Env::standard()->open(m_path, Env::OpenMode::CreateNew, &f).isOk());
        std::vector<uint8_t> bytes(3 * kChunk);
        for (size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = uint8_t('a' + (i / 4096) % 26); // each page its own letter
        ASSERT_TRUE(f->writeAt(0, bytes.data(), bytes.size()).isOk());
        ASSERT_TRUE(Env::standard()->open(m_path, Env::OpenMode::ReadWrite, &m_reader).isOk());
        ASSERT_TRUE(Env::standard()->open(m_path, Env::OpenMode::ReadWrite, &m_other).isOk());
        m_budget = FileMap::budget();
    }
    void TearDown() override { FileMap::setBudget(m_budget); }

    // What the reader reads through readFastAt.
    std::string read(uint64_t offset, size_t n) { return readFrom(*m_reader, offset, n, true); }
    // What another open reads with pread.
    std::string readOther(uint64_t offset, size_t n) { return readFrom(*m_other, offset, n, false); }

    static std::string readFrom(File& f, uint64_t offset, size_t n, bool fast)
    {
        std::string out(n, '\0');
        size_t got = 0;
        const xbase::Status s = fast ? f.readFastAt(offset, out.data(), n, &got) : f.readAt(offset, out.data(), n, &got);
        EXPECT_TRUE(s.isOk()) << s.toString();
        out.resize(got);
        return out;
    }

    bmtest::TempFolder m_dir;
    std::string m_path;
    std::unique_ptr<File> m_reader, m_other;
    size_t m_budget = 0;
};

TEST_F(FileMapTest, AWriteThroughAnotherOpenIsReadAtOnce)
{
    EXPECT_EQ(read(5000, 4), "bbbb");
    ASSERT_TRUE(m_other->writeAt(5000, "wxyz", 4).isOk());
    EXPECT_EQ(read(5000, 4), "wxyz");
    // What another open appends past the end the reader knew is read too.
    ASSERT_TRUE(m_other->writeAt(3 * kChunk, "tail", 4).isOk());
    EXPECT_EQ(read(3 * kChunk, 4), "tail");
    EXPECT_EQ(read(3 * kChunk + 2, 4), "il"); // and where it ends
}

TEST_F(FileMapTest, AFileAnotherOpenCutsShortGivesShortReadsNotACrash)
{
    EXPECT_EQ(read(2 * kChunk + 10, 4), std::string(4, char('a' + (2 * kChunk + 10) / 4096 % 26)));
    ASSERT_TRUE(m_other->truncate(4096 + 100).isOk());
    // Pages wholly past the new end: the map faults, the read falls back.
    EXPECT_EQ(read(2 * kChunk + 10, 4), "");
    EXPECT_EQ(read(kChunk, 16), "");
    // The fall-back learnt the size: a read across the new end comes short.
    EXPECT_EQ(read(4096 + 90, 16), std::string(10, 'b'));
    // Grown again by the other open, the file is read to its new end.
    ASSERT_TRUE(m_other->writeAt(2 * kChunk, "again", 5).isOk());
    EXPECT_EQ(read(2 * kChunk, 5), "again");
}

TEST_F(FileMapTest, TheBudgetBoundsWhatTheMapsServeAndAClosedFileGivesItBack)
{
    FileMap::setBudget(FileMap::servedBytes() + kChunk);
    const size_t before = FileMap::servedBytes();
    EXPECT_EQ(read(100, 3), "aaa");
    EXPECT_EQ(FileMap::servedBytes(), before + kChunk);
    // A chunk past the budget is read all the same, not from the map.
    EXPECT_EQ(read(2 * kChunk + 4096, 3), std::string(3, char('a' + (2 * kChunk + 4096) / 4096 % 26)));
    EXPECT_EQ(FileMap::servedBytes(), before + kChunk);
    EXPECT_EQ(read(200, 3), "aaa"); // the chunk it serves stays served
    m_reader.reset();
    EXPECT_EQ(FileMap::servedBytes(), before);

    FileMap::setBudget(0); // no maps at all
    ASSERT_TRUE(Env::standard()->open(m_path, Env::OpenMode::ReadOnly, &m_reader).isOk());
    EXPECT_EQ(read(kChunk + 1, 2), std::string(2, char('a' + kChunk / 4096 % 26)));
    EXPECT_EQ(FileMap::servedBytes(), before);
}

// Index pages, which the engine keeps decoded, take a chunk of the budget
// only when the same bytes are read again; other reads on their first read.
TEST_F(FileMapTest, BytesTheCallerKeepsTakeAChunkOnlyWhenReadAgain)
{
    auto readKept = [&](uint64_t offset, size_t n) {
        std::string out(n, '\0');
        size_t got = 0;
        EXPECT_TRUE(m_reader->readKeptAt(offset, out.data(), n, &got).isOk());
        out.resize(got);
        return out;
    };
    const size_t before = FileMap::servedBytes();
    EXPECT_EQ(readKept(1024, 512), std::string(512, 'a'));
    EXPECT_EQ(readKept(2048, 512), std::string(512, 'a')); // other bytes of the chunk, read once
    EXPECT_EQ(readKept(4096 + 512, 512), std::string(512, 'b'));
    EXPECT_EQ(FileMap::servedBytes(), before);
    // Another open's change is read all the same.
    ASSERT_TRUE(m_other->writeAt(1024, "new", 3).isOk());
    EXPECT_EQ(readKept(1024, 3), "new"); // read again: now from the map
    EXPECT_EQ(FileMap::servedBytes(), before + kChunk);
    EXPECT_EQ(readKept(1536, 512), std::string(512, 'a')); // the chunk is served now
    ASSERT_TRUE(m_other->writeAt(1536, "newer", 5).isOk());
    EXPECT_EQ(readKept(1536, 5), "newer");
    EXPECT_EQ(FileMap::servedBytes(), before + kChunk);

    // A read that spans a block read before and one not: a first read.
    EXPECT_EQ(readKept(kChunk + 4096 - 4, 8), std::string(4, char('a' + kChunk / 4096 % 26)) + std::string(4, char('a' + (kChunk / 4096 + 1) % 26)));
    EXPECT_EQ(readKept(kChunk + 4096 - 4, 520), readOther(kChunk + 4096 - 4, 520));
    EXPECT_EQ(FileMap::servedBytes(), before + kChunk);
    // Other reads take their chunk at once.
    EXPECT_EQ(read(2 * kChunk, 4), std::string(4, char('a' + 2 * kChunk / 4096 % 26)));
    EXPECT_EQ(FileMap::servedBytes(), before + 2 * kChunk);
}

// A hint that bytes will be read soon touches nothing the map cannot serve:
// not a file cut short under it, nor bytes past its end or never read.
TEST_F(FileMapTest, AHintToReadSoonNeverFaults)
{
    m_reader->prefetch(0, 64); // not mapped yet
    EXPECT_EQ(read(kChunk + 8, 4), std::string(4, char('a' + kChunk / 4096 % 26)));
    m_reader->prefetch(kChunk, 4096);
    m_reader->prefetch(2 * kChunk, 4096); // a chunk the map does not serve
    m_reader->prefetch(10 * kChunk, 512); // past the end
    ASSERT_TRUE(m_other->truncate(0).isOk());
    m_reader->prefetch(kChunk, 4096); // served, but cut away
    EXPECT_EQ(read(kChunk + 8, 4), "");
}

TEST_F(FileMapTest, AWriteThroughTheMapIsReadByAnotherOpenAtOnceAndOutlivesAKilledProcess)
{
    const size_t before = FileMap::servedBytes();
    ASSERT_TRUE(m_reader->writeFastAt(5000, "wxyz", 4).isOk());
    EXPECT_EQ(FileMap::servedBytes(), before + kChunk); // the map took it
    EXPECT_EQ(readOther(4998, 8), "bbwxyzbb");

    // A process killed right after its write leaves the bytes in the file.
    const std::string file = m_path;
    ChildProcess child([file](ChildProcess& self) {
        std::unique_ptr<File> f;
        if (!Env::standard()->open(file, Env::OpenMode::ReadWrite, &f).isOk() || !f->writeFastAt(kChunk + 1, "child", 5).isOk())
            ::_exit(1);
        self.send('w');
        for (;;)
            ::pause();
    });
    ASSERT_EQ(child.receive(), 'w');
    child.kill();
    EXPECT_EQ(child.wait(), -1);
    EXPECT_EQ(readOther(kChunk + 1, 5), "child");
}

TEST_F(FileMapTest, AWriteTheMapCannotTakeGoesToTheFileAllTheSame)
{
    // Past the end: the file grows.
    ASSERT_TRUE(m_reader->writeFastAt(3 * kChunk - 2, "tail", 4).isOk());
    EXPECT_EQ(readOther(3 * kChunk - 2, 8), "tail");

    // Pages another open cut away: the map faults, pwrite puts the bytes
    // back where they belong.
    EXPECT_EQ(read(2 * kChunk + 10, 1), std::string(1, char('a' + (2 * kChunk) / 4096 % 26)));
    ASSERT_TRUE(m_other->truncate(4096 + 100).isOk());
    ASSERT_TRUE(m_reader->writeFastAt(2 * kChunk + 10, "back", 4).isOk());
    EXPECT_EQ(readOther(2 * kChunk + 8, 8), std::string("\0\0back", 6));
    EXPECT_EQ(readOther(4096 + 90, 12), std::string(10, 'b') + std::string(2, '\0'));

    // No budget: no map.
    FileMap::setBudget(0);
    ASSERT_TRUE(m_reader->writeFastAt(0, "none", 4).isOk());
    EXPECT_EQ(readOther(0, 4), "none");

    // A file opened read-only is not written, through a map or otherwise.
    FileMap::setBudget(m_budget);
    std::unique_ptr<File> readOnly;
    ASSERT_TRUE(Env::standard()->open(m_path, Env::OpenMode::ReadOnly, &readOnly).isOk());
    EXPECT_EQ(read(0, 4), "none");
    EXPECT_FALSE(readOnly->writeFastAt(0, "nope", 4).isOk());
    EXPECT_EQ(readOther(0, 4), "none");
}

} // namespace
