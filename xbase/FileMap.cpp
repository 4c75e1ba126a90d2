#include "xbase/FileMap.h"

#include <algorithm>
#include <atomic>
#include <csetjmp>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/vfs.h>

namespace xbase {
namespace {

// The map reserves address space for the largest table file; pages come
// only as they are read.
constexpr uint64_t kMapBytes = uint64_t(1) << 32;

std::atomic<size_t> g_budget{64u << 20};
std::atomic<size_t> g_servedChunks{0}; // of all maps

// File systems whose maps share the page cache with pread and pwrite of
// every process on this machine.
bool localFileSystem(int fd)
{
    struct statfs fs {};
    if (::fstatfs(fd, &fs) != 0)
        return false;
    switch (static_cast<unsigned long>(fs.f_type)) {
    case 0xEF53UL:     // ext2, ext3, ext4
    case 0x58465342UL: // xfs
    case 0x9123683EUL: // btrfs
    case 0x01021994UL: // tmpfs
    case 0xF2F52010UL: // f2fs
    case 0x2FC12FC1UL: // zfs
    case 0x794C7630UL: // overlay
        return true;
    default:
        return false;
    }
}

// A copy under way from a map on this thread: where a bus error goes.
thread_local sigjmp_buf* t_copying = nullptr;
struct sigaction g_previous {};

void onBusError(int sig, siginfo_t* info, void* context)
{
    if (t_copying) {
        sigjmp_buf* to = t_copying;
        t_copying = nullptr;
        siglongjmp(*to, 1);
    }
    // Not ours: hand it to whoever had it, or let it end the process as it would have.
    if (g_previous.sa_flags & SA_SIGINFO && g_previous.sa_sigaction) {
        g_previous.sa_sigaction(sig, info, context);
        return;
    }
    if (g_previous.sa_handler != SIG_DFL && g_previous.sa_handler != SIG_IGN && g_previous.sa_handler) {
        g_previous.sa_handler(sig);
        return;
    }
    ::signal(SIGBUS, SIG_DFL); // the fault happens again on return, now fatal
}

bool installHandler()
{
    static std::once_flag once;
    static bool installed = false;
    std::call_once(once, [] {
        struct sigaction sa {};
        sa.sa_sigaction = onBusError;
        sigemptyset(&sa.sa_mask);
        // Not blocked while handled: the jump out leaves no mask to put back.
        sa.sa_flags = SA_SIGINFO | SA_NODEFER;
        installed = ::sigaction(SIGBUS, &sa, &g_previous) == 0;
    });
    return installed;
}

// Kept out of line so that the copy is a call the jump can leave.
__attribute__((noinline)) bool guardedCopy(void* to, const void* from, size_t n)
{
    sigjmp_buf here;
    if (sigsetjmp(here, 0) != 0)
        return false;
    t_copying = &here;
    // The handler reads t_copying: neither store may move across the copy.
    std::atomic_signal_fence(std::memory_order_seq_cst);
    std::memcpy(to, from, n);
    std::atomic_signal_fence(std::memory_order_seq_cst);
    t_copying = nullptr;
    return true;
}

} // namespace

FileMap::~FileMap()
{
    g_servedChunks -= m_servedChunks;
    if (m_base)
        ::munmap(m_base, kMapBytes);
}

void FileMap::setBudget(size_t bytes) { g_budget.store(bytes); }
size_t FileMap::budget() { return g_budget.load(); }
size_t FileMap::servedBytes() { return g_servedChunks.load() << kChunkShift; }

bool FileMap::map()
{
    m_state = State::Off;
    struct stat st {};
    if (!localFileSystem(m_fd) || ::fstat(m_fd, &st) != 0 || !installHandler())
        return false;
    const int flags = ::fcntl(m_fd, F_GETFL);
    m_writable = flags != -1 && (flags & O_ACCMODE) == O_RDWR;
    void* p = ::mmap(nullptr, kMapBytes, m_writable ? PROT_READ | PROT_WRITE : PROT_READ, MAP_SHARED, m_fd, 0);
    if (p == MAP_FAILED)
        return false;
    m_base = static_cast<uint8_t*>(p);
    reaches(uint64_t(st.st_size));
    m_state = State::Mapped;
    return true;
}

bool FileMap::serves(uint64_t offset, size_t n, Admit when)
{
    if (n == 0 || n > kMaxCopy || offset + n > kMapBytes || g_budget.load() == 0)
        return false;
    if (m_state != State::Mapped && (m_state == State::Off || !map()))
        return false;
    return offset + n <= m_known && admit(offset, n, when);
}

bool FileMap::copy(uint64_t offset, void* buf, size_t n, Admit when)
{
    if (!serves(offset, n, when))
        return false;
    if (guardedCopy(buf, m_base + offset, n))
        return true;
    // Cut short by someone else: pread finds the end from here on.
    struct stat st {};
    m_known = ::fstat(m_fd, &st) == 0 ? uint64_t(st.st_size) : 0;
    return false;
}

bool FileMap::put(uint64_t offset, const void* buf, size_t n)
{
    if (!serves(offset, n) || !m_writable)
        return false;
    if (guardedCopy(m_base + offset, buf, n))
        return true;
    // A page the kernel could not give (the disk full, or a cut after all):
    // pwrite writes the bytes again and says what went wrong.
    struct stat st {};
    m_known = ::fstat(m_fd, &st) == 0 ? uint64_t(st.st_size) : 0;
    return false;
}

void FileMap::prefetch(uint64_t offset, size_t n) const
{
    if (m_state != State::Mapped || n == 0 || n > kMaxCopy || offset + n > m_known)
        return;
    for (uint64_t chunk = offset >> kChunkShift; chunk <= (offset + n - 1) >> kChunkShift; ++chunk)
        if (!served(chunk))
            return;
    for (uint64_t line = offset & ~uint64_t(63); line < offset + n; line += 64)
        __builtin_prefetch(m_base + line);
}

// Whether the chunks of the read were served before or fit in the budget
// (and, for reads admitted on a second read, whether this is one).
bool FileMap::admit(uint64_t offset, size_t n, Admit when)
{
    const uint64_t firstChunk = offset >> kChunkShift, lastChunk = (offset + n - 1) >> kChunkShift;
    if ((lastChunk >> 6) >= m_served.size())
        m_served.resize(size_t(lastChunk >> 6) + 1);
    bool mayAdmit = when == Admit::OnFirstRead;
    for (uint64_t chunk = firstChunk; chunk <= lastChunk; ++chunk) {
        if (served(chunk))
            continue;
        if (!mayAdmit && !(mayAdmit = readBefore(offset, n)))
            return false;
        if ((g_servedChunks.load(std::memory_order_relaxed) + 1) << kChunkShift > g_budget.load(std::memory_order_relaxed))
            return false;
        ++g_servedChunks;
        m_served[size_t(chunk >> 6)] |= uint64_t(1) << (chunk & 63);
        ++m_servedChunks;
    }
    return true;
}

bool FileMap::readBefore(uint64_t offset, size_t n)
{
    const uint64_t first = offset >> kBlockShift, last = (offset + n - 1) >> kBlockShift;
    if ((last >> 6) >= m_readBlocks.size())
        m_readBlocks.resize(size_t(last >> 6) + 1);
    bool before = true;
    for (uint64_t block = first; block <= last; ++block) {
        uint64_t& word = m_readBlocks[size_t(block >> 6)];
        const uint64_t bit = uint64_t(1) << (block & 63);
        before = before && (word & bit) != 0;
        word |= bit;
    }
    return before;
}

} // namespace xbase
