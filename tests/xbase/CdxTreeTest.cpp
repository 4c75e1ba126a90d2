#include "xbase/CdxBuilder.h"
#include "xbase/CdxTree.h"
#include "xbase/CdxVerify.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <set>

using namespace xbase;
using namespace xbase::cdx;

namespace {

enum class Order { Ascending, Descending, Random };

struct TreeConfig {
    const char* name;
    uint16_t keyLen;
    uint8_t fill;
    Order order;
    int count;
    int distinct; // distinct key values; fewer than count gives duplicates
    int churn;    // random inserts and removes after the first fill
};

using Pair = std::pair<std::string, uint32_t>;

// One tag in a fresh index file, with an in-memory model to compare against.
class TreeFixture {
public:
    explicit TreeFixture(const TreeConfig& c) : m_config(c)
    {
        std::vector<TagImage> tags(1);
        tags[0].name = "T";
        tags[0].header.keyLen = c.keyLen;
        tags[0].fill = c.fill;
        m_path = m_dir.fileStd(QStringLiteral("t.cdx"));
        EXPECT_TRUE(writeCdx(Env::standard(), m_path, tags).isOk());
        CdxFile::Options o;
        o.cacheNodes = 64; // small, so pages are read back from the file
        EXPECT_TRUE(CdxFile::open(Env::standard(), m_path, o, &m_file).isOk());
        m_tree = std::make_unique<CdxTree>(m_file.get(), TreeShape{0x600, c.keyLen, c.fill});
    }

    std::string key(int value) const
    {
        // Long runs of shared prefixes and of padding, as real keys have.
        std::string k = std::to_string(value % m_config.distinct);
        k = std::string(k.size() < 6 ? 6 - k.size() : 0, '0') + k;
        if (k.size() > m_config.keyLen)
            k = k.substr(k.size() - m_config.keyLen);
        k.resize(m_config.keyLen, char(m_config.fill));
        if (m_config.keyLen > 12)
            k[m_config.keyLen / 2] = char('a' + value % 3);
        return k;
    }

    void insert(const std::string& k, uint32_t recno)
    {
        bool added = false;
        ASSERT_TRUE(m_file->write([&] { return m_tree->insert(bytes(k), recno, &added); }).isOk());
        EXPECT_EQ(added, m_model.insert({k, recno}).second);
    }

    void remove(const std::string& k, uint32_t recno)
    {
        bool removed = false;
        ASSERT_TRUE(m_file->write([&] { return m_tree->remove(bytes(k), recno, &removed); }).isOk());
        EXPECT_EQ(removed, m_model.erase({k, recno}) == 1);
    }

    void verify()
    {
        TreeStats stats;
        Status s = m_file->read([&] { return verifyTree(m_file.get(), m_tree->shape(), &stats); });
        ASSERT_TRUE(s.isOk()) << s.toString();
        ASSERT_EQ(stats.pairs, m_model.size());
        m_maxDepth = std::max(m_maxDepth, stats.depth);
        m_depth = stats.depth;
        EXPECT_EQ(walk(true), std::vector<Pair>(m_model.begin(), m_model.end()));
        EXPECT_EQ(walk(false), std::vector<Pair>(m_model.rbegin(), m_model.rend()));
    }

    void probe(const std::string& k, uint32_t recno)
    {
        TreePos pos;
        Pair found;
        ASSERT_TRUE(m_file->read([&] {
            XB_RETURN_IF_ERROR(m_tree->lowerBound(bytes(k), recno, &pos));
            return pos.valid() ? entry(pos, &found) : Status::ok();
        }).isOk());
        auto it = m_model.lower_bound({k, recno});
        ASSERT_EQ(pos.valid(), it != m_model.end());
        if (pos.valid()) {
            EXPECT_EQ(found, *it);
        }
    }

    size_t fileSize() const { return size_t(std::filesystem::file_size(m_path)); }
    std::set<Pair>& model() { return m_model; }
    size_t maxDepth() const { return m_maxDepth; }
    size_t depth() const { return m_depth; }

private:
    static const uint8_t* bytes(const std::string& k) { return reinterpret_cast<const uint8_t*>(k.data()); }

