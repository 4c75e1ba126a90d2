#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <string>

namespace bmtest {

// The shared fixtures folder (real files made by other programs), or an empty
// text when it is not there; tests that need it skip then.
QString sharedFixturesDir();

// The program folder of the build: the executables and the shipped templates.
QString programDir();

// A folder of the system's Python that reads xBase files independently, or an
// empty text when python3-dbfread is not installed.
QString systemPython();

// The group and permission bits of a file or folder as "0664 4711" (octal
// bits, then the group's number), or "... is missing".
std::string fileAccess(const QString& path);
// The same text for what a test expects.
std::string accessText(unsigned mode, unsigned group);
// A group the test may hand its files to: one the process is not in when it
// may (the superuser), else its own.
unsigned handableGroup();

// What a run of the project's command-line tool printed and returned.
struct ToolRun {
    int exitCode = -1; // -1 when it did not finish normally in time
    QString out;
    QString err;
    QString all() const { return out + err; }
};

// Runs bmtool from the program folder with `args` and waits for it.
ToolRun runBmtool(const QStringList& args, int timeoutMs = 120000);

// Path of a file inside a fresh temporary folder that lives as long as the object.
class TempFolder {
public:
    TempFolder();
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }
    std::string fileStd(const QString& name) const { return file(name).toStdString(); }

private:
    QTemporaryDir m_dir;
};

} // namespace bmtest

// Skips the current test when the shared fixtures are absent.
#define BM_REQUIRE_FIXTURES()                                                    \
    do {                                                                         \
        if (bmtest::sharedFixturesDir().isEmpty())                               \
            GTEST_SKIP() << "shared fixtures folder not present";                \
    } while (0)
