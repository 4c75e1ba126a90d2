#include "IssueFixture.h"
#include "DataFixture.h"

#include "app/EditModeCtl.h"
#include "app/RecordFrame.h"
#include "app/StatisticCtl.h"
#include "common/mdlRegistry.h"
#include "common/ui/AttachmentsCtl.h"
#include "common/ui/ObjectTag.h"
#include "common/ui/clsSystemUI.h"
#include "common/ui/frmRichEdit.h"
#include "customers/frmCustomer.h"
#include "data/RecColl.h"
#include "data/clsDB.h"
#include "issues/IssueActionsCtl.h"
#include "issues/IssueControls.h"

#include "issues/frmIssueAction.h"
#include "xbase/IndexC4.h"
#include "xbase/c4.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>

namespace {

const QString kNoCustomer
    = QStringLiteral("The Customer record to which this Issue record belongs no longer exists or is inaccessible.");
const QString kRecordGone
    = QStringLiteral("Record cannot be accessed or no longer exists. It may have been deleted by another user.");

class IssueTest : public IssueFixture {
protected:
    // The rows of the issues table as bmtool dumps them.
    QList<QStringList> dumpedIssues() { return dumpedRows(DB().IssuesTable()); }

    // A new issue filled so that it passes validation.
    frmIssue* newValidIssue()
    {
        frmIssue* w = openIssue(-1, m_cust, true);
        EXPECT_NE(w, nullptr);
        if (w) {
            SysUI().cboSelectAtID(w->cboPS, m_hardware);
            w->txtShortDesc->setText(QStringLiteral("Printer jams"));
        }
        return w;
    }

    // Leaves the window by Cancel, discarding, and lets it go.
    void discard(frmIssue* w)
    {
        m_prompts.button(MsgAnswer::Yes);
        w->CancelButton->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static void pressCtrlE(QWidget* w) { QTest::keyClick(w, Qt::Key_E, Qt::ControlModifier); }
};

TEST_F(IssueTest, NewIssueStartsWithTheDefaults)
{
    frmIssue* w = openIssue(-1, m_cust, true);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(objectTag(w), QStringLiteral("I-1"));
    EXPECT_EQ(w->lblCustomer->text(), QStringLiteral("Acme"));
    EXPECT_EQ(w->txtDateSubmit->text(), QStringLiteral("3/15/2024"));
    EXPECT_EQ(SysUI().cboGetItemID(w->cboPriority), 451);
    EXPECT_EQ(SysUI().cboGetItemID(w->cboStatus), 400);
    EXPECT_EQ(SysUI().cboGetItemID(w->cboAssignedTo), DB().LoginID());
    EXPECT_EQ(w->cboPS->currentIndex(), -1);
    EXPECT_EQ(w->cboIssueCategory->itemText(0), QString());
    EXPECT_EQ(w->lblIssueNumber->text(), QString());
    EXPECT_FALSE(w->TabCtl->isTabEnabled(1));
    EXPECT_FALSE(w->TabCtl->isTabEnabled(4));
    EXPECT_TRUE(w->lblNewIssue->isVisibleTo(w));
    EXPECT_EQ(w->lblNewIssue->text(),
              QStringLiteral("Press Apply button to save this issue and to access Actions and Attachments tabs"));
    EXPECT_FALSE(w->lblEdit->isVisibleTo(w));
    EXPECT_FALSE(w->cmdRefresh->isEnabled());
    EXPECT_FALSE(w->cmdDelete->isEnabled());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Issue: New @\\d{1,2}:\\d\\d:\\d\\d (AM|PM)$"))
                    .match(w->windowTitle())
                    .hasMatch())
        << w->windowTitle().toStdString();

