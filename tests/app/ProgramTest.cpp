#include "TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTest>

#include <csignal>
#include <gtest/gtest.h>

namespace {

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
