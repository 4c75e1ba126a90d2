#include "xbase/CdxFile.h"

#include "xbase/Coding.h"
#include "xbase/LockWait.h"
#include "xbase/MonotonicClock.h"

#include <algorithm>
#include <chrono>
#include <vector>

namespace xbase::cdx {
namespace {

constexpr uint64_t kLockOffset = 0x7FFFFFFE;

// Whether a 512-byte block of what was read holds zeros only.
bool holdsZeroBlock(const uint8_t* p, size_t n)
{
    for (size_t block = 0; block < n; block += 512)
        if (std::all_of(p + block, p + std::min(n, block + 512), [](uint8_t b) { return b == 0; }))
            return true;
    return false;
}

} // namespace

CdxFile::CdxFile(std::unique_ptr<File> file, Env* env, const Options& options)
    : m_file(std::move(file)), m_env(env), m_options(options), m_cacheNodes(options.cacheNodes)
{
}

CdxFile::~CdxFile()
{
    if (m_options.exclusive && !m_options.readOnly)
        (void)flush();
    if (m_locked)
        (void)unlockFile();
}

Status CdxFile::open(Env* env, const std::string& path, const Options& options, std::unique_ptr<CdxFile>* out)
{
    std::unique_ptr<File> file;
    XB_RETURN_IF_ERROR(env->open(path, options.readOnly ? Env::OpenMode::ReadOnly : Env::OpenMode::ReadWrite, &file));
    std::unique_ptr<CdxFile> cdx(new CdxFile(std::move(file), env, options));
    CdxTagHeader* h = nullptr;
    XB_RETURN_IF_ERROR(cdx->beginRead());
    Status s = cdx->header(0, &h);
    Status e = cdx->end();
    XB_RETURN_IF_ERROR(s);
    XB_RETURN_IF_ERROR(e);
    if (!(h->options & kOptDirectory) && h->keyLen != 10)
        return Status::corruption(path + ": not a compound index");
    *out = std::move(cdx);
    return Status::ok();
}

Status CdxFile::lockFile()
{
    // A read-only open can hold only a shared lock; it still keeps writers
    // out while it reads.
    XB_RETURN_IF_ERROR(LockWait::take(*m_file, kLockOffset, 1, !m_options.readOnly,
                                      std::chrono::milliseconds(m_options.lockTimeoutMs)));
    m_locked = true;
    uint32_t counter = 0;
    Status s = readCounter(&counter);
    if (!s.isOk()) {
        (void)unlockFile();
        return s;
    }
    if (!m_counterKnown || counter != m_counter)
        dropCache();
    if (m_counterKnown && counter != m_counter && m_options.othersChanged)
        m_options.othersChanged();
    m_counter = counter;
    m_counterKnown = true;
    m_counterAt = coarseMillis();
    m_end = 0;
    return Status::ok();
}

Status CdxFile::unlockFile()
{
    m_locked = false;
    return m_file->unlock(kLockOffset, 1);
}

Status CdxFile::readCounter(uint32_t* out)
{
    uint8_t buf[4];
    size_t got = 0;
    XB_RETURN_IF_ERROR(m_file->readFastAt(kCounterOffset, buf, 4, &got));
    if (got != 4)
        return Status::corruption(path() + ": index page at " + std::to_string(kCounterOffset) + " lies past the end");
    *out = coding::getU32BE(buf);
    return Status::ok();
}

// Pages and the file's length are multiples of 512 bytes, so a block of 512
// is all before an end another process cut the file back to or all past
// it; past it, a map shows zeros, which no node or header holds: what shows
// a block of zeros is read again with pread, which tells the end. The
// cache keeps what a page read gives: a page is read again only once the
// cache lost it.
Status CdxFile::readPage(uint32_t offset, uint8_t* buf, size_t n)
{
    size_t got = 0;
    XB_RETURN_IF_ERROR(m_file->readKeptAt(offset, buf, n, &got));
    if (got == n && holdsZeroBlock(buf, n))
        XB_RETURN_IF_ERROR(m_file->readAt(offset, buf, n, &got));
    if (got != n)
        return Status::corruption(path() + ": index page at " + std::to_string(offset) + " lies past the end");
    return Status::ok();
}

Status CdxFile::beginRead()
{
    const bool step = m_step;
    m_step = false;
    if (m_depth++ > 0 || m_options.exclusive)
        return Status::ok();
    // Reading the counter is most of a step's cost.
    if (step && m_counterKnown && !m_forceLock && coarseMillis() - m_counterAt < m_options.stepTrustMs)
        return Status::ok();
    uint32_t counter = 0;
    Status s = m_forceLock ? Status::ok() : readCounter(&counter);
    if (s.isOk() && !m_forceLock)
        m_counterAt = coarseMillis();
    if (s.isOk() && (m_forceLock || !m_counterKnown || counter != m_counter))
        s = lockFile();
    m_forceLock = false;
    if (!s.isOk())
        --m_depth;
    return s;
}

Status CdxFile::beginWrite()
{
    if (m_options.readOnly)
        return Status::invalidArgument(path() + ": index opened read-only");
    if (m_depth > 0 && !m_writing && !m_options.exclusive && !m_locked)
        return Status::invalidArgument(path() + ": index write inside a read");
    ++m_depth;
    if (!m_options.exclusive && !m_locked) {
        Status s = lockFile();
        if (!s.isOk()) {
            --m_depth;
            return s;
        }
    }
    m_writing = true;
    return Status::ok();
}

Status CdxFile::end()
{
    if (--m_depth > 0)
        return Status::ok();
    Status s;
    if (!m_options.exclusive && m_modified)
        s = flush();
    if (!s.isOk())
        dropCache(); // the file may hold part of the change; read it afresh
    if (m_locked) {
        Status u = unlockFile();
        if (s.isOk())
            s = u;
    }
    m_writing = false;
    m_retry = false;
    if (s.isOk())
        evict();
    return s;
}

} // namespace xbase::cdx
