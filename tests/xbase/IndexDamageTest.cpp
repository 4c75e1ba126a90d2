#include "XbaseFixture.h"

#include "xbase/Coding.h"
#include "xbase/Index.h"
#include "xbase/IndexC4.h"
#include "xbase/IndexCheck.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <set>

using namespace xbase;
using namespace xbase::coding;

namespace {

// An indexed table of 400 rows whose NAME tag has an interior root over
// several leaves; the verbs find its pages and damage them.
class IndexDamage : public XbaseFixture {
public:
    void build()
    {
        m_engine.settings().exclusive = true;
        Table* t = create("d.dbf", {"ID:N:8", "NAME:C:40"});
        ASSERT_NE(t, nullptr);
        for (int i = 1; i <= 400; ++i)
            appendTexts(t, {{"ID", std::to_string(i)}, {"NAME", "customer number " + std::to_string(i * 37 % 400) + " of many"}});
        XB_ASSERT_OK(Index::create(*t, {{"NAME", "UPPER(name)", ""}, {"ID", "id", ""}}));
        close(t);
        m_engine.settings().exclusive = false;
        m_cdx = readFile("d.cdx");
        ASSERT_FALSE(m_cdx[root()] & 2) << "the root must be an interior node";
    }

    uint32_t u32(size_t at) const { return getU32LE(m_cdx.data() + at); }
    // The NAME tag: header at 0x600, key length 40.
    uint32_t root() const { return u32(0x600); }
    uint32_t child(uint32_t node, size_t i) const { return getU32BE(m_cdx.data() + node + 12 + i * 48 + 44); }
    uint32_t firstLeaf() const
    {
        uint32_t n = root();
        while (!(m_cdx[n] & 2))
            n = child(n, 0);
        return n;
    }
    void put32(size_t at, uint32_t v, bool bigEndian = false)
    {
        std::vector<uint8_t> b(4);
        bigEndian ? putU32BE(b.data(), v) : putU32LE(b.data(), v);
        patch("d.cdx", at, b);
    }

    void patchCdx(size_t at, std::vector<uint8_t> bytes) { patch("d.cdx", at, bytes); }
    void cutCdx(size_t size) { truncate("d.cdx", size); }

