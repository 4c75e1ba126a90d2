#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace bmtest {

QString sharedFixturesDir()
{
    const QString shared = qEnvironmentVariable("BM_SHARED_DIR");
    if (shared.isEmpty())
        return {};
    const QString dir = QDir(shared).filePath(QStringLiteral("fixtures/xbase"));
    return QFileInfo(dir).isDir() ? QDir(dir).canonicalPath() : QString();
}

QString programDir()
{
    return qEnvironmentVariable("BM_PROGRAM_DIR");
}

QString systemPython()
{
    // Debian's Python modules belong to the system interpreter, whatever
    // python3 comes first on PATH.
    const QString python = QStringLiteral("/usr/bin/python3");
    return QFileInfo(QStringLiteral("/usr/lib/python3/dist-packages/dbfread")).isDir() && QFileInfo(python).isExecutable()
        ? python
        : QString();
}

ToolRun runBmtool(const QStringList& args, int timeoutMs)
{
    QProcess p;
    p.start(QDir(programDir()).filePath(QStringLiteral("bmtool")), args);
    ToolRun r;
    if (p.waitForFinished(timeoutMs) && p.exitStatus() == QProcess::NormalExit)
        r.exitCode = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

std::string fileAccess(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return path.toStdString() + " is missing";
    return accessText(unsigned(st.st_mode & 07777), unsigned(st.st_gid));
}

std::string accessText(unsigned mode, unsigned group)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04o %u", mode, group);
    return text;
}

unsigned handableGroup()
{
    return ::geteuid() == 0 ? 4711u : unsigned(::getegid());
}

TempFolder::TempFolder()
{
    EXPECT_TRUE(m_dir.isValid()) << "cannot create a temporary folder";
}

} // namespace bmtest
