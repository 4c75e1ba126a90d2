#pragma once

#include "xbase/Env.h"
#include "xbase/MonotonicClock.h"
#include "xbase/Status.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace xbase {

// Records read ahead for the walks of one table handle: blocks of
// consecutive records, each read from the data file with one read, so that
// a walk in record order (and a tag walk whose records cluster) does not
// read every record on its own.
//
// Staleness. A record served from a block is the record as it was when the
// block was read: another handle's change to it is seen once the block goes.
// Blocks go when they are older than kMaxAgeMs (not in exclusive mode), on
// clear(), and when evicted. The table clears the cache whenever it learns
// that others changed the file (a new record count, the index's change
// counter moved) and on a fresh top; a record lock, go and seek always read
// the file. Writes of the handle itself go through store(), so it never
// reads back an older image of what it wrote.
//
// Memory: at most kMaxBlocks blocks of kBlockBytes (one record per block
// when a record is longer), allocated as walks need them.
class RecordCache {
public:
    static constexpr size_t kBlockBytes = 64 * 1024;
    static constexpr size_t kMaxBlocks = 16;
    static constexpr int64_t kMaxAgeMs = 20;

    // Reads the records that n bytes at offset hold, through the file's map
    // where it can. Every record starts with its deleted mark: anything else
    // may be the zeros a map shows past an end another process cut the file
    // back to, and the bytes are then read again with pread.
    static Status readRecords(File& file, uint64_t offset, uint8_t* buf, size_t n, uint32_t recordLength, size_t* got);

    // Record 1 starts at `firstOffset`; every record is `recordLength` bytes.
    // `ageLimited` false keeps blocks until cleared (exclusive handles).
    void configure(uint64_t firstOffset, uint32_t recordLength, bool ageLimited);

    // The cached image of `recno`, or null when no young enough block holds
    // it. The image stays readable until the next load.
    const uint8_t* find(uint32_t recno)
    {
        // A walk mostly stays in the block that served last.
        const uint32_t index = m_last ? recno - m_last->first : UINT32_MAX;
        if (m_last && index < m_last->records && fresh(*m_last)) {
            m_last->lastUse = ++m_tick;
            return m_last->bytes.data() + size_t(index) * m_recordLength;
        }
        return findSlow(recno);
    }

    // Reads the block that holds `recno` from `file` and keeps it. *image is
    // the record's image, or null when the file ends before the record does.
    Status load(File& file, uint32_t recno, const uint8_t** image);

    // Whether a walk recently read a record of recno's block without keeping
    // the block; notes that it did now. A second visit to a block is what
    // makes a tag walk worth a block read.
    bool revisits(uint32_t recno);

    // The handle wrote (or read afresh) `image` for `recno`: a cached copy
    // becomes this image; a block that ends before `recno` is dropped.
    void store(uint32_t recno, const uint8_t* image);
    // Drops whatever holds `recno` (its write may have half happened).
    void forget(uint32_t recno);
    void clear();

private:
    struct Block {
        uint32_t number = 0; // block number + 1; 0: empty slot
        uint32_t first = 0;   // its first record
        uint32_t records = 0; // whole records read
        int64_t readAt = 0;   // milliseconds, coarse monotonic clock
        uint64_t lastUse = 0;
        std::vector<uint8_t> bytes;
    };

    uint32_t blockOf(uint32_t recno) const { return (recno - 1) / m_perBlock; }
    const uint8_t* findSlow(uint32_t recno);
    Block* slotOf(uint32_t block);
    Block& freeSlot();
    bool fresh(const Block& b) const { return !m_ageLimited || coarseMillis() - b.readAt < kMaxAgeMs; }

    uint64_t m_firstOffset = 0;
    uint32_t m_recordLength = 1;
    uint32_t m_perBlock = 1;
    bool m_ageLimited = true;
    std::vector<Block> m_blocks;
    Block* m_last = nullptr; // the block that served last
    uint64_t m_tick = 0;
    static constexpr size_t kVisits = 32;
    uint32_t m_visits[kVisits] = {}; // block numbers + 1, read without keeping
    size_t m_nextVisit = 0;
};

} // namespace xbase
