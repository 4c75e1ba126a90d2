#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace xbase {

// Reads and writes of up to 64 KiB served by a shared map of an open file,
// without a system call. On a local file system a shared map shows the same
// page cache that pread reads and pwrite writes, so what it returns is as
// fresh as pread (another process's write is seen as soon as it returned),
// and what it writes is there for every process at once and stays when this
// one dies, as a pwrite's bytes do. File systems of other machines (network
// shares) keep their own rules for maps and are never mapped: only the local
// file systems named in FileMap.cpp are. Files opened read-only are mapped
// for reading only.
//
// Another process may cut the file short at any time (a journal put back).
// A copy that meets a page past the new end stops on the bus error the
// kernel raises, which a handler of this file turns into a failed copy; the
// caller then reads with pread, which tells the true end. Bytes past the end
// within the file's last page read as zeros until the handle next learns the
// size (a pread that came short, a look at the size, a bus error): callers
// that can meet a cut check what they got (a record always starts with its
// deleted mark, and the engine cuts files only at record ends). Written
// there, bytes would be lost: a write goes through the map only where its
// caller knows that the file holds it and that nobody cuts the file until
// it is done; anything else goes to pwrite, which extends the file.
//
// Memory: the pages a map touched count towards the process's resident
// size (they stay in the page cache, which the kernel may take back). The
// 64 KiB chunks that the maps of the process have served are counted; once
// they reach the budget, reads and writes of further chunks go to pread and
// pwrite, and what the maps hold stays. Letting go of pages to map others
// was tried: each page that comes back costs a fault, which on a virtual
// machine costs more than the read it saves.
class FileMap {
public:
    static constexpr size_t kMaxCopy = 64 * 1024;
    static constexpr size_t kChunkShift = 16;

    explicit FileMap(int fd) : m_fd(fd) {}
    ~FileMap();
    FileMap(const FileMap&) = delete;
    FileMap& operator=(const FileMap&) = delete;

    // Whether a read may take a chunk the maps do not serve yet into the
    // budget. A caller that keeps what it read in a cache of its own (index
    // pages) reads the same bytes again only once its cache lost them: the
    // chunk is worth its memory from that second read on, not before.
    enum class Admit { OnFirstRead, OnReadAgain };

    // Copies n bytes at offset into buf when the map can serve them: they
    // lie within the part of the file known to exist, and no bus error met
    // the copy. False means nothing is known of buf; read it with pread.
    bool copy(uint64_t offset, void* buf, size_t n, Admit when = Admit::OnFirstRead);
    // Writes the n bytes of buf at offset through the map when it can: the
    // file is mapped for writing, holds the bytes and was not found cut
    // short. The caller vouches that nobody cuts the file meanwhile. False
    // means the bytes may or may not have changed; write them with pwrite.
    bool put(uint64_t offset, const void* buf, size_t n);

    // Starts loading n bytes at offset into the processor's cache when the
    // map serves them already. A prefetch never faults: bytes whose page the
    // map has not touched, or that lie past the end, are left alone.
    void prefetch(uint64_t offset, size_t n) const;

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
    bool admit(uint64_t offset, size_t n, Admit when);
    bool served(uint64_t chunk) const
    {
        return (chunk >> 6) < m_served.size() && (m_served[size_t(chunk >> 6)] >> (chunk & 63) & 1) != 0;
    }
    // Whether the map can serve n bytes at offset, mapping on first use.
    bool serves(uint64_t offset, size_t n, Admit when = Admit::OnFirstRead);
    // Whether every 512-byte block of the read was read before; marks them.
    bool readBefore(uint64_t offset, size_t n);

    int m_fd;
    State m_state = State::Unknown;
    uint8_t* m_base = nullptr;
    bool m_writable = false;
    uint64_t m_known = 0; // bytes the file was last seen to hold
    std::vector<uint64_t> m_served; // one bit per 64 KiB chunk
    size_t m_servedChunks = 0;
    static constexpr size_t kBlockShift = 9;
    std::vector<uint64_t> m_readBlocks; // one bit per 512-byte block read once, outside the chunks served
};

} // namespace xbase
