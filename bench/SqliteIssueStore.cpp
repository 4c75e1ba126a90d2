#include "IssueRows.h"
#include "IssueStore.h"

#include <sqlite3.h>
#include <stdexcept>

// The same table in SQLite: the same columns and indexes, one transaction
// per appended row (all rows in one against our batch), synchronous=OFF (neither engine waits for the disk;
// the last set-up repeats the one before it with synchronous=NORMAL, which waits at checkpoints),
// prepared statements throughout. Four set-ups: SQLite's default
// rollback journal, which like ours survives a killed process; its
// write-ahead log; the write-ahead log with a page cache of 256 MB.

namespace {

class Statement {
public:
    Statement(sqlite3* db, const char* sql)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &m_st, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db));
    }
    ~Statement() { sqlite3_finalize(m_st); }
    sqlite3_stmt* get() const { return m_st; }

private:
    sqlite3_stmt* m_st = nullptr;
};

class SqliteIssueStore final : public IssueStore {
public:
    SqliteIssueStore(bool wal, int cacheKiB, bool syncNormal = false)
        : m_wal(wal), m_cacheKiB(cacheKiB), m_syncNormal(syncNormal)
    {
    }
    ~SqliteIssueStore() override { close(); }
    const char* name() const override
    {
        return m_syncNormal ? "sqlite-wal-256mb-normal" : m_cacheKiB ? "sqlite-wal-256mb" : m_wal ? "sqlite-wal" : "sqlite";
    }

    std::string settings() override
    {
        if (!m_db)
            return {};
        return "journal_mode=" + pragma("journal_mode") + " synchronous=" + pragma("synchronous") +
            " (0 = OFF, 1 = NORMAL) cache_size=" + pragma("cache_size") + " (negative: KiB) locking_mode=" + pragma("locking_mode");
    }

    uint64_t appendAll(const std::string& folder, int n) override { return append(folder, n, false); }
    uint64_t appendBatch(const std::string& folder, int n) override { return append(folder, n, true); }