    pressCtrlE(w->txtShortDesc);
    EXPECT_TRUE(w->EM->InEditMode());
    EXPECT_TRUE(m_prompts.shown().isEmpty());
    discard(w);
}

TEST_F(IssueTest, TabGoesFromTheTabsDownTheFieldsToTheButtonBar)
{
    frmIssue* w = openIssue(-1, m_cust, true);
    ASSERT_NE(w, nullptr);
    const QList<QWidget*> chain = {w->TabCtl->tabBar(), w->cboPS, w->cmdCatPS, w->txtShortDesc, w->txtDateSubmit,
                                   w->cmdCalendar0, w->txtDateResponse, w->cmdCalendar1, w->txtDateResolution,
                                   w->cmdCalendar2, w->cboAssignedTo, w->cboPriority, w->cmdCatPriority,
                                   w->cboStatus, w->cmdCatStatus, w->cboIssueCategory, w->cmdCatIssueCategory,
                                   w->txtCust1, w->cmdCust1Cat, w->txtCust2, w->cmdCust2Cat, w->lblEdit,
                                   w->cmdPrint};
    for (int i = 0; i + 1 < chain.size(); ++i)
        EXPECT_EQ(nextAmong(chain, chain.at(i)), chain.at(i + 1)) << chain.at(i)->objectName().toStdString();
    discard(w);
}

TEST_F(IssueTest, ApplyStoresTheIssueAndTheCustomerWindowListsIt)
{
    frmCustomer* customer = open(m_cust);
    ASSERT_NE(customer, nullptr);
    frmIssue* w = newValidIssue();
    w->txtShortDesc->setText(QStringLiteral("A printer that jams"));
    w->cmdApply->click();
    EXPECT_TRUE(windowTexts().isEmpty());
    ASSERT_GE(w->RowID, 1000);
    const qint32 id = w->RowID;

    const QList<QStringList> rows = dumpedIssues();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(field(rows[0], QStringLiteral("ROWID")), QString::number(id));
    EXPECT_EQ(field(rows[0], QStringLiteral("LASTMODBY")), QStringLiteral("1000"));
    EXPECT_EQ(field(rows[0], QStringLiteral("UNDEREDIT")), QString());
    EXPECT_EQ(field(rows[0], QStringLiteral("EDTSTATION")), QString());
    EXPECT_EQ(field(rows[0], QStringLiteral("SUBMITDT")), QStringLiteral("20240315"));

    EXPECT_EQ(objectTag(w), QStringLiteral("I%1").arg(id));
    EXPECT_EQ(w->lblIssueNumber->text(), QStringLiteral("Issue ID: %1").arg(id));
    EXPECT_FALSE(w->EM->InEditMode());
    EXPECT_TRUE(w->TabCtl->isTabEnabled(1));
    EXPECT_TRUE(w->TabCtl->isTabEnabled(4));
    EXPECT_FALSE(w->lblNewIssue->isVisibleTo(w));
    EXPECT_TRUE(w->lblEdit->isVisibleTo(w));
    EXPECT_EQ(w->IACtl->IssueID(), id);
    EXPECT_EQ(w->ACtl->Folder(), DB().GetAttachmentSubDir(id, QStringLiteral("_i")));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Issue: Hardware - A printer that \\.\\.\\. @10:30:00 AM$"))
                    .match(w->windowTitle())
                    .hasMatch())
        << w->windowTitle().toStdString();

    ASSERT_EQ(customer->lvIssues->topLevelItemCount(), 1);
    EXPECT_EQ(SysUI().LvGetSelectedItemKey(customer->lvIssues), QStringLiteral("N%1").arg(id));

    RecColl coll = readIssue(id);
    EXPECT_EQ(coll.value(QStringLiteral("custid")).toInt(), m_cust);
    EXPECT_EQ(coll.value(QStringLiteral("psid")).toInt(), m_hardware);
    EXPECT_EQ(coll.value(QStringLiteral("priority")).toInt(), 451);
    EXPECT_EQ(coll.value(QStringLiteral("status")).toInt(), 400);
    EXPECT_EQ(coll.value(QStringLiteral("issuecat")).toInt(), -1);
    EXPECT_EQ(coll.value(QStringLiteral("assignedto")).toInt(), 1000);
}

