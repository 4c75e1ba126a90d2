#pragma once

#include "ForwardingFile.h"

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

class StoppingFile final : public ForwardingFile {
public:
    StoppingFile(StoppingEnv& env, std::unique_ptr<xbase::File> target) : ForwardingFile(std::move(target)), m_env(env) {}
    xbase::Status writeAt(uint64_t offset, const void* buf, size_t n) override { return write(offset, buf, n, false); }
    xbase::Status writeFastAt(uint64_t offset, const void* buf, size_t n) override { return write(offset, buf, n, true); }
    xbase::Status truncate(uint64_t length) override
    {
        XB_RETURN_IF_ERROR(m_env.step());
        return ForwardingFile::truncate(length);
    }

private:
    xbase::Status write(uint64_t offset, const void* buf, size_t n, bool fast)
    {
        auto put = [&](size_t len) { return fast ? target().writeFastAt(offset, buf, len) : target().writeAt(offset, buf, len); };
        size_t partial = 0;
        xbase::Status s = m_env.step(&partial, n);
        if (partial)
            (void)put(partial);
        XB_RETURN_IF_ERROR(s);
        return put(n);
    }

    StoppingEnv& m_env;
};

inline xbase::Status StoppingEnv::open(const std::string& path, OpenMode mode, std::unique_ptr<xbase::File>* out)
{
    if (mode == OpenMode::CreateNew || mode == OpenMode::CreateTruncate)
        XB_RETURN_IF_ERROR(step());
    return openForwarded<StoppingFile>(*this, path, mode, out);
}

