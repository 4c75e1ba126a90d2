#include "AppFixture.h"

#include "app/frmMain.h"
#include "app/frmTip.h"
#include "app/frmWelcome.h"
#include "common/HelpViewer.h"
#include "common/mdlRegistry.h"
#include "common/ui/ObjectTag.h"
#include "data/clsDB.h"

#include <QApplication>
#include <QTest>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

namespace {

class HelpCenterTest : public AppFixture {
protected:
    HelpCenterTest()
    {
        HelpViewer::set([this](const QString&, long topic, QString&) {
            m_topics.append(topic);
            return true;
        });
    }
    ~HelpCenterTest() override { HelpViewer::set({}); }

    // The open Help Center windows.
    static QList<frmWelcome*> helpCenters()
    {
        QList<frmWelcome*> found;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* welcome = qobject_cast<frmWelcome*>(w); welcome && !welcome->isHidden())
                found.append(welcome);
        }
        return found;
    }

    frmWelcome* openHelpCenter()
    {
        m_main.HelpCenter();
        const QList<frmWelcome*> open = helpCenters();
        return open.size() == 1 ? open.first() : nullptr;
    }

    QList<long> m_topics;
    frmMain m_main;
};

TEST_F(HelpCenterTest, ShowsTheLoginLineOnlyWithADatabaseOpen)
{
    frmWelcome* closedDb = openHelpCenter();
    ASSERT_NE(closedDb, nullptr);
    EXPECT_EQ(closedDb->windowTitle(), QStringLiteral("Help Center"));
    EXPECT_EQ(objectTag(closedDb), QStringLiteral("MAIN_HELP"));
    EXPECT_EQ(closedDb->lblWelcome->text(), QStringLiteral("Help Center"));
    EXPECT_TRUE(closedDb->lblLoginName->isHidden());
    EXPECT_TRUE(closedDb->lblDatabase0->isHidden());
    EXPECT_TRUE(closedDb->txtDatabase->isHidden());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Application Version: \\d+\\.\\d+ Rev\\. \\d+$"))
                    .match(closedDb->lblVer->text())
                    .hasMatch())
        << closedDb->lblVer->text().toStdString();
    EXPECT_EQ(closedDb->Timer1->interval(), 45000);
    closedDb->cmdCancel->click();

    const QString folder = openNewDatabase();
    frmWelcome* window = openHelpCenter();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->lblLoginName->isHidden());
    EXPECT_EQ(window->lblLoginName->text(), QStringLiteral("You are logged in as 'admin' from machine 'testbox'"));
    EXPECT_EQ(window->lblDatabase0->text(), QStringLiteral("You are accessing Brindlemark database located at: "));
    EXPECT_EQ(window->txtDatabase->text(), folder);
    EXPECT_EQ(window->lblDatabase0->buddy(), window->txtDatabase);

    // A second call brings the same window up.
    m_main.HelpCenter();
    EXPECT_EQ(helpCenters(), QList<frmWelcome*>{window});
}

TEST_F(HelpCenterTest, ClosingStoresTheStartupChoice)
{
    frmWelcome* window = openHelpCenter();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->ckDontShowAtStartup->isChecked());
    window->ckDontShowAtStartup->setChecked(true);
    window->cmdCancel->click();
    EXPECT_EQ(GetPrefLong(QStringLiteral("WelcomeShowAtStartup")), 1);
    EXPECT_TRUE(helpCenters().isEmpty());

    window = openHelpCenter();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->ckDontShowAtStartup->isChecked());
    window->ckDontShowAtStartup->setChecked(false);
    window->close();
    EXPECT_EQ(GetPrefLong(QStringLiteral("WelcomeShowAtStartup")), 0);

    // Esc closes it as its Cancel does.
    window = openHelpCenter();
    ASSERT_NE(window, nullptr);
    window->ckDontShowAtStartup->setChecked(true);
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_EQ(GetPrefLong(QStringLiteral("WelcomeShowAtStartup")), 1);
    EXPECT_TRUE(helpCenters().isEmpty());
}

TEST_F(HelpCenterTest, LinksRunTheHelpMenusCommands)
{
    frmWelcome* window = openHelpCenter();
    ASSERT_NE(window, nullptr);
    const auto follow = [](QLabel* link) { emit link->linkActivated(QStringLiteral("#")); };
    const struct {
        QLabel* link;
        const char* text;
    } links[] = {
        {window->lblTour, "Product Overview"},      {window->lblTutorial, "Tutorial"},
        {window->lblUserMan, "User Manual"},        {window->lblSpecSheet, "Spec Sheet (pdf)"},
        {window->lblTip, "Tip of the day"},         {window->lblBackup, "How to backup your data?"},
        {window->lblTarvelon, "Brindlemark Support"},
    };
    for (const auto& l : links)
        EXPECT_EQ(l.link->accessibleName(), QString::fromLatin1(l.text));

    follow(window->lblTour);
    follow(window->lblTutorial);
    follow(window->lblUserMan);
    EXPECT_EQ(m_topics, (QList<long>{1000, 2000, 0}));

    follow(window->lblBackup);
    ASSERT_EQ(m_prompts.shown().size(), 1);
    EXPECT_EQ(m_prompts.last().kind, ShownPrompt::Kind::MessageWindow);
    EXPECT_EQ(m_prompts.last().helpContext, 1610);

    m_prompts.button(MsgAnswer::No);
    follow(window->lblTarvelon);
    EXPECT_TRUE(m_prompts.last().text.startsWith(QLatin1String("Support for Brindlemark can be obtained online at ")));

    // The sheet goes to the desktop, or its absence is reported.
    m_prompts.clear();
    follow(window->lblSpecSheet);
    const bool launched = !m_launched.isEmpty() && m_launched.last().last().endsWith(QLatin1String("/brindlemark_specs.pdf"));
    const bool reported = !m_prompts.shown().isEmpty() && m_prompts.last().text.startsWith(QLatin1String("Unable to launch"));
    EXPECT_TRUE(launched || reported);

    follow(window->lblTip);
    bool tipShown = false;
    for (QWidget* w : QApplication::topLevelWidgets())
        tipShown = tipShown || (qobject_cast<frmTip*>(w) && !w->isHidden());
    EXPECT_TRUE(tipShown);
}

} // namespace
