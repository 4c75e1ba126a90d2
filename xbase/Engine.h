#pragma once

#include "xbase/Env.h"
#include "xbase/RecordLayout.h"
#include "xbase/Status.h"

#include <functional>
#include <list>
#include <memory>
#include <string>
#include <vector>

namespace xbase {

class Table;

// How the engine opens tables and waits for locks. One set per engine; a
// change applies to every later open and lock.
struct EngineSettings {
    bool exclusive = false;   // open tables exclusively instead of shared
    bool readOnly = false;    // open files read-only (and take no record locks)
    bool readLock = false;    // lock each record before reading it
    bool lockEnforce = true;  // a changed record must be locked before it is written
    int lockAttempts = -1;    // tries per lock; -1 tries without end
    int lockDelayMs = 100;    // pause between two tries
    bool errTagName = true;   // a missing tag name counts as an error (used by the index)
    // Index pages (512 bytes each) a handle keeps decoded between calls, per
    // index file; the least recently used leaves go first beyond it. With 8,192
    // random seeks over 300,000 rows ran 1.6 times as fast as with 2,048,
    // for about 1.5 MB more.
    size_t indexCachePages = 8192;
};

// What a new table holds. Tables are made as FoxPro 2.x: 0xF5 with a memo
// file when a field is a memo, 0x03 otherwise, code page mark 0x03.
struct TableDefinition {
    std::vector<FieldDescriptor> fields; // name, type, length, decimals
    bool structuralIndex = false;        // sets the structural .cdx flag
};

// The engine: its settings, the tables it has open, and the hooks that attach
// extensions (the index) to every table it opens. Not thread-safe; one
// thread uses an engine and its tables.
class Engine {
public:
    // Runs after a table's files are open and before the open succeeds; a
    // failure fails the open. Extensions attach themselves here
    // (Table::addExtension, addObserver).
    using OpenHook = std::function<Status(Table&)>;

    explicit Engine(Env* env = Env::standard());
    ~Engine(); // closes every table still open
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    Env* env() const { return m_env; }
    EngineSettings& settings() { return m_settings; }
    const EngineSettings& settings() const { return m_settings; }

    // Opens a table (shared or exclusive by the settings). The engine owns
    // the table until closeTable or its own end.
    Status openTable(const std::string& path, Table** out);
    // Creates a new table (the data file must not exist; a memo file of the
    // same name is replaced) and opens it as openTable does.
    Status createTable(const std::string& path, const TableDefinition& def, Table** out);
    // Writes pending changes, closes the files and destroys the table.
    Status closeTable(Table* table);
    // Closes every open table; the first failure is returned.
    Status closeAll();
    size_t openCount() const { return m_tables.size(); }

    void addOpenHook(OpenHook hook) { m_openHooks.push_back(std::move(hook)); }

    // Waits for a byte-range lock of `file` as the settings say: up to
    // (lockAttempts - 1) x lockDelayMs (without end for -1), taking the lock
    // as soon as it frees. Locked when another holder kept it throughout.
    Status waitLock(File& file, uint64_t offset, uint64_t length = 1);

    // The error state: an error code (0 none) and the status that set it.
    int errorCode() const { return m_errorCode; }
    void setErrorCode(int code);
    const Status& lastError() const { return m_lastError; }
    void recordError(int code, const Status& status);

private:
    Status adopt(std::unique_ptr<Table> table, Table** out);

    Env* m_env;
    EngineSettings m_settings;
    std::list<std::unique_ptr<Table>> m_tables;
    std::vector<OpenHook> m_openHooks;
    int m_errorCode = 0;
    Status m_lastError;
};

// Installs the extensions every engine carries (called by the constructor).
// Defined in StandardExtensions.cpp, the one place that lists them.
void installStandardExtensions(Engine& engine);

} // namespace xbase
