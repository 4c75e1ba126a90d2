#pragma once

#include "xbase/Env.h"

#include <memory>
#include <string>
#include <utility>

// A file that passes each of its calls on to the file it wraps; a test's
// file derives from it and overrides the calls it watches or breaks. The
// calls that have a default (the fast reads and writes among them) keep it,
// so that they too pass through the wrapper's readAt and writeAt.
class ForwardingFile : public xbase::File {
public:
    explicit ForwardingFile(std::unique_ptr<xbase::File> target) : m_target(std::move(target)) {}

    xbase::Status readAt(uint64_t offset, void* buf, size_t n, size_t* got) override
    {
        return m_target->readAt(offset, buf, n, got);
    }
    xbase::Status writeAt(uint64_t offset, const void* buf, size_t n) override
    {
        return m_target->writeAt(offset, buf, n);
    }
    xbase::Status size(uint64_t* out) override { return m_target->size(out); }
    xbase::Status truncate(uint64_t length) override { return m_target->truncate(length); }
    xbase::Status sync() override { return m_target->sync(); }
    xbase::Status tryLock(uint64_t offset, uint64_t length, bool exclusive) override
    {
        return m_target->tryLock(offset, length, exclusive);
    }
    xbase::Status unlock(uint64_t offset, uint64_t length) override { return m_target->unlock(offset, length); }
    const std::string& path() const override { return m_target->path(); }

protected:
    xbase::File& target() { return *m_target; }

private:
    std::unique_ptr<xbase::File> m_target;
};

// Opens `path` through the environment that `env` wraps and hands out the
// file wrapped in a FileType made from (env, file).
template <class FileType, class EnvType>
xbase::Status openForwarded(EnvType& env, const std::string& path, xbase::Env::OpenMode mode,
                            std::unique_ptr<xbase::File>* out)
{
    std::unique_ptr<xbase::File> file;
    XB_RETURN_IF_ERROR(env.target()->open(path, mode, &file));
    *out = std::make_unique<FileType>(env, std::move(file));
    return xbase::Status::ok();
}
