#pragma once

#include "xbase/Env.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace xbase {

class JournalledFile;

// The rollback journal of one open table (README.md, "Saves and crashes").
//
// The table opens its data, memo and index files through env(). Inside a
// call that writes (begin ... end), every write and truncation of those files
// first puts the bytes it is about to replace, and the file's size before the
// call, into the journal file beside the table; end() then invalidates the
// journal (success) or puts the saved bytes back (failure). A process that
// dies in between leaves a valid journal, which the next open or the next
// call that writes finds and plays back, so each call reaches the files whole
// or not at all.
//
// Calls that write hold the journal lock (kLockOffset of the data file)
// exclusively from begin to end, so a journal whose lock is held belongs to a
// live writer and is left alone. Readers that need a state no writer is
// changing hold it shared (holdWriters).
class Journal {
public:
    // Above the open lock: no record, append or file lock reaches it.
    static constexpr uint64_t kLockOffset = 0x80000000ull;

    Journal(Env* env, std::string tablePath);
    ~Journal();
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    // The journal file of a table: its file name with ".jnl" added.
    static std::string pathFor(const std::string& tablePath) { return tablePath + ".jnl"; }

    // Plays back a journal that a dead writer left beside the table (none
    // when the lock shows a live one); for opening. Without write access to
    // the table's files nothing can be played back: a journal that still
    // holds a call once no live writer holds the lock fails the open with a
    // message that names the table, so that half a save is never read as
    // if whole.
    static Status recover(Env* env, const std::string& tablePath);

    // The environment through which the table opens its own files.
    Env* env();

    // Starts a call that writes; calls inside it join it. `dataFile` carries
    // the journal lock; an exclusive table needs none. A journal left by a
    // dead writer is played back first; *recovered says so (the caller's
    // cached view of the files is then stale).
    Status begin(File& dataFile, bool exclusive, bool* recovered);
    // Ends the call. When `outcome` failed and anything was written, the
    // files are put back as they were at begin and *restored is set.
    Status end(File& dataFile, const Status& outcome, bool* restored);
    bool active() const { return m_depth > 0; }
    // Tells calls apart: a new number for every call that begins.
    uint64_t call() const { return m_calls; }

    // Keeps writers out (the journal lock held shared) while a reader looks
    // at the whole table; waits for a writer's call to end.
    Status holdWriters(File& dataFile);
    Status releaseWriters(File& dataFile);

    // Removes the journal file if no other handle has the table open (the
    // open lock at `openLockOffset` can be had exclusively) and nothing waits
    // in it to be played back; for closing.
    void removeIfUnused(File& dataFile, uint64_t openLockOffset);

    // For JournalledFile: keeps what the ranges (offset, length) of `file`
    // hold before they change. The entries reach the journal file with the
    // next beforeWrite, so that what several files of one save announce
    // goes in one write.
    Status protect(JournalledFile& file, const std::vector<std::pair<uint64_t, uint64_t>>& ranges);
    // For JournalledFile, before a file of the call changes: writes the
    // entries gathered so far. After a failed journal write every further
    // change of the call is refused, so no byte changes whose old value
    // the journal lacks.
    Status beforeWrite();

private:
    class FileEnv;
    struct Touched {
        JournalledFile* file;
        uint64_t size; // before the call
        // Regions whose old bytes the journal holds: start -> end. A long
        // call (a batch of appends) saves thousands of index pages, so the
        // look-up must not walk them all.
        std::map<uint64_t, uint64_t> saved;
        // Regions saved one after another count as one (pages announced
        // one by one and written in one run).
        bool holds(uint64_t offset, uint64_t end) const
        {
            auto it = saved.upper_bound(offset);
            if (it == saved.begin())
                return false;
            uint64_t reach = std::prev(it)->second;
            for (; reach < end && it != saved.end() && it->first <= reach; ++it)
                reach = std::max(reach, it->second);
            return reach >= end;
        }
    };

    static Status refuseLeftover(Env* env, const std::string& tablePath, File& journal);
    Status openJournal();
    // Entries gather in m_buf and reach the journal file together.
    void addEntry(uint8_t kind, uint8_t fileNo, uint64_t where, const uint8_t* payload, uint32_t n);
    Status writeEntries();
    Status writeJournal(uint64_t offset, const uint8_t* bytes, size_t n);
    Status playBack(bool* played);
    void reset();

