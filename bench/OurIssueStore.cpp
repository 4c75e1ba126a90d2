#include "IssueRows.h"
#include "IssueStore.h"

#include "xbase/IndexC4.h"
#include "xbase/FileMap.h"
#include "xbase/c4.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

// The issues table in our engine, used the way the data store uses it:
// shared access, the operation layer's calls, tags with .NOT.DELETED().

namespace {

bool g_exclusiveReads = false;
size_t g_indexCachePages = 0; // 0: the engine's default

void must(bool ok, const char* what)
{
    if (!ok)
        throw std::runtime_error(std::string("engine: ") + what);
}

const TAG4INFO kTags[] = {
    {"rowid", "rowid", ".NOT.DELETED()", 0, 0},       {"custid", "custid", ".NOT.DELETED()", 0, 0},
    {"PSID", "psid", ".NOT.DELETED()", 0, 0},         {"ASSIGNEDTO", "assignedto", ".NOT.DELETED()", 0, 0},
    {"status", "status", ".NOT.DELETED()", 0, 0},     {"SUBMITDT", "submitdt", ".NOT.DELETED()", 0, 0},
    {nullptr, nullptr, nullptr, 0, 0},
};

class OurIssueStore final : public IssueStore {
public:
    ~OurIssueStore() override
    {
        if (m_c4)
            d4initUndo(m_c4);
    }
    const char* name() const override { return "ours"; }

    uint64_t appendAll(const std::string& folder, int n) override
    {
        create(folder);
        appendRows(n);
        return uint64_t(d4recCountDo(m_d4));
    }

    uint64_t appendBatch(const std::string& folder, int n) override
    {
        create(folder);
        d4close(m_d4);
        code4accessMode(m_c4, 1);
        m_d4 = d4open(m_c4, (folder + "/bccissues.dbf").c_str());
        code4accessMode(m_c4, 0);
        must(m_d4 != nullptr, "open exclusively");
        must(m_d4->beginBatch().isOk(), "batch");
        appendRows(n);
        must(m_d4->endBatch().isOk(), "batch end");
        return uint64_t(d4recCountDo(m_d4));
    }

    void reopen(const std::string& folder) override
    {
        if (m_c4)
            d4initUndo(m_c4);
        m_c4 = d4init_v();
        if (g_indexCachePages)
            m_c4->settings().indexCachePages = g_indexCachePages;
        code4accessMode(m_c4, g_exclusiveReads ? 1 : 0);
        m_d4 = d4open(m_c4, (folder + "/bccissues.dbf").c_str());
        must(m_d4 != nullptr, "open");
    }

    uint64_t seekRows(const std::vector<int>& rowids) override
    {
        d4tagSelect(m_d4, d4tag(m_d4, "rowid"));
        FIELD4* custid = d4field(m_d4, "custid");
        uint64_t sum = 0;
        for (int id : rowids) {
            must(d4seekDouble(m_d4, id) == 0, "seek");
            sum += uint64_t(f4long(custid));
        }
        return sum;
    }

    uint64_t walkByCustomer() override
    {
        d4tagSelect(m_d4, d4tag(m_d4, "custid"));
        FIELD4* rowid = d4field(m_d4, "rowid");
        FIELD4* custid = d4field(m_d4, "custid");
        FIELD4* status = d4field(m_d4, "status");
        uint64_t sum = 0, i = 0;
        for (int rc = d4top(m_d4); rc == 0; rc = d4skip(m_d4, 1), ++i)
            sum += uint64_t(f4long(rowid)) * (i % 7 + 1) + uint64_t(f4long(custid)) + uint64_t(f4long(status));
        return sum;
    }

    uint64_t rowsOfCustomers(const std::vector<int>& custids) override
    {
        d4tagSelect(m_d4, d4tag(m_d4, "custid"));
        FIELD4* rowid = d4field(m_d4, "rowid");
        uint64_t sum = 0;
        for (int c : custids)
            for (int rc = d4seekDouble(m_d4, c); rc == 0; rc = d4seekNextDouble(m_d4, c))
                sum += uint64_t(f4long(rowid));
        return sum;
    }

    uint64_t rowsInCustomerRange(int first, int last) override
    {
        d4tagSelect(m_d4, d4tag(m_d4, "custid"));
        FIELD4* rowid = d4field(m_d4, "rowid");
        FIELD4* custid = d4field(m_d4, "custid");
        uint64_t sum = 0;
        int rc = d4seekDouble(m_d4, first);
        for (rc = rc == C4_AFTER ? 0 : rc; rc == 0 && f4long(custid) <= last; rc = d4skip(m_d4, 1))
            sum += uint64_t(f4long(rowid));
        return sum;
    }

