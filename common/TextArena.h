#pragma once

#include "common/BlockVector.h"

#include <QtGlobal>

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

// The texts of a big list held in fixed blocks, so that a growing list never
// copies the texts it holds; a text never straddles two blocks. Each text is
// kept as bytes (a list keeps the engine's Windows-1252 bytes, one byte a
// character) after its length: one byte below 255, else 255 and four bytes.
// A text is named by its offset, which stays valid while the arena lives.
class TextArena {
public:
    static constexpr quint32 kBlock = 1u << 20;   // bytes
    static constexpr quint32 kLongest = kBlock - 5;

    // Adds the text (cut to kLongest bytes) at the end, in a new block when
    // the last one is too full; answers its offset.
    quint32 add(std::string_view text)
    {
        const quint32 length = quint32(std::min<size_t>(text.size(), kLongest));
        const quint32 head = length < 255 ? 1 : 5;
        if (m_used + head + length > kBlock) {
            m_blocks.push_back(mapBlock<char>(kBlock, !m_blocks.empty()));
            m_used = 0;
        }
        char* at = m_blocks.back().get() + m_used;
        const quint32 offset = quint32(m_blocks.size() - 1) * kBlock + m_used;
        if (head == 1) {
            at[0] = char(length);
        } else {
            at[0] = char(255);
            std::memcpy(at + 1, &length, sizeof length);
        }
        std::memcpy(at + head, text.data(), length);
        m_used += head + length;
        return offset;
    }
    std::string_view at(quint32 offset) const
    {
        const char* p = m_blocks[offset / kBlock].get() + offset % kBlock;
        quint32 length = static_cast<unsigned char>(p[0]);
        if (length < 255)
            return std::string_view(p + 1, length);
        std::memcpy(&length, p + 1, sizeof length);
        return std::string_view(p + 5, length);
    }
    qint64 bytes() const { return qint64(m_blocks.size()) * kBlock; }

private:
    std::vector<MappedBlock<char>> m_blocks;
    quint32 m_used = kBlock;   // in the last block; full before the first
};
