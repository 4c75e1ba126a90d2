#pragma once

// Shared by the files of clsDB only.

#include "common/RunError.h"
#include "data/RecColl.h"
#include "xbase/IndexC4.h"
#include "xbase/c4.h"

#include <QString>

namespace dbdetail {

// A run-time error inside a member of clsDB: the member's trap catches it,
// cleans up and shows it with its own label.
struct Fault {
    RunError error;
};

[[noreturn]] void raise(long number, const QString& description);
// The engine's last error (after a negative result code) as a run-time
// error, and raised as a fault.
RunError engineError(CODE4* engine, int code);
[[noreturn]] void raiseEngine(CODE4* engine, int code);
// Raises when `code` is an engine error (negative); returns it otherwise.
int check(CODE4* engine, int code);

// Collection entries that a member needs: missing ones raise error 5, a
// `_rowid` that is no whole number raises error 13.
QVariant need(const RecColl& coll, const QString& key);
QString needText(const RecColl& coll, const QString& key);
qint32 needLong(const RecColl& coll, const QString& key);
// Adds a new entry; one that is there already raises error 457.
void addEntry(RecColl& coll, const QString& key, const QVariant& value);

// The named field; raises when the table has none.
FIELD4* needField(DATA4* table, const char* name);
FIELD4* needField(DATA4* table, const QString& name);

// Field text as stored (whole raw contents, Windows-1252) and memo text of
// any length, both untrimmed; text written with its whole length.
QString fieldText(FIELD4* field);
QString memoText(FIELD4* field);
void assignText(FIELD4* field, const QString& text);
// Leading and trailing blanks removed; other white space stays.
QString trimBlanks(const QString& text);

// Lowers the engine's lock attempts to 10 and puts back the setting before.
class LockAttempts {
public:
    explicit LockAttempts(CODE4* engine);
    ~LockAttempts();
    LockAttempts(const LockAttempts&) = delete;
    LockAttempts& operator=(const LockAttempts&) = delete;
    int before() const { return m_before; }

private:
    CODE4* m_engine;
    int m_before;
};

// A table that the current call opened itself (or borrowed from the caller):
// closed on every way out when owned.
class TableUse {
public:
    TableUse(DATA4* callerHandle, DATA4* opened) : m_table(callerHandle ? callerHandle : opened), m_owned(!callerHandle) {}
    ~TableUse();
    TableUse(const TableUse&) = delete;
    TableUse& operator=(const TableUse&) = delete;

    DATA4* get() const { return m_table; }
    bool owned() const { return m_owned; }
    explicit operator bool() const { return m_table != nullptr; }
    // Closes an owned table now; the result of d4close (0 when nothing to do).
    int close();

private:
    DATA4* m_table;
    bool m_owned;
};

} // namespace dbdetail

namespace dbdetail {

// Selects the named tag as the table's order; raises when the index has no
// such tag.
void selectTag(DATA4* table, const char* name);
void selectTag(DATA4* table, const QString& name);
// A text seek that counts only a key equal to `key` (trailing blanks of the
// key aside), not one that merely begins with it: 0 when found.
int seekExact(DATA4* table, const QString& key, FIELD4* keyField);

// The table's append lock, waited for as the engine's lock settings say and
// held until release or the end of the scope. A lock that the table's own
// append takes meanwhile is the same lock.
class AppendLock {
public:
    AppendLock(CODE4* engine, DATA4* table);
    ~AppendLock() { release(); }
    AppendLock(const AppendLock&) = delete;
    AppendLock& operator=(const AppendLock&) = delete;

    const xbase::Status& status() const { return m_status; }
    void release();

private:
    DATA4* m_table;
    xbase::Status m_status;
    bool m_held = false;
};

} // namespace dbdetail
