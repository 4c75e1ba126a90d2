#include "IssueFixture.h"
#include "ModalScript.h"

#include "app/EditModeCtl.h"
#include "app/RecordFrame.h"
#include "common/Module1.h"
#include "common/ui/clsSystemUI.h"
#include "data/RecColl.h"
#include "data/clsDB.h"
#include "data/clsIssueTemplate.h"
#include "issues/IssueActionsCtl.h"
#include "issues/frmIssueAction.h"
#include "xbase/IndexC4.h"
#include "xbase/c4.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace {

const QString kRecordGone
    = QStringLiteral("Record cannot be accessed or no longer exists. It may have been deleted by another user.");

class ActionsTest : public IssueFixture {
protected:
    ActionsTest() { m_issue = addStoredIssue(QStringLiteral("Noisy fan")); }

    // The stored duration and issue of an action; -1 when it is gone.
    double storedDuration(qint32 action)
    {
        DATA4* table = DB().OpenTable(DB().IssuesActionsTable());
        d4tagSelect(table, d4tag(table, "rowid"));
        const double value = d4seekDouble(table, action) == 0 ? f4double(d4field(table, "duration")) : -1;
        d4close(table);
        return value;
    }

    static frmIssueAction& dialogOf(QDialog& d) { return dynamic_cast<frmIssueAction&>(d); }

    qint32 m_issue = -1;
};

TEST_F(ActionsTest, ListShowsTheActionsAndTheirTotal)
{
    IssueActionsCtl ctl;
    ctl.Init(m_issue);
    EXPECT_EQ(ctl.lv->topLevelItemCount(), 0);
    EXPECT_EQ(ctl.lblTotalDuration->text(), QStringLiteral("Total Duration = 0.00"));
    EXPECT_EQ(ctl.NotesContent(), QStringLiteral("\r\n"));

    addUser(QStringLiteral("olaf"), QString(30, QLatin1Char('1')));
    const qint32 first = addAction(m_issue, QStringLiteral("1.5"), 1000, QStringLiteral("Called.\r\n"));
    const qint32 second = addAction(m_issue, QStringLiteral("2.25"), DB().GetLoginID(QStringLiteral("olaf")));
    const qint32 gone = addAction(m_issue, QStringLiteral("1234.5"), -1, QString(), 99999);
    addAction(addStoredIssue(QStringLiteral("other")), QStringLiteral("7"));
    ctl.LoadLV();
    ASSERT_EQ(ctl.lv->topLevelItemCount(), 3);
    EXPECT_EQ(ctl.lblTotalDuration->text(), QStringLiteral("Total Duration = 1,238.25"));
    const QTreeWidgetItem* row = ctl.lv->topLevelItem(0);
    EXPECT_EQ(SysUI().lvItemKey(row), QStringLiteral("N%1").arg(first));
    EXPECT_EQ(row->text(0), QStringLiteral("3/10/2024"));
    EXPECT_EQ(row->text(1), QStringLiteral("Phone call"));
    EXPECT_EQ(row->text(2), QStringLiteral("admin"));
    EXPECT_EQ(row->text(3), QStringLiteral("Called back"));
    EXPECT_EQ(row->text(4), QStringLiteral("1.50"));
    EXPECT_EQ(ctl.lv->topLevelItem(1)->text(2), QStringLiteral("olaf"));
    // A performer below 1 and a category that is gone show empty cells.
    EXPECT_EQ(ctl.lv->topLevelItem(2)->text(1), QString());
    EXPECT_EQ(ctl.lv->topLevelItem(2)->text(2), QString());
    EXPECT_EQ(ctl.lv->topLevelItem(2)->text(4), QStringLiteral("1,234.50"));
    EXPECT_EQ(SysUI().LvGetSelectedItemKey(ctl.lv), QStringLiteral("N%1").arg(first));

    // The selection survives a reload.
    SysUI().LvSelectItem(ctl.lv, QStringLiteral("N%1").arg(gone));
    ctl.LoadLV();
    EXPECT_EQ(SysUI().LvGetSelectedItemKey(ctl.lv), QStringLiteral("N%1").arg(gone));
    (void)second;

    EXPECT_EQ(ctl.NotesContent(),
              QStringLiteral("\r\n\r\n=== 3/10/2024 ===\r\nCalled.\r\n\r\n=== 3/10/2024 ===\r\n\r\n\r\n"
                             "=== 3/10/2024 ===\r\n\r\n"));
    EXPECT_TRUE(ctl.content().contains(QStringLiteral("\r\nTotal Duration = 1,238.25\r\n\r\n=== ")));
}

