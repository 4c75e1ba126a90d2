#include "xbase/Field.h"

#include "xbase/Coding.h"
#include "xbase/Engine.h"
#include "xbase/Table.h"

#include <cstring>

namespace xbase {

// FoxPro 2.x stores the block number as ten right-aligned digits (blanks for
// none), Visual FoxPro as a 4-byte little-endian word (0 for none).
Status Field::memoBlock(uint32_t* out) const
{
    const char* p = ptr();
    if (length() == 4) {
        *out = coding::getU32LE(reinterpret_cast<const uint8_t*>(p));
        return Status::ok();
    }
    uint64_t block = 0;
    for (int i = 0; i < length(); ++i) {
        if (p[i] == ' ' || p[i] == '\0')
            continue;
        if (p[i] < '0' || p[i] > '9' || block > UINT32_MAX / 10)
            return Status::corruption(m_table.path() + ": bad memo pointer in field " + name() + " of record " +
                                      std::to_string(m_table.recNo()));
        block = block * 10 + uint64_t(p[i] - '0');
    }
    if (block > UINT32_MAX)
        return Status::corruption(m_table.path() + ": bad memo pointer in field " + name());
    *out = uint32_t(block);
    return Status::ok();
}

void Field::setMemoBlock(uint32_t block)
{
    uint8_t* p = m_table.recordForUpdate() + descriptor().offset;
    if (length() == 4) {
        coding::putU32LE(p, block);
        return;
    }
    std::memset(p, ' ', size_t(length()));
    for (int i = length() - 1; block != 0 && i >= 0; --i, block /= 10)
        p[i] = uint8_t('0' + block % 10);
}

Status Field::memo(const std::string** out)
{
    if (!isMemo())
        return Status::invalidArgument(m_table.path() + ": field " + name() + " is not a memo");
    if (!m_memoLoaded) {
        uint32_t block = 0;
        XB_RETURN_IF_ERROR(memoBlock(&block));
        m_memo.clear();
        if (block != 0) {
            MemoFile* file = m_table.memoFile();
            if (!file)
                return Status::corruption(m_table.path() + ": memo field " + name() + " without a memo file");
            XB_RETURN_IF_ERROR(file->read(block, &m_memo));
        }
        m_memoLoaded = true;
        m_table.m_memosHeld = true;
    }
    *out = &m_memo;
    return Status::ok();
}

Status Field::assignMemo(std::string_view text)
{
    if (!isMemo())
        return Status::invalidArgument(m_table.path() + ": field " + name() + " is not a memo");
    m_table.recordForUpdate();
    m_memo.assign(text.data(), text.size());
    m_memoLoaded = true;
    m_memoChanged = true;
    m_table.m_memosHeld = true;
    setBit(descriptor().nullBit, false);
    return Status::ok();
}

void Field::dropMemo()
{
    m_memo.clear();
    m_memo.shrink_to_fit();
    m_memoLoaded = false;
    m_memoChanged = false;
}

} // namespace xbase
