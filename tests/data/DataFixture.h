#pragma once

#include "TestSupport.h"
#include "common/ScriptedPrompts.h"
#include "data/RecColl.h"
#include "data/clsDB.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <ostream>

// Failure messages show texts and list rows as text.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

inline void PrintTo(const DbListRow& row, std::ostream* os)
{
    *os << "{" << row.id << ", \"" << row.text.toStdString() << "\"}";
}

namespace bmtest {

// The program folder with the shipped templates (BM_PROGRAM_DIR, else the
// build's, which then also goes into BM_PROGRAM_DIR for the code under test).
QString templatesDir();

// Copies the 28 shipped templates into `folder` under their table file
// names; false when one is missing.
bool makeDatabase(const QString& folder);

// Another process that holds the lock of one record of a table (or the
// table's append lock for record 0) until the object is destroyed.
class LockHolder {
public:
    LockHolder(const QString& tablePath, long recno);
    ~LockHolder();
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;
    bool holding() const { return m_holding; }

private:
    int m_pid = -1;
    int m_release = -1;
    bool m_holding = false;
};

// A fresh database folder made from the shipped templates, a session on it
// as the administrator (row 1000), scripted prompts, a fixed clock and a
// short lock delay. Skips when the templates have not been built.
class DataTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new collection for `rectype` on the table file `path`, with every
    // writer field of the type set to "".
    RecColl newColl(const QString& path, const QString& rectype, int rowid = -1);
    // Saves a new row of `rectype` with the given field texts; its identifier.
    int saveNew(const QString& path, const QString& rectype, const QList<std::pair<QString, QString>>& fields);
    // Reads row `rowid` as `rectype` (quietly); the collection (empty on failure).
    RecColl read(const QString& path, int rowid, const QString& rectype);
    // The lastid stored for a table file name, or -1.
    int lastId(const QString& tableName);
    // Texts of the message boxes shown so far.
    QStringList shownTexts() const;

    TempFolder m_folder;
    ScriptedPrompts m_prompts;
    clsDB& m_db = clsDB::instance();
};

} // namespace bmtest