TEST_F(IssueTest, ValidationListsEveryFaultInOneMessageAndWritesNothing)
{
    frmIssue* w = openIssue(-1, m_cust, true);
    ASSERT_NE(w, nullptr);
    w->txtShortDesc->setText(QStringLiteral("   "));
    w->txtDateResponse->setText(QStringLiteral("31/31/2020"));
    w->cmdApply->click();
    EXPECT_EQ(windowTexts(),
              QStringList{QStringLiteral("Please correct the following data entry fields:\r\n\r\n"
                                         "  - PRODUCT/SERVICE must be selected.\r\n\r\n"
                                         "  - SHORT DESCRIPTION must be entered.\r\n\r\n"
                                         "  - RESPONSE DATE is not a valid date.\r\n\r\n")});
    EXPECT_TRUE(w->EM->InEditMode());
    EXPECT_EQ(w->RowID, -1);
    EXPECT_TRUE(dumpedIssues().isEmpty());

    // Empty dates pass; bad submit and resolution dates are named too.
    m_prompts.clear();
    w->txtDateSubmit->setText(QStringLiteral("soon"));
    w->txtDateResponse->clear();
    w->txtDateResolution->setText(QStringLiteral("2/30/2024"));
    SysUI().cboSelectAtID(w->cboPS, m_hardware);
    w->txtShortDesc->setText(QStringLiteral("x"));
    w->cmdApply->click();
    EXPECT_EQ(windowTexts(),
              QStringList{QStringLiteral("Please correct the following data entry fields:\r\n\r\n"
                                         "  - SUBMIT DATE is not a valid date.\r\n\r\n"
                                         "  - RESOLUTION DATE is not a valid date.\r\n\r\n")});
    m_prompts.clear();
    w->txtDateSubmit->clear();
    w->txtDateResolution->clear();
    w->cmdApply->click();
    EXPECT_TRUE(windowTexts().isEmpty());
    ASSERT_GE(w->RowID, 1000);
    EXPECT_EQ(readIssue(w->RowID).text(QStringLiteral("submitdt")).trimmed(), QString());
}

TEST_F(IssueTest, TemplateFillsANewIssue)
{
    const qint32 software = addCategory(QStringLiteral("Software"), 2);
    const qint32 billing = addCategory(QStringLiteral("Billing"), 105);
    addUser(QStringLiteral("maria"), QString(30, QLatin1Char('1')));
    const qint32 maria = DB().GetLoginID(QStringLiteral("maria"));
    const qint32 full = addTemplate({{QStringLiteral("psid"), software},
                                     {QStringLiteral("shortdesc"), QStringLiteral("Licence renewal")},
                                     {QStringLiteral("assignedto"), maria},
                                     {QStringLiteral("priority"), 453},
                                     {QStringLiteral("status"), 402},
                                     {QStringLiteral("issuecat"), billing},
                                     {QStringLiteral("custom1"), QStringLiteral("C one")},
                                     {QStringLiteral("custom2"), QStringLiteral("C two")},
                                     {QStringLiteral("desc"), QStringLiteral("Renew the licence")},
                                     {QStringLiteral("resolution"), QStringLiteral("Renewed")}});
    frmIssue* w = openIssue(-1, m_cust, true, full);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(SysUI().cboGetItemID(w->cboPS), software);
    EXPECT_EQ(w->txtShortDesc->text(), QStringLiteral("Licence renewal"));
    EXPECT_EQ(SysUI().cboGetItemID(w->cboAssignedTo), maria);
    EXPECT_EQ(SysUI().cboGetItemID(w->cboPriority), 453);
    EXPECT_EQ(SysUI().cboGetItemID(w->cboStatus), 402);
    EXPECT_EQ(SysUI().cboGetItemID(w->cboIssueCategory), billing);
    EXPECT_EQ(w->txtCust1->currentText(), QStringLiteral("C one"));
    EXPECT_EQ(w->txtCust2->currentText(), QStringLiteral("C two"));
    EXPECT_EQ(w->txtDesc->toPlainText(), QStringLiteral("Renew the licence"));
    EXPECT_EQ(w->txtResolution->toPlainText(), QStringLiteral("Renewed"));
    EXPECT_EQ(w->txtDateSubmit->text(), QStringLiteral("3/15/2024"));
    discard(w);

    // Values that match no entry keep the defaults.
    const qint32 partial = addTemplate({{QStringLiteral("priority"), 9999}, {QStringLiteral("assignedto"), 4242}});
    w = openIssue(-1, m_cust, true, partial);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(SysUI().cboGetItemID(w->cboPriority), 451);
    EXPECT_EQ(SysUI().cboGetItemID(w->cboStatus), 400);
    EXPECT_EQ(SysUI().cboGetItemID(w->cboAssignedTo), 1000);
    EXPECT_EQ(w->cboPS->currentIndex(), -1);
    discard(w);

    // A template deleted meanwhile: the missing-record message, then the defaults.
    ASSERT_TRUE(DB().DeleteRecord(full, DB().IssuesTemplatesTable()));
    m_prompts.clear();
    w = openIssue(-1, m_cust, true, full);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(windowTexts(), QStringList{kRecordGone});
    EXPECT_EQ(w->txtShortDesc->text(), QString());
    EXPECT_EQ(SysUI().cboGetItemID(w->cboPriority), 451);
    EXPECT_EQ(SysUI().cboGetItemID(w->cboStatus), 400);
    discard(w);
}