TEST_F(ActionsTest, AFillRefusesASecondFillAndTheDialogWhileItYields)
{
    for (const char* d : {"1", "2", "3"})
        addAction(m_issue, QString::fromLatin1(d));
    IssueActionsCtl ctl;
    ctl.SetEditEnabled(true);
    ModalScript script;
    int reentered = 0;
    QTimer::singleShot(0, &ctl, [&] {
        ++reentered;
        ctl.LoadLV();
        ctl.cmdAdd_Click();
    });
    ctl.Init(m_issue);
    EXPECT_EQ(reentered, 1);
    EXPECT_EQ(ctl.lv->topLevelItemCount(), 3);
    EXPECT_EQ(ctl.lblTotalDuration->text(), QStringLiteral("Total Duration = 6.00"));
    EXPECT_TRUE(script.captions.isEmpty());
}

TEST_F(ActionsTest, TwoDurationsAddUp)
{
    addAction(m_issue, QStringLiteral("1.5"));
    addAction(m_issue, QStringLiteral("2.25"));
    IssueActionsCtl ctl;
    ctl.Init(m_issue);
    EXPECT_EQ(ctl.lblTotalDuration->text(), QStringLiteral("Total Duration = 3.75"));
}

TEST_F(ActionsTest, ButtonsFollowTheModeAndTheSelection)
{
    IssueActionsCtl ctl;
    ctl.Init(m_issue);
    EXPECT_FALSE(ctl.cmdAdd->isEnabled());
    EXPECT_FALSE(ctl.cmdEditView->isEnabled());
    EXPECT_FALSE(ctl.cmdDel->isEnabled());
    ctl.SetEditEnabled(true);
    EXPECT_TRUE(ctl.cmdAdd->isEnabled());
    EXPECT_EQ(ctl.cmdEditView->text(), QStringLiteral("Edit"));
    EXPECT_FALSE(ctl.cmdDel->isEnabled());

    addAction(m_issue, QStringLiteral("1"));
    ctl.Init(m_issue);
    EXPECT_TRUE(ctl.cmdEditView->isEnabled());
    EXPECT_TRUE(ctl.cmdDel->isEnabled());
    ctl.SetEditEnabled(false);
    EXPECT_EQ(ctl.cmdEditView->text(), QStringLiteral("View"));
    EXPECT_TRUE(ctl.cmdEditView->isEnabled());
    EXPECT_FALSE(ctl.cmdDel->isEnabled());
    EXPECT_FALSE(ctl.cmdAdd->isEnabled());
}

TEST_F(ActionsTest, NewActionDefaultsAndValidation)
{
    frmIssueAction dialog;
    dialog.Init(-1, m_issue, frmIssueAction::AddMode);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Add Issue Action"));
    EXPECT_EQ(dialog.txtDate->text(), QStringLiteral("3/15/2024"));
    EXPECT_EQ(dialog.txtDuration->text(), QStringLiteral("0.00"));
    EXPECT_EQ(dialog.cboAction->currentIndex(), -1);
    EXPECT_EQ(SysUI().cboGetItemID(dialog.cboAssignedTo), 1000);
    EXPECT_TRUE(dialog.OKButton->isDefault());
    dialog.SSTab1->setCurrentIndex(1);
    EXPECT_FALSE(dialog.OKButton->isDefault());
    dialog.SSTab1->setCurrentIndex(0);
    EXPECT_TRUE(dialog.OKButton->isDefault());

    struct Case {
        QString date, duration;
        bool action;
        QString faults;
    };
    const Case cases[] = {
        {QStringLiteral("3/15/2024"), QStringLiteral("0.00"), false, QStringLiteral("  - ACTION must be selected.\r\n\r\n")},
        {QStringLiteral(" "), QStringLiteral("1"), true, QStringLiteral("  - DATE must be entered.\r\n\r\n")},
        {QStringLiteral("31/31/2020"), QStringLiteral("abc"), false,
         QStringLiteral("  - DATE entered is not a valid date.\r\n\r\n  - ACTION must be selected.\r\n\r\n"
                        "  - DURATION must be numeric.\r\n\r\n")},
    };
    for (const Case& c : cases) {
        m_prompts.clear();
        dialog.txtDate->setText(c.date);
        dialog.txtDuration->setText(c.duration);
        dialog.cboAction->setCurrentIndex(c.action ? 0 : -1);
        dialog.OKButton->click();
        EXPECT_FALSE(dialog.Saved);
        EXPECT_EQ(windowTexts(),
                  QStringList{QStringLiteral("Please correct the following data entry fields:\r\n\r\n") + c.faults})
            << c.date.toStdString();
    }
    EXPECT_EQ(actionCount(m_issue), 0);
}