    std::vector<uint8_t> m_cdx;
};

struct IndexDamageCase {
    const char* name;
    std::function<void(IndexDamage&)> apply;
    bool atOpen; // the table refuses to open
};

class IndexDamageTest : public IndexDamage, public ::testing::WithParamInterface<IndexDamageCase> {};

const IndexDamageCase kCases[] = {
    {"child_off_a_page", [](IndexDamage& d) { d.put32(d.root() + 12 + 44, 0x1234, true); }, false},
    {"child_past_the_end", [](IndexDamage& d) { d.put32(d.root() + 12 + 44, 0x7FFFFE00, true); }, false},
    {"child_is_its_parent", [](IndexDamage& d) { d.put32(d.root() + 12 + 44, d.root(), true); }, false},
    {"key_count_past_the_leaf", [](IndexDamage& d) { d.patchCdx(d.firstLeaf() + 2, {0xFF, 0x0F}); }, false},
    {"key_count_past_the_interior_node", [](IndexDamage& d) { d.patchCdx(d.root() + 2, {0xFF, 0x00}); }, false},
    {"leaf_entry_width_zero", [](IndexDamage& d) { d.patchCdx(d.firstLeaf() + 23, {0}); }, false},
    {"duplicate_count_past_the_key", [](IndexDamage& d) { d.patchCdx(d.firstLeaf() + 18, {0xFF, 0xFF, 0x08, 0x08}); }, false},
    {"leaves_linked_in_a_loop",
     [](IndexDamage& d) {
         const uint32_t a = d.firstLeaf(), b = d.u32(a + 8);
         d.put32(b + 8, a);
         d.put32(a + 4, b);
     },
     false},
    {"leaf_linked_to_itself", [](IndexDamage& d) { d.put32(d.firstLeaf() + 8, d.firstLeaf()); }, false},
    {"root_past_the_end", [](IndexDamage& d) { d.put32(0x600, 0x10000000); }, false},
    {"free_list_names_a_live_leaf", [](IndexDamage& d) { d.put32(4, d.firstLeaf()); }, false},
    {"file_cut_short", [](IndexDamage& d) { d.cutCdx(0x600 + 0x800 + 512 * 3); }, false},
    {"tag_key_length_zero", [](IndexDamage& d) { d.patchCdx(0x600 + 12, {0, 0}); }, true},
    {"directory_points_nowhere", [](IndexDamage& d) { d.put32(0, 0x7FFFF000); }, true},
};

// Walks the tag both ways with a bound far above its size, so that a loop
// shows as a failure rather than a hang.
int boundedWalk(Table* t, long delta)
{
    int rc = delta > 0 ? d4top(t) : C4_SUCCESS;
    for (int steps = 0; rc == C4_SUCCESS; ++steps) {
        if (steps > 5000)
            return 999;
        rc = d4skip(t, delta);
    }
    return rc;
}

TEST_P(IndexDamageTest, GivesAnErrorNeverACrashOrAnEndlessWalkAndReindexRepairs)
{
    build();
    GetParam().apply(*this);
    Table* t = nullptr;
    const Status opened = m_engine.openTable(path("d.dbf"), &t);
    if (GetParam().atOpen) {
        EXPECT_TRUE(opened.isCorruption()) << opened.toString();
        return;
    }
    XB_ASSERT_OK(opened);
    ASSERT_EQ(d4tagSelect(t, d4tag(t, "name")), C4_SUCCESS);
    EXPECT_NE(boundedWalk(t, 1), 999);
    EXPECT_NE(boundedWalk(t, -1), 999);
    for (const char* text : {"CUSTOMER NUMBER 1", "ZZZ", ""})
        EXPECT_NE(d4seek(t, text), 999);
    std::vector<std::string> problems;
    const Status checked = checkIndex(*t, &problems);
    EXPECT_TRUE(!checked.isOk() || !problems.empty());
    // Changes over the damaged tree fail cleanly or succeed.
    (void)t->appendStart();
    (void)t->field("NAME")->assignText("late arrival");
    (void)t->append();
    close(t);

    m_engine.settings().exclusive = true;
    t = open("d.dbf");
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(d4reindex(t), C4_SUCCESS);
    problems.clear();
    XB_ASSERT_OK(checkIndex(*t, &problems));
    EXPECT_TRUE(problems.empty()) << problems.front();
    close(t);
}

INSTANTIATE_TEST_SUITE_P(Damages, IndexDamageTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Pages another open cut away while this one had the index open: past the
// new end the file's map shows zeros up to the end of its memory page, which
// must read as the end of the file, not as a page of zeros.
TEST_F(IndexDamage, PagesCutAwayUnderAnOpenIndexAreFoundPastTheEnd)
{
    build();
    Table* t = open("d.dbf");
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(d4tagSelect(t, d4tag(t, "NAME")), C4_SUCCESS);
    ASSERT_EQ(d4top(t), C4_SUCCESS);
    const size_t cut = 0x600 + 0x800 + 512 * 3;
    ASSERT_NE(cut % 4096, 0u);
    ASSERT_GT(m_cdx.size(), cut + 4096);
    cutCdx(cut);
    int rc = C4_SUCCESS;
    for (int steps = 0; rc == C4_SUCCESS && steps < 5000; ++steps)
        rc = d4skip(t, 1);
    EXPECT_NE(rc, C4_SUCCESS);
    const std::string error = m_engine.lastError().toString();
    EXPECT_NE(error.find("lies past the end"), std::string::npos) << error;
    close(t);
}

} // namespace

namespace {

// Records renamed behind the index's back: their entries keep the old keys.
// A walk still visits every entry once, in the index's order.
TEST_F(IndexDamage, AnIndexOutOfStepWithItsTableStillWalksEachEntryOnce)
{
    build();
    std::vector<uint8_t> dbf = readFile("d.dbf");
    const size_t header = getU16LE(dbf.data() + 8), recLen = getU16LE(dbf.data() + 10);
    for (size_t r : {3, 50, 51, 399})
        std::memcpy(dbf.data() + header + (r - 1) * recLen + 9, "AAAA renamed", 12);
    writeFile("d.dbf", dbf);
    Table* t = open("d.dbf");
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(d4tagSelect(t, d4tag(t, "NAME")), C4_SUCCESS);
    std::vector<uint32_t> forward, backward;
    for (int rc = d4top(t); rc == C4_SUCCESS && forward.size() < 1000; rc = d4skip(t, 1))
        forward.push_back(uint32_t(d4recNo(t)));
    EXPECT_EQ(forward.size(), 400u);
    EXPECT_EQ(std::set<uint32_t>(forward.begin(), forward.end()).size(), 400u);
    for (int rc = d4skip(t, -1); rc == C4_SUCCESS && backward.size() < 1000; rc = d4skip(t, -1))
        backward.push_back(uint32_t(d4recNo(t)));
    std::reverse(backward.begin(), backward.end());
    EXPECT_EQ(backward, forward);
    close(t);
}

} // namespace
