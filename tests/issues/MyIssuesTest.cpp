#include "IssueListsFixture.h"

#include "common/Clock.h"
#include "common/mdlRegistry.h"
#include "common/ui/HelpContext.h"
#include "common/ui/clsSystemUI.h"
#include "common/ui/frmProgress.h"
#include "data/clsDB.h"
#include "issues/core/IssueListModel.h"
#include "issues/frmMyIssues.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>

namespace {

class MyIssuesTest : public IssueListsFixture {
protected:
    frmMyIssues* open()
    {
        m_main.MyIssues();
        QWidget* window = nullptr;
        SysUI().GetFormWithTag(QStringLiteral("MYISSUES"), window);
        return dynamic_cast<frmMyIssues*>(window);
    }
    // Chooses the entry with that item data as a user would.
    static void choose(QComboBox* cbo, qint32 id)
    {
        const int index = cbo->findData(id);
        ASSERT_GE(index, 0) << id;
        cbo->setCurrentIndex(index);
        emit cbo->activated(index);
    }
    static QColor back(const QComboBox* cbo) { return cbo->palette().color(QPalette::Base); }
    void setTime(int hour, int minute) { Clock::setFixed(QDateTime(QDate(2024, 3, 15), QTime(hour, minute))); }
};

const QColor kWhite(255, 255, 255);
const QColor kLightRed(255, 192, 192);

TEST_F(MyIssuesTest, ListsTheIssuesOfTheChosenAssigneeNarrowedByStatus)
{
    seed(30, 400);
    const qint32 unassigned = makeIssue(QStringLiteral("Nobody's"), -1, 400, QStringLiteral("3/1/2024"));
    frmMyIssues* w = open();
    ASSERT_TRUE(w);
    EXPECT_EQ(HelpContext::of(w), 1230);
    const QSet<qint32> mine = idsWhere([](const StoredIssue& i) { return i.assignedTo == 1000; });
    ASSERT_GT(mine.size(), 50);
    EXPECT_EQ(listedIdSet(w->model()), mine);
    EXPECT_EQ(w->model()->rowCount(), mine.size());
    EXPECT_EQ(w->lblCust->text(), QString::number(mine.size()) + QStringLiteral(" Issue(s)"));
    // Every row names its customer as a lookup of that one customer does,
    // also once the fill has met enough customers to read them all at once.
    QHash<qint32, qint32> customerOf;
    for (const StoredIssue& issue : storedIssues())
        customerOf.insert(issue.id, issue.custId);
    const QList<qint32> listed = listedIds(w->model());
    for (int row = 0; row < listed.size(); ++row)
        EXPECT_EQ(w->model()->index(row, 3).data().toString(), DB().GetCustomername(customerOf.value(listed.at(row))))
            << "issue " << listed.at(row);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("My Issues (Assigned to: ") + w->cboAssignedTo->currentText()
                                    + QStringLiteral(", Status ='All') @10:30:00 AM"));

    choose(w->cboStatus, 405);
    const QSet<qint32> closed = idsWhere([](const StoredIssue& i) { return i.assignedTo == 1000 && i.status == 405; });
    ASSERT_FALSE(closed.isEmpty());
    EXPECT_EQ(listedIdSet(w->model()), closed);
    EXPECT_TRUE(w->windowTitle().contains(QStringLiteral(", Status ='Closed') @")));

    choose(w->cboStatus, -1);
    choose(w->cboAssignedTo, -1);
    EXPECT_EQ(listedIds(w->model()), QList<qint32>{unassigned});
    EXPECT_EQ(w->lblCust->text(), QStringLiteral("1 Issue(s)"));
}

TEST_F(MyIssuesTest, ARowShowsItsTextsAndOpensItsIssue)
{
    const qint32 id = makeIssue(QStringLiteral("  Printer jams  "), 1000, 401, QStringLiteral("12/31/2009"));
    frmMyIssues* w = open();
    ASSERT_TRUE(w);
    ASSERT_EQ(w->model()->rowCount(), 1);
    EXPECT_EQ(rowText(w->model(), 0),
              QStringLiteral("High|In Progress|12/31/2009|Acme|Printer jams|Hardware|20091231"));
    EXPECT_TRUE(w->lv->isColumnHidden(6));
    EXPECT_EQ(w->model()->headerData(6, Qt::Horizontal).toString(), QStringLiteral("Date Sorting"));
    EXPECT_EQ(selectedKey(w->lv), QStringLiteral("N%1").arg(id));
    EXPECT_TRUE(w->cmdProperties->isEnabled());
    QTest::keyClick(w->lv, Qt::Key_Return);
    EXPECT_TRUE(SysUI().IsFormLoaded(QStringLiteral("I%1").arg(id)));
}