TEST_F(ActionsTest, AddThroughTheListSavesAGroupedDurationAndSelectsTheNewRow)
{
    addAction(m_issue, QStringLiteral("1"));
    IssueActionsCtl ctl;
    ctl.Init(m_issue);
    ctl.SetEditEnabled(true);
    ModalScript script;
    script.then([this](QDialog& d) {
        frmIssueAction& dialog = dialogOf(d);
        SysUI().cboSelectAtID(dialog.cboAction, m_actionKind);
        dialog.txtDuration->setText(QStringLiteral("1,234.50"));
        dialog.txtDesc->setPlainText(QStringLiteral("On site"));
        dialog.OKButton->click();
    });
    ctl.cmdAdd->click();
    EXPECT_TRUE(windowTexts().isEmpty());
    ASSERT_EQ(ctl.lv->topLevelItemCount(), 2);
    const QString key = SysUI().LvGetSelectedItemKey(ctl.lv);
    const qint32 added = key.mid(1).toInt();
    EXPECT_GT(added, 0);
    EXPECT_DOUBLE_EQ(storedDuration(added), 1234.5);
    EXPECT_EQ(ctl.lblTotalDuration->text(), QStringLiteral("Total Duration = 1,235.50"));

    frmIssueAction dialog;
    dialog.Init(added, -1, frmIssueAction::EditMode);
    EXPECT_EQ(dialog.IssueID(), m_issue);
    EXPECT_EQ(dialog.txtDuration->text(), QStringLiteral("1,234.50"));
    EXPECT_EQ(dialog.txtDesc->toPlainText(), QStringLiteral("On site"));
    EXPECT_EQ(SysUI().cboGetItemID(dialog.cboAction), m_actionKind);

    // A cleared duration is stored as 0.
    dialog.txtDuration->clear();
    dialog.OKButton->click();
    EXPECT_TRUE(dialog.Saved);
    EXPECT_DOUBLE_EQ(storedDuration(added), 0.0);
}

TEST_F(ActionsTest, ADescriptionTypedToItsLimitIsStoredWholeWithItsLineBreaks)
{
    // Five lines of 22 and four line breaks are 118 characters as stored
    // (CR LF each); two more fit, a third does not.
    const QStringList lines{QStringLiteral("Replaced the fan unit."), QStringLiteral("Cleaned the air filter"),
                            QStringLiteral("Checked the PSU volts."), QStringLiteral("Ran the burn-in test.."),
                            QStringLiteral("Customer signed off ok")};
    frmIssueAction dialog;
    dialog.Init(-1, m_issue, frmIssueAction::AddMode);
    SysUI().cboSelectAtID(dialog.cboAction, m_actionKind);
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(dialog.txtDesc, Qt::Key_Return);
        QTest::keyClicks(dialog.txtDesc, lines.at(i));
    }
    QTest::keyClicks(dialog.txtDesc, QStringLiteral("abc"));
    QTest::keyClick(dialog.txtDesc, Qt::Key_Return);
    const QString shown = lines.join(QLatin1Char('\n')) + QStringLiteral("ab");
    EXPECT_EQ(dialog.txtDesc->toPlainText(), shown);
    EXPECT_FALSE(dialog.Saved);

    dialog.OKButton->click();
    ASSERT_TRUE(dialog.Saved);
    DATA4* table = DB().OpenTable(DB().IssuesActionsTable());
    ASSERT_NE(table, nullptr);
    d4tagSelect(table, d4tag(table, "rowid"));
    ASSERT_EQ(d4seekDouble(table, dialog.ActionID()), 0);
    const QString stored = Module1::FieldStr(d4field(table, "desc"));
    d4close(table);
    EXPECT_EQ(stored, lines.join(QStringLiteral("\r\n")) + QStringLiteral("ab"));
    EXPECT_EQ(stored.size(), 120);

    frmIssueAction again;
    again.Init(dialog.ActionID(), m_issue, frmIssueAction::EditMode);
    EXPECT_EQ(again.txtDesc->toPlainText(), shown);
    EXPECT_TRUE(windowTexts().isEmpty());
}

