#pragma once

#include "xbase/Env.h"

// An environment that stops, as a killed process would, at its n-th write
// (writes, truncations, creations, renames and removals count): that write
// gets half its bytes through, and every later one fails.
class StoppingEnv final : public xbase::EnvWrapper {
public:
    StoppingEnv(Env* target, long stopAt) : EnvWrapper(target), m_left(stopAt) {}
    bool stopped() const { return m_stopped; }
    long writes() const { return m_writes; }

    xbase::Status open(const std::string& path, OpenMode mode, std::unique_ptr<xbase::File>* out) override;
    xbase::Status rename(const std::string& from, const std::string& to) override
    {
        XB_RETURN_IF_ERROR(step());
        return EnvWrapper::rename(from, to);
    }
    xbase::Status remove(const std::string& path) override
    {
        XB_RETURN_IF_ERROR(step());
        return EnvWrapper::remove(path);
    }

    // Counts one write; false once the process is dead.
    xbase::Status step(size_t* partial = nullptr, size_t n = 0)
    {
        if (m_stopped)
            return xbase::Status::ioError("the process is dead");
        ++m_writes;
        if (--m_left > 0)
            return xbase::Status::ok();
        m_stopped = true;
        if (partial)
            *partial = n / 2;
        return xbase::Status::ioError("the process died during this write");
    }

private:
    long m_left;
    long m_writes = 0;
    bool m_stopped = false;
};

class StoppingFile final : public xbase::File {
public:
    StoppingFile(StoppingEnv& env, std::unique_ptr<xbase::File> target) : m_env(env), m_target(std::move(target)) {}
    xbase::Status readAt(uint64_t offset, void* buf, size_t n, size_t* got) override { return m_target->readAt(offset, buf, n, got); }
    xbase::Status writeAt(uint64_t offset, const void* buf, size_t n) override { return write(offset, buf, n, false); }
    xbase::Status writeFastAt(uint64_t offset, const void* buf, size_t n) override { return write(offset, buf, n, true); }
    xbase::Status size(uint64_t* out) override { return m_target->size(out); }
    xbase::Status truncate(uint64_t length) override
    {
        XB_RETURN_IF_ERROR(m_env.step());
        return m_target->truncate(length);
    }
    xbase::Status sync() override { return m_target->sync(); }
    xbase::Status tryLock(uint64_t offset, uint64_t length, bool exclusive) override { return m_target->tryLock(offset, length, exclusive); }
    xbase::Status unlock(uint64_t offset, uint64_t length) override { return m_target->unlock(offset, length); }
    const std::string& path() const override { return m_target->path(); }

private:
    xbase::Status write(uint64_t offset, const void* buf, size_t n, bool fast)
    {
        auto put = [&](size_t len) { return fast ? m_target->writeFastAt(offset, buf, len) : m_target->writeAt(offset, buf, len); };
        size_t partial = 0;
        xbase::Status s = m_env.step(&partial, n);
        if (partial)
            (void)put(partial);
        XB_RETURN_IF_ERROR(s);
        return put(n);
    }

    StoppingEnv& m_env;
    std::unique_ptr<xbase::File> m_target;
};

inline xbase::Status StoppingEnv::open(const std::string& path, OpenMode mode, std::unique_ptr<xbase::File>* out)
{
    if (mode == OpenMode::CreateNew || mode == OpenMode::CreateTruncate)
        XB_RETURN_IF_ERROR(step());
    std::unique_ptr<xbase::File> file;
    XB_RETURN_IF_ERROR(EnvWrapper::open(path, mode, &file));
    *out = std::make_unique<StoppingFile>(*this, std::move(file));
    return xbase::Status::ok();
}