TEST_F(MyIssuesTest, CombosAreWhiteAtTheirDefaultsAndLightRedAwayFromThem)
{
    frmMyIssues* w = open();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->cboAssignedTo->currentData().toInt(), 1000);
    EXPECT_EQ(w->cboAssignedTo->itemText(0), QStringLiteral("Un-Assigned"));
    EXPECT_EQ(w->cboStatus->itemText(0), QStringLiteral("All"));
    EXPECT_EQ(back(w->cboAssignedTo), kWhite);
    EXPECT_EQ(back(w->cboStatus), kWhite);
    EXPECT_FALSE(w->cmdProperties->isEnabled());   // nothing listed

    choose(w->cboStatus, 400);
    EXPECT_EQ(back(w->cboStatus), kLightRed);
    EXPECT_EQ(back(w->cboAssignedTo), kWhite);
    choose(w->cboAssignedTo, -1);
    EXPECT_EQ(back(w->cboAssignedTo), kLightRed);
    choose(w->cboAssignedTo, 1000);
    choose(w->cboStatus, -1);
    EXPECT_EQ(back(w->cboAssignedTo), kWhite);
    EXPECT_EQ(back(w->cboStatus), kWhite);
}

TEST_F(MyIssuesTest, TimerReloadsQuietlyOnlyInMinutesEndingInFiveOrZero)
{
    SavePrefString(QStringLiteral("AutoRefreshMyIssues"), QStringLiteral("Y"));
    makeIssue(QStringLiteral("One"), 1000, 400, QStringLiteral("3/1/2024"));
    const qint32 two = makeIssue(QStringLiteral("Two"), 1000, 400, QStringLiteral("3/2/2024"));
    frmMyIssues* w = open();
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->ckAutoRefresh->isChecked());
    EXPECT_TRUE(w->tmRefresh->isActive());
    EXPECT_EQ(w->tmRefresh->interval(), 40000);
    selectIssue(w->lv, two);
    makeIssue(QStringLiteral("Three"), 1000, 400, QStringLiteral("3/3/2024"));
    const int waits = waitDialogsShown();

    setTime(10, 4);
    w->tmRefresh_Timer();
    EXPECT_EQ(w->model()->rowCount(), 2);
    EXPECT_TRUE(w->windowTitle().endsWith(QStringLiteral("@10:30:00 AM")));

    setTime(10, 5);
    w->tmRefresh_Timer();
    EXPECT_EQ(w->model()->rowCount(), 3);
    EXPECT_TRUE(w->windowTitle().endsWith(QStringLiteral("@10:05:00 AM")));
    EXPECT_EQ(w->lblCust->text(), QStringLiteral("3 Issue(s)"));
    EXPECT_EQ(waitDialogsShown(), waits);
    EXPECT_EQ(selectedKey(w->lv), QStringLiteral("N%1").arg(two));

    // A reload by hand shows the wait dialog.
    w->cmdRefresh->click();
    EXPECT_EQ(waitDialogsShown(), waits + 1);

    // Unticked, the timer stops and its ticks do nothing.
    w->ckAutoRefresh->click();
    EXPECT_FALSE(w->tmRefresh->isActive());
    makeIssue(QStringLiteral("Four"), 1000, 400, QStringLiteral("3/4/2024"));
    setTime(10, 10);
    w->tmRefresh_Timer();
    EXPECT_EQ(w->model()->rowCount(), 3);
}

TEST_F(MyIssuesTest, SettingsAreReadAsStoredAndWrittenAtClose)
{
    const struct {
        const char* stored;
        bool on;
    } cases[] = {{"Y", true}, {"y", false}, {"1", false}, {"", false}, {"Yes", false}};
    for (const auto& c : cases) {
        SavePrefString(QStringLiteral("AutoRefreshMyIssues"), QLatin1String(c.stored));
        frmMyIssues* w = open();
        ASSERT_TRUE(w);
        EXPECT_EQ(w->ckAutoRefresh->isChecked(), c.on) << c.stored;
        EXPECT_EQ(w->tmRefresh->isActive(), c.on) << c.stored;
        w->CancelButton->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(GetPrefString(QStringLiteral("AutoRefreshMyIssues")), c.on ? QStringLiteral("Y") : QString())
            << c.stored;
    }

    // A status chosen last time is chosen again; a deleted one leaves "All".
    const qint32 waiting = addCategory(QStringLiteral("Parked"), 101);
    SavePrefLong(QStringLiteral("LastIssueSearchStatusID"), waiting);
    frmMyIssues* w = open();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->cboStatus->currentText(), QStringLiteral("Parked"));
    choose(w->cboStatus, 403);
    w->CancelButton->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(GetPrefLong(QStringLiteral("LastIssueSearchStatusID")), 403);

    ASSERT_TRUE(DB().DeleteRecord(waiting, DB().CategoryTable()));
    SavePrefLong(QStringLiteral("LastIssueSearchStatusID"), waiting);
    w = open();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->cboStatus->currentText(), QStringLiteral("All"));
}

