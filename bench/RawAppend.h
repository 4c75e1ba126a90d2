#pragma once

// The engine's raw append, the yardstick of the benchmarks that save rows
// through the data store: rows copied out of one table and appended to another
// straight through the engine, as its own callers do.

#include "xbase/c4.h"

#include <QElapsedTimer>

#include <string>
#include <vector>

namespace rawappend {

// One record's field values: raw bytes of the plain fields, text of the memos.
using Row = std::vector<std::string>;

// The records of the table after the first `skip`.
inline std::vector<Row> loadRows(CODE4* c4, const std::string& path, long skip = 0)
{
    std::vector<Row> rows;
    DATA4* t = d4open(c4, path.c_str());
    if (!t)
        return rows;
    const size_t n = t->fieldCount();
    for (long r = skip + 1; r <= d4recCountDo(t); ++r) {
        d4go(t, r);
        Row row;
        for (size_t i = 0; i < n; ++i) {
            FIELD4* f = t->field(i);
            row.push_back(f->isMemo() ? std::string(f4memoPtr(f), f4memoLenVB(f)) : f->raw());
        }
        rows.push_back(std::move(row));
    }
    d4close(t);
    return rows;
}

// Appends the rows (their tags updated by each append); the seconds it took,
// or -1 when the table cannot be opened.
inline double appendRows(CODE4* c4, const std::string& path, const std::vector<Row>& rows)
{
    DATA4* t = d4open(c4, path.c_str());
    if (!t)
        return -1;
    QElapsedTimer clock;
    clock.start();
    for (const Row& row : rows) {
        d4appendStartVB(t, 0);
        d4blank(t);
        for (size_t i = 0; i < row.size(); ++i) {
            FIELD4* f = t->field(i);
            if (f->isMemo())
                f4memoAssignN(f, row[i].data(), uint32_t(row[i].size()));
            else
                f4assignNVB(f, row[i].data(), int(row[i].size()));
        }
        d4append(t);
    }
    d4flush(t);
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    d4close(t);
    return seconds;
}

} // namespace rawappend
