#include "xbase/c4.h"
#include "xbase/c4_internal.h"

using c4detail::fail;
using c4detail::result;

namespace {

int position(DATA4* d4, const xbase::Status& s)
{
    if (!s.isOk())
        return fail(d4->engine(), s);
    return d4->eof() ? C4_EOF : d4->bof() ? C4_BOF : C4_SUCCESS;
}

} // namespace

DATA4* d4open(CODE4* c4, const char* path)
{
    if (!c4 || !path)
        return nullptr;
    DATA4* table = nullptr;
    const xbase::Status s = c4->openTable(path, &table);
    if (!s.isOk()) {
        fail(*c4, s, C4_ERR_OPEN);
        return nullptr;
    }
    return table;
}

int d4close(DATA4* d4)
{
    CODE4& c4 = d4->engine();
    const xbase::Status s = c4.closeTable(d4);
    return s.isOk() ? C4_SUCCESS : fail(c4, s);
}

int d4flush(DATA4* d4) { return result(d4, d4->flush()); }
long d4recNo(DATA4* d4) { return long(d4->recNo()); }

long d4recCountDo(DATA4* d4)
{
    uint32_t count = 0;
    const xbase::Status s = d4->recordCount(&count);
    return s.isOk() ? long(count) : long(fail(d4->engine(), s));
}

int d4go(DATA4* d4, long recno)
{
    if (recno < 1 || recno > long(UINT32_MAX))
        return fail(d4->engine(), xbase::Status::invalidArgument(d4->path() + ": no record " + std::to_string(recno)));
    return result(d4, d4->go(uint32_t(recno)));
}

int d4top(DATA4* d4) { return position(d4, d4->top()); }
int d4skip(DATA4* d4, long delta) { return position(d4, d4->skip(delta)); }
int d4delete(DATA4* d4) { return result(d4, d4->deleteRecord()); }
int d4recall(DATA4* d4) { return result(d4, d4->recall()); }
int d4deleted(DATA4* d4) { return d4->deleted() ? 1 : 0; }

int d4appendStartVB(DATA4* d4, int /*useMemo: memos always start empty*/) { return result(d4, d4->appendStart()); }
int d4blank(DATA4* d4) { return result(d4, d4->blank()); }

int d4append(DATA4* d4)
{
    const xbase::Status s = d4->append();
    return s.isLocked() ? C4_LOCKED : result(d4, s);
}

int d4batchBegin(DATA4* d4) { return result(d4, d4->beginBatch()); }
int d4batchEnd(DATA4* d4) { return result(d4, d4->endBatch()); }

int d4lock(DATA4* d4, long recno)
{
    if (recno < 1 || recno > long(UINT32_MAX))
        return fail(d4->engine(), xbase::Status::invalidArgument(d4->path() + ": no record " + std::to_string(recno)));
    const xbase::Status s = d4->lock(uint32_t(recno));
    return s.isLocked() ? C4_LOCKED : result(d4, s);
}

int d4unlock(DATA4* d4) { return result(d4, d4->unlock()); }

FIELD4* d4field(DATA4* d4, const char* name)
{
    FIELD4* f = name ? d4->field(name) : nullptr;
    if (!f)
        fail(d4->engine(), xbase::Status::invalidArgument(d4->path() + ": no field " + (name ? name : "(null)")),
             C4_ERR_ARGUMENT);
    return f;
}
