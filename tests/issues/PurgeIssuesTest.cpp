#include "DataFixture.h"
#include "IssueListsFixture.h"

#include "common/ui/HelpContext.h"
#include "common/ui/clsSystemUI.h"
#include "common/ui/frmProgress.h"
#include "data/clsDB.h"
#include "issues/core/IssueListModel.h"
#include "issues/frmPurgeIssues.h"
#include "xbase/IndexC4.h"
#include "xbase/c4.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTreeView>

namespace {

class PurgeIssuesTest : public IssueListsFixture {
protected:
    frmPurgeIssues* open()
    {
        m_main.PurgeOldIssues();
        QWidget* window = nullptr;
        SysUI().GetFormWithTag(QStringLiteral("PURGEISSUES"), window);
        return dynamic_cast<frmPurgeIssues*>(window);
    }
    // Steps to the preview with the criteria.
    frmPurgeIssues* preview(const QString& date, qint32 status)
    {
        frmPurgeIssues* w = open();
        if (!w)
            return nullptr;
        w->cmdNext->click();
        w->txtDateSubmit->setText(date);
        w->cboStatus->setCurrentIndex(w->cboStatus->findData(status));
        w->cmdNext->click();
        return w;
    }
    // An attachment folder with one file for the issue.
    void attach(qint32 id)
    {
        const QString folder = DB().GetAttachmentSubDir(id, QStringLiteral("_i"));
        ASSERT_TRUE(QDir().mkpath(folder));
        QFile file(QDir(folder).filePath(QStringLiteral("note.txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("kept");
    }
    static bool hasFolder(qint32 id) { return QDir(DB().GetAttachmentSubDir(id, QStringLiteral("_i"))).exists(); }
    static long recordOf(qint32 id, const QString& table)
    {
        DATA4* t = DB().OpenTable(table);
        d4tagSelect(t, d4tag(t, "rowid"));
        const long recno = d4seekDouble(t, id) == 0 ? d4recNo(t) : -1;
        d4close(t);
        return recno;
    }
    static QSet<qint32> remaining() { return idsWhere([](const StoredIssue&) { return true; }); }
    // Purge Now, answered Yes, while another user holds the row of `table`
    // with the identifier `id`; the message boxes shown.
    QStringList purgeWhileHeld(frmPurgeIssues* w, const QString& table, qint32 id)
    {
        bmtest::LockHolder holder(table, recordOf(id, table));
        EXPECT_TRUE(holder.holding());
        m_prompts.clear();
        m_prompts.button(MsgAnswer::Yes);
        w->cmdNext->click();
        return boxTexts();
    }
};

TEST_F(PurgeIssuesTest, PreviewListsTheIssuesOfTheStatusOnOrBeforeTheDateInTextOrder)
{
    const qint32 onDay = makeIssue(QStringLiteral("On the day"), 1000, 405, QStringLiteral("12/31/2020"));
    const qint32 after = makeIssue(QStringLiteral("Day after"), 1000, 405, QStringLiteral("1/1/2021"));
    const qint32 undated = makeIssue(QStringLiteral("No date"), 1000, 405, QString());
    const qint32 open = makeIssue(QStringLiteral("Still open"), 1000, 400, QStringLiteral("1/1/2019"));
    const qint32 high = makeIssue(QStringLiteral("Ten thousand"), 1000, 405, QStringLiteral("5/5/2019"));
    const qint32 low = makeIssue(QStringLiteral("Nine nine"), 1000, 405, QStringLiteral("5/6/2019"));
    pokeField(DB().IssuesTable(), high, "rowid", 10000);
    pokeField(DB().IssuesTable(), low, "rowid", 9999);
    (void)after;
    (void)open;

    frmPurgeIssues* w = preview(QStringLiteral("12/31/2020"), 405);
    ASSERT_TRUE(w);
    EXPECT_EQ(HelpContext::of(w), 1510);
    EXPECT_EQ(w->step(), 2);
    EXPECT_EQ(w->cmdNext->text(), QStringLiteral("Purge Now"));
    EXPECT_EQ(w->lblCriteria->text(),
              QStringLiteral("Issues submitted on or before 12/31/2020 with an issue status of 'Closed'"));
    // In text order of the numbers: 1000, 10000, 1002, 9999.
    EXPECT_EQ(listedIds(w->model()), (QList<qint32>{onDay, 10000, undated, 9999}));
    EXPECT_EQ(rowText(w->model(), 0), QStringLiteral("%1|12/31/2020|Closed|On the day").arg(onDay));
    EXPECT_EQ(rowText(w->model(), 2), QStringLiteral("%1||Closed|No date").arg(undated));
    EXPECT_EQ(w->lblNumIssues->text(), QStringLiteral("4 issue(s)"));
}

TEST_F(PurgeIssuesTest, SeededPreviewMatchesTheTable)
{
    seed(30, 400, 80);
    frmPurgeIssues* w = preview(QStringLiteral("6/30/2023"), 405);
    ASSERT_TRUE(w);
    const QSet<qint32> expected = idsWhere([](const StoredIssue& i) {
        return i.status == 405 && i.submitdt.compare(QStringLiteral("20230630")) <= 0;
    });
    ASSERT_GT(expected.size(), 100);
    EXPECT_EQ(listedIdSet(w->model()), expected);
    QStringList numbers;
    for (const qint32 id : listedIds(w->model()))
        numbers.append(QString::number(id));
    QStringList sorted = numbers;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(numbers, sorted);
}

TEST_F(PurgeIssuesTest, StepsCheckTheCriteriaAndPreviousNeverGoesBelowTheFirst)
{
    frmPurgeIssues* w = open();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Purge (Delete) Old Issues Wizard"));
    EXPECT_EQ(w->step(), 0);
    EXPECT_FALSE(w->cmdPrevious->isEnabled());
    EXPECT_FALSE(w->frm[0]->isHidden());
    EXPECT_TRUE(w->findChild<QLabel*>(QStringLiteral("lblAdvice"))->text().contains(QStringLiteral(
        "backup your Brindlemark database now")));
    w->cmdPrevious_Click();
    EXPECT_EQ(w->step(), 0);
    w->cmdNext->click();
    EXPECT_EQ(w->step(), 1);
    EXPECT_FALSE(w->frm[1]->isHidden());
    EXPECT_TRUE(w->frm[0]->isHidden());
    EXPECT_EQ(w->cboStatus->currentIndex(), -1);

    const QString header = QStringLiteral("Please correct the following errors before proceeding:\r\n\r\n");
    const struct {
        const char* date;
        bool status;
        QString faults;
    } cases[] = {
        {"", false,
         QStringLiteral("  - Issue Submit Date must be entered.\r\n  - Issue Status Criteria must be selected.\r\n")},
        {"  ", true, QStringLiteral("  - Issue Submit Date must be entered.\r\n")},
        {"31/31/2020", false,
         QStringLiteral("  - Issue Submit Date is not a valid date.\r\n  - Issue Status Criteria must be selected.\r\n")},
        {"12/31/2020", false, QStringLiteral("  - Issue Status Criteria must be selected.\r\n")},
        {"10:30", true, QStringLiteral("  - Issue Submit Date is not a valid date.\r\n")},   // a time, no date
    };
    for (const auto& c : cases) {
        m_prompts.clear();
        w->txtDateSubmit->setText(QLatin1String(c.date));
        w->cboStatus->setCurrentIndex(c.status ? 0 : -1);
        w->cmdNext->click();
        EXPECT_EQ(w->step(), 1) << c.date;
        EXPECT_EQ(windowTexts(), QStringList{header + c.faults}) << c.date;
        EXPECT_EQ(m_prompts.last().style, 3);
    }
    w->txtDateSubmit->setText(QStringLiteral("12/31/2020"));
    w->cboStatus->setCurrentIndex(0);
    w->cmdNext->click();
    EXPECT_EQ(w->step(), 2);
    EXPECT_EQ(w->lblNumIssues->text(), QStringLiteral("0 issue(s)"));
    m_prompts.clear();
    w->cmdNext->click();   // Purge Now with nothing listed
    EXPECT_EQ(boxTexts(),
              QStringList{QStringLiteral("Currently, there are no issues to purge/delete that meet your criteria.")});
    EXPECT_EQ(w->step(), 2);
    w->cmdPrevious->click();
    w->cmdPrevious->click();
    w->cmdPrevious->click();
    EXPECT_EQ(w->step(), 0);
}

TEST_F(PurgeIssuesTest, PurgeNowDeletesTheRowsTheirActionsAndFoldersAfterYes)
{
    const qint32 a = makeIssue(QStringLiteral("A"), 1000, 405, QStringLiteral("1/1/2020"));
    const qint32 b = makeIssue(QStringLiteral("B"), 1000, 405, QStringLiteral("1/2/2020"));
    const qint32 kept = makeIssue(QStringLiteral("Kept"), 1000, 404, QStringLiteral("1/2/2020"));
    for (const qint32 id : {a, b, kept}) {
        addAction(id, QStringLiteral("10"));
        addAction(id, QStringLiteral("20"));
        attach(id);
    }
    frmPurgeIssues* w = preview(QStringLiteral("12/31/2020"), 405);
    ASSERT_TRUE(w);
    ASSERT_EQ(w->model()->rowCount(), 2);

    // Anything but Yes keeps everything.
    m_prompts.clear();
    m_prompts.button(MsgAnswer::No);
    w->cmdNext->click();
    ASSERT_EQ(m_prompts.shown().size(), 1);
    EXPECT_EQ(m_prompts.last().text, QStringLiteral("Are you sure you want to PERMANENTLY DELETE the displayed issues?"));
    EXPECT_EQ(m_prompts.last().title, QStringLiteral("Delete Confirmation"));
    EXPECT_EQ(m_prompts.last().style, MsgStyle::YesNoCancel | MsgStyle::Question | MsgStyle::DefaultButton2);
    EXPECT_EQ(remaining().size(), 3);

    m_prompts.clear();
    m_prompts.button(MsgAnswer::Yes).button(MsgAnswer::Ok);
    w->cmdNext->click();
    EXPECT_EQ(boxTexts().last(), QStringLiteral("2 issues have been deleted!"));
    EXPECT_EQ(remaining(), QSet<qint32>{kept});
    for (const qint32 id : {a, b}) {
        EXPECT_EQ(actionCount(id), 0);
        EXPECT_FALSE(hasFolder(id));
    }
    EXPECT_EQ(actionCount(kept), 2);
    EXPECT_TRUE(hasFolder(kept));
    EXPECT_EQ(w->model()->rowCount(), 0);
    EXPECT_EQ(w->CancelButton->text(), QStringLiteral("Finish"));
    EXPECT_FALSE(w->cmdNext->isEnabled());
    EXPECT_FALSE(w->cmdPrevious->isEnabled());
    EXPECT_TRUE(w->lblPurgeNow->isHidden());
}

TEST_F(PurgeIssuesTest, AnIssueLockedByAnotherUserKeepsItsRowActionsAndFolderAndIsNamed)
{
    const qint32 a = makeIssue(QStringLiteral("A"), 1000, 405, QStringLiteral("1/1/2020"));
    const qint32 locked = makeIssue(QStringLiteral("Locked"), 1000, 405, QStringLiteral("1/2/2020"));
    const qint32 c = makeIssue(QStringLiteral("C"), 1000, 405, QStringLiteral("1/3/2020"));
    for (const qint32 id : {a, locked, c}) {
        addAction(id, QStringLiteral("10"));
        attach(id);
    }
    frmPurgeIssues* w = preview(QStringLiteral("12/31/2020"), 405);
    ASSERT_TRUE(w);
    ASSERT_EQ(w->model()->rowCount(), 3);
    const QStringList boxes = purgeWhileHeld(w, DB().IssuesTable(), locked);
    ASSERT_GE(boxes.size(), 2);
    EXPECT_TRUE(boxes.at(boxes.size() - 2).startsWith(QStringLiteral("RECORD LOCKED: Unable to Delete from ")));
    EXPECT_EQ(boxes.last(), QStringLiteral("2 issues have been deleted!\r\n\r\nNot deleted (locked by another user): %1")
                                .arg(locked));
    EXPECT_EQ(remaining(), QSet<qint32>{locked});
    EXPECT_EQ(actionCount(locked), 1);
    EXPECT_TRUE(hasFolder(locked));
    EXPECT_EQ(actionCount(a), 0);
    EXPECT_FALSE(hasFolder(c));
}

TEST_F(PurgeIssuesTest, AnIssueWithAnActionLockedByAnotherUserStaysWholeAndIsNamed)
{
    const qint32 a = makeIssue(QStringLiteral("A"), 1000, 405, QStringLiteral("1/1/2020"));
    const qint32 held = makeIssue(QStringLiteral("Held"), 1000, 405, QStringLiteral("1/2/2020"));
    QList<qint32> heldActions;
    for (const qint32 id : {a, held}) {
        for (const char* duration : {"10", "20", "30"})
            heldActions.append(addAction(id, QLatin1String(duration)));
        attach(id);
    }
    frmPurgeIssues* w = preview(QStringLiteral("12/31/2020"), 405);
    ASSERT_TRUE(w);
    ASSERT_EQ(w->model()->rowCount(), 2);
    // Another user holds the middle action of the second issue.
    const QStringList boxes = purgeWhileHeld(w, DB().IssuesActionsTable(), heldActions.at(4));
    ASSERT_GE(boxes.size(), 2);
    EXPECT_EQ(boxes.at(boxes.size() - 2), QStringLiteral("RECORD LOCKED: Unable to Delete from ")
                                              + DB().IssuesActionsTable() + QStringLiteral("(id=%1) !").arg(held));
    EXPECT_EQ(boxes.last(),
              QStringLiteral("1 issues have been deleted!\r\n\r\nNot deleted (locked by another user): %1").arg(held));
    EXPECT_EQ(remaining(), QSet<qint32>{held});
    EXPECT_EQ(actionCount(held), 3);
    EXPECT_TRUE(hasFolder(held));
    EXPECT_EQ(actionCount(a), 0);
    EXPECT_FALSE(hasFolder(a));
}

TEST_F(PurgeIssuesTest, APreviewCancelledPartWayPurgesExactlyItsRows)
{
    for (int i = 0; i < 260; ++i)
        makeIssue(QStringLiteral("Old %1").arg(i), 1000, 405, QStringLiteral("1/1/2020"));
    bool cancelled = false;
    duringFill([&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* wait = qobject_cast<frmProgress*>(top);
            if (wait && wait->isVisible() && !wait->cmdCancel->isHidden()) {
                EXPECT_EQ(wait->lblMsg->text(), QStringLiteral("Displaying issues that meet the criteria. Please wait..."));
                wait->cmdCancel->click();
                cancelled = true;
                return true;
            }
        }
        return false;
    });
    frmPurgeIssues* w = preview(QStringLiteral("12/31/2020"), 405);
    ASSERT_TRUE(w);
    ASSERT_TRUE(cancelled);
    const QList<qint32> listed = listedIds(w->model());
    ASSERT_GT(listed.size(), 0);
    ASSERT_LT(listed.size(), 260);
    EXPECT_EQ(w->lblNumIssues->text(), QString::number(listed.size()) + QStringLiteral(" issue(s)"));
    m_prompts.clear();
    m_prompts.button(MsgAnswer::Yes);
    w->cmdNext->click();
    EXPECT_EQ(boxTexts().last(), QString::number(listed.size()) + QStringLiteral(" issues have been deleted!"));
    const QSet<qint32> left = remaining();
    EXPECT_EQ(left.size(), 260 - listed.size());
    for (const qint32 id : listed)
        EXPECT_FALSE(left.contains(id)) << id;
}

TEST_F(PurgeIssuesTest, CancelDuringThePreviewClosesTheWizardAfterTheWalk)
{
    for (int i = 0; i < 260; ++i)
        makeIssue(QStringLiteral("Old %1").arg(i), 1000, 405, QStringLiteral("1/1/2020"));
    frmPurgeIssues* w = open();
    ASSERT_TRUE(w);
    QPointer<frmPurgeIssues> watched(w);
    w->cmdNext->click();
    w->txtDateSubmit->setText(QStringLiteral("12/31/2020"));
    w->cboStatus->setCurrentIndex(w->cboStatus->findData(405));
    bool closed = false;
    duringFill([&] {
        if (!watched || !watched->busy())
            return false;
        watched->CancelButton->click();
        closed = true;
        return true;
    });
    w->cmdNext->click();
    ASSERT_TRUE(closed);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watched.isNull());
    EXPECT_EQ(remaining().size(), 260);
}

} // namespace
