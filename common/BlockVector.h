#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>
#include <vector>

#include <sys/mman.h>

// Memory for the large blocks of a big list, zero-filled and released with
// its owner. Mapped with all its pages in place at once (`populated`), a
// block costs far less than with a page fault at each page as it fills; a
// list's first block is not, so that a short list takes only the pages it
// fills.
struct MappedBlockRelease {
    size_t bytes = 0;
    void operator()(void* p) const
    {
        if (p)
            munmap(p, bytes);
    }
};
template <typename T>
using MappedBlock = std::unique_ptr<T[], MappedBlockRelease>;

template <typename T>
MappedBlock<T> mapBlock(size_t count, bool populated = true)
{
    static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>);
    const size_t bytes = count * sizeof(T);
    void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE,
                   MAP_PRIVATE | MAP_ANONYMOUS | (populated ? MAP_POPULATE : 0), -1, 0);
    if (p == MAP_FAILED)
        throw std::bad_alloc();
    return MappedBlock<T>(static_cast<T*>(p), MappedBlockRelease{bytes});
}

// An allocator for std::vector that maps large buffers as mapBlock() does,
// with their pages in place at once; small ones come from the heap.
template <typename T>
struct MappedAllocator {
    using value_type = T;
    static constexpr size_t kMappedBytes = size_t(1) << 20;

    MappedAllocator() = default;
    template <typename U>
    MappedAllocator(const MappedAllocator<U>&) noexcept
    {
    }
    T* allocate(size_t n)
    {
        if (n * sizeof(T) < kMappedBytes)
            return std::allocator<T>().allocate(n);
        return mapBlock<T>(n).release();
    }
    void deallocate(T* p, size_t n) noexcept
    {
        if (n * sizeof(T) < kMappedBytes)
            std::allocator<T>().deallocate(p, n);
        else
            MappedBlockRelease{n * sizeof(T)}(p);
    }
    template <typename U>
    bool operator==(const MappedAllocator<U>&) const noexcept
    {
        return true;
    }
};

// A vector that grows by fixed blocks and never moves what it holds, so
// that a list of a million rows grows without copying itself and without
// taking all of a doubled buffer's memory at once.
template <typename T, size_t BlockSize = 65536>
class BlockVector {
public:
    void push_back(const T& value)
    {
        if (m_size == m_blocks.size() * BlockSize)
            m_blocks.push_back(mapBlock<T>(BlockSize, !m_blocks.empty()));
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
    std::vector<MappedBlock<T>> m_blocks;
    size_t m_size = 0;
};