    Env* m_env;
    std::string m_tablePath;
    std::string m_path;
    std::unique_ptr<FileEnv> m_fileEnv;
    std::unique_ptr<File> m_file;
    int m_depth = 0;
    uint64_t m_calls = 0;
    Status m_broken; // a journal write of this call failed
    bool m_locked = false;
    bool m_started = false; // the journal header of this call is written
    uint64_t m_salt = 0;
    uint64_t m_end = 0;
    uint64_t m_fileHolds = 0; // bytes the journal file is known to hold
    std::vector<Touched> m_touched;
    std::vector<uint8_t> m_buf;
    std::vector<uint8_t> m_before;
    std::vector<std::pair<uint64_t, uint64_t>> m_added;
};

// A file of the table: its writes inside a call are journalled first.
class JournalledFile final : public File {
public:
    JournalledFile(Journal* journal, std::unique_ptr<File> file, std::string name)
        : m_journal(journal), m_file(std::move(file)), m_name(std::move(name))
    {
    }
    Status readAt(uint64_t offset, void* buf, size_t n, size_t* got) override { return m_file->readAt(offset, buf, n, got); }
    Status readFastAt(uint64_t offset, void* buf, size_t n, size_t* got) override
    {
        return m_file->readFastAt(offset, buf, n, got);
    }
    Status readKeptAt(uint64_t offset, void* buf, size_t n, size_t* got) override
    {
        return m_file->readKeptAt(offset, buf, n, got);
    }
    void prefetch(uint64_t offset, size_t n) override { m_file->prefetch(offset, n); }
    // Inside a call nobody else changes the file's size (its writers hold
    // the journal lock, and so do those who cut it back): what the file
    // held when the call took its size, it holds until the call ends, and
    // a write there may go through a map.
    Status writeAt(uint64_t offset, const void* buf, size_t n) override
    {
        if (!m_journal->active()) {
            m_sizeCall = 0;
            return m_file->writeAt(offset, buf, n);
        }
        XB_RETURN_IF_ERROR(protect(offset, n));
        XB_RETURN_IF_ERROR(m_journal->beforeWrite());
        const bool sized = m_sizeCall == m_journal->call();
        if (sized && n <= m_size && offset <= m_size - n)
            return m_file->writeFastAt(offset, buf, n);
        Status s = m_file->writeAt(offset, buf, n);
        if (s.isOk() && sized)
            m_size = std::max(m_size, offset + n);
        else
            m_sizeCall = 0;
        return s;
    }
    // Inside a call a size once taken stays, grown by what this handle
    // writes past it.
    Status size(uint64_t* out) override
    {
        if (!m_journal->active())
            return m_file->size(out);
        if (m_sizeCall != m_journal->call()) {
            XB_RETURN_IF_ERROR(m_file->size(&m_size));
            m_sizeCall = m_journal->call();
        }
        *out = m_size;
        return Status::ok();
    }
    Status truncate(uint64_t length) override
    {
        if (m_journal->active()) {
            XB_RETURN_IF_ERROR(protect(length, ~uint64_t(0) - length));
            XB_RETURN_IF_ERROR(m_journal->beforeWrite());
        }
        m_sizeCall = 0;
        return m_file->truncate(length);
    }
    Status sync() override { return m_file->sync(); }
    Status willWrite(const std::vector<std::pair<uint64_t, uint64_t>>& ranges) override
    {
        return m_journal->active() ? m_journal->protect(*this, ranges) : Status::ok();
    }
    Status tryLock(uint64_t offset, uint64_t length, bool exclusive) override
    {
        return m_file->tryLock(offset, length, exclusive);
    }
    Status unlock(uint64_t offset, uint64_t length) override { return m_file->unlock(offset, length); }
    Status shareAccessOf(const std::string& like) override { return m_file->shareAccessOf(like); }
    const std::string& path() const override { return m_file->path(); }
    // The file's name in the table's folder, as the journal records it.
    const std::string& name() const { return m_name; }
    File& inner() { return *m_file; }

private:
    Status protect(uint64_t offset, uint64_t n)
    {
        m_range[0] = {offset, n};
        return m_journal->protect(*this, m_range);
    }

    Journal* m_journal;
    std::unique_ptr<File> m_file;
    std::string m_name;
    std::vector<std::pair<uint64_t, uint64_t>> m_range = {{0, 0}};
    uint64_t m_size = 0;
    uint64_t m_sizeCall = 0; // the call m_size was taken in; 0: none (calls count from 1)
};

} // namespace xbase
