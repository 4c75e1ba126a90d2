#pragma once

#include "xbase/Engine.h"
#include "xbase/Field.h"
#include "xbase/Table.h"

#include <cstddef>
#include <cstdint>

// The engine's operations under the names the data store uses. A thin layer:
// handles are pointers to the engine's classes, results are the codes below,
// and a failure also sets the engine's error code (code4errorCode) and keeps
// its status (Engine::lastError) for messages. The error code stays until
// code4errorCode clears it; it does not stop later calls.
//
// The index operations (d4tag, d4tagSelect, d4seek..., d4reindex) live with
// the index. d4top and d4skip walk in record order until a selected tag
// installs its order on the table (Table::setOrder).

using CODE4 = xbase::Engine;
using DATA4 = xbase::Table;
using FIELD4 = xbase::Field;

enum : int {
    C4_SUCCESS = 0,
    C4_BOF = 2,     // d4skip ran off the front
    C4_EOF = 3,     // d4top / d4skip ran off the end: no current record
    C4_LOCKED = 50, // another user kept the lock through every attempt
    // Error codes (negative), as code4errorCode reports them.
    C4_ERR_OPEN = -10,     // a file could not be opened or created
    C4_ERR_IO = -20,       // reading or writing failed
    C4_ERR_DATA = -30,     // a damaged file
    C4_ERR_LOCK = -40,     // a write without the lock it needs
    C4_ERR_ARGUMENT = -50, // no such field or record, a value that does not fit
    C4_ERR_TAG = -60,      // no such tag (reported by the index)
};

// Engine. d4init_v gives a new engine (null when it cannot start);
// d4initUndo closes every table still open and ends the engine.
CODE4* d4init_v();
int d4initUndo(CODE4* c4);

// Settings: each sets a new value and returns the one before.
int code4accessMode(CODE4* c4, int mode); // 0 shared, 1 exclusive
int code4lockAttempts(CODE4* c4, int attempts); // -1 without end
int code4lockDelay(CODE4* c4, int milliseconds);
int code4lockEnforce(CODE4* c4, int on);
int code4readLock(CODE4* c4, int on);
int code4readOnly(CODE4* c4, int on);
int code4errorCode(CODE4* c4, int code); // 0 clears the error state
int code4errTagName(CODE4* c4, int on);

// Tables. d4open gives null when the table cannot be opened.
DATA4* d4open(CODE4* c4, const char* path);
int d4close(DATA4* d4);
int d4flush(DATA4* d4);
long d4recNo(DATA4* d4);
long d4recCountDo(DATA4* d4); // negative on error
int d4go(DATA4* d4, long recno);
int d4top(DATA4* d4);
int d4skip(DATA4* d4, long delta);
int d4delete(DATA4* d4);
int d4recall(DATA4* d4);
int d4deleted(DATA4* d4); // nonzero when the current record is deleted

// Appending: d4appendStartVB, d4blank, field assignments, d4append. The new
// record starts as a copy of the current one without its memos (useMemo is
// not used).
int d4appendStartVB(DATA4* d4, int useMemo);
int d4blank(DATA4* d4);
int d4append(DATA4* d4);
// Many appends as one call, for a table opened exclusively (Table::beginBatch).
int d4batchBegin(DATA4* d4);
int d4batchEnd(DATA4* d4);

// Locks: 0 locked, C4_LOCKED when another user kept the record.
int d4lock(DATA4* d4, long recno);
int d4unlock(DATA4* d4);

// Fields. d4field gives null for an unknown name.
FIELD4* d4field(DATA4* d4, const char* name);
long f4long(FIELD4* f4);
double f4double(FIELD4* f4);
int f4assignLong(FIELD4* f4, long value);
int f4assignDouble(FIELD4* f4, double value);
int f4assignNVB(FIELD4* f4, const char* text, int length);
// The field's bytes, not NUL-terminated, valid until the table moves or the
// field changes.
const char* f4ptr(FIELD4* f4);
int f4len_v(FIELD4* f4);
const char* f4name(FIELD4* f4);
// Memo text of the current record (any length), valid until the record or
// the memo changes; null when it cannot be read.
const char* f4memoPtr(FIELD4* f4);
uint32_t f4memoLenVB(FIELD4* f4);
int f4memoAssignN(FIELD4* f4, const char* text, uint32_t length);

// Writes `date` ("YYYYMMDD") shaped by `picture` into `result`: in the
// picture, CC is the century, YY the year's last two digits (YYYY all four),
// MM the month, DD the day; other characters are copied. `result` receives
// strlen(picture) characters and a NUL.
void date4format(const char* date, char* result, const char* picture);
void u4memCpy(char* to, const char* from, size_t n);
// Copies a NUL-terminated string into `to` (room for `size` bytes, NUL
// included) and returns the number of characters copied.
int u4ncpy(char* to, const char* from, int size);