    uint64_t scanPriority(int priority) override
    {
        d4tagSelect(m_d4, nullptr);
        FIELD4* field = d4field(m_d4, "priority");
        uint64_t count = 0;
        for (int rc = d4top(m_d4); rc == 0; rc = d4skip(m_d4, 1))
            count += f4long(field) == priority ? 1 : 0;
        return count;
    }

private:
    void appendRows(int n)
    {
        FIELD4* f[10];
        const char* names[] = {"rowid", "custid", "psid", "shortdesc", "assignedto", "priority", "status", "issuecat", "submitdt", "desc"};
        for (int i = 0; i < 10; ++i)
            f[i] = d4field(m_d4, names[i]);
        for (int i = 1; i <= n; ++i) {
            const IssueRow r = issueRow(i);
            must(d4appendStartVB(m_d4, 0) == 0 && d4blank(m_d4) == 0, "append start");
            f4assignDouble(f[0], r.rowid);
            f4assignDouble(f[1], r.custid);
            f4assignDouble(f[2], r.psid);
            f4assignNVB(f[3], r.shortdesc.data(), int(r.shortdesc.size()));
            f4assignDouble(f[4], r.assignedto);
            f4assignDouble(f[5], r.priority);
            f4assignDouble(f[6], r.status);
            f4assignDouble(f[7], r.issuecat);
            f4assignNVB(f[8], r.submitdt.data(), int(r.submitdt.size()));
            f4memoAssignN(f[9], r.desc.data(), uint32_t(r.desc.size()));
            must(d4append(m_d4) == 0, "append");
        }
    }

    void create(const std::string& folder)
    {
        if (m_c4)
            d4initUndo(m_c4);
        m_c4 = d4init_v();
        if (g_indexCachePages)
            m_c4->settings().indexCachePages = g_indexCachePages;
        xbase::TableDefinition def;
        const std::pair<const char*, int> numbers[] = {{"rowid", 10}, {"custid", 10}, {"psid", 10}, {"assignedto", 10},
                                                       {"priority", 10}, {"status", 10}, {"issuecat", 10}, {"lastmodby", 10},
                                                       {"underedit", 10}};
        for (const auto& [n, w] : numbers)
            def.fields.push_back({n, 'N', 0, uint8_t(w)});
        for (const char* n : {"shortdesc", "custom1", "custom2", "edtstation"})
            def.fields.push_back({n, 'C', 0, 60});
        for (const char* n : {"submitdt", "responsedt", "resolvedt", "lastmoddt"})
            def.fields.push_back({n, 'D', 0, 8});
        def.fields.push_back({"lastmodtm", 'C', 0, 8});
        def.fields.push_back({"desc", 'M', 0, 10});
        def.fields.push_back({"resolution", 'M', 0, 10});
        def.structuralIndex = true;
        code4accessMode(m_c4, 1);
        for (const char* ext : {".dbf", ".cdx", ".fpt"})
            std::remove((folder + "/bccissues" + ext).c_str());
        xbase::Table* t = nullptr;
        must(m_c4->createTable(folder + "/bccissues.dbf", def, &t).isOk(), "create");
        must(i4create(t, kTags) == 0, "index");
        d4close(t);
        code4accessMode(m_c4, 0);
        m_d4 = d4open(m_c4, (folder + "/bccissues.dbf").c_str());
        must(m_d4 != nullptr, "open");
    }

    CODE4* m_c4 = nullptr;
    DATA4* m_d4 = nullptr;
};

} // namespace

void setOurReadsExclusive(bool on) { g_exclusiveReads = on; }

bool ourReadsExclusive() { return g_exclusiveReads; }

void setOurIndexCacheMb(int mb) { g_indexCachePages = size_t(mb) * 2048; }

int ourIndexCacheMb()
{
    const size_t pages = g_indexCachePages ? g_indexCachePages : xbase::EngineSettings {}.indexCachePages;
    return std::max(1, int(pages / 2048));
}

void setOurMapMb(int mb) { xbase::FileMap::setBudget(size_t(mb) << 20); }

int ourMapMb() { return int(xbase::FileMap::budget() >> 20); }

IssueStore* ourStore()
{
    static OurIssueStore store;
    return &store;
}
