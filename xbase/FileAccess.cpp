#include "xbase/FileAccess.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace xbase {
namespace {

// What a share or a foreign group refuses is not ours to insist on.
bool refusedByTheFileSystem(int err)
{
    return err == EPERM || err == EROFS || err == ENOTSUP || err == EOPNOTSUPP || err == ENOSYS;
}

} // namespace

Status shareAccess(int fd, const std::string& like, unsigned extra)
{
    struct stat ref {};
    struct stat self {};
    if (::stat(like.c_str(), &ref) != 0)
        return Status::fromErrno("cannot stat", like, errno);
    if (::fstat(fd, &self) != 0)
        return Status::ioError("cannot stat a new file beside " + like);
    // The group first: a change of group may clear the set-group-ID bit.
    if (self.st_gid != ref.st_gid && ::fchown(fd, uid_t(-1), ref.st_gid) != 0 && !refusedByTheFileSystem(errno))
        return Status::fromErrno("cannot give the group of", like, errno);
    const bool folder = S_ISDIR(self.st_mode);
    const mode_t mode = (ref.st_mode & (folder ? 02777 : 0666)) | mode_t(extra);
    if ((self.st_mode & 07777) != mode && ::fchmod(fd, mode) != 0 && !refusedByTheFileSystem(errno))
        return Status::fromErrno("cannot give the permissions of", like, errno);
    return Status::ok();
}

Status shareAccessAt(const std::string& path, const std::string& like, unsigned extra)
{
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return Status::fromErrno("cannot open", path, errno);
    Status s = shareAccess(fd, like, extra);
    ::close(fd);
    return s;
}

} // namespace xbase
