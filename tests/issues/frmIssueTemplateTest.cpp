#include "IssueFixture.h"
#include "DataFixture.h"

#include "app/EditModeCtl.h"
#include "app/RecordFrame.h"
#include "app/StatisticCtl.h"
#include "common/mdlRegistry.h"
#include "common/ui/HelpContext.h"
#include "common/ui/ObjectTag.h"
#include "common/ui/clsSystemUI.h"
#include "issues/frmIssueTemplate.h"
#include "xbase/c4.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

// The record window of one issue template.

namespace {

const QString kRecordGone
    = QStringLiteral("Record cannot be accessed or no longer exists. It may have been deleted by another user.");

class TemplateWindowTest : public IssueFixture {
protected:
    frmIssueTemplate* openTemplate(qint32 id, bool editMode)
    {
        m_main.ShowIssueTemplate(id, editMode);
        QWidget* found = nullptr;
        SysUI().GetFormWithTag(QStringLiteral("T%1").arg(id), found);
        return dynamic_cast<frmIssueTemplate*>(found);
    }

    // The template's row as bmtool dumps it.
    static QStringList dumped(qint32 id)
    {
        for (const QStringList& row : dumpedRows(DB().IssuesTemplatesTable())) {
            if (field(row, QStringLiteral("ROWID")) == QString::number(id))
                return row;
        }
        return {};
    }

