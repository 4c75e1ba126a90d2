// Fuzz target: a damaged compound index under an intact table.
//
// A table of 150 rows with three tags (character with a FOR filter, numeric,
// descending date) is built once in memory. Each input is a list of 4-byte
// patches (3-byte little-endian offset into the index file, modulo its size,
// and the byte to put there), applied to a fresh copy of the index; the
// first byte of the input picks shared or exclusive access. The target then
// walks every tag both ways, seeks, changes records, checks the index and
// re-indexes. Findings: a crash, a sanitizer report, a walk that never ends,
// or a re-indexed file that does not agree with its table.

#include "MemEnv.h"

#include "xbase/Engine.h"
#include "xbase/Index.h"
#include "xbase/IndexC4.h"
#include "xbase/IndexCheck.h"
#include "xbase/Table.h"

#include <cstdlib>
#include <string>

namespace {

struct Base {
    MemEnv::Bytes dbf, cdx;
};

const Base& base()
{
    static const Base b = [] {
        Base out;
        MemEnv env;
        xbase::Engine engine(&env);
        engine.settings().exclusive = true;
        xbase::TableDefinition def;
        def.fields = {{"NAME", 'C', 0, 30}, {"NUM", 'N', 0, 8}, {"DAY", 'D', 0, 8}};
        xbase::Table* t = nullptr;
        if (!engine.createTable("t.dbf", def, &t).isOk())
            std::abort();
        for (int i = 0; i < 150; ++i) {
            (void)t->appendStart();
            (void)t->field("NAME")->assignText("name " + std::to_string(i * 7 % 150) + " of the table");
            (void)t->field("NUM")->assignLong(i * 13 % 1000);
            (void)t->field("DAY")->assignText("2024" + std::to_string(10 + i % 3) + std::to_string(10 + i % 19));
            if (i % 10 == 0)
                (void)t->deleteRecord();
            (void)t->append();
        }
        if (!xbase::Index::create(*t, {{"NAME", "UPPER(name)", ".NOT.DELETED()"}, {"NUM", "num", ""}, {"DAY", "day", "", true}}).isOk())
            std::abort();
        (void)engine.closeTable(t);
        std::unique_ptr<xbase::File> f;
        for (auto [name, bytes] : {std::pair{"t.dbf", &out.dbf}, std::pair{"t.cdx", &out.cdx}}) {
            uint64_t size = 0;
            size_t got = 0;
            if (!env.open(name, xbase::Env::OpenMode::ReadOnly, &f).isOk() || !f->size(&size).isOk())
                std::abort();
            bytes->resize(size);
            (void)f->readAt(0, bytes->data(), size, &got);
        }
        return out;
    }();
    return b;
}

void walk(DATA4* t, long delta)
{
    int rc = delta > 0 ? d4top(t) : d4skip(t, -1);
    for (int steps = 0; rc == C4_SUCCESS; ++steps) {
        if (steps > 10000)
            std::abort(); // far more steps than entries: a loop
        rc = d4skip(t, delta);
    }
}

void exercise(xbase::Table& t)
{
    xbase::Index* index = xbase::Index::of(t);
    if (!index)
        return;
    for (size_t i = 0; i < index->tagCount(); ++i) {
        d4tagSelect(&t, index->tag(i));
        walk(&t, 1);
        walk(&t, -1);
        (void)d4seek(&t, "NAME 1");
        (void)d4seekNext(&t, "NAME 1");
        (void)d4seekDouble(&t, 130);
        (void)d4seekNextDouble(&t, 130);
    }
    std::vector<std::string> problems;
    (void)xbase::checkIndex(t, &problems);
    if (t.appendStart().isOk()) {
        (void)t.field("NAME")->assignText("late");
        (void)t.append();
    }
    if (t.go(5).isOk() && t.lock(5).isOk()) {
        (void)t.field("NUM")->assignLong(7);
        (void)t.deleteRecord();
        (void)t.unlock();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const Base& b = base();
    MemEnv::Bytes cdx = b.cdx;
    for (size_t p = 1; p + 4 <= size && p < 1 + 4 * 64; p += 4) {
        const size_t at = size_t(data[p] | (data[p + 1] << 8) | (data[p + 2] << 16)) % cdx.size();
        cdx[at] = data[p + 3];
    }
    MemEnv env;
    env.put("t.dbf", b.dbf);
    env.put("t.cdx", cdx);
    xbase::Engine engine(&env);
    engine.settings().exclusive = data[0] & 1;
    xbase::Table* t = nullptr;
    if (!engine.openTable("t.dbf", &t).isOk())
        return 0;
    exercise(*t);
    (void)engine.closeTable(t);
    // Re-indexing rebuilds from the stored definitions; what it writes must
    // agree with the table. It keeps the tag names as they are, so a garbled
    // name (a directory problem) stays.
    engine.settings().exclusive = true;
    if (!engine.openTable("t.dbf", &t).isOk())
        return 0;
    if (d4reindex(t) == C4_SUCCESS) {
        std::vector<std::string> problems;
        if (!xbase::checkIndex(*t, &problems).isOk())
            std::abort();
        for (const std::string& p : problems)
            if (p.rfind("tag directory: ", 0) != 0)
                std::abort();
    }
    (void)engine.closeTable(t);
    return 0;
}