    uint64_t append(const std::string& folder, int n, bool oneTransaction)
    {
        const std::string path = folder + "/" + fileName();
        for (const char* suffix : {"", "-journal", "-wal", "-shm"})
            std::remove((path + suffix).c_str());
        open(path);
        exec("CREATE TABLE issues(rowid INTEGER, custid INTEGER, psid INTEGER, shortdesc TEXT, custom1 TEXT, custom2 TEXT,"
             " assignedto INTEGER, priority INTEGER, status INTEGER, issuecat INTEGER, submitdt TEXT, responsedt TEXT,"
             " resolvedt TEXT, desc TEXT, resolution TEXT, lastmodby INTEGER, lastmoddt TEXT, lastmodtm TEXT,"
             " underedit INTEGER, edtstation TEXT)");
        for (const char* c : {"rowid", "custid", "psid", "assignedto", "status", "submitdt"})
            exec(std::string("CREATE INDEX issues_") + c + " ON issues(" + c + ")");
        Statement ins(m_db, "INSERT INTO issues(rowid, custid, psid, shortdesc, assignedto, priority, status, issuecat, submitdt, desc)"
                            " VALUES(?,?,?,?,?,?,?,?,?,?)");
        sqlite3_stmt* st = ins.get();
        if (oneTransaction)
            exec("BEGIN");
        for (int i = 1; i <= n; ++i) {
            const IssueRow r = issueRow(i);
            if (!oneTransaction)
                exec("BEGIN");
            const int numbers[] = {r.rowid, r.custid, r.psid};
            for (int k = 0; k < 3; ++k)
                sqlite3_bind_int(st, k + 1, numbers[k]);
            sqlite3_bind_text(st, 4, r.shortdesc.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int(st, 5, r.assignedto);
            sqlite3_bind_int(st, 6, r.priority);
            sqlite3_bind_int(st, 7, r.status);
            sqlite3_bind_int(st, 8, r.issuecat);
            sqlite3_bind_text(st, 9, r.submitdt.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 10, r.desc.c_str(), -1, SQLITE_TRANSIENT);
            if (sqlite3_step(st) != SQLITE_DONE)
                throw std::runtime_error(sqlite3_errmsg(m_db));
            sqlite3_reset(st);
            if (!oneTransaction)
                exec("COMMIT");
        }
        if (oneTransaction)
            exec("COMMIT");
        return count();
    }

    void reopen(const std::string& folder) override { open(folder + "/" + fileName()); }

    uint64_t seekRows(const std::vector<int>& rowids) override
    {
        Statement q(m_db, "SELECT custid FROM issues WHERE rowid = ?");
        uint64_t sum = 0;
        for (int id : rowids) {
            sqlite3_bind_int(q.get(), 1, id);
            if (sqlite3_step(q.get()) == SQLITE_ROW)
                sum += uint64_t(sqlite3_column_int(q.get(), 0));
            sqlite3_reset(q.get());
        }
        return sum;
    }

    uint64_t walkByCustomer() override
    {
        Statement q(m_db, "SELECT rowid, custid, status FROM issues ORDER BY custid");
        uint64_t sum = 0, i = 0;
        for (; sqlite3_step(q.get()) == SQLITE_ROW; ++i)
            sum += uint64_t(sqlite3_column_int(q.get(), 0)) * (i % 7 + 1) + uint64_t(sqlite3_column_int(q.get(), 1)) +
                uint64_t(sqlite3_column_int(q.get(), 2));
        return sum;
    }

    uint64_t rowsOfCustomers(const std::vector<int>& custids) override
    {
        Statement q(m_db, "SELECT rowid FROM issues WHERE custid = ?");
        uint64_t sum = 0;
        for (int c : custids) {
            sqlite3_bind_int(q.get(), 1, c);
            while (sqlite3_step(q.get()) == SQLITE_ROW)
                sum += uint64_t(sqlite3_column_int(q.get(), 0));
            sqlite3_reset(q.get());
        }
        return sum;
    }

    uint64_t rowsInCustomerRange(int first, int last) override
    {
        Statement q(m_db, "SELECT rowid FROM issues WHERE custid BETWEEN ? AND ? ORDER BY custid");
        sqlite3_bind_int(q.get(), 1, first);
        sqlite3_bind_int(q.get(), 2, last);
        uint64_t sum = 0;
        while (sqlite3_step(q.get()) == SQLITE_ROW)
            sum += uint64_t(sqlite3_column_int(q.get(), 0));
        return sum;
    }

    uint64_t scanPriority(int priority) override
    {
        Statement q(m_db, "SELECT count(*) FROM issues WHERE priority = ?");
        sqlite3_bind_int(q.get(), 1, priority);
        sqlite3_step(q.get());
        return uint64_t(sqlite3_column_int64(q.get(), 0));
    }

private:
    void open(const std::string& path)
    {
        close();
        if (sqlite3_open(path.c_str(), &m_db) != SQLITE_OK)
            throw std::runtime_error("cannot open " + path);
        if (m_wal)
            exec("PRAGMA journal_mode=WAL");
        exec(m_syncNormal ? "PRAGMA synchronous=NORMAL" : "PRAGMA synchronous=OFF");
        if (m_cacheKiB)
            exec("PRAGMA cache_size=-" + std::to_string(m_cacheKiB));
    }
    std::string fileName() const
    {
        return m_syncNormal ? "issues-wal-cache-normal.db" : m_cacheKiB ? "issues-wal-cache.db" : m_wal ? "issues-wal.db" : "issues.db";
    }
    std::string pragma(const char* name)
    {
        Statement q(m_db, (std::string("PRAGMA ") + name).c_str());
        if (sqlite3_step(q.get()) != SQLITE_ROW)
            return "?";
        const auto* text = sqlite3_column_text(q.get(), 0);
        return text ? reinterpret_cast<const char*>(text) : "?";
    }
    void close()
    {
        if (m_db)
            sqlite3_close(m_db);
        m_db = nullptr;
    }
    void exec(const std::string& sql)
    {
        char* err = nullptr;
        if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
            const std::string msg = err ? err : "sqlite error";
            sqlite3_free(err);
            throw std::runtime_error(msg);
        }
    }
    uint64_t count()
    {
        Statement q(m_db, "SELECT count(*) FROM issues");
        sqlite3_step(q.get());
        return uint64_t(sqlite3_column_int64(q.get(), 0));
    }

    bool m_wal;
    int m_cacheKiB;
    bool m_syncNormal;
    sqlite3* m_db = nullptr;
};

} // namespace

IssueStore* sqliteStore()
{
    static SqliteIssueStore store(false, 0);
    return &store;
}

IssueStore* sqliteWalStore()
{
    static SqliteIssueStore store(true, 0);
    return &store;
}

IssueStore* sqliteWalCacheStore()
{
    static SqliteIssueStore store(true, 256 * 1024);
    return &store;
}

IssueStore* sqliteWalCacheNormalStore()
{
    static SqliteIssueStore store(true, 256 * 1024, true);
    return &store;
}
