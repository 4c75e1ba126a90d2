// Fuzz target: open a table with its memo file and read everything in it.
//
// Input: a 2-byte little-endian length n, then n bytes of table file, then
// the memo file. Every outcome but a clean status is a finding: a crash, a
// read past a buffer (AddressSanitizer) or undefined behaviour.

#include "MemEnv.h"

#include "xbase/Engine.h"
#include "xbase/Table.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

void readRecord(xbase::Table& t)
{
    for (size_t i = 0; i < t.fieldCount(); ++i) {
        xbase::Field& f = *t.field(i);
        int32_t day = 0, ms = 0;
        (void)f.raw();
        (void)f.text();
        (void)f.asLong();
        (void)f.asDouble();
        (void)f.asBool();
        (void)f.isNull();
        f.dateTime(&day, &ms);
        const std::string* memo = nullptr;
        if (f.isMemo())
            (void)f.memo(&memo);
    }
}

void readTable(xbase::Table& t)
{
    uint32_t count = 0;
    if (!t.recordCount(&count).isOk())
        return;
    int budget = 256;
    for (xbase::Status s = t.top(); s.isOk() && !t.eof() && budget-- > 0; s = t.skip(1))
        readRecord(t);
    if (count > 0 && t.go(count).isOk())
        readRecord(t);
    // Rewriting memos exercises block allocation over whatever the memo
    // header says.
    if (count == 0 || !t.go(1).isOk())
        return;
    for (size_t i = 0; i < t.fieldCount(); ++i)
        if (t.field(i)->isMemo())
            (void)t.field(i)->assignMemo(std::string(100, 'x'));
    (void)t.flush();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const size_t n = std::min<size_t>(size - 2, size_t(data[0] | (data[1] << 8)));
    MemEnv env;
    env.put("t.dbf", MemEnv::Bytes(data + 2, data + 2 + n));
    if (size > 2 + n)
        env.put("t.fpt", MemEnv::Bytes(data + 2 + n, data + size));
    xbase::Engine engine(&env);
    xbase::Table* table = nullptr;
    if (engine.openTable("t.dbf", &table).isOk())
        readTable(*table);
    return 0;
}
