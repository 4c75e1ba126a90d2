#pragma once

#include "xbase/CdxNode.h"
#include "xbase/CdxTagHeader.h"
#include "xbase/Env.h"

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace xbase::cdx {

// The pages of one open compound index file: a cache of decoded nodes and tag
// headers, the free-page list, and the index lock with its change counter.
//
// Every access happens inside an operation: beginRead()/beginWrite() ...
// end(). Node and header pointers stay valid until end(). In shared mode a
// write operation holds the file lock (0x7FFFFFFE) and writes its pages and a
// bumped change counter before releasing it; a read operation that finds the
// counter unchanged works from the cache and takes the lock only to read a
// page it lacks. The next step of a walk (readStep) trusts a counter read
// less than Options::stepTrustMs earlier. In exclusive mode nothing is
// locked and changed pages are written by flush() (or when the cache
// overflows).
class CdxFile {
public:
    struct Options {
        bool exclusive = false;
        bool readOnly = false;
        // Decoded nodes kept between operations (the engine's
        // indexCachePages). A cache the size of the file made a long run of
        // appends hold every page it had touched.
        size_t cacheNodes = 8192;
        int lockTimeoutMs = 60000;
        // How long the steps of a walk go on from the cache without reading
        // the change counter again: what they see may be this much older
        // than the file. 0 reads it for every step.
        int stepTrustMs = 20;
        // Called when the change counter shows that another handle changed
        // the file since this one last looked.
        std::function<void()> othersChanged;
    };

    static Status open(Env* env, const std::string& path, const Options& options, std::unique_ptr<CdxFile>* out);
    ~CdxFile();

    Status beginRead();
    Status beginWrite();
    // Ends the operation; after a write in shared mode, writes what changed.
    Status end();

    // Runs fn inside a read operation; when fn needed a page and found that
    // another writer had changed the file, it runs again under the lock.
    template <class Fn> Status read(Fn&& fn)
    {
        XB_RETURN_IF_ERROR(beginRead());
        Status s = fn();
        const bool retry = retryPending();
        Status e = end();
        if (retry) {
            XB_RETURN_IF_ERROR(beginLockedRead());
            s = fn();
            e = end();
        }
        XB_RETURN_IF_ERROR(s);
        return e;
    }
    // As read, for the next step of a walk (see stepTrustMs).
    template <class Fn> Status readStep(Fn&& fn)
    {
        m_step = true;
        return read(std::forward<Fn>(fn));
    }
    // Runs fn inside a write operation.
    template <class Fn> Status write(Fn&& fn)
    {
        XB_RETURN_IF_ERROR(beginWrite());
        Status s = fn();
        Status e = end();
        XB_RETURN_IF_ERROR(s);
        return e;
    }

    // The node at `offset` of a tag with the given key length and fill byte.
    Status node(uint32_t offset, uint16_t keyLen, uint8_t fill, CdxNode** out);
    void markDirty(CdxNode* n)
    {
        if (!n->dirty)
            m_dirty.push_back(n->offset);
        n->dirty = true;
        m_modified = true;
        ++m_generation;
    }
    // A fresh empty node, from the free list or the end of the file.
    Status allocNode(uint16_t keyLen, uint8_t fill, bool leaf, CdxNode** out);
    Status freeNode(CdxNode* n);

    Status header(uint32_t offset, CdxTagHeader** out);

    // The pages of the free-page list, in list order (inside an operation).
    // A list that leaves the file, leaves the page grid or loops gives
    // Corruption.
    Status freePages(std::vector<uint32_t>* out);
    void markHeaderDirty(uint32_t offset);

    // Writes every changed page (the caller is inside an operation or the
    // file is exclusive).
    Status flush();
    // Tells the file what the next flush will write, so that a journal can
    // save it together with what other files of the call announced.
    Status announce();
    // How many decoded nodes the cache keeps between operations (a batch of
    // appends keeps more, so that its pages are written once); trim()
    // drops what lies beyond, outside an operation (inside one, callers
    // hold node pointers).
    void setCacheNodes(size_t n) { m_cacheNodes = n; }
    void trim()
    {
        if (m_depth == 0)
            evict();
    }
    // Forgets every page read, and the counter they were read under: the
    // file was put back behind this handle's back.
    void forgetPages()
    {
        dropCache();
        m_counterKnown = false;
    }

    // Changes whenever cached pages may no longer be what a cursor saw.
    uint64_t generation() const { return m_generation; }
    bool exclusive() const { return m_options.exclusive; }
    const std::string& path() const { return m_file->path(); }
    File* file() { return m_file.get(); }

private:
    CdxFile(std::unique_ptr<File> file, Env* env, const Options& options);
    // The outermost read found the file changed under it and must run again.
    bool retryPending() const { return m_retry && m_depth == 1; }
    Status beginLockedRead()
    {
        m_forceLock = true;
        return beginRead();
    }
    Status lockFile();
    Status unlockFile();
    Status readCounter(uint32_t* out);
    Status readPage(uint32_t offset, uint8_t* buf, size_t n);
    Status checkOffset(uint32_t offset, const char* what);
    Status pageMiss();
    Status fileEnd(uint64_t* out);
    Status encodePage(const CdxNode& n, uint8_t* page);
    Status writeNode(CdxNode& n);
    void dropCache();
    void forget(uint32_t offset);
    void evict();
    Status writeLeaving(const std::vector<std::pair<uint64_t, uint32_t>>& leaving);

    struct CachedHeader {
        CdxTagHeader header;
        bool dirty = false;
    };

    std::unique_ptr<File> m_file;
    Env* m_env;
    Options m_options;
    size_t m_cacheNodes;
    std::unordered_map<uint32_t, std::unique_ptr<CdxNode>> m_nodes;
    std::unordered_map<uint32_t, uint32_t> m_freed; // freed page -> next free, not yet written
    std::vector<uint32_t> m_dirty;                   // pages changed since the last flush
    std::vector<std::pair<uint64_t, uint64_t>> m_ranges; // what a flush writes
    std::vector<CdxNode*> m_run;     // pages a flush writes together
    std::vector<uint8_t> m_runBytes; // and their bytes
    CdxNode* m_last = nullptr;                       // the node asked for last
    // Nodes asked for lately, by page number: the upper levels of every
    // tree are found here without a look into m_nodes.
    static constexpr size_t kRecent = 512;
    static size_t recentSlot(uint32_t offset) { return (offset / kPageSize) % kRecent; }
    CdxNode* m_recent[kRecent] = {};
    std::unordered_map<uint32_t, CachedHeader> m_headers;
    uint64_t m_tick = 0;
    uint64_t m_generation = 1;
    uint32_t m_counter = 0;
    bool m_counterKnown = false;
    uint64_t m_end = 0; // file end including allocated, unwritten pages; 0 = unknown
    int m_depth = 0;
    bool m_locked = false;
    bool m_writing = false;
    bool m_modified = false;
    bool m_retry = false;
    bool m_forceLock = false;
    bool m_step = false;      // the next beginRead is a walk's step
    int64_t m_counterAt = 0;  // when the counter was last read (coarse ms)
};

} // namespace xbase::cdx