TEST_F(IssueTest, StoredIssueLoadsInViewMode)
{
    const qint32 id = addStoredIssue(QStringLiteral("Screen flickers"));
    pokeField(DB().IssuesTable(), id, "resolvedt", QStringLiteral("2024XX01"));
    frmIssue* w = openIssue(id, -1, false);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->CustID(), m_cust);
    EXPECT_EQ(w->lblCustomer->text(), QStringLiteral("Acme"));
    EXPECT_EQ(w->cboPS->currentText(), QStringLiteral("Hardware"));
    EXPECT_EQ(w->cboPriority->currentText(), QStringLiteral("High"));
    EXPECT_EQ(w->cboStatus->currentText(), QStringLiteral("In Progress"));
    EXPECT_EQ(w->txtDateSubmit->text(), QStringLiteral("3/1/2024"));
    EXPECT_EQ(w->txtDateResolution->text(), QString());
    EXPECT_EQ(w->lblIssueNumber->text(), QStringLiteral("Issue ID: %1").arg(id));
    EXPECT_TRUE(w->txtShortDesc->isReadOnly());
    EXPECT_FALSE(w->cmdDelete->isEnabled());
    EXPECT_TRUE(w->cmdRefresh->isEnabled());
    EXPECT_FALSE(w->IACtl->Enabled());
    EXPECT_EQ(w->LE->ModifiedBy(), QStringLiteral("admin"));

    // Ctrl+E enters edit mode from view mode.
    pressCtrlE(w->txtShortDesc);
    EXPECT_TRUE(w->EM->InEditMode());
    EXPECT_TRUE(w->IACtl->Enabled());
    EXPECT_EQ(issueMark(id), QStringLiteral("1000|testbox"));
    // The same issue is brought forward, not opened twice.
    m_main.ShowIssue(id, m_cust, false, -1);
    EXPECT_EQ(openIssue(id, -1, false), w);
    m_prompts.button(MsgAnswer::Yes);
    w->CancelButton->click();
    EXPECT_EQ(issueMark(id), QStringLiteral("0|"));
}