    void discard(frmIssueTemplate* w)
    {
        m_prompts.button(MsgAnswer::Yes);
        w->CancelButton->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_F(TemplateWindowTest, OpensOnlyForAStoredTemplateInViewModeWithItsValues)
{
    const qint32 id = addNamedTemplate(QStringLiteral("Printer jam"),
                                       {{"psid", m_hardware},
                                        {"shortdesc", QStringLiteral("Paper stuck")},
                                        {"assignedto", 1000},
                                        {"priority", 452},
                                        {"status", 401},
                                        {"custom2", QStringLiteral("Blue")},
                                        {"resolution", QStringLiteral("Open the tray.")}});
    m_main.ShowIssueTemplate(-1, true);
    m_main.ShowIssueTemplate(0, true);
    EXPECT_FALSE(SysUI().IsFormLoaded(QStringLiteral("T-1")));
    EXPECT_FALSE(SysUI().IsFormLoaded(QStringLiteral("T0")));

    frmIssueTemplate* w = openTemplate(id, false);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(HelpContext::of(w), 1335);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Issue Template: Printer jam @10:30:00 AM"));
    ASSERT_EQ(w->TabCtl->count(), 4);
    const char* tabs[] = {"&Issue", "&Description", "&Resolution", "&Last Edi&t"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(w->TabCtl->tabText(i), QString::fromLatin1(tabs[i]));
    EXPECT_FALSE(w->EM->InEditMode());
    EXPECT_EQ(w->lblEdit->text(), QStringLiteral("Edi&t Data"));
    EXPECT_TRUE(w->txtShortDesc->isReadOnly());
    EXPECT_TRUE(w->cmdRefresh->isEnabled());
    EXPECT_FALSE(w->cmdDelete->isEnabled());
    EXPECT_FALSE(w->OKButton->isEnabled());
    EXPECT_EQ(w->cboPS->currentText(), QStringLiteral("Hardware"));
    EXPECT_EQ(w->txtShortDesc->text(), QStringLiteral("Paper stuck"));
    EXPECT_EQ(SysUI().cboGetItemID(w->cboAssignedTo), 1000);
    EXPECT_EQ(w->cboPriority->currentText(), QStringLiteral("High"));
    EXPECT_EQ(w->cboStatus->currentText(), QStringLiteral("In Progress"));
    EXPECT_EQ(w->cboIssueCategory->currentIndex(), 0);
    EXPECT_EQ(w->cboIssueCategory->currentText(), QString());
    EXPECT_EQ(w->txtCust2->currentText(), QStringLiteral("Blue"));
    EXPECT_EQ(w->txtResolution->toPlainText(), QStringLiteral("Open the tray."));
    EXPECT_EQ(templateMark(id), QStringLiteral("0|"));
    // Tab follows the layout: down the fields, then into the button bar.
    const QList<QWidget*> chain = {w->TabCtl->tabBar(), w->cboPS, w->cmdCatPS, w->txtShortDesc, w->cboAssignedTo,
                                   w->cboPriority, w->cmdCatPriority, w->cboStatus, w->cmdCatStatus, w->txtCust1,
                                   w->cmdCust1Cat, w->txtCust2, w->cmdCust2Cat, w->cboIssueCategory,
                                   w->cmdCatIssueCategory, w->lblEdit, w->cmdPrint};
    for (int i = 0; i + 1 < chain.size(); ++i)
        EXPECT_EQ(nextAmong(chain, chain.at(i)), chain.at(i + 1)) << chain.at(i)->objectName().toStdString();
    // Brought forward, not opened twice.
    m_main.ShowIssueTemplate(id, false);
    EXPECT_EQ(openTemplate(id, false), w);
    w->CancelButton->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(SysUI().IsFormLoaded(QStringLiteral("T%1").arg(id)));

    // A template deleted meanwhile opens nothing.
    ASSERT_TRUE(DB().DeleteRecord(id, DB().IssuesTemplatesTable()));
    m_prompts.clear();
    m_main.ShowIssueTemplate(id, true);
    EXPECT_FALSE(SysUI().IsFormLoaded(QStringLiteral("T%1").arg(id)));
    EXPECT_EQ(windowTexts(), QStringList{kRecordGone});
}

TEST_F(TemplateWindowTest, ApplyWithNothingChosenStoresBlanksAndANewStamp)
{
    const qint32 id = addNamedTemplate(QStringLiteral("Untitled 1"));
    frmIssueTemplate* w = openTemplate(id, true);
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(w->EM->InEditMode());
    EXPECT_EQ(w->lblEdit->text(), QStringLiteral("Cancel Edi&t"));
    EXPECT_EQ(templateMark(id), QStringLiteral("1000|testbox"));
    EXPECT_FALSE(w->cmdRefresh->isEnabled());
    EXPECT_TRUE(w->cmdDelete->isEnabled());
    EXPECT_EQ(w->cboPS->currentIndex(), -1);
    EXPECT_EQ(w->cboAssignedTo->currentIndex(), -1);
    EXPECT_EQ(w->LE->ModifiedBy(), QString());

    w->cmdApply->click();
    EXPECT_FALSE(w->EM->InEditMode());
    EXPECT_TRUE(SysUI().IsFormLoaded(QStringLiteral("T%1").arg(id)));
    EXPECT_EQ(w->LE->ModifiedBy(), QStringLiteral("admin"));
    EXPECT_TRUE(m_prompts.shown().isEmpty());
    const QStringList row = dumped(id);
    for (const char* name : {"PSID", "ASSIGNEDTO", "PRIORITY", "STATUS", "ISSUECAT"})
        EXPECT_EQ(field(row, QString::fromLatin1(name)), QStringLiteral("-1")) << name;
    for (const char* name : {"SHORTDESC", "CUSTOM1", "CUSTOM2", "DESC", "RESOLUTION"})
        EXPECT_EQ(field(row, QString::fromLatin1(name)), QString()) << name;
    EXPECT_EQ(field(row, QStringLiteral("NAME")), QStringLiteral("Untitled 1"));
    EXPECT_EQ(field(row, QStringLiteral("LASTMODBY")), QStringLiteral("1000"));
    EXPECT_EQ(field(row, QStringLiteral("LASTMODDT")), QStringLiteral("20240315"));
    EXPECT_EQ(templateMark(id), QStringLiteral("0|"));
}

TEST_F(TemplateWindowTest, OKSavesTheChosenValuesAndClosesWithoutTouchingTheName)
{
    const qint32 billing = addCategory(QStringLiteral("Billing"), 105);
    const qint32 id = addNamedTemplate(QStringLiteral("Renewal"));
    frmIssueTemplate* w = openTemplate(id, true);
    ASSERT_NE(w, nullptr);
    SysUI().cboSelectAtID(w->cboPS, m_hardware);
    SysUI().cboSelectAtID(w->cboPriority, 453);
    SysUI().cboSelectAtID(w->cboStatus, 402);
    SysUI().cboSelectAtID(w->cboIssueCategory, billing);
    SysUI().cboSelectAtID(w->cboAssignedTo, 1000);
    w->txtShortDesc->setText(QStringLiteral("Licence renewal"));
    w->txtCust1->setEditText(QStringLiteral("C one"));
    w->txtDesc->setPlainText(QStringLiteral("Line one\nLine two"));
    w->OKButton->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(SysUI().IsFormLoaded(QStringLiteral("T%1").arg(id)));
    const QStringList row = dumped(id);
    EXPECT_EQ(field(row, QStringLiteral("PSID")), QString::number(m_hardware));
    EXPECT_EQ(field(row, QStringLiteral("PRIORITY")), QStringLiteral("453"));
    EXPECT_EQ(field(row, QStringLiteral("STATUS")), QStringLiteral("402"));
    EXPECT_EQ(field(row, QStringLiteral("ISSUECAT")), QString::number(billing));
    EXPECT_EQ(field(row, QStringLiteral("ASSIGNEDTO")), QStringLiteral("1000"));
    EXPECT_EQ(field(row, QStringLiteral("SHORTDESC")), QStringLiteral("Licence renewal"));
    EXPECT_EQ(field(row, QStringLiteral("CUSTOM1")), QStringLiteral("C one"));
    EXPECT_EQ(field(row, QStringLiteral("NAME")), QStringLiteral("Renewal"));
    EXPECT_EQ(templateMark(id), QStringLiteral("0|"));

    // A new issue from it takes what was stored.
    frmIssue* issue = openIssue(-1, m_cust, true, id);
    ASSERT_NE(issue, nullptr);
    EXPECT_EQ(SysUI().cboGetItemID(issue->cboIssueCategory), billing);
    EXPECT_EQ(issue->txtDesc->toPlainText(), QStringLiteral("Line one\nLine two"));
    m_prompts.button(MsgAnswer::Yes);
    issue->CancelButton->click();
}

TEST_F(TemplateWindowTest, ARefusedSaveStaysInEditModeWithTheMark)
{
    const qint32 id = addNamedTemplate(QStringLiteral("Alpha"), {{"shortdesc", QStringLiteral("Before")}});
    frmIssueTemplate* w = openTemplate(id, true);
    ASSERT_NE(w, nullptr);
    w->txtShortDesc->setText(QStringLiteral("After"));
    code4lockDelay(DB().CBEngine(), 5);
    {
        bmtest::LockHolder other(DB().IssuesTemplatesTable(), 1);
        ASSERT_TRUE(other.holding());
        w->cmdApply->click();
        w->OKButton->click();
    }
    EXPECT_TRUE(w->EM->InEditMode());
    EXPECT_TRUE(SysUI().IsFormLoaded(QStringLiteral("T%1").arg(id)));
    EXPECT_EQ(w->txtShortDesc->text(), QStringLiteral("After"));
    EXPECT_EQ(templateMark(id), QStringLiteral("1000|testbox"));
    EXPECT_EQ(field(dumped(id), QStringLiteral("SHORTDESC")), QStringLiteral("Before"));
    EXPECT_TRUE(boxTexts().contains(QStringLiteral("RECORD LOCKED: Unable to update record!")));

    // A row deleted meanwhile: the save says so and stays in edit mode.
    ASSERT_TRUE(DB().DeleteRecord(id, DB().IssuesTemplatesTable()));
    m_prompts.clear();
    w->cmdApply->click();
    EXPECT_TRUE(w->EM->InEditMode());
    EXPECT_EQ(windowTexts(), QStringList{kRecordGone});
    discard(w);
}

TEST_F(TemplateWindowTest, AssigneeListHoldsInactiveUsersAndMissingValuesShowNoSelection)
{
    addUser(QStringLiteral("olaf"), QString(30, QLatin1Char('1')));
    const qint32 olaf = DB().GetLoginID(QStringLiteral("olaf"));
    pokeField(DB().UserTable(), olaf, "useractive", QStringLiteral("F"));
    const qint32 gone = addCategory(QStringLiteral("Old category"), 105);
    const qint32 id = addNamedTemplate(QStringLiteral("Alpha"), {{"issuecat", gone}, {"psid", 4242}});
    ASSERT_TRUE(DB().DeleteRecord(gone, DB().CategoryTable()));
    frmIssueTemplate* w = openTemplate(id, true);
    ASSERT_NE(w, nullptr);
    EXPECT_GE(w->cboAssignedTo->findData(olaf), 0);
    EXPECT_GE(w->cboAssignedTo->findData(1000), 0);
    EXPECT_EQ(w->cboIssueCategory->currentIndex(), 0);
    EXPECT_EQ(w->cboPS->currentIndex(), -1);
    SysUI().cboSelectAtID(w->cboAssignedTo, olaf);
    w->cmdApply->click();
    const QStringList row = dumped(id);
    EXPECT_EQ(field(row, QStringLiteral("ASSIGNEDTO")), QString::number(olaf));
    EXPECT_EQ(field(row, QStringLiteral("ISSUECAT")), QStringLiteral("-1"));
    EXPECT_EQ(field(row, QStringLiteral("PSID")), QStringLiteral("-1"));
}

TEST_F(TemplateWindowTest, FormContentIsTheTemplateAsText)
{
    const qint32 billing = addCategory(QStringLiteral("Billing"), 105);
    const qint32 id = addNamedTemplate(QStringLiteral("Printer jam"),
                                       {{"psid", m_hardware},
                                        {"shortdesc", QStringLiteral("Paper stuck")},
                                        {"assignedto", 1000},
                                        {"priority", 452},
                                        {"status", 401},
                                        {"issuecat", billing},
                                        {"custom1", QStringLiteral("Blue")},
                                        {"desc", QStringLiteral("Line one\r\nLine two")},
                                        {"resolution", QStringLiteral("Open the tray.")}});
    frmIssueTemplate* w = openTemplate(id, true);
    ASSERT_NE(w, nullptr);
    w->cmdApply->click();
    const QString rule(80, QLatin1Char('-'));
    const QString expected = QStringLiteral("ISSUE TEMPLATE: Printer jam\r\n\r\n"
                                            "Short Description:  Paper stuck\r\n"
                                            "Product/Service:    Hardware\r\n\r\n"
                                            "Status:             In Progress\r\n"
                                            "Priority:           High\r\n"
                                            "Assigned To::       Administrator (admin)\r\n\r\n"
                                            "Custom 1:           Blue\r\n"
                                            "Custom 2:           \r\n\r\n"
                                            "Category:           Billing\r\n\r\n")
                             + rule + QStringLiteral("\r\nDescription:\r\nLine one\r\nLine two\r\n\r\n") + rule
                             + QStringLiteral("\r\n\r\nResolution:\r\nOpen the tray.\r\n\r\n") + rule
                             + QStringLiteral("\r\n\r\n"
                                              "Last Modified By:   admin\r\n"
                                              "Last Modified On:   Friday, March 15, 2024\r\n"
                                              "Last Modified At:   10:30:00 AM\r\n\r\n");
    EXPECT_EQ(w->FormContent(), expected);

    // Custom labels of the issue table: a long one is cut to 20 characters.
    ASSERT_TRUE(DB().SetParamValue(QStringLiteral("BCCISSUES.DBF_CUSTOM1"), QStringLiteral("A label of 25 characters:")));
    w->cmdRefresh->click();
    EXPECT_TRUE(w->FormContent().contains(QStringLiteral("\r\nA label of 25 characBlue\r\n")))
        << w->FormContent().toStdString();

    // Email hands the text on with no address; Preview shows it.
    QStringList mailed;
    auto saved = RecordFrame::mailSender();
    RecordFrame::mailSender() = [&mailed](const QString& to, const QString& subject, const QString& body) {
        mailed = {to, subject, body};
        return true;
    };
    w->cmdEmail->click();
    RecordFrame::mailSender() = saved;
    EXPECT_EQ(mailed, (QStringList{QString(), QStringLiteral("<<Verify Email Address and Enter Subject>>"),
                                   w->FormContent()}));
}

TEST_F(TemplateWindowTest, DeleteAsksWithTheWholeCaptionAndYesRemovesTheRow)
{
    const qint32 id = addNamedTemplate(QStringLiteral("Printer jam"));
    frmIssueTemplate* w = openTemplate(id, true);
    ASSERT_NE(w, nullptr);
    m_prompts.button(MsgAnswer::Cancel);
    w->cmdDelete->click();
    EXPECT_TRUE(SysUI().IsFormLoaded(QStringLiteral("T%1").arg(id)));
    ASSERT_EQ(m_prompts.shown().size(), 1);
    EXPECT_EQ(m_prompts.last().text,
              QStringLiteral("Are you sure you want to *DELETE*  'Issue Template: Printer jam @10:30:00 AM'?"));
    EXPECT_EQ(m_prompts.last().title, QStringLiteral("DELETE Confirmation"));
    EXPECT_EQ(m_prompts.last().style, MsgStyle::YesNoCancel | MsgStyle::Question | MsgStyle::DefaultButton3);

    m_prompts.button(MsgAnswer::Yes);
    w->cmdDelete->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(SysUI().IsFormLoaded(QStringLiteral("T%1").arg(id)));
    EXPECT_FALSE(DB().CheckIfRecExists(DB().IssuesTemplatesTable(), QStringLiteral("bccitempl.dbf"), id, true));
}

TEST_F(TemplateWindowTest, CtrlEEntersEditModeOnlyAndTheEditLabelLeavesIt)
{
    const qint32 id = addNamedTemplate(QStringLiteral("Alpha"));
    frmIssueTemplate* w = openTemplate(id, false);
    ASSERT_NE(w, nullptr);
    QTest::keyClick(w->txtShortDesc, Qt::Key_E, Qt::ControlModifier);
    ASSERT_TRUE(w->EM->InEditMode());
    EXPECT_EQ(templateMark(id), QStringLiteral("1000|testbox"));
    QTest::keyClick(w->txtShortDesc, Qt::Key_E, Qt::ControlModifier);
    EXPECT_TRUE(w->EM->InEditMode());
    EXPECT_TRUE(m_prompts.shown().isEmpty());

    // Leaving asks first: No stays, Yes goes back to view mode.
    w->txtShortDesc->setText(QStringLiteral("Typed"));
    m_prompts.button(MsgAnswer::No);
    w->lblEdit->click();
    EXPECT_TRUE(w->EM->InEditMode());
    EXPECT_EQ(m_prompts.last().text, QStringLiteral("Do you wish to discard your changes (if any)?"));
    m_prompts.button(MsgAnswer::Yes);
    w->lblEdit->click();
    EXPECT_FALSE(w->EM->InEditMode());
    EXPECT_EQ(w->txtShortDesc->text(), QString());
    EXPECT_EQ(templateMark(id), QStringLiteral("0|"));
}

TEST_F(TemplateWindowTest, StampsGoIntoTheTextsAtTheCaret)
{
    const qint32 id = addNamedTemplate(QStringLiteral("Alpha"));
    frmIssueTemplate* w = openTemplate(id, true);
    ASSERT_NE(w, nullptr);
    w->txtDesc->setPlainText(QStringLiteral("Seen: "));
    w->txtDesc->moveCursor(QTextCursor::End);
    w->cmdDTStamp_Desc->click();
    EXPECT_EQ(w->txtDesc->toPlainText(), QStringLiteral("Seen: 3/15/2024 @ 10:30:00 AM by admin"));
    w->cmdDTStamp_Resolution->click();
    EXPECT_EQ(w->txtResolution->toPlainText(), QStringLiteral("3/15/2024 @ 10:30:00 AM by admin"));
    discard(w);
}

} // namespace