TEST_F(ActionsTest, CalendarListButtonAndStampOfTheDialog)
{
    const qint32 visit = addCategory(QStringLiteral("Visit"), 106);
    QString answer = QStringLiteral("3/20/2024");
    auto oldCalendar = std::exchange(RecordFrame::calendar(), [&](const QString&) { return answer; });
    QList<qint32> edited;
    auto oldEditor = std::exchange(RecordFrame::listEditor(), [&](qint32 type) { edited.append(type); });

    frmIssueAction dialog;
    dialog.Init(-1, m_issue, frmIssueAction::AddMode);
    dialog.cmdCalendar->click();
    EXPECT_EQ(dialog.txtDate->text(), QStringLiteral("3/20/2024"));
    answer.clear();
    dialog.cmdCalendar->click();
    EXPECT_EQ(dialog.txtDate->text(), QStringLiteral("3/20/2024"));

    SysUI().cboSelectAtID(dialog.cboAction, visit);
    dialog.cmdCatStatus->click();
    EXPECT_EQ(edited, QList<qint32>{106});
    EXPECT_EQ(SysUI().cboGetItemID(dialog.cboAction), visit);
    EXPECT_EQ(dialog.cboAction->count(), 2);

    dialog.txtNote->setPlainText(QStringLiteral("Note: "));
    dialog.txtNote->moveCursor(QTextCursor::End);
    dialog.cmdDTStamp_Desc->click();
    EXPECT_EQ(dialog.txtNote->toPlainText(), QStringLiteral("Note: 3/15/2024 @ 10:30:00 AM by admin"));

    RecordFrame::calendar() = oldCalendar;
    RecordFrame::listEditor() = oldEditor;
}

TEST_F(ActionsTest, ViewModeOnlyCloses)
{
    const qint32 action = addAction(m_issue, QStringLiteral("2"));
    IssueActionsCtl ctl;
    ctl.Init(m_issue);
    ModalScript script;
    int mode = 0;
    script.then([&](QDialog& d) {
        frmIssueAction& dialog = dialogOf(d);
        mode = dialog.mode();
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("View Issue Action"));
        EXPECT_EQ(dialog.OKButton->text(), QStringLiteral("Close"));
        EXPECT_FALSE(dialog.CancelButton->isVisibleTo(&dialog));
        EXPECT_TRUE(dialog.txtDuration->isReadOnly());
        EXPECT_FALSE(dialog.cmdCalendar->isEnabled());
        dialog.txtDuration->setText(QStringLiteral("9"));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_FALSE(dialog.Saved);
    });
    ctl.cmdEditView->click();
    EXPECT_EQ(mode, int(frmIssueAction::ViewMode));
    EXPECT_DOUBLE_EQ(storedDuration(action), 2.0);

    frmIssueAction dialog;
    dialog.Init(action, m_issue, frmIssueAction::ViewMode);
    dialog.OKButton->click();
    EXPECT_FALSE(dialog.Saved);
}

TEST_F(ActionsTest, DeleteAsksWithNoAsDefault)
{
    const qint32 action = addAction(m_issue, QStringLiteral("2"));
    IssueActionsCtl ctl;
    ctl.Init(m_issue);
    ctl.SetEditEnabled(true);
    ModalScript script;
    script.then([&](QDialog& d) {
        frmIssueAction& dialog = dialogOf(d);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Delete Issue Action"));
        EXPECT_EQ(dialog.OKButton->text(), QStringLiteral("DELETE"));
        m_prompts.button(MsgAnswer::No);
        dialog.OKButton->click();
        EXPECT_FALSE(dialog.Saved);
    });
    ctl.cmdDel->click();
    EXPECT_DOUBLE_EQ(storedDuration(action), 2.0);
    ASSERT_EQ(m_prompts.shown().size(), 1);
    EXPECT_EQ(m_prompts.shown().at(0).text, QStringLiteral("Are you sure you want to delete this Issue Action?"));
    EXPECT_EQ(m_prompts.shown().at(0).style, MsgStyle::YesNoCancel + MsgStyle::Question + MsgStyle::DefaultButton2);

    m_prompts.clear();
    script.then([&](QDialog& d) { dialogOf(d).OKButton->click(); });
    m_prompts.button(MsgAnswer::Yes).button(MsgAnswer::Ok);
    ctl.cmdDel->click();
    EXPECT_LT(storedDuration(action), 0);
    EXPECT_EQ(ctl.lv->topLevelItemCount(), 0);
    EXPECT_FALSE(ctl.cmdDel->isEnabled());
    ASSERT_EQ(m_prompts.shown().size(), 2);
    EXPECT_EQ(m_prompts.shown().at(1).text, QStringLiteral("Issue Action has been deleted!"));
    EXPECT_EQ(m_prompts.shown().at(1).title, QStringLiteral("Brindlemark"));
}

