#include "xbase/Env.h"
#include "xbase/FileAccess.h"
#include "xbase/FileMap.h"

#include <cerrno>
#include <cstring>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace xbase {
namespace {

// Open-file-description locks: unlike classic POSIX record locks they belong
// to the open file, so two opens in one process conflict and closing one
// descriptor does not drop the locks of another.
class PosixFile final : public File {
public:
    PosixFile(int fd, std::string path) : m_fd(fd), m_path(std::move(path)), m_mapped(fd) {}
    ~PosixFile() override { ::close(m_fd); }

    Status readFastAt(uint64_t offset, void* buf, size_t n, size_t* got) override
    {
        return readMapped(offset, buf, n, got, FileMap::Admit::OnFirstRead);
    }

    Status readKeptAt(uint64_t offset, void* buf, size_t n, size_t* got) override
    {
        return readMapped(offset, buf, n, got, FileMap::Admit::OnReadAgain);
    }

    void prefetch(uint64_t offset, size_t n) override { m_mapped.prefetch(offset, n); }

    Status readAt(uint64_t offset, void* buf, size_t n, size_t* got) override
    {
        size_t done = 0;
        auto* p = static_cast<char*>(buf);
        while (done < n) {
            ssize_t r = ::pread(m_fd, p + done, n - done, off_t(offset + done));
            if (r < 0) {
                if (errno == EINTR)
                    continue;
                return Status::fromErrno("cannot read", m_path, errno);
            }
            if (r == 0)
                break;
            done += size_t(r);
        }
        *got = done;
        return Status::ok();
    }

    Status writeFastAt(uint64_t offset, const void* buf, size_t n) override
    {
        return m_mapped.put(offset, buf, n) ? Status::ok() : writeAt(offset, buf, n);
    }

    Status writeAt(uint64_t offset, const void* buf, size_t n) override
    {
        size_t done = 0;
        const auto* p = static_cast<const char*>(buf);
        while (done < n) {
            ssize_t r = ::pwrite(m_fd, p + done, n - done, off_t(offset + done));
            if (r < 0) {
                if (errno == EINTR)
                    continue;
                return Status::fromErrno("cannot write", m_path, errno);
            }
            done += size_t(r);
        }
        if (n > 0)
            m_mapped.reaches(offset + n);
        return Status::ok();
    }

    Status size(uint64_t* out) override
    {
        struct stat st {};
        if (::fstat(m_fd, &st) != 0)
            return Status::fromErrno("cannot stat", m_path, errno);
        *out = uint64_t(st.st_size);
        m_mapped.sizeIs(*out);
        return Status::ok();
    }

    Status truncate(uint64_t length) override
    {
        m_mapped.cutTo(length);
        if (::ftruncate(m_fd, off_t(length)) != 0)
            return Status::fromErrno("cannot truncate", m_path, errno);
        return Status::ok();
    }

    Status sync() override
    {
        if (::fdatasync(m_fd) != 0)
            return Status::fromErrno("cannot sync", m_path, errno);
        return Status::ok();
    }

    Status tryLock(uint64_t offset, uint64_t length, bool exclusive) override
    {
        return setLock(exclusive ? F_WRLCK : F_RDLCK, offset, length);
    }

    Status unlock(uint64_t offset, uint64_t length) override { return setLock(F_UNLCK, offset, length); }

    Status shareAccessOf(const std::string& like) override { return shareAccess(m_fd, like); }

    const std::string& path() const override { return m_path; }

private:
    Status readMapped(uint64_t offset, void* buf, size_t n, size_t* got, FileMap::Admit when)
    {
        if (m_mapped.copy(offset, buf, n, when)) {
            *got = n;
            return Status::ok();
        }
        XB_RETURN_IF_ERROR(readAt(offset, buf, n, got));
        if (*got > 0)
            m_mapped.reaches(offset + *got);
        return Status::ok();
    }

    Status setLock(short type, uint64_t offset, uint64_t length)
    {
        struct flock fl {};
        fl.l_type = type;
        fl.l_whence = SEEK_SET;
        fl.l_start = off_t(offset);
        fl.l_len = off_t(length);
        fl.l_pid = 0;
        while (::fcntl(m_fd, F_OFD_SETLK, &fl) != 0) {
            if (errno == EINTR)
                continue;
            return Status::fromErrno(type == F_UNLCK ? "cannot unlock" : "cannot lock", m_path, errno);
        }
        return Status::ok();
    }

    int m_fd;
    std::string m_path;
    FileMap m_mapped;
};

class PosixEnv final : public Env {
public:
    Status open(const std::string& path, OpenMode mode, std::unique_ptr<File>* out) override
    {
        int flags = O_CLOEXEC;
        switch (mode) {
        case OpenMode::ReadOnly: flags |= O_RDONLY; break;
        case OpenMode::ReadWrite: flags |= O_RDWR; break;
        case OpenMode::CreateNew: flags |= O_RDWR | O_CREAT | O_EXCL; break;
        case OpenMode::CreateTruncate: flags |= O_RDWR | O_CREAT | O_TRUNC; break;
        }
        int fd;
        do {
            fd = ::open(path.c_str(), flags, 0666);
        } while (fd < 0 && errno == EINTR);
        // A refused permission is no lock conflict, whatever fromErrno makes of EACCES.
        if (fd < 0 && errno == EACCES)
            return Status::ioError("cannot open " + path + ": " + std::strerror(errno));
        if (fd < 0)
            return Status::fromErrno("cannot open", path, errno);
        *out = std::make_unique<PosixFile>(fd, path);
        return Status::ok();
    }

    Status rename(const std::string& from, const std::string& to) override
    {
        if (::rename(from.c_str(), to.c_str()) != 0)
            return Status::fromErrno("cannot rename to " + to + ":", from, errno);
        return Status::ok();
    }

    Status remove(const std::string& path) override
    {
        if (::unlink(path.c_str()) != 0)
            return Status::fromErrno("cannot remove", path, errno);
        return Status::ok();
    }

    bool exists(const std::string& path) override { return ::access(path.c_str(), F_OK) == 0; }

    void sleepMillis(int ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};

} // namespace

Env* Env::standard()
{
    static PosixEnv env;
    return &env;
}

} // namespace xbase
