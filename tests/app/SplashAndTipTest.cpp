#include "AppFixture.h"

#include "app/frmSplash.h"
#include "app/frmTip.h"
#include "common/ProgramEnv.h"
#include "common/mdlRegistry.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

class SplashTest : public AppFixture {};

TEST_F(SplashTest, LabelsNameTheProductVersionMakerAndLinux)
{
    frmSplash splash;
    EXPECT_EQ(splash.lblProductName->text(), QStringLiteral("Brindlemark"));
    EXPECT_EQ(splash.lblVersion->text(), QStringLiteral("1.0  Rev. 0"));
    EXPECT_EQ(splash.lblCompany->text(), QStringLiteral("Tarvelon"));
    EXPECT_EQ(splash.lblPlatform->text(), QStringLiteral("for Linux"));
    EXPECT_EQ(splash.lblWebsite->text(), QStringLiteral("https://www.tarvelon.example/"));
    EXPECT_EQ(splash.Timer1->interval(), 3000);
}

TEST_F(SplashTest, AtStartupClicksAndKeysLeaveItUpUntilTheTimerHasTicked)
{
    frmSplash splash(nullptr, 50);
    splash.ShownAtStartup = true;
    splash.show();
    QSignalSpy elapsed(&splash, &frmSplash::timerElapsed);
    QTest::keyClick(&splash, Qt::Key_Escape);
    QTest::keyClick(&splash, Qt::Key_A);
    QTest::mouseClick(splash.lblProductName, Qt::LeftButton);
    QTest::mouseClick(splash.Frame1, Qt::LeftButton);
    QTest::mouseClick(splash.lblWebsite, Qt::LeftButton);
    EXPECT_FALSE(splash.close());
    EXPECT_TRUE(splash.isVisible());
    EXPECT_FALSE(splash.TimerElapsed);
    EXPECT_TRUE(m_launched.isEmpty());
    ASSERT_TRUE(elapsed.wait(2000));
    EXPECT_TRUE(splash.TimerElapsed);
}

TEST_F(SplashTest, TheAboutBoxClosesOnAnyKeyOrClickButTheWebsiteLabel)
{
    const auto closesOn = [](const std::function<void(frmSplash&)>& act) {
        frmSplash about(nullptr, 20);
        about.show();
        act(about);
        return !about.isVisible();
    };
    EXPECT_TRUE(closesOn([](frmSplash& a) { QTest::keyClick(&a, Qt::Key_A); }));
    EXPECT_TRUE(closesOn([](frmSplash& a) { QTest::keyClick(&a, Qt::Key_Escape); }));
    EXPECT_TRUE(closesOn([](frmSplash& a) { QTest::mouseClick(a.Frame1, Qt::LeftButton); }));
    EXPECT_TRUE(closesOn([](frmSplash& a) { QTest::mouseClick(a.lblCopyright, Qt::LeftButton); }));
    EXPECT_FALSE(closesOn([](frmSplash& a) { QTest::mouseClick(a.lblWebsite, Qt::LeftButton); }));
    ASSERT_EQ(m_launched.size(), 1);
    EXPECT_EQ(m_launched.first(), (QStringList{QStringLiteral("xdg-open"), QStringLiteral("https://www.tarvelon.example/")}));
}

TEST_F(SplashTest, TheAboutBoxNeverSetsTimerElapsed)
{
    frmSplash about(nullptr, 10);
    about.show();
    QTest::qWait(100);
    EXPECT_FALSE(about.TimerElapsed);
}

class TipTest : public AppFixture {
protected:
    TipTest()
        : m_oldProgramDir(qgetenv("BM_PROGRAM_DIR"))
    {
        qputenv("BM_PROGRAM_DIR", m_temp.path().toLocal8Bit());
    }
    ~TipTest() override { qputenv("BM_PROGRAM_DIR", m_oldProgramDir); }

    void writeTips(const QByteArray& content)
    {
        QFile file(m_temp.file(QStringLiteral("TIPOFDAY.TXT")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QByteArray m_oldProgramDir;
};

TEST_F(TipTest, AFileOfOneLineAlwaysShowsThatLine)
{
    writeTips("Press F5 to look up a customer.\r\n");
    frmTip tip;
    EXPECT_EQ(tip.Tips, QStringList{QStringLiteral("Press F5 to look up a customer.")});
    for (int i = 0; i < 5; ++i) {
        tip.cmdNextTip->click();
        EXPECT_EQ(tip.lblTipText->text(), QStringLiteral("Press F5 to look up a customer."));
    }
}

TEST_F(TipTest, EveryLineIsATipEmptyOnesIncluded)
{
    writeTips("first\r\n\r\nthird caf\xE9\r\nlast without line break");
    frmTip tip;
    EXPECT_EQ(tip.Tips, (QStringList{QStringLiteral("first"), QString(), QStringLiteral("third caf\u00E9"),
                                     QStringLiteral("last without line break")}));
    for (int pick = 1; pick <= 4; ++pick) {
        tip.CurrentTip = pick;
        tip.DisplayCurrentTip();
        EXPECT_EQ(tip.lblTipText->text(), tip.Tips.at(pick - 1));
    }
}

TEST_F(TipTest, AMissingFileExplainsItselfAndAnEmptyOneShowsNothing)
{
    {
        frmTip tip;
        EXPECT_TRUE(tip.lblTipText->text().startsWith(QLatin1String("That the TIPOFDAY.TXT file was not found? \r\n\r\n")));
        EXPECT_FALSE(tip.LoadTips(QString()));
    }
    writeTips("");
    frmTip tip;
    EXPECT_TRUE(tip.Tips.isEmpty());
    EXPECT_EQ(tip.lblTipText->text(), QString());
}

TEST_F(TipTest, TheBoxFollowsAndWritesTheStartupPreference)
{
    const struct {
        const char* stored;
        bool ticked;
    } cases[] = {{nullptr, true}, {"0", true}, {"1", false}, {"2", true}, {"x", true}};
    for (const auto& c : cases) {
        if (c.stored)
            SavePrefString(QStringLiteral("TipsShowAtStartup"), QString::fromLatin1(c.stored));
        frmTip tip;
        EXPECT_EQ(tip.chkLoadTipsAtStartup->isChecked(), c.ticked) << (c.stored ? c.stored : "missing");
    }
    frmTip tip;
    tip.chkLoadTipsAtStartup->setChecked(false);
    EXPECT_EQ(GetPrefLong(QStringLiteral("TipsShowAtStartup")), 1);
    tip.chkLoadTipsAtStartup->setChecked(true);
    EXPECT_EQ(GetPrefString(QStringLiteral("TipsShowAtStartup")), QStringLiteral("0"));
}

TEST(ShippedTips, TheProgramFolderHoldsTipsOnePerLine)
{
    QFile file(ProgramEnv::programFolder() + QStringLiteral("/TIPOFDAY.TXT"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    EXPECT_GE(lines.size(), 10);
    for (const QByteArray& line : lines)
        EXPECT_LE(line.size(), 200) << line.constData();
}

} // namespace
