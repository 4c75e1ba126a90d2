#include "AppFixture.h"

#include "app/frmMain.h"
#include "common/ui/frmProgress.h"
#include "data/RecColl.h"
#include "data/clsDB.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

namespace {

class StatisticsTest : public AppFixture {
protected:
    frmMain m_main;
};

TEST_F(StatisticsTest, ANewDatabaseShowsItsFiveCounts)
{
    const QString folder = openNewDatabase();
    m_main.mnuViewDatabaseAdminStatistics_Click();
    ASSERT_EQ(m_prompts.shown().size(), 1);
    const ShownPrompt shown = m_prompts.last();
    EXPECT_EQ(shown.kind, ShownPrompt::Kind::MessageWindow);
    EXPECT_EQ(shown.style, 1);
    EXPECT_EQ(shown.helpContext, 1500);
    // A new database holds no customers, issues or reports, the shipped
    // statuses and priorities, and the built-in administrator.
    EXPECT_EQ(shown.text, QStringLiteral("DATABASE STATISTICS [") + folder + QStringLiteral("]\r\n\r\n"
                                         "   0 Customers\r\n\r\n"
                                         "   0 Issues\r\n\r\n"
                                         "   0 Reports\r\n\r\n"
                                         "   10 Lookup List Items\r\n\r\n"
                                         "   1 Users\r\n\r\n"
                                         "Please note this count may include deleted records as well."));
    // The wait window is gone.
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<frmProgress*>(w) && w->isVisible());
}

TEST_F(StatisticsTest, CancelDuringTheCountsShowsNothing)
{
    openNewDatabase();
    QTimer::singleShot(0, [] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* wait = qobject_cast<frmProgress*>(w); wait && wait->isVisible())
                wait->cmdCancel->click();
        }
    });
    m_main.mnuViewDatabaseAdminStatistics_Click();
    EXPECT_TRUE(m_prompts.shown().isEmpty());
}

TEST_F(StatisticsTest, AUserWithoutAdministrationGetsOnlyTheRefusal)
{
    const QString folder = openNewDatabase();
    addUser(QStringLiteral("clerk"), DB().GetDefaultPermissionsStr());
    DB().CloseDB();
    m_logins.login(QStringLiteral("clerk"), QStringLiteral("clerk"));
    ASSERT_TRUE(DB().OpenDB(folder));

    m_prompts.clear();
    m_main.mnuViewDatabaseAdminStatistics_Click();
    ASSERT_EQ(m_prompts.shown().size(), 1);
    EXPECT_TRUE(m_prompts.last().text.startsWith(QLatin1String("Sorry, you are not permitted")));
}

} // namespace
