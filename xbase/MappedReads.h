#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace xbase {

// Reads of up to 64 KiB served from a read-only shared map of an open file,
// without a system call. On a local file system a shared map shows the same page cache
// that pread reads, so what it returns is as fresh as pread: another
// process's write is seen as soon as it returned. File systems of other
// machines (network shares) keep their own rules for maps and are never
// mapped: only the local file systems named in MappedReads.cpp are.
//
// Another process may cut the file short at any time (a journal put back).
// A copy that meets a page past the new end stops on the bus error the
// kernel raises, which a handler of this file turns into a failed copy; the
// caller then reads with pread, which tells the true end. Bytes past the end
// within the file's last page read as zeros until the handle next learns the
// size (a pread that came short, a look at the size, a bus error): callers
// that can meet a cut check what they got (a record always starts with its
// deleted mark, and the engine cuts files only at record ends).
//
// Memory: the pages a map touched count towards the process's resident
// size (they stay in the page cache, which the kernel may take back). The
// 64 KiB chunks that the maps of the process have served are counted; once
// they reach the budget, reads of further chunks go to pread, and what the
// maps hold stays. Letting go of pages to map others was tried: each page
// that comes back costs a fault, which on a virtual machine costs more than
// the read it saves.
class MappedReads {
public:
    static constexpr size_t kMaxRead = 64 * 1024;
    static constexpr size_t kChunkShift = 16;

    explicit MappedReads(int fd) : m_fd(fd) {}
    ~MappedReads();
    MappedReads(const MappedReads&) = delete;
    MappedReads& operator=(const MappedReads&) = delete;

    // Copies n bytes at offset into buf when the map can serve them: they
    // lie within the part of the file known to exist, and no bus error met
    // the copy. False means nothing is known of buf; read it with pread.
    bool copy(uint64_t offset, void* buf, size_t n);

    // What a pread showed: the file reaches at least `end`.
    void reaches(uint64_t end)
    {
        if (end > m_known)
            m_known = end;
    }
    // The handle cut the file back to `length`.
    void cutTo(uint64_t length)
    {
        if (length < m_known)
            m_known = length;
    }
    // The file's size as fstat just gave it.
    void sizeIs(uint64_t size) { m_known = size; }

    // Bytes the maps of the process may serve from, in all (0: no maps).
    static void setBudget(size_t bytes);
    static size_t budget();
    // Bytes the maps of the process serve from now.
    static size_t servedBytes();

private:
    enum class State { Unknown, Mapped, Off };
    bool map();
    bool admit(uint64_t offset, size_t n);

    int m_fd;
    State m_state = State::Unknown;
    const uint8_t* m_base = nullptr;
    uint64_t m_known = 0; // bytes the file was last seen to hold
    std::vector<uint64_t> m_served; // one bit per 64 KiB chunk
    size_t m_servedChunks = 0;
};

} // namespace xbase
