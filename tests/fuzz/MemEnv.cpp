#include "MemEnv.h"

#include <algorithm>
#include <cstring>

using xbase::Status;

namespace {

class MemFile final : public xbase::File {
public:
    MemFile(std::string path, std::shared_ptr<MemEnv::Bytes> bytes) : m_path(std::move(path)), m_bytes(std::move(bytes)) {}

    Status readAt(uint64_t offset, void* buf, size_t n, size_t* got) override
    {
        *got = offset < m_bytes->size() ? std::min<uint64_t>(n, m_bytes->size() - offset) : 0;
        if (*got)
            std::memcpy(buf, m_bytes->data() + offset, *got);
        return Status::ok();
    }
    Status writeAt(uint64_t offset, const void* buf, size_t n) override
    {
        if (offset + n > (64u << 20))
            return Status::ioError(m_path + ": file too large for memory");
        if (m_bytes->size() < offset + n)
            m_bytes->resize(offset + n);
        std::memcpy(m_bytes->data() + offset, buf, n);
        return Status::ok();
    }
    Status size(uint64_t* out) override
    {
        *out = m_bytes->size();
        return Status::ok();
    }
    Status truncate(uint64_t length) override
    {
        m_bytes->resize(std::min<uint64_t>(length, 64u << 20));
        return Status::ok();
    }
    Status sync() override { return Status::ok(); }
    Status tryLock(uint64_t, uint64_t, bool) override { return Status::ok(); }
    Status unlock(uint64_t, uint64_t) override { return Status::ok(); }
    const std::string& path() const override { return m_path; }

private:
    std::string m_path;
    std::shared_ptr<MemEnv::Bytes> m_bytes;
};

} // namespace

Status MemEnv::open(const std::string& path, OpenMode mode, std::unique_ptr<xbase::File>* out)
{
    auto it = m_files.find(path);
    if (mode == OpenMode::CreateTruncate || (mode == OpenMode::CreateNew && it == m_files.end())) {
        put(path, {});
        it = m_files.find(path);
    } else if (mode == OpenMode::CreateNew) {
        return Status::ioError(path + ": exists");
    } else if (it == m_files.end()) {
        return Status::notFound(path + ": no such file");
    }
    *out = std::make_unique<MemFile>(path, it->second);
    return Status::ok();
}

Status MemEnv::rename(const std::string& from, const std::string& to)
{
    auto it = m_files.find(from);
    if (it == m_files.end())
        return Status::notFound(from + ": no such file");
    m_files[to] = it->second;
    m_files.erase(from);
    return Status::ok();
}

Status MemEnv::remove(const std::string& path)
{
    return m_files.erase(path) ? Status::ok() : Status::notFound(path + ": no such file");
}
