#pragma once

#include <cstddef>
#include <memory>
#include <vector>

// A vector that grows by fixed blocks and never moves what it holds, so
// that a list of a million rows grows without copying itself and without
// taking all of a doubled buffer's memory at once.
template <typename T, size_t BlockSize = 65536>
class BlockVector {
public:
    void push_back(const T& value)
    {
        if (m_size == m_blocks.size() * BlockSize)
            m_blocks.push_back(std::make_unique<T[]>(BlockSize));
        m_blocks[m_size / BlockSize][m_size % BlockSize] = value;
        ++m_size;
    }
    const T& operator[](size_t i) const { return m_blocks[i / BlockSize][i % BlockSize]; }
    const T& at(size_t i) const { return (*this)[i]; }
    size_t size() const { return m_size; }
    size_t capacity() const { return m_blocks.size() * BlockSize; }
    void clear()
    {
        m_blocks.clear();
        m_blocks.shrink_to_fit();
        m_size = 0;
    }

private:
    std::vector<std::unique_ptr<T[]>> m_blocks;
    size_t m_size = 0;
};