TEST_F(MyIssuesTest, SubmitSortsByTheStoredDateAndEachReloadStartsAscendingAgain)
{
    makeIssue(QStringLiteral("b"), 1000, 400, QStringLiteral("1/1/2010"));
    makeIssue(QStringLiteral("a"), 1000, 400, QStringLiteral("12/31/2009"));
    makeIssue(QStringLiteral("c"), 1000, 400, QStringLiteral("2/1/2010"));
    frmMyIssues* w = open();
    ASSERT_TRUE(w);
    const auto column = [w](int c) {
        QStringList texts;
        for (int row = 0; row < w->model()->rowCount(); ++row)
            texts.append(w->model()->index(row, c).data().toString());
        return texts;
    };
    w->lv->header()->sectionClicked(2);
    EXPECT_EQ(column(2), (QStringList{QStringLiteral("12/31/2009"), QStringLiteral("1/1/2010"), QStringLiteral("2/1/2010")}));
    w->lv->header()->sectionClicked(2);
    EXPECT_EQ(column(4), (QStringList{QStringLiteral("c"), QStringLiteral("b"), QStringLiteral("a")}));
    w->lv->header()->sectionClicked(4);
    EXPECT_EQ(column(4), (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    w->lv->header()->sectionClicked(4);
    EXPECT_EQ(column(4), (QStringList{QStringLiteral("c"), QStringLiteral("b"), QStringLiteral("a")}));
    w->cmdRefresh->click();
    w->lv->header()->sectionClicked(4);
    EXPECT_EQ(column(4), (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
}

TEST_F(MyIssuesTest, AFillCancelledPartWayStillNamesTheCustomersOfItsRows)
{
    // Names are looked up once the walk ends, for every customer the rows
    // named: here enough customers for them all to be read in one pass.
    seed(40, 1500);
    QHash<qint32, qint32> customerOf;
    for (const StoredIssue& issue : storedIssues())
        customerOf.insert(issue.id, issue.custId);
    const QSet<qint32> mine = idsWhere([](const StoredIssue& i) { return i.assignedTo == 1000; });
    ASSERT_GT(mine.size(), 200);
    bool cancelled = false;
    duringFill([&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* wait = qobject_cast<frmProgress*>(top);
            if (wait && wait->isVisible() && !wait->cmdCancel->isHidden()) {
                wait->cmdCancel->click();
                cancelled = true;
                return true;
            }
        }
        return false;
    });
    frmMyIssues* w = open();
    ASSERT_TRUE(w);
    ASSERT_TRUE(cancelled);
    const QList<qint32> listed = listedIds(w->model());
    ASSERT_GT(listed.size(), 0);
    ASSERT_LT(listed.size(), mine.size());
    QSet<qint32> customers;
    for (int row = 0; row < listed.size(); ++row) {
        const qint32 customer = customerOf.value(listed.at(row));
        customers.insert(customer);
        EXPECT_EQ(w->model()->index(row, 3).data().toString(), DB().GetCustomername(customer))
            << "issue " << listed.at(row);
    }
    EXPECT_GE(customers.size(), 16);
}

TEST_F(MyIssuesTest, RequestsDuringAFillWaitForItAndCloseEndsItSafely)
{
    for (int i = 0; i < 250; ++i)
        makeIssue(QStringLiteral("Mine %1").arg(i), 1000, i % 2 ? 400 : 405, QStringLiteral("3/1/2024"));
    frmMyIssues* w = open();
    ASSERT_TRUE(w);
    ASSERT_EQ(w->model()->rowCount(), 250);

    // A status chosen while the fill yields is listed once the fill ends;
    // a Refresh meanwhile is refused.
    bool changed = false;
    duringFill([&] {
        if (!w->filling())
            return false;
        changed = true;
        w->cmdRefresh->click();
        const int index = w->cboStatus->findData(405);
        w->cboStatus->setCurrentIndex(index);
        emit w->cboStatus->activated(index);
        return true;
    });
    w->cmdRefresh->click();
    ASSERT_TRUE(changed);
    EXPECT_EQ(w->model()->rowCount(), 125);
    EXPECT_TRUE(w->windowTitle().contains(QStringLiteral("Status ='Closed'")));

    // Close from inside the fill: the fill stops, then the window goes.
    QPointer<frmMyIssues> watched(w);
    bool closed = false;
    duringFill([&] {
        if (!watched || !watched->filling())
            return false;
        closed = true;
        watched->CancelButton->click();
        return true;
    });
    w->cmdRefresh->click();
    ASSERT_TRUE(closed);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watched.isNull());
    EXPECT_FALSE(SysUI().IsFormLoaded(QStringLiteral("MYISSUES")));
}

} // namespace