TEST_F(IssueTest, AnotherUsersMarkAndARefusedSave)
{
    const qint32 id = addStoredIssue(QStringLiteral("Screen flickers"));
    pokeField(DB().IssuesTable(), id, "underedit", 1);
    pokeField(DB().IssuesTable(), id, "edtstation", QStringLiteral("DESK7"));
    frmIssue* w = openIssue(id, -1, false);
    ASSERT_NE(w, nullptr);
    w->lblEdit->click();
    EXPECT_FALSE(w->EM->InEditMode());
    EXPECT_EQ(m_logins.underEditAsked, QStringList{QStringLiteral("@DESK7")});
    EXPECT_EQ(issueMark(id), QStringLiteral("1|DESK7"));

    m_logins.editAnyway = true;
    w->lblEdit->click();
    ASSERT_TRUE(w->EM->InEditMode());
    EXPECT_EQ(issueMark(id), QStringLiteral("1000|testbox"));

    // Another process holds the row: the save is refused, edit mode and
    // the mark stay.
    w->txtShortDesc->setText(QStringLiteral("Screen goes dark"));
    code4lockDelay(DB().CBEngine(), 5);
    m_prompts.clear();
    {
        bmtest::LockHolder other(DB().IssuesTable(), 1);
        ASSERT_TRUE(other.holding());
        w->cmdApply->click();
    }
    EXPECT_TRUE(w->EM->InEditMode());
    EXPECT_EQ(w->txtShortDesc->text(), QStringLiteral("Screen goes dark"));
    EXPECT_EQ(issueMark(id), QStringLiteral("1000|testbox"));
    EXPECT_EQ(readIssue(id).text(QStringLiteral("shortdesc")).trimmed(), QStringLiteral("Screen flickers"));
    EXPECT_FALSE(m_prompts.shown().isEmpty());

    // Cancel, No keeps everything; Cancel, Yes closes and clears the mark.
    m_prompts.button(MsgAnswer::No);
    w->CancelButton->click();
    EXPECT_TRUE(w->EM->InEditMode());
    EXPECT_EQ(w->txtShortDesc->text(), QStringLiteral("Screen goes dark"));
    m_prompts.button(MsgAnswer::Yes);
    w->CancelButton->click();
    EXPECT_EQ(issueMark(id), QStringLiteral("0|"));
    EXPECT_FALSE(SysUI().IsFormLoaded(QStringLiteral("I%1").arg(id)));
}

TEST_F(IssueTest, InactiveAssigneeAndPerformerSurviveASave)
{
    addUser(QStringLiteral("olaf"), QString(30, QLatin1Char('1')));
    const qint32 olaf = DB().GetLoginID(QStringLiteral("olaf"));
    pokeField(DB().UserTable(), olaf, "useractive", QStringLiteral("F"));
    const qint32 id = addStoredIssue(QStringLiteral("Old case"), olaf);
    const qint32 action = addAction(id, QStringLiteral("1"), olaf);
    frmIssue* w = openIssue(id, -1, false);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(SysUI().cboGetItemID(w->cboAssignedTo), olaf);
    w->DoEditModeBtn();
    ASSERT_TRUE(w->EM->InEditMode());
    w->cmdApply->click();
    EXPECT_TRUE(windowTexts().isEmpty());
    EXPECT_EQ(readIssue(id).value(QStringLiteral("assignedto")).toInt(), olaf);

    // The action dialog keeps its performer as well.
    frmIssueAction dialog;
    dialog.Init(action, id, frmIssueAction::EditMode);
    EXPECT_EQ(SysUI().cboGetItemID(dialog.cboAssignedTo), olaf);
    dialog.OKButton->click();
    ASSERT_TRUE(dialog.Saved);
    DATA4* table = DB().OpenTable(DB().IssuesActionsTable());
    d4tagSelect(table, d4tag(table, "rowid"));
    ASSERT_EQ(d4seekDouble(table, action), 0);
    EXPECT_EQ(f4long(d4field(table, "perfby")), olaf);
    d4close(table);
}

TEST_F(IssueTest, CustomerDeletedMeanwhile)
{
    const qint32 id = addStoredIssue(QStringLiteral("Orphan"));
    frmIssue* w = openIssue(id, -1, false);
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(DB().DeleteRecord(m_cust, DB().CustomerTable()));
    w->lblEdit->click();
    EXPECT_EQ(windowTexts(), QStringList{kNoCustomer});
    EXPECT_FALSE(w->EM->InEditMode());
    EXPECT_EQ(issueMark(id), QStringLiteral("0|"));
}

