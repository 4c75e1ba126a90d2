#include "xbase/CdxBuilder.h"
#include "xbase/CdxTree.h"
#include "xbase/CdxVerify.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

using namespace xbase;
using namespace xbase::cdx;

namespace {

using Pair = std::pair<std::string, uint32_t>;
constexpr uint16_t kKeyLen = 12;

// Two shared handles of one index file, as two processes hold it: each keeps
// the pages it read, and each must see what the other wrote.
class CdxSharedPages : public ::testing::Test {
protected:
    struct Handle {
        std::unique_ptr<CdxFile> file;
        std::unique_ptr<CdxTree> tree;
    };

    void SetUp() override
    {
        std::vector<TagImage> tags(1);
        tags[0].name = "T";
        tags[0].header.keyLen = kKeyLen;
        tags[0].fill = 0x20;
        m_path = m_dir.fileStd(QStringLiteral("t.cdx"));
        ASSERT_TRUE(writeCdx(Env::standard(), m_path, tags).isOk());
        for (Handle& h : m_handles) {
            CdxFile::Options o;
            o.stepTrustMs = 0;
            ASSERT_TRUE(CdxFile::open(Env::standard(), m_path, o, &h.file).isOk());
            h.tree = std::make_unique<CdxTree>(h.file.get(), TreeShape{0x600, kKeyLen, 0x20});
        }
    }

    static std::string key(int value)
    {
        std::string k = std::to_string(value);
        k = std::string(k.size() < 7 ? 7 - k.size() : 0, '0') + k;
        k.resize(kKeyLen, ' ');
        return k;
    }
    static const uint8_t* bytes(const std::string& k) { return reinterpret_cast<const uint8_t*>(k.data()); }

    void insert(Handle& h, int v)
    {
        bool added = false;
        ASSERT_TRUE(h.file->write([&] { return h.tree->insert(bytes(key(v)), uint32_t(v + 1), &added); }).isOk());
        EXPECT_EQ(added, m_model.insert({key(v), uint32_t(v + 1)}).second);
    }

    void remove(Handle& h, int v)
    {
        bool removed = false;
        ASSERT_TRUE(h.file->write([&] { return h.tree->remove(bytes(key(v)), uint32_t(v + 1), &removed); }).isOk());
        EXPECT_EQ(removed, m_model.erase({key(v), uint32_t(v + 1)}) == 1);
    }

    std::vector<Pair> walk(Handle& h)
    {
        std::vector<Pair> out;
        const Status s = h.file->read([&] {
            out.clear();
            TreePos pos;
            XB_RETURN_IF_ERROR(h.tree->first(&pos));
            while (pos.valid()) {
                Pair p{std::string(kKeyLen, '\0'), 0};
                XB_RETURN_IF_ERROR(h.tree->entry(pos, reinterpret_cast<uint8_t*>(p.first.data()), &p.second));
                out.push_back(p);
                XB_RETURN_IF_ERROR(h.tree->next(&pos));
            }
            return Status::ok();
        });
        EXPECT_TRUE(s.isOk()) << s.toString();
        return out;
    }

    // The handle finds exactly the model, and the entry at or after a key.
    void expectInStep(Handle& h, int probe)
    {
        EXPECT_EQ(walk(h), std::vector<Pair>(m_model.begin(), m_model.end()));
        TreePos pos;
        Pair found{std::string(kKeyLen, '\0'), 0};
        ASSERT_TRUE(h.file->read([&] {
            XB_RETURN_IF_ERROR(h.tree->lowerBound(bytes(key(probe)), 0, &pos));
            return pos.valid() ? h.tree->entry(pos, reinterpret_cast<uint8_t*>(found.first.data()), &found.second)
                               : Status::ok();
        }).isOk());
        const auto it = m_model.lower_bound({key(probe), 0});
        ASSERT_EQ(pos.valid(), it != m_model.end());
        if (pos.valid())
            EXPECT_EQ(found, *it);
        TreeStats stats;
        EXPECT_TRUE(h.file->read([&] { return verifyTree(h.file.get(), h.tree->shape(), &stats); }).isOk());
    }

    bmtest::TempFolder m_dir;
    std::string m_path;
    Handle m_handles[2];
    std::set<Pair> m_model;
};

// Each handle has read every page before the other changes a few of them:
// the changed leaves, a split, a merge or a freed page must not be served
// from what the first handle kept, while the pages nobody touched are.
TEST_F(CdxSharedPages, EachHandleSeesThePagesTheOtherChangedAndKeepsItsWalkWhole)
{
    for (int v = 0; v < 3000; ++v)
        insert(m_handles[0], v * 2);
    expectInStep(m_handles[0], 0);
    expectInStep(m_handles[1], 0);
    std::mt19937 rng(39);
    for (int round = 0; round < 60; ++round) {
        Handle& writer = m_handles[round % 2];
        Handle& reader = m_handles[1 - round % 2];
        const int changes = 1 + int(rng() % 40);
        for (int i = 0; i < changes; ++i) {
            const int v = int(rng() % 7000);
            if (rng() % 3 == 0)
                remove(writer, v);
            else
                insert(writer, v);
        }
        expectInStep(reader, int(rng() % 7000));
        expectInStep(writer, int(rng() % 7000));
    }
}

// A change that leaves the tree's shape alone rewrites one leaf in place:
// the other handle, which holds that leaf decoded, must read it again.
TEST_F(CdxSharedPages, ALeafRewrittenInPlaceIsReadAgainByTheOtherHandle)
{
    for (int v = 0; v < 50; ++v)
        insert(m_handles[0], v * 2);
    expectInStep(m_handles[1], 0);
    insert(m_handles[0], 41);
    expectInStep(m_handles[1], 41);
    remove(m_handles[0], 40);
    expectInStep(m_handles[1], 40);
    remove(m_handles[1], 41);
    expectInStep(m_handles[0], 41);
}

// Pages the other handle freed go back to the free list; this handle still
// holds them as the nodes they were, and must take them for new nodes.
TEST_F(CdxSharedPages, PagesTheOtherHandleFreedAreUsedAgainForNewNodes)
{
    for (int v = 0; v < 3000; ++v)
        insert(m_handles[0], v);
    expectInStep(m_handles[1], 0);
    for (int v = 0; v < 2900; ++v)
        remove(m_handles[0], v);
    expectInStep(m_handles[0], 0);
    for (int v = 5000; v < 8000; ++v)
        insert(m_handles[1], v);
    expectInStep(m_handles[1], 0);
    expectInStep(m_handles[0], 6000);
}

} // namespace
