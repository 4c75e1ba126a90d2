#include "AppFixture.h"

#include "app/frmMain.h"
#include "common/ui/frmProgress.h"
#include "data/BulkIssues.h"
#include "data/clsDB.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace {

class BulkIssuesCommandTest : public AppFixture {
protected:
    BulkIssuesCommandTest() { BulkIssues::setLastForTests(360000); }
    ~BulkIssuesCommandTest() override { BulkIssues::setLastForTests(std::nullopt); }

    static frmProgress* waitWindow()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* wait = qobject_cast<frmProgress*>(w); wait && wait->isVisible())
                return wait;
        return nullptr;
    }

    frmMain m_main;
};

// The hidden Help entry runs the generator under the wait window, whose
// Cancel is seen at the next progress point.
TEST_F(BulkIssuesCommandTest, TheWaitWindowShowsTheRunAndItsCancelStopsIt)
{
    openNewDatabase();
    QString caption;
    QString message;
    bool barAndCancel = false;
    QTimer::singleShot(0, [&] {
        frmProgress* wait = waitWindow();
        if (!wait)
            return;
        caption = wait->windowTitle();
        message = wait->lblMsg->text();
        barAndCancel = !wait->pbar->isHidden() && !wait->cmdCancel->isHidden();
        wait->cmdCancel->click();
    });
    m_main.mnuHelpBulkIssues_Click();
    EXPECT_EQ(caption, QStringLiteral("Adding issues"));
    EXPECT_EQ(message, QStringLiteral("Please wait..."));
    EXPECT_TRUE(barAndCancel);
    EXPECT_EQ(waitWindow(), nullptr);
    EXPECT_TRUE(m_prompts.shown().isEmpty());
    EXPECT_EQ(DB().GetRecCount(DB().IssuesTable(), QStringLiteral("rowid")), 340000 - 330013 + 1);

    // Without Cancel a second run is refused: its identifiers are taken.
    m_main.mnuHelpBulkIssues_Click();
    ASSERT_EQ(m_prompts.shown().size(), 1);
    EXPECT_EQ(m_prompts.last().text, QStringLiteral("Issues numbered from 330013 on already exist or are the next "
                                                    "to be issued. No issues were added."));
    EXPECT_EQ(DB().GetRecCount(DB().IssuesTable(), QStringLiteral("rowid")), 340000 - 330013 + 1);
}

} // namespace