    Status entry(const TreePos& pos, Pair* out)
    {
        std::string k(m_config.keyLen, '\0');
        XB_RETURN_IF_ERROR(m_tree->entry(pos, reinterpret_cast<uint8_t*>(k.data()), &out->second));
        out->first = k;
        return Status::ok();
    }

    std::vector<Pair> walk(bool forward)
    {
        std::vector<Pair> out;
        EXPECT_TRUE(m_file->read([&] {
            TreePos pos;
            XB_RETURN_IF_ERROR(forward ? m_tree->first(&pos) : m_tree->last(&pos));
            while (pos.valid()) {
                Pair p;
                XB_RETURN_IF_ERROR(entry(pos, &p));
                out.push_back(p);
                XB_RETURN_IF_ERROR(forward ? m_tree->next(&pos) : m_tree->prev(&pos));
            }
            return Status::ok();
        }).isOk());
        return out;
    }

    TreeConfig m_config;
    bmtest::TempFolder m_dir;
    std::string m_path;
    std::unique_ptr<CdxFile> m_file;
    std::unique_ptr<CdxTree> m_tree;
    std::set<Pair> m_model;
    size_t m_maxDepth = 0;
    size_t m_depth = 0;
};

class CdxTreeTest : public ::testing::TestWithParam<TreeConfig> {};

TEST_P(CdxTreeTest, GrowsAndShrinksInStepWithAModel)
{
    const TreeConfig& c = GetParam();
    TreeFixture t(c);
    std::mt19937 rng(c.keyLen * 7919 + c.count);
    std::vector<int> values(size_t(c.count));
    for (int i = 0; i < c.count; ++i)
        values[size_t(i)] = c.order == Order::Descending ? c.count - i : i;
    if (c.order == Order::Random)
        std::shuffle(values.begin(), values.end(), rng);
    for (int i = 0; i < c.count; ++i) {
        t.insert(t.key(values[size_t(i)]), uint32_t(values[size_t(i)] + 1));
        if (i % (c.count / 4) == 0)
            t.verify();
    }
    t.verify();
    for (int i = 0; i < c.churn; ++i) {
        const int v = int(rng() % uint32_t(c.count * 2));
        if (rng() % 2)
            t.insert(t.key(v), uint32_t(v + 1));
        else
            t.remove(t.key(v), uint32_t(v + 1));
        if (i % 50 == 0)
            t.probe(t.key(int(rng() % uint32_t(c.count))), rng() % uint32_t(c.count));
    }
    t.verify();
    const size_t grown = t.fileSize();
    std::vector<Pair> all(t.model().begin(), t.model().end());
    std::shuffle(all.begin(), all.end(), rng);
    for (size_t i = 0; i < all.size(); ++i) {
        t.remove(all[i].first, all[i].second);
        if (i % (all.size() / 3 + 1) == 0)
            t.verify();
    }
    t.verify();
    EXPECT_GE(t.maxDepth(), 3u);
    EXPECT_EQ(t.depth(), 1u);
    // Freed pages are used again rather than growing the file.
    for (int i = 0; i < c.count; ++i)
        t.insert(t.key(i), uint32_t(i + 1));
    t.verify();
    EXPECT_LE(t.fileSize(), grown + 4096);
}

INSTANTIATE_TEST_SUITE_P(Configurations, CdxTreeTest,
    ::testing::Values(TreeConfig{"narrow_binary_ascending", 4, 0x00, Order::Ascending, 6000, 1 << 30, 2000},
                      TreeConfig{"numeric_random", 8, 0x00, Order::Random, 6000, 1 << 30, 3000},
                      TreeConfig{"char_descending", 10, 0x20, Order::Descending, 4000, 1 << 30, 2000},
                      TreeConfig{"char_duplicates", 20, 0x20, Order::Random, 5000, 37, 3000},
                      TreeConfig{"wide_keys_random", 100, 0x20, Order::Random, 1500, 1 << 30, 1000},
                      TreeConfig{"widest_keys_duplicates", 240, 0x20, Order::Random, 800, 11, 800}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