TEST_F(IssueTest, DeleteRemovesActionsRowAndFiles)
{
    const qint32 id = addStoredIssue(QStringLiteral("To go"));
    const qint32 other = addStoredIssue(QStringLiteral("To stay"));
    addAction(id, QStringLiteral("1"));
    addAction(id, QStringLiteral("2"));
    addAction(other, QStringLiteral("3"));
    const QString folder = DB().GetAttachmentSubDir(id, QStringLiteral("_i"));
    ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/sub")));
    QFile f(folder + QStringLiteral("/sub/log.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    frmCustomer* customer = open(m_cust);
    ASSERT_NE(customer, nullptr);
    ASSERT_EQ(customer->lvIssues->topLevelItemCount(), 2);

    frmIssue* w = openIssue(id, -1, false);
    ASSERT_NE(w, nullptr);
    w->DoEditModeBtn();
    ASSERT_TRUE(w->cmdDelete->isEnabled());
    const QString caption = w->windowTitle();
    // No and Cancel change nothing.
    for (MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Cancel}) {
        m_prompts.clear();
        m_prompts.button(answer);
        w->cmdDelete->click();
        EXPECT_EQ(actionCount(id), 2);
    }
    ASSERT_EQ(m_prompts.shown().size(), 1);
    EXPECT_EQ(m_prompts.shown().at(0).text, QStringLiteral("Are you sure you want to *DELETE*  '") + caption
                                                + QStringLiteral("' and all of its attachments (if any)?"));
    EXPECT_EQ(m_prompts.shown().at(0).title, QStringLiteral("DELETE Confirmation"));
    EXPECT_EQ(m_prompts.shown().at(0).style, MsgStyle::YesNoCancel + MsgStyle::Question + MsgStyle::DefaultButton3);

    m_prompts.clear();
    m_prompts.button(MsgAnswer::Yes);
    w->cmdDelete->click();
    EXPECT_EQ(m_prompts.shown().size(), 1); // no discard question
    EXPECT_FALSE(SysUI().IsFormLoaded(QStringLiteral("I%1").arg(id)));
    EXPECT_FALSE(DB().CheckIfRecExists(DB().IssuesTable(), QStringLiteral("bccissues.dbf"), id, true));
    EXPECT_EQ(actionCount(id), 0);
    EXPECT_EQ(actionCount(other), 1);
    EXPECT_FALSE(QFileInfo::exists(folder));
    EXPECT_EQ(customer->lvIssues->topLevelItemCount(), 1);
}

TEST_F(IssueTest, DeleteOfALockedIssueRowKeepsActionsAndFiles)
{
    const qint32 id = addStoredIssue(QStringLiteral("Stays"));
    addAction(id, QStringLiteral("1"));
    const QString folder = DB().GetAttachmentSubDir(id, QStringLiteral("_i"));
    ASSERT_TRUE(QDir().mkpath(folder));
    frmIssue* w = openIssue(id, -1, false);
    ASSERT_NE(w, nullptr);
    w->DoEditModeBtn();
    code4lockDelay(DB().CBEngine(), 5);
    {
        bmtest::LockHolder other(DB().IssuesTable(), 1);
        ASSERT_TRUE(other.holding());
        m_prompts.clear();
        m_prompts.button(MsgAnswer::Yes);
        w->cmdDelete->click();
    }
    ASSERT_GE(m_prompts.shown().size(), 2);
    EXPECT_TRUE(m_prompts.shown().at(1).text.startsWith(QStringLiteral("RECORD LOCKED: Unable to Delete from ")));
    EXPECT_TRUE(w->EM->InEditMode());
    EXPECT_TRUE(DB().CheckIfRecExists(DB().IssuesTable(), QStringLiteral("bccissues.dbf"), id, true));
    EXPECT_EQ(actionCount(id), 1);
    EXPECT_TRUE(QFileInfo::exists(folder));
    discard(w);
}

TEST_F(IssueTest, StampGoesInAtTheCaretOrReplacesTheSelection)
{
    frmIssue* w = newValidIssue();
    const QString stamp = QStringLiteral("3/15/2024 @ 10:30:00 AM by admin");
    w->txtDesc->setPlainText(QStringLiteral("Before after"));
    QTextCursor cursor = w->txtDesc->textCursor();
    cursor.setPosition(7);
    w->txtDesc->setTextCursor(cursor);
    w->cmdDTStamp_Desc->click();
    EXPECT_EQ(w->txtDesc->toPlainText(), QStringLiteral("Before ") + stamp + QStringLiteral("after"));

    w->txtResolution->setPlainText(QStringLiteral("keep DROP keep"));
    cursor = w->txtResolution->textCursor();
    cursor.setPosition(5);
    cursor.setPosition(9, QTextCursor::KeepAnchor);
    w->txtResolution->setTextCursor(cursor);
    w->cmdDTStamp_Resolution->click();
    EXPECT_EQ(w->txtResolution->toPlainText(), QStringLiteral("keep ") + stamp + QStringLiteral(" keep"));
    discard(w);
}

TEST_F(IssueTest, CalendarAndListButtonsKeepWhatWasThere)
{
    QStringList asked;
    QString answer = QStringLiteral("4/2/2024");
    auto oldCalendar = std::exchange(RecordFrame::calendar(), [&](const QString& start) {
        asked.append(start);
        return answer;
    });
    QList<qint32> edited;
    auto oldEditor = std::exchange(RecordFrame::listEditor(), [&](qint32 type) { edited.append(type); });

    const qint32 billing = addCategory(QStringLiteral("Billing"), 105);
    frmIssue* w = newValidIssue();
    w->cmdCalendar1->click();
    EXPECT_EQ(w->txtDateResponse->text(), QStringLiteral("4/2/2024"));
    answer.clear();
    w->cmdCalendar0->click();
    EXPECT_EQ(w->txtDateSubmit->text(), QStringLiteral("3/15/2024"));
    EXPECT_EQ(asked, (QStringList{QString(), QStringLiteral("3/15/2024")}));

    SysUI().cboSelectAtID(w->cboIssueCategory, billing);
    w->cmdCatIssueCategory->click();
    EXPECT_EQ(w->cboIssueCategory->itemText(0), QString());
    EXPECT_EQ(SysUI().cboGetItemID(w->cboIssueCategory), billing);
    w->cmdCatStatus->click();
    EXPECT_EQ(SysUI().cboGetItemID(w->cboStatus), 400);
    w->cmdCatPS->click();
    EXPECT_EQ(SysUI().cboGetItemID(w->cboPS), m_hardware);
    w->txtCust1->setEditText(QStringLiteral("typed"));
    w->cmdCust1Cat->click();
    EXPECT_EQ(w->txtCust1->currentText(), QStringLiteral("typed"));
    w->cmdCust2Cat->click();
    EXPECT_EQ(edited, (QList<qint32>{105, 101, 2, 202, 203}));

    RecordFrame::calendar() = oldCalendar;
    RecordFrame::listEditor() = oldEditor;
    discard(w);
}

TEST_F(IssueTest, UnsavedIssueTextAndLongCustomLabels)
{
    ASSERT_TRUE(DB().SetParamValue(QStringLiteral("BCCISSUES.DBF_CUSTOM1"), QStringLiteral("A label of 25 characters:")));
    frmIssue* w = newValidIssue();
    const QString text = w->FormContent();
    EXPECT_TRUE(text.startsWith(QStringLiteral("ISSUE DETAILS ()\r\n\r\nCustomer Name:      Acme\r\n")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\r\nA label of 25 charac\r\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\r\nAssigned To::      ")));
    discard(w);
}

TEST_F(IssueTest, FormContentMatchesTheGoldenText)
{
    const qint32 id = addStoredIssue(QStringLiteral("Screen flickers"));
    pokeField(DB().IssuesTable(), id, "custom2", QStringLiteral("Blue"));
    addAction(id, QStringLiteral("1.5"), 1000, QStringLiteral("First call."));
    addAction(id, QStringLiteral("1234.5"), 1000, QStringLiteral("Visit."));
    {
        frmIssue* edit = openIssue(id, -1, true);
        ASSERT_NE(edit, nullptr);
        edit->txtDesc->setPlainText(QStringLiteral("It flickers.\nOften."));
        edit->txtResolution->setPlainText(QStringLiteral("New cable."));
        edit->OKButton->click();
        ASSERT_FALSE(SysUI().IsFormLoaded(QStringLiteral("I%1").arg(id)));
    }
    frmIssue* w = openIssue(id, -1, false);
    ASSERT_NE(w, nullptr);
    w->resize(800, 600);
    w->show();
    QCoreApplication::processEvents();
    QString text = w->FormContent();
    const QString goldenPath = QStringLiteral(BM_ISSUES_GOLDEN_DIR "/issue_content.txt");
    QFile golden(goldenPath);
    if (qEnvironmentVariableIsSet("BM_UPDATE_GOLDEN")) {
        ASSERT_TRUE(golden.open(QIODevice::WriteOnly));
        golden.write(text.replace(QString::number(id), QStringLiteral("<ID>")).toUtf8());
        return;
    }
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly)) << goldenPath.toStdString();
    EXPECT_EQ(text, QString::fromUtf8(golden.readAll()).replace(QStringLiteral("<ID>"), QString::number(id)));
}

TEST_F(IssueTest, EmailHandsTheTextToTheMailProgram)
{
    const qint32 id = addStoredIssue(QStringLiteral("Screen flickers"));
    frmIssue* w = openIssue(id, -1, false);
    ASSERT_NE(w, nullptr);
    SavePrefString(QStringLiteral("emailhandler"), QStringLiteral("1"));
    m_prompts.accept();
    w->cmdEmail->click();
    ASSERT_FALSE(m_prompts.shown().isEmpty());
    const ShownPrompt mail = m_prompts.last();
    EXPECT_EQ(mail.kind, ShownPrompt::Kind::Mail);
    EXPECT_EQ(mail.mailTo, QStringList{QStringLiteral("info@acme.test")});
    EXPECT_EQ(mail.title, QStringLiteral("<<Verify Email Address and Enter Subject>>"));
    EXPECT_EQ(mail.text, w->FormContent());
}

TEST_F(IssueTest, LookupByIssueNumberOpensTheIssue)
{
    const qint32 id = addStoredIssue(QStringLiteral("Found"));
    m_prompts.text(QString::number(id));
    m_main.LookupByIssueNumber();
    QWidget* window = nullptr;
    ASSERT_TRUE(SysUI().GetFormWithTag(QStringLiteral("I%1").arg(id), window));
    auto* w = dynamic_cast<frmIssue*>(window);
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->EM->InEditMode());
    EXPECT_EQ(w->txtShortDesc->text(), QStringLiteral("Found"));
}

} // namespace

namespace {

TEST_F(IssueTest, PreviewShowsTheTextAndTheCustomerLinkOpensTheCustomer)
{
    const qint32 id = addStoredIssue(QStringLiteral("Screen flickers"));
    frmIssue* w = openIssue(id, -1, false);
    ASSERT_NE(w, nullptr);
    w->cmdPrint->click();
    frmRichEdit* preview = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* p = dynamic_cast<frmRichEdit*>(top); p && p->isVisible())
            preview = p;
    }
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->windowTitle(), w->windowTitle());
    EXPECT_TRUE(preview->RTB->toPlainText().startsWith(QStringLiteral("ISSUE DETAILS (Issue ID: %1)").arg(id)));
    preview->close();
    delete preview;

    EXPECT_FALSE(SysUI().IsFormLoaded(QStringLiteral("C%1").arg(m_cust)));
    QTest::mouseClick(w->lblCustomer, Qt::LeftButton);
    EXPECT_TRUE(SysUI().IsFormLoaded(QStringLiteral("C%1").arg(m_cust)));
}

} // namespace
