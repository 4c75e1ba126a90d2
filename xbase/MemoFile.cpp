#include "xbase/MemoFile.h"

#include "xbase/Coding.h"

#include <algorithm>
#include <vector>

namespace xbase {

Status MemoFile::open(Env* env, const std::string& path, bool readOnly, std::unique_ptr<MemoFile>* out)
{
    std::unique_ptr<File> file;
    XB_RETURN_IF_ERROR(env->open(path, readOnly ? Env::OpenMode::ReadOnly : Env::OpenMode::ReadWrite, &file));
    uint64_t size = 0;
    XB_RETURN_IF_ERROR(file->size(&size));
    uint8_t header[8];
    size_t got = 0;
    if (size >= kHeaderSize)
        XB_RETURN_IF_ERROR(file->readAt(0, header, sizeof header, &got));
    if (got != sizeof header)
        return Status::corruption(path + ": truncated memo header (" + std::to_string(size) + " bytes)");
    const uint16_t blockSize = coding::getU16BE(header + 6);
    if (blockSize == 0)
        return Status::corruption(path + ": memo block size 0");
    out->reset(new MemoFile(std::move(file), blockSize));
    return Status::ok();
}

Status MemoFile::create(Env* env, const std::string& path, std::unique_ptr<MemoFile>* out)
{
    std::unique_ptr<File> file;
    XB_RETURN_IF_ERROR(env->open(path, Env::OpenMode::CreateTruncate, &file));
    uint8_t header[kHeaderSize] = {};
    coding::putU32BE(header, kHeaderSize / kDefaultBlockSize);
    coding::putU16BE(header + 6, kDefaultBlockSize);
    XB_RETURN_IF_ERROR(file->writeAt(0, header, sizeof header));
    out->reset(new MemoFile(std::move(file), kDefaultBlockSize));
    return Status::ok();
}

Status MemoFile::readBlockHeader(uint32_t block, uint64_t fileSize, uint32_t* type, uint32_t* length)
{
    const std::string where = path() + ": memo pointer " + std::to_string(block);
    if (block < firstBlock())
        return Status::corruption(where + " points into the memo header");
    const uint64_t offset = uint64_t(block) * m_blockSize;
    if (offset + 8 > fileSize)
        return Status::corruption(where + " is past the end of the memo file");
    uint8_t h[8];
    size_t got = 0;
    XB_RETURN_IF_ERROR(m_file->readFastAt(offset, h, sizeof h, &got));
    if (got != sizeof h)
        return Status::corruption(where + " is past the end of the memo file");
    *type = coding::getU32BE(h);
    *length = coding::getU32BE(h + 4);
    if (offset + 8 + *length > fileSize)
        return Status::corruption(where + ": memo of " + std::to_string(*length) + " bytes runs past the end of the file");
    return Status::ok();
}

Status MemoFile::read(uint32_t block, std::string* out)
{
    out->clear();
    if (block == 0)
        return Status::ok();
    uint32_t type = 0, length = 0;
    XB_RETURN_IF_ERROR(blockHeader(block, &type, &length));
    out->resize(length);
    size_t got = 0;
    XB_RETURN_IF_ERROR(m_file->readFastAt(uint64_t(block) * m_blockSize + 8, out->data(), length, &got));
    if (got != length)
        return Status::corruption(path() + ": memo at block " + std::to_string(block) + " is cut short");
    return Status::ok();
}

Status MemoFile::blockHeader(uint32_t block, uint32_t* type, uint32_t* length)
{
    XB_RETURN_IF_ERROR(writePending());
    uint64_t size = 0;
    XB_RETURN_IF_ERROR(m_file->size(&size));
    return readBlockHeader(block, size, type, length);
}

void MemoFile::encodeBlocks(std::string_view text, std::vector<uint8_t>* out) const
{
    const size_t at = out->size();
    out->resize(at + blocksFor(text.size()) * m_blockSize, 0);
    uint8_t* p = out->data() + at;
    coding::putU32BE(p, kTextType);
    coding::putU32BE(p + 4, uint32_t(text.size()));
    std::copy(text.begin(), text.end(), p + 8);
}

Status MemoFile::writeBlocks(uint32_t block, std::string_view text)
{
    m_blocks.clear();
    encodeBlocks(text, &m_blocks);
    return m_file->writeAt(uint64_t(block) * m_blockSize, m_blocks.data(), m_blocks.size());
}

// Kept until it gets through: the records that point to these blocks are
// written already, and the end of the batch tries again (or undoes it).
Status MemoFile::writePending()
{
    if (m_pending.empty())
        return Status::ok();
    XB_RETURN_IF_ERROR(m_file->writeAt(m_pendingStart * m_blockSize, m_pending.data(), m_pending.size()));
    m_pending.clear();
    return Status::ok();
}

// Where the next new memo goes: the header's word, but never below the end
// of the file.
Status MemoFile::nextFree(uint64_t* out)
{
    uint8_t h[4];
    size_t got = 0;
    uint64_t size = 0;
    XB_RETURN_IF_ERROR(m_file->readFastAt(0, h, sizeof h, &got));
    XB_RETURN_IF_ERROR(m_file->size(&size));
    // A stale "next free" word must never make a new memo overwrite blocks
    // that lie before the end of the file.
    *out = std::max<uint64_t>({got == 4 ? coding::getU32BE(h) : 0, firstBlock(), (size + m_blockSize - 1) / m_blockSize});
    return Status::ok();
}

Status MemoFile::allocate(std::string_view text, uint32_t* block)
{
    uint64_t start = m_batchNext;
    if (!m_batch || start == 0)
        XB_RETURN_IF_ERROR(nextFree(&start));
    const uint64_t next = start + blocksFor(text.size());
    if (next > UINT32_MAX)
        return Status::ioError(path() + ": memo file is full");
    uint8_t h[4];
    if (m_batch) {
        XB_RETURN_IF_ERROR(m_file->willWrite({{start * m_blockSize, (next - start) * m_blockSize}}));
        if (!m_pending.empty() && start != m_pendingStart + m_pending.size() / m_blockSize)
            XB_RETURN_IF_ERROR(writePending());
        if (m_pending.empty())
            m_pendingStart = start;
        encodeBlocks(text, &m_pending);
        m_batchNext = next;
        if (m_pending.size() >= kPendingBytes)
            XB_RETURN_IF_ERROR(writePending());
    } else {
        XB_RETURN_IF_ERROR(m_file->willWrite({{start * m_blockSize, (next - start) * m_blockSize}, {0, sizeof h}}));
        XB_RETURN_IF_ERROR(writeBlocks(uint32_t(start), text));
        coding::putU32BE(h, uint32_t(next));
        XB_RETURN_IF_ERROR(m_file->writeAt(0, h, sizeof h));
    }
    *block = uint32_t(start);
    return Status::ok();
}

Status MemoFile::endBatch()
{
    XB_RETURN_IF_ERROR(writePending());
    const uint64_t next = m_batchNext;
    m_batch = false;
    m_batchNext = 0;
    if (next == 0)
        return Status::ok();
    uint8_t h[4];
    XB_RETURN_IF_ERROR(m_file->willWrite({{0, sizeof h}}));
    coding::putU32BE(h, uint32_t(next));
    return m_file->writeAt(0, h, sizeof h);
}

Status MemoFile::write(uint32_t oldBlock, std::string_view text, const LockWaiter& waitLock, uint32_t* newBlock)
{
    if (text.size() > UINT32_MAX - 8)
        return Status::invalidArgument(path() + ": memo too long");
    *newBlock = 0;
    if (text.empty())
        return Status::ok();
    if (oldBlock != 0) {
        XB_RETURN_IF_ERROR(writePending());
        uint64_t size = 0;
        uint32_t type = 0, oldLength = 0;
        XB_RETURN_IF_ERROR(m_file->size(&size));
        // A damaged old pointer only means the text goes to new blocks.
        if (readBlockHeader(oldBlock, size, &type, &oldLength).isOk() && blocksFor(text.size()) <= blocksFor(oldLength)) {
            *newBlock = oldBlock;
            return writeBlocks(oldBlock, text);
        }
    }
    if (!waitLock)
        return allocate(text, newBlock);
    XB_RETURN_IF_ERROR(waitLock(*m_file, 0));
    Status s = allocate(text, newBlock);
    Status u = m_file->unlock(0, 1);
    return s.isOk() ? u : s;
}

} // namespace xbase
