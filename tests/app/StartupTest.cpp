#include "AppFixture.h"

#include "app/frmMain.h"
#include "app/frmSplash.h"
#include "app/frmTip.h"
#include "app/mdlStartup.h"
#include "common/mdlRegistry.h"
#include "data/clsDB.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QUuid>

namespace {

class StartupTest : public AppFixture {
protected:
    // A run of the program: its start-up over the command line.
    std::unique_ptr<mdlStartup> start(const QString& commandLine, bool expectRunning = true)
    {
        mdlStartup::Options options;
        options.splashMillis = 30;
        options.instanceName = m_instanceName;
        auto run = std::make_unique<mdlStartup>(options);
        EXPECT_EQ(run->Main(commandLine), expectRunning);
        return run;
    }

    // Ends a run as the user does, by closing its main window.
    void end(std::unique_ptr<mdlStartup>& run)
    {
        ASSERT_TRUE(run->mainWindow()->close());
        run.reset();
    }

    static bool tipShown(const frmMain* window)
    {
        const frmTip* tip = window->findChild<frmTip*>();
        return tip && tip->isVisible();
    }

    QString m_instanceName = QStringLiteral("bmtest-") + QUuid::createUuid().toString(QUuid::Id128);
};

TEST_F(StartupTest, TheCommandLineIsTrimmedAndUnquotedOnce)
{
    EXPECT_EQ(mdlStartup::commandLineText({QStringLiteral("/data/my"), QStringLiteral("db")}),
              QStringLiteral("/data/my db"));
    const QString folder = makeDatabase(QStringLiteral("my db"));
    DB().CloseDB();
    const struct {
        QString commandLine;
        bool opens;
    } cases[] = {
        {QStringLiteral("   "), false},
        {QStringLiteral("\"\""), false},
        {QStringLiteral("  \"") + folder + QStringLiteral("\"  "), true},
        {QStringLiteral(" ") + folder + QStringLiteral(" "), true},
    };
    for (const auto& c : cases) {
        m_logins.login(QStringLiteral("admin"), QStringLiteral("vorne"));
        auto run = start(c.commandLine);
        EXPECT_EQ(DB().IsOpen(), c.opens) << c.commandLine.toStdString();
        if (c.opens) {
            EXPECT_EQ(DB().DBPath(), folder);
        }
        end(run);
        // Runs without an argument open the last database from now on.
        SavePrefString(QStringLiteral("db"), QString());
    }
}

// New Database in the first run, the command line in the second, the last
// database in the third.
TEST_F(StartupTest, ADatabaseMadeInOneRunReopensByCommandLineAndAsTheLastOne)
{
    const QString folder = m_temp.file(QStringLiteral("shop"));
    ASSERT_TRUE(QDir().mkpath(folder));

    auto run = start(QString());
    frmMain* window = run->mainWindow();
    EXPECT_FALSE(DB().IsOpen());
    EXPECT_EQ(window->statusText(1), QStringLiteral("Choose File menu to open or create database."));
    m_prompts.accept().text(folder).accept();
    m_logins.login(QStringLiteral("admin"), QStringLiteral("vorne"));
    window->findChild<QAction*>(QStringLiteral("mnuFileNew"))->trigger();
    EXPECT_TRUE(DB().IsOpen());
    EXPECT_EQ(window->statusText(1), QStringLiteral("Database Location: ") + folder);
    EXPECT_EQ(window->statusText(2), QStringLiteral("User: TESTBOX\\admin  "));
    window->findChild<QAction*>(QStringLiteral("mnuFileClose"))->trigger();
    EXPECT_FALSE(DB().IsOpen());
    EXPECT_EQ(window->statusText(1), QStringLiteral("Choose File menu to open or create database."));
    end(run);

    SavePrefString(QStringLiteral("db"), QString());
    m_logins.login(QStringLiteral("admin"), QStringLiteral("vorne"));
    run = start(QLatin1Char('"') + folder + QLatin1Char('"'));
    EXPECT_TRUE(DB().IsOpen());
    EXPECT_EQ(run->mainWindow()->statusText(1), QStringLiteral("Database Location: ") + folder);
    end(run);
    EXPECT_FALSE(DB().IsOpen());

    m_logins.login(QStringLiteral("admin"), QStringLiteral("vorne"));
    run = start(QString());
    EXPECT_TRUE(DB().IsOpen());
    EXPECT_EQ(run->mainWindow()->statusText(1), QStringLiteral("Database Location: ") + folder);
    EXPECT_EQ(m_logins.loginFolders, (QStringList{folder, folder, folder}));
    EXPECT_EQ(m_prompts.unscripted(), 0);
    end(run);
}

TEST_F(StartupTest, TheTipIsOfferedUnlessSwitchedOffWithOrWithoutADatabase)
{
    auto run = start(QString());
    EXPECT_TRUE(tipShown(run->mainWindow()));
    end(run);

    // A folder that cannot be reached: its message, and still the tip.
    run = start(m_temp.file(QStringLiteral("gone")));
    EXPECT_FALSE(DB().IsOpen());
    EXPECT_TRUE(m_prompts.last().text.startsWith(QLatin1String("OPEN FAILED!")));
    EXPECT_TRUE(tipShown(run->mainWindow()));
    end(run);

    SavePrefLong(QStringLiteral("TipsShowAtStartup"), 1);
    run = start(QString());
    EXPECT_FALSE(tipShown(run->mainWindow()));
    end(run);
}

TEST_F(StartupTest, ASecondCopyWithoutArgumentSaysSoAndBringsTheFirstForward)
{
    auto first = start(QString());
    first->mainWindow()->showMinimized();
    ASSERT_TRUE(first->mainWindow()->isMinimized());

    auto second = start(QString(), false);
    EXPECT_EQ(second->mainWindow(), nullptr);
    const ShownPrompt box = m_prompts.last();
    EXPECT_EQ(box.kind, ShownPrompt::Kind::MessageBox);
    EXPECT_EQ(box.text, QStringLiteral("Brindlemark is already running!"));
    EXPECT_EQ(box.title, QStringLiteral("Brindlemark"));
    EXPECT_EQ(box.style, 48);
    QTRY_VERIFY_WITH_TIMEOUT(!first->mainWindow()->isMinimized(), 5000);

    // With a folder named, a further copy starts.
    const QString folder = makeDatabase();
    m_logins.login(QStringLiteral("admin"), QStringLiteral("vorne"));
    auto third = start(folder);
    ASSERT_NE(third->mainWindow(), nullptr);
    EXPECT_TRUE(DB().IsOpen());
    end(third);
    end(first);
}

// The dialog the user has to answer stays in front of the main window.
TEST_F(StartupTest, ACopyBroughtForwardActivatesItsModalDialog)
{
    auto first = start(QString());
    QDialog dialog;
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    QTRY_COMPARE_WITH_TIMEOUT(QApplication::activeModalWidget(), &dialog, 5000);
    first->mainWindow()->showMinimized();
    QApplication::setActiveWindow(nullptr);

    auto second = start(QString(), false);
    QTRY_VERIFY_WITH_TIMEOUT(!first->mainWindow()->isMinimized(), 5000);
    QTRY_COMPARE_WITH_TIMEOUT(QApplication::activeWindow(), &dialog, 5000);
    dialog.close();
    end(first);
}

TEST_F(StartupTest, TheMainWindowAppearsOnlyAfterTheSplashsThreeSeconds)
{
    mdlStartup::Options options;
    options.instanceName = m_instanceName;
    mdlStartup run(options);
    bool splashUpWindowHidden = false;
    QTimer::singleShot(2500, [&] {
        bool splashShown = false;
        for (QWidget* w : QApplication::topLevelWidgets())
            splashShown = splashShown || (qobject_cast<frmSplash*>(w) && w->isVisible());
        splashUpWindowHidden = splashShown && run.mainWindow() && !run.mainWindow()->isVisible();
    });
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(run.Main(QString()));
    EXPECT_GE(clock.elapsed(), 3000);
    EXPECT_TRUE(splashUpWindowHidden);
    EXPECT_TRUE(run.mainWindow()->isVisible());
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<frmSplash*>(w), nullptr);
    run.mainWindow()->close();
}

TEST_F(StartupTest, ThePositionSurvivesARestartAndOneOffTheScreenOpensMaximized)
{
    auto run = start(QString());
    frmMain* window = run->mainWindow();
    window->setWindowState(Qt::WindowNoState);
    window->setGeometry(60, 50, 640, 480);
    const QPoint pos = window->pos();
    const QSize size = window->size();
    end(run);

    run = start(QString());
    EXPECT_FALSE(run->mainWindow()->isMaximized());
    EXPECT_EQ(run->mainWindow()->pos(), pos);
    EXPECT_EQ(run->mainWindow()->size(), size);
    run->mainWindow()->showMaximized();
    end(run);

    run = start(QString());
    EXPECT_TRUE(run->mainWindow()->isMaximized());
    end(run);

    const QRect screen = QApplication::primaryScreen()->virtualGeometry();
    SavePrefLong(QStringLiteral("windowstate"), 0);
    SavePrefLong(QStringLiteral("left"), (screen.right() + 100) * 15);
    run = start(QString());
    EXPECT_TRUE(run->mainWindow()->isMaximized());
    end(run);
}

} // namespace
