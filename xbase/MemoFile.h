#pragma once

#include "xbase/Env.h"
#include "xbase/Status.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace xbase {

// A FoxPro memo file (.fpt): a 512-byte header, then blocks of a fixed size.
// A memo is one run of consecutive blocks that starts with an 8-byte block
// header (type and length, big-endian). There is no free list: a memo that
// still fits its blocks is rewritten in place, otherwise it goes to the
// "next free" block at the end and its old blocks stay unused.
class MemoFile {
public:
    static constexpr size_t kHeaderSize = 512;
    static constexpr uint16_t kDefaultBlockSize = 64;
    static constexpr uint32_t kTextType = 1;

    // Waits for the allocation lock (byte 0 of the file) as the engine's lock
    // settings say; returns Locked when the attempts run out.
    using LockWaiter = std::function<Status(File& file, uint64_t offset)>;

    // Opens an existing memo file and checks its header.
    static Status open(Env* env, const std::string& path, bool readOnly, std::unique_ptr<MemoFile>* out);
    // Creates an empty memo file (overwriting one that is there).
    static Status create(Env* env, const std::string& path, std::unique_ptr<MemoFile>* out);

    // The text of the memo starting at `block` (0 means no memo: empty text).
    // A block inside the header or a memo that runs past the end of the file
    // is a Corruption error naming the file.
    Status read(uint32_t block, std::string* out);
    // The type and length word of the memo at `block` (not 0), checked as
    // read checks them.
    Status blockHeader(uint32_t block, uint32_t* type, uint32_t* length);

    // Stores `text` for a memo that was at `oldBlock` (0: none) and sets
    // *newBlock to where it now starts (0 for an empty text). New blocks are
    // allocated while byte 0 of the file is locked through `waitLock` (an
    // empty waiter: no lock, for a file nobody else has open).
    Status write(uint32_t oldBlock, std::string_view text, const LockWaiter& waitLock, uint32_t* newBlock);

    // Between beginBatch and endBatch new blocks are taken from a "next
    // free" word kept here rather than read and written per memo, and new
    // memos gather to be written together (before any read of the file);
    // endBatch writes them and the header. Only for a file nobody else has
    // open. dropBatch forgets both without writing (the files were put
    // back).
    void beginBatch()
    {
        m_batch = true;
        m_batchNext = 0;
    }
    Status endBatch();
    void dropBatch()
    {
        m_batch = false;
        m_pending.clear();
    }

    uint32_t blockSize() const { return m_blockSize; }
    const std::string& path() const { return m_file->path(); }
    File& file() { return *m_file; }

private:
    explicit MemoFile(std::unique_ptr<File> file, uint32_t blockSize) : m_file(std::move(file)), m_blockSize(blockSize) {}

    uint64_t blocksFor(uint64_t length) const { return (8 + length + m_blockSize - 1) / m_blockSize; }
    uint32_t firstBlock() const { return uint32_t((kHeaderSize + m_blockSize - 1) / m_blockSize); }
    Status readBlockHeader(uint32_t block, uint64_t fileSize, uint32_t* type, uint32_t* length);
    Status writeBlocks(uint32_t block, std::string_view text);
    Status allocate(std::string_view text, uint32_t* block);

    Status nextFree(uint64_t* out);
    void encodeBlocks(std::string_view text, std::vector<uint8_t>* out) const;
    Status writePending();

    std::unique_ptr<File> m_file;
    uint32_t m_blockSize;
    bool m_batch = false;
    uint64_t m_batchNext = 0; // the next free block within a batch; 0: not yet read
    static constexpr size_t kPendingBytes = 256 * 1024;
    std::vector<uint8_t> m_pending; // new blocks of the batch from m_pendingStart, not yet written
    uint64_t m_pendingStart = 0;
    std::vector<uint8_t> m_blocks;  // one memo's blocks, as they are written
};

} // namespace xbase
