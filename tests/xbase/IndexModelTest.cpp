#include "XbaseFixture.h"

#include "xbase/CdxVerify.h"
#include "xbase/Index.h"
#include "xbase/IndexC4.h"
#include "xbase/IndexCheck.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>
#include <set>

using namespace xbase;

namespace {

constexpr size_t kFollow = 12;

struct ModelConfig {
    const char* name;
    int nameWidth;   // width of the character field the text tags key on
    bool ascending;  // names appended in ascending order
    int distinct;    // distinct names (few: many duplicates)
    int appends;
    int changes;     // random field changes, deletes and recalls after the appends
    bool exclusive;
};

struct Row {
    std::string name; // as stored: padded to the field width
    long cents = 0;
    std::string day = "        ";
    bool flag = false;
    bool deleted = false;
};

std::string upper(std::string s)
{
    for (char& c : s)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// The table's tags and how the model orders each of them.
struct TagModel {
    const char* name;
    bool descending;
    std::function<bool(const Row&)> admits;
    std::function<std::string(const Row&)> key; // sorts as the tag does
};

class IndexModel : public XbaseFixture, public ::testing::WithParamInterface<ModelConfig> {
protected:
    void SetUp() override
    {
        const ModelConfig& c = GetParam();
        m_rng.seed(uint32_t(c.nameWidth * 131 + c.distinct));
        m_engine.settings().exclusive = true;
        Table* t = create("m.dbf", {"NAME:C:" + std::to_string(c.nameWidth), "AMOUNT:N:12:2", "DAY:D:8", "FLAG:C:1"});
        ASSERT_NE(t, nullptr);
        const std::vector<TagDefinition> tags = {
            {"NAME", "UPPER(name)", ".NOT.DELETED()"},
            {"AMOUNT", "amount", ""},
            {"DAYDESC", "day", "", true},
            {"ACTIVE", "UPPER(name)", "flag = 'T' .AND. .NOT.DELETED()"},
            {"KEYSTR", "STR(amount,12,2)+DTOS(day)", ""},
        };
        XB_ASSERT_OK(Index::create(*t, tags));
        close(t);
        m_engine.settings().exclusive = c.exclusive;
        m_table = open("m.dbf");
        ASSERT_NE(m_table, nullptr);
        m_tags = {
            {"NAME", false, [](const Row& r) { return !r.deleted; }, [](const Row& r) { return upper(r.name); }},
            {"AMOUNT", false, [](const Row&) { return true; }, [](const Row& r) { return std::to_string(r.cents + 2000000); }},
            {"DAYDESC", true, [](const Row&) { return true; }, [](const Row& r) { return r.day; }},
            {"ACTIVE", false, [](const Row& r) { return r.flag && !r.deleted; }, [](const Row& r) { return upper(r.name); }},
            {"KEYSTR", false, [](const Row&) { return true; }, [](const Row& r) { return money(r.cents) + r.day; }},
        };
    }

    static std::string money(long cents)
    {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%12.2f", double(cents) / 100.0);
        return buf;
    }

    std::string randomName(int i)
    {
        const ModelConfig& c = GetParam();
        const int v = c.ascending ? i : int(m_rng() % uint32_t(c.distinct));
        char head[16];
        std::snprintf(head, sizeof head, "%c%07d", "aBcD"[v % 4], c.ascending ? i : v);
        std::string s = head;
        // Wide fields get long texts, so that keys stay wide after compression.
        while (int(s.size()) < c.nameWidth - 4)
            s += char('a' + (v * 7 + int(s.size())) % 26);
        s.resize(size_t(c.nameWidth), ' ');
        return s;
    }

    Row randomRow(int i)
    {
        Row r;
        r.name = randomName(i);
        r.cents = long(m_rng() % 2000) - 500;
        if (m_rng() % 5)
            r.day = "2024" + std::string(m_rng() % 2 ? "01" : "11") + std::to_string(10 + m_rng() % 18);
        r.flag = m_rng() % 3 != 0;
        return r;
    }

    void store(const Row& r)
    {
        XB_ASSERT_OK(m_table->field("NAME")->assignText(r.name));
        XB_ASSERT_OK(m_table->field("AMOUNT")->assignDouble(double(r.cents) / 100.0));
        XB_ASSERT_OK(m_table->field("DAY")->assignText(r.day));
        XB_ASSERT_OK(m_table->field("FLAG")->assignText(r.flag ? "T" : "F"));
    }

    void append(const Row& r)
    {
        XB_ASSERT_OK(m_table->appendStart());
        XB_ASSERT_OK(m_table->blank());
        store(r);
        XB_ASSERT_OK(m_table->append());
        m_rows.push_back(r);
        m_last = uint32_t(m_rows.size());
        enter(m_last);
    }

    // The model's tags: (key, record) pairs in ascending order.
    void enter(uint32_t recno)
    {
        m_sets.resize(m_tags.size());
        for (size_t i = 0; i < m_tags.size(); ++i)
            if (m_tags[i].admits(m_rows[recno - 1]))
                m_sets[i].emplace(m_tags[i].key(m_rows[recno - 1]), recno);
    }
    void leave(uint32_t recno)
    {
        for (size_t i = 0; i < m_tags.size(); ++i)
            m_sets[i].erase({m_tags[i].key(m_rows[recno - 1]), recno});
    }

    void change(uint32_t recno, const Row& r)
    {
        XB_ASSERT_OK(m_table->go(recno));
        XB_ASSERT_OK(m_table->lock(recno));
        store(r);
        if (r.deleted != m_table->deleted())
            XB_ASSERT_OK(r.deleted ? m_table->deleteRecord() : m_table->recall());
        XB_ASSERT_OK(m_table->unlock());
        leave(recno);
        m_rows[recno - 1] = r;
        enter(recno);
        m_last = recno;
    }

    // Records of a tag in its order, from the model.
    std::vector<uint32_t> expected(size_t tag) const
    {
        std::vector<uint32_t> out;
        for (const auto& p : m_sets[tag])
            out.push_back(p.second);
        if (m_tags[tag].descending)
            std::reverse(out.begin(), out.end());
        return out;
    }

    void select(const TagModel& tag) { ASSERT_EQ(d4tagSelect(m_table, d4tag(m_table, tag.name)), C4_SUCCESS); }

    std::vector<uint32_t> walk(bool forward)
    {
        std::vector<uint32_t> out;
        int rc = forward ? d4top(m_table) : C4_SUCCESS;
        if (!forward) {
            while (d4skip(m_table, 1) == C4_SUCCESS) {
            }
            rc = d4skip(m_table, -1);
        }
        for (; rc == C4_SUCCESS && out.size() <= m_rows.size(); rc = d4skip(m_table, forward ? 1 : -1))
            out.push_back(uint32_t(d4recNo(m_table)));
        if (!forward)
            std::reverse(out.begin(), out.end());
        return out;
    }

    // Every tag walked both ways, and its tree checked.
    void verifyAll()
    {
        for (size_t i = 0; i < m_tags.size(); ++i) {
            const TagModel& tag = m_tags[i];
            SCOPED_TRACE(tag.name);
            select(tag);
            const std::vector<uint32_t> want = expected(i);
            ASSERT_EQ(walk(true), want);
            ASSERT_EQ(walk(false), want);
        }
        std::vector<std::string> problems;
        XB_ASSERT_OK(checkIndex(*m_table, &problems));
        ASSERT_TRUE(problems.empty()) << problems.front();
    }

    // After one step: the changed record's neighbours in every tag, and
    // seeks of its name and amount.
    void verifyStep()
    {
        const uint32_t r = m_last;
        for (size_t i = 0; i < m_tags.size(); ++i) {
            const TagModel& tag = m_tags[i];
            SCOPED_TRACE(std::string(tag.name) + " record " + std::to_string(r));
            const auto& set = m_sets[i];
            const auto at = set.find({tag.key(m_rows[r - 1]), r});
            if (at == set.end())
                continue;
            // Neighbours in the tag's own order.
            const bool desc = tag.descending;
            const bool hasNext = desc ? at != set.begin() : std::next(at) != set.end();
            const bool hasPrev = desc ? std::next(at) != set.end() : at != set.begin();
            select(tag);
            ASSERT_EQ(d4go(m_table, long(r)), C4_SUCCESS);
            ASSERT_EQ(d4skip(m_table, 1), hasNext ? int(C4_SUCCESS) : int(C4_EOF));
            if (hasNext) {
                ASSERT_EQ(uint32_t(d4recNo(m_table)), desc ? std::prev(at)->second : std::next(at)->second);
            }
            ASSERT_EQ(d4go(m_table, long(r)), C4_SUCCESS);
            ASSERT_EQ(d4skip(m_table, -1), hasPrev ? int(C4_SUCCESS) : int(C4_BOF));
            if (hasPrev) {
                ASSERT_EQ(uint32_t(d4recNo(m_table)), desc ? std::next(at)->second : std::prev(at)->second);
            }
        }
        verifySeeks(m_rows[r - 1]);
    }

    void verifySeeks(const Row& row)
    {
        select(m_tags[0]);
        const std::string key = upper(row.name);
        const std::string prefix = key.substr(0, 1 + m_rng() % key.size());
        std::vector<uint32_t> want;
        // A short prefix matches many records; the first few tell enough.
        for (auto it = m_sets[0].lower_bound({prefix, 0});
             it != m_sets[0].end() && it->first.compare(0, prefix.size(), prefix) == 0 && want.size() < kFollow; ++it)
            want.push_back(it->second);
        std::vector<uint32_t> got;
        for (int rc = d4seek(m_table, prefix.c_str()); rc == C4_SUCCESS && got.size() < kFollow;
             rc = d4seekNext(m_table, prefix.c_str()))
            got.push_back(uint32_t(d4recNo(m_table)));
        ASSERT_EQ(got, want) << "prefix '" << prefix << "'";

        select(m_tags[1]);
        const std::string amount = m_tags[1].key(row);
        want.clear();
        for (auto it = m_sets[1].lower_bound({amount, 0}); it != m_sets[1].end() && it->first == amount && want.size() < kFollow; ++it)
            want.push_back(it->second);
        got.clear();
        const double value = double(row.cents) / 100.0;
        for (int rc = d4seekDouble(m_table, value); rc == C4_SUCCESS && got.size() < kFollow;
             rc = d4seekNextDouble(m_table, value))
            got.push_back(uint32_t(d4recNo(m_table)));
        ASSERT_EQ(got, want) << "amount " << value;
    }

    size_t depth(const char* tagName)
    {
        IndexTag* tag = Index::of(*m_table)->find(tagName);
        cdx::TreeStats stats;
        cdx::CdxFile& file = Index::of(*m_table)->file();
        EXPECT_TRUE(file.read([&] { return cdx::verifyTree(&file, tag->shape(), &stats); }).isOk());
        return stats.depth;
    }

    Table* m_table = nullptr;
    std::vector<Row> m_rows;
    std::vector<TagModel> m_tags;
    std::vector<std::set<std::pair<std::string, uint32_t>>> m_sets;
    uint32_t m_last = 0;
    std::mt19937 m_rng;
};

TEST_P(IndexModel, TagsFollowRandomChangesOfTheTable)
{
    const ModelConfig& c = GetParam();
    for (int i = 0; i < c.appends; ++i) {
        ASSERT_NO_FATAL_FAILURE(append(randomRow(i)));
        ASSERT_NO_FATAL_FAILURE(verifyStep());
        if (i % 500 == 0) {
            ASSERT_NO_FATAL_FAILURE(verifyAll());
        }
    }
    ASSERT_NO_FATAL_FAILURE(verifyAll());
    const size_t grown = depth("NAME");
    EXPECT_GE(grown, c.nameWidth > 100 ? 4u : 3u);
    for (int i = 0; i < c.changes; ++i) {
        const uint32_t recno = 1 + m_rng() % uint32_t(m_rows.size());
        Row r = m_rows[recno - 1];
        switch (m_rng() % 4) {
        case 0: r = randomRow(int(m_rng() % uint32_t(c.appends))); r.deleted = m_rows[recno - 1].deleted; break;
        case 1: r.cents = long(m_rng() % 2000) - 500; break;
        case 2: r.deleted = !r.deleted; break;
        default: r.flag = !r.flag; break;
        }
        ASSERT_NO_FATAL_FAILURE(change(recno, r));
        ASSERT_NO_FATAL_FAILURE(verifyStep());
        if (i % 500 == 0) {
            ASSERT_NO_FATAL_FAILURE(verifyAll());
        }
    }
    ASSERT_NO_FATAL_FAILURE(verifyAll());
    // Deleting nearly everything empties the tags that leave deleted rows out.
    for (uint32_t recno = 1; recno <= m_rows.size(); ++recno) {
        Row r = m_rows[recno - 1];
        r.deleted = recno % 50 != 0;
        if (r.deleted != m_rows[recno - 1].deleted) {
            ASSERT_NO_FATAL_FAILURE(change(recno, r));
        }
    }
    ASSERT_NO_FATAL_FAILURE(verifyAll());
    EXPECT_LT(depth("NAME"), grown);
}

INSTANTIATE_TEST_SUITE_P(Configurations, IndexModel,
    ::testing::Values(ModelConfig{"narrow_ascending_shared", 8, true, 1 << 30, 4000, 1500, false},
                      ModelConfig{"narrow_random_duplicates_exclusive", 10, false, 40, 3000, 2000, true},
                      ModelConfig{"wide_random_shared", 200, false, 100000, 700, 1000, false},
                      ModelConfig{"wide_duplicates_exclusive", 120, false, 30, 700, 1000, true}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
