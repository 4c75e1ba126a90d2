#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

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

TempFolder::TempFolder()
{
    EXPECT_TRUE(m_dir.isValid()) << "cannot create a temporary folder";
}

} // namespace bmtest
