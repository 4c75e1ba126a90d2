#include "TestSupport.h"

#include "xbase/Env.h"
#include "xbase/MappedReads.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using xbase::Env;
using xbase::File;
using xbase::MappedReads;

namespace {

constexpr size_t kChunk = size_t(1) << MappedReads::kChunkShift;

// Files read through readFastAt, which serves from a map of the file where
// it can, beside a second open of the same file that writes and cuts it as
// another program would.
class MappedReadsTest : public ::testing::Test {
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
        m_budget = MappedReads::budget();
    }
    void TearDown() override { MappedReads::setBudget(m_budget); }

    std::string read(uint64_t offset, size_t n)
    {
        std::string out(n, '\0');
        size_t got = 0;
        const xbase::Status s = m_reader->readFastAt(offset, out.data(), n, &got);
        EXPECT_TRUE(s.isOk()) << s.toString();
        out.resize(got);
        return out;
    }

    bmtest::TempFolder m_dir;
    std::string m_path;
    std::unique_ptr<File> m_reader, m_other;
    size_t m_budget = 0;
};

TEST_F(MappedReadsTest, AWriteThroughAnotherOpenIsReadAtOnce)
{
    EXPECT_EQ(read(5000, 4), "bbbb");
    ASSERT_TRUE(m_other->writeAt(5000, "wxyz", 4).isOk());
    EXPECT_EQ(read(5000, 4), "wxyz");
    // What another open appends past the end the reader knew is read too.
    ASSERT_TRUE(m_other->writeAt(3 * kChunk, "tail", 4).isOk());
    EXPECT_EQ(read(3 * kChunk, 4), "tail");
    EXPECT_EQ(read(3 * kChunk + 2, 4), "il"); // and where it ends
}

TEST_F(MappedReadsTest, AFileAnotherOpenCutsShortGivesShortReadsNotACrash)
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

TEST_F(MappedReadsTest, TheBudgetBoundsWhatTheMapsServeAndAClosedFileGivesItBack)
{
    MappedReads::setBudget(MappedReads::servedBytes() + kChunk);
    const size_t before = MappedReads::servedBytes();
    EXPECT_EQ(read(100, 3), "aaa");
    EXPECT_EQ(MappedReads::servedBytes(), before + kChunk);
    // A chunk past the budget is read all the same, not from the map.
    EXPECT_EQ(read(2 * kChunk + 4096, 3), std::string(3, char('a' + (2 * kChunk + 4096) / 4096 % 26)));
    EXPECT_EQ(MappedReads::servedBytes(), before + kChunk);
    EXPECT_EQ(read(200, 3), "aaa"); // the chunk it serves stays served
    m_reader.reset();
    EXPECT_EQ(MappedReads::servedBytes(), before);

    MappedReads::setBudget(0); // no maps at all
    ASSERT_TRUE(Env::standard()->open(m_path, Env::OpenMode::ReadOnly, &m_reader).isOk());
    EXPECT_EQ(read(kChunk + 1, 2), std::string(2, char('a' + kChunk / 4096 % 26)));
    EXPECT_EQ(MappedReads::servedBytes(), before);
}

} // namespace