TEST_F(ActionsTest, SavesRefusedWhenTheIssueOrTheActionIsGone)
{
    const qint32 action = addAction(m_issue, QStringLiteral("2"));
    frmIssueAction dialog;
    dialog.Init(action, m_issue, frmIssueAction::EditMode);
    dialog.txtDuration->setText(QStringLiteral("5"));
    ASSERT_TRUE(DB().DeleteRecord(action, DB().IssuesActionsTable()));
    dialog.OKButton->click();
    EXPECT_FALSE(dialog.Saved);
    EXPECT_EQ(windowTexts(), QStringList{kRecordGone});
    EXPECT_EQ(actionCount(m_issue), 0);

    m_prompts.clear();
    frmIssueAction added;
    added.Init(-1, m_issue, frmIssueAction::AddMode);
    added.cboAction->setCurrentIndex(0);
    ASSERT_TRUE(DB().DeleteRecord(m_issue, DB().IssuesTable()));
    added.OKButton->click();
    EXPECT_FALSE(added.Saved);
    EXPECT_EQ(windowTexts(), QStringList{QStringLiteral("The Issue record to which this Action record belongs to no "
                                                        "longer exists or is inaccessible.")});
    EXPECT_EQ(actionCount(m_issue), 0);
}

TEST_F(ActionsTest, IssueWindowHostsTheActions)
{
    addAction(m_issue, QStringLiteral("1.5"));
    frmIssue* w = openIssue(m_issue, -1, false);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->IACtl->lv->topLevelItemCount(), 1);
    EXPECT_FALSE(w->IACtl->cmdAdd->isEnabled());
    w->DoEditModeBtn();
    EXPECT_TRUE(w->IACtl->cmdAdd->isEnabled());
    m_prompts.button(MsgAnswer::Yes);
    w->close();
}

TEST_F(ActionsTest, TemplateReader)
{
    clsIssueTemplate reader;
    EXPECT_FALSE(reader.Init(-1));
    EXPECT_FALSE(reader.Init(0));
    EXPECT_TRUE(m_prompts.shown().isEmpty());

    const qint32 id = addTemplate({{QStringLiteral("psid"), m_hardware},
                                   {QStringLiteral("shortdesc"), QStringLiteral("Short")},
                                   {QStringLiteral("assignedto"), 1000},
                                   {QStringLiteral("priority"), 452},
                                   {QStringLiteral("status"), 401},
                                   {QStringLiteral("issuecat"), 77},
                                   {QStringLiteral("custom1"), QStringLiteral("one")},
                                   {QStringLiteral("custom2"), QStringLiteral("two")},
                                   {QStringLiteral("desc"), QStringLiteral("Long text")},
                                   {QStringLiteral("resolution"), QStringLiteral("Fixed")}});
    ASSERT_TRUE(reader.Init(id));
    EXPECT_EQ(reader.PSId(), m_hardware);
    EXPECT_EQ(reader.ShortDesc(), QStringLiteral("Short"));
    EXPECT_EQ(reader.AssignedTo(), 1000);
    EXPECT_EQ(reader.Priority(), 452);
    EXPECT_EQ(reader.STATUS(), 401);
    EXPECT_EQ(reader.Category(), 77);
    EXPECT_EQ(reader.custom1(), QStringLiteral("one"));
    EXPECT_EQ(reader.custom2(), QStringLiteral("two"));
    EXPECT_EQ(reader.Desc(), QStringLiteral("Long text"));
    EXPECT_EQ(reader.Resolution(), QStringLiteral("Fixed"));

    ASSERT_TRUE(DB().DeleteRecord(id, DB().IssuesTemplatesTable()));
    EXPECT_FALSE(reader.Init(id));
    EXPECT_EQ(windowTexts(), QStringList{kRecordGone});
}

} // namespace
