#include "TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTest>

#include <csignal>
#include <gtest/gtest.h>

namespace {

// The environment of a copy of the program, offscreen, in a home of its own,
// with `runtime` as the user's runtime folder.
QProcessEnvironment programEnvironment(const bmtest::TempFolder& home, const QString& runtime)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.file(QStringLiteral("config")));
    env.insert(QStringLiteral("TMPDIR"), home.path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    return env;
}

// A running copy of the program, ended for good when the test ends.
class Copy {
public:
    Copy(const QProcessEnvironment& env, const QStringList& arguments)
    {
        m_process.setProcessEnvironment(env);
        m_process.setProgram(bmtest::programDir() + QStringLiteral("/brindlemark"));
        m_process.setArguments(arguments);
        m_process.start();
        EXPECT_TRUE(m_process.waitForStarted(10000));
    }
    ~Copy()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(10000);
        }
    }
    Copy(const Copy&) = delete;
    Copy& operator=(const Copy&) = delete;

    bool running() const { return m_process.state() == QProcess::Running; }
    // Asks the copy to end as the desktop does; its exit code, or -1 when it
    // did not end normally within ten seconds.
    int terminate()
    {
        ::kill(pid_t(m_process.processId()), SIGTERM);
        if (!m_process.waitForFinished(10000) || m_process.exitStatus() != QProcess::NormalExit)
            return -1;
        return m_process.exitCode();
    }

private:
    QProcess m_process;
};

// Waits until `path` exists (or no longer does).
bool waitForFile(const QString& path, bool exists)
{
    for (int waited = 0; waited < 10000; waited += 50) {
        if (QFile::exists(path) == exists)
            return true;
        QTest::qWait(50);
    }
    return false;
}

// Every running copy counts, also one started with a folder: when the first
// copy ends, the one with the folder answers, and a third copy without an
// argument is refused. A copy in another runtime folder (another login
// session's) is not.
TEST(ProgramTest, EveryRunningCopyCountsAndTheFirstToFindTheNameFreeAnswers)
{
    bmtest::TempFolder home;
    bmtest::TempFolder runtime;
    const QString socket = runtime.file(QStringLiteral("brindlemark"));
    const QProcessEnvironment env = programEnvironment(home, runtime.path());

    Copy first(env, {});
    ASSERT_TRUE(waitForFile(socket, true));
    // The second names a folder that is not there: it waits on its message.
    Copy second(env, {home.file(QStringLiteral("no such folder"))});
    QTest::qWait(4500);
    ASSERT_TRUE(second.running());
    EXPECT_EQ(first.terminate(), 0);
    ASSERT_TRUE(waitForFile(socket, true));   // the second copy answers now

    // The third is refused: it shows its message and ends with 1 once the
    // message is closed.
    Copy third(env, {});
    QTest::qWait(4000);   // time to start and decide, also on a busy machine
    ASSERT_TRUE(third.running());
    EXPECT_EQ(third.terminate(), 1);
    EXPECT_TRUE(QFile::exists(socket));   // the third removed nobody's socket

    // Another runtime folder is another session: that copy starts.
    bmtest::TempFolder otherRuntime;
    Copy elsewhere(programEnvironment(home, otherRuntime.path()), {});
    ASSERT_TRUE(waitForFile(otherRuntime.file(QStringLiteral("brindlemark")), true));
    QTest::qWait(4000);
    ASSERT_TRUE(elsewhere.running());
    EXPECT_EQ(elsewhere.terminate(), 0);
}

// The program itself, offscreen, in a home of its own: it starts, shows its
// window, and ends cleanly when asked to close.
TEST(ProgramTest, StartsShowsItsWindowAndEndsCleanlyWhenClosed)
{
    bmtest::TempFolder home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.file(QStringLiteral("config")));
    env.insert(QStringLiteral("TMPDIR"), home.path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());

    QProcess program;
    program.setProcessEnvironment(env);
    program.setProgram(bmtest::programDir() + QStringLiteral("/brindlemark"));
    program.start();
    ASSERT_TRUE(program.waitForStarted(10000));

    // The window shows after the splash's three seconds; the socket that
    // refuses a second copy is there from the start.
    const QString settingsFile = home.file(QStringLiteral("config/Tarvelon/Brindlemark.ini"));
    QTest::qWait(4500);
    ASSERT_EQ(program.state(), QProcess::Running) << program.readAllStandardError().constData();

    ::kill(pid_t(program.processId()), SIGTERM);
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    // Closing the main window saved where it was.
    QSettings settings(settingsFile, QSettings::IniFormat);
    EXPECT_TRUE(settings.contains(QStringLiteral("Pref/windowstate")));
    EXPECT_TRUE(settings.contains(QStringLiteral("Pref/width")));
}

} // namespace
