#include "common/SharedAccess.h"

#include "xbase/FileAccess.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool sameEntry(const QByteArray& a, const QByteArray& b)
{
    struct stat sa {};
    struct stat sb {};
    return ::lstat(a.constData(), &sa) == 0 && ::lstat(b.constData(), &sb) == 0 && sa.st_dev == sb.st_dev
           && sa.st_ino == sb.st_ino;
}

// For file systems that cannot rename without replacing: a hard link is
// made only under a free name. Where there are no hard links either, the
// name is looked at first, which leaves a moment for a race but never
// replaces what was there before.
int linkInstead(const QByteArray& from, const QByteArray& to)
{
    if (::link(from.constData(), to.constData()) == 0) {
        (void)::unlink(from.constData());
        return 0;
    }
    if (errno == EEXIST)
        return EEXIST;
    struct stat st {};
    if (::lstat(to.constData(), &st) == 0)
        return EEXIST;
    return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

} // namespace

bool shareAccessOf(const QString& path, const QString& like, unsigned extra)
{
    return xbase::shareAccessAt(QFile::encodeName(path).toStdString(), QFile::encodeName(like).toStdString(), extra)
        .isOk();
}

int renameWithoutReplacing(const QString& from, const QString& to)
{
    const QByteArray a = QFile::encodeName(from);
    const QByteArray b = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    int err = errno;
    if (err == EINVAL || err == ENOSYS || err == ENOTSUP || err == EOPNOTSUPP)
        err = linkInstead(a, b);
    // A share that ignores letter case finds the file itself under its new
    // spelling.
    if (err == EEXIST && from.compare(to, Qt::CaseInsensitive) == 0 && sameEntry(a, b))
        return ::rename(a.constData(), b.constData()) == 0 ? 0 : errno;
    return err;
}
