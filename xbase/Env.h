#pragma once

#include "xbase/Status.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace xbase {

// One open file. Every read, write and lock of the engine goes through this
// interface so that tests can put a failing file in its place.
class File {
public:
    virtual ~File() = default;

    // Reads up to n bytes at offset into buf; *got is the number read (fewer
    // only at the end of the file).
    virtual Status readAt(uint64_t offset, void* buf, size_t n, size_t* got) = 0;
    // The same for reads a caller makes often (a record, a block of records,
    // a header word): a file may serve them from a map without a system
    // call. Bytes past an end that another process cut the file back to,
    // within the file's last page, may then read as zeros: a caller that can
    // meet such a cut checks what it got.
    virtual Status readFastAt(uint64_t offset, void* buf, size_t n, size_t* got)
    {
        return readAt(offset, buf, n, got);
    }
    // The same for reads whose bytes the caller keeps in a cache of its own
    // (index pages): it reads them again only once its cache lost them. A
    // file may serve them from a map from their second read on.
    virtual Status readKeptAt(uint64_t offset, void* buf, size_t n, size_t* got)
    {
        return readFastAt(offset, buf, n, got);
    }
    // Says that the n bytes at offset will likely be read soon; a file that
    // maps them may start loading them into the processor's cache. Never
    // reads the file or fails.
    virtual void prefetch(uint64_t offset, size_t n)
    {
        (void)offset;
        (void)n;
    }
    virtual Status writeAt(uint64_t offset, const void* buf, size_t n) = 0;
    // The same for a write that lies within the file as it stands, while
    // nobody can cut the file short (the caller holds what keeps every
    // cutter out): a file may then write through a map without a system
    // call.
    virtual Status writeFastAt(uint64_t offset, const void* buf, size_t n) { return writeAt(offset, buf, n); }
    virtual Status size(uint64_t* out) = 0;
    virtual Status truncate(uint64_t length) = 0;
    virtual Status sync() = 0;
    // Says which byte ranges (offset, length) the caller is about to write,
    // so that a journalling file can save what they hold in one go. Plain
    // files ignore it.
    virtual Status willWrite(const std::vector<std::pair<uint64_t, uint64_t>>& ranges)
    {
        (void)ranges;
        return Status::ok();
    }

    // Byte-range locks of this open file. They conflict with every other open
    // of the same file, in this process or another, and are released when the
    // file is closed or its process ends. tryLock does not wait: a lock held
    // elsewhere gives a Locked status.
    virtual Status tryLock(uint64_t offset, uint64_t length, bool exclusive) = 0;
    virtual Status unlock(uint64_t offset, uint64_t length) = 0;

    // Gives a file this process made the group and permission bits of
    // `like` (its table, or the folder it was made in), as shareAccess
    // (FileAccess.h) does. Files that are not on a file system ignore it.
    virtual Status shareAccessOf(const std::string& like)
    {
        (void)like;
        return Status::ok();
    }

    virtual const std::string& path() const = 0;
};

// The file system as the engine sees it.
class Env {
public:
    enum class OpenMode { ReadOnly, ReadWrite, CreateNew, CreateTruncate };

    virtual ~Env() = default;

    virtual Status open(const std::string& path, OpenMode mode, std::unique_ptr<File>* out) = 0;
    virtual Status rename(const std::string& from, const std::string& to) = 0;
    virtual Status remove(const std::string& path) = 0;
    virtual bool exists(const std::string& path) = 0;
    virtual void sleepMillis(int ms) = 0;

    // The process-wide environment of the real file system.
    static Env* standard();
};

// Forwards every call to another environment; tests derive from it to make
// one operation fail.
class EnvWrapper : public Env {
public:
    explicit EnvWrapper(Env* target) : m_target(target) {}
    Status open(const std::string& path, OpenMode mode, std::unique_ptr<File>* out) override
    {
        return m_target->open(path, mode, out);
    }
    Status rename(const std::string& from, const std::string& to) override { return m_target->rename(from, to); }
    Status remove(const std::string& path) override { return m_target->remove(path); }
    bool exists(const std::string& path) override { return m_target->exists(path); }
    void sleepMillis(int ms) override { m_target->sleepMillis(ms); }
    Env* target() const { return m_target; }

private:
    Env* m_target;
};

} // namespace xbase
