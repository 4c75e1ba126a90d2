#include "issues/frmIssue.h"

#include "common/WaitCursor.h"
#include "issues/IssueActionsCtl.h"
#include "issues/IssueControls.h"

#include "app/EditModeCtl.h"
#include "app/MainWindow.h"
#include "app/RecordControls.h"
#include "app/RecordFrame.h"
#include "app/frmMain.h"
#include "common/clsSystem.h"
#include "common/ui/AttachmentsCtl.h"
#include "common/ui/clsSystemUI.h"
#include "data/RecColl.h"
#include "data/Schema.h"
#include "data/clsDB.h"
#include "data/clsIssueTemplate.h"
#include "data/ui/clsDBUI.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

namespace {

// The shipped default priority ("Normal") and status ("Open") of a new issue.
constexpr qint32 kDefaultPriority = 451;
constexpr qint32 kDefaultStatus = 400;
constexpr int kActionsTab = 1;
constexpr int kAttachmentsTab = 4;

} // namespace

using RecordControls::loadCategories;
using RecordControls::selectCategory;

void frmIssue::NoCustomerMsg()
{
    Sys().ShowMsg(QStringLiteral("The Customer record to which this Issue record belongs no longer exists or is "
                                 "inaccessible."),
                  3, -1);
}

void frmIssue::InitControls()
{
    loadCategories(cboPS, CatType::ProductService, false);
    DBUI().LoadCbo_Users(cboAssignedTo, true, true);
    cboAssignedTo->setCurrentIndex(-1);
    loadCategories(cboPriority, CatType::IssuePriority, false);
    loadCategories(cboStatus, CatType::IssueStatus, false);
    loadCategories(cboIssueCategory, CatType::IssueCategory, true);
    loadCategories(txtCust1, CatType::IssueCustom1, false);
    loadCategories(txtCust2, CatType::IssueCustom2, false);
    txtCust1->setEditText(QString());
    txtCust2->setEditText(QString());
    txtShortDesc->clear();
    txtDateSubmit->clear();
    txtDateResponse->clear();
    txtDateResolution->clear();
    txtDesc->clear();
    txtResolution->clear();
    RecordForm::InitControls();
}

void frmIssue::LoadData()
{
    const WaitCursor busy;
    InitControls();
    if (m_custId > 0) {
        if (!ownerStillThere(true)) {
                return;
        }
        lblCustomer->setText(DB().GetCustomername(m_custId));
    }
    if (RowID < 1) {
        txtDateSubmit->setText(Sys().CurrDateShort());
        SysUI().cboSelectAtID(cboPriority, kDefaultPriority);
        SysUI().cboSelectAtID(cboStatus, kDefaultStatus);
        SysUI().cboSelectAtID(cboAssignedTo, DB().LoginID());
        applyTemplate();
    } else {
        readStoredIssue();
    }
    ShowIssueNum();
    SetWindowCaption();
}

void frmIssue::applyTemplate()
{
    clsIssueTemplate issueTemplate;
    if (m_templateId < 1 || !issueTemplate.Init(m_templateId))
        return;
    // A value that no entry carries keeps the selection made before.
    SysUI().cboSelectAtID(cboPS, issueTemplate.PSId());
    txtShortDesc->setText(issueTemplate.ShortDesc());
    SysUI().cboSelectAtID(cboAssignedTo, issueTemplate.AssignedTo());
    SysUI().cboSelectAtID(cboPriority, issueTemplate.Priority());
    SysUI().cboSelectAtID(cboStatus, issueTemplate.STATUS());
    SysUI().cboSelectAtID(cboIssueCategory, issueTemplate.Category());
    txtCust1->setEditText(issueTemplate.custom1());
    txtCust2->setEditText(issueTemplate.custom2());
    txtDesc->setPlainText(issueTemplate.Desc());
    txtResolution->setPlainText(issueTemplate.Resolution());
}

void frmIssue::readStoredIssue()
{
    SetTagVariant();
    if (!DB().CheckIfRecExists(table().path, table().file, RowID, false))
        return;
    RecColl coll(table().path, RowID, table().rectype);
    coll.set(QStringLiteral("_tablename"), table().file);
    if (DB().ReadRecord(coll, false)) {
        auto text = [&coll](const char* field) { return coll.text(QString::fromLatin1(field)); };
        auto id = [&coll](const char* field) { return coll.value(QString::fromLatin1(field)).toInt(); };
        auto date = [&text](const char* field) {
            return Sys().DBDateToDislayDate(text(field), QStringLiteral("Short Date"));
        };
        m_custId = id("custid");
        lblCustomer->setText(DB().GetCustomername(m_custId));
        selectCategory(cboPS, id("psid"));
        txtShortDesc->setText(text("shortdesc"));
        // An assignee no longer active is listed for this issue, so that a
        // save keeps him.
        IssueControls::selectUser(cboAssignedTo, id("assignedto"));
        selectCategory(cboPriority, id("priority"));
        selectCategory(cboStatus, id("status"));
        selectCategory(cboIssueCategory, id("issuecat"));
        txtDateSubmit->setText(date("submitdt"));
        txtDateResponse->setText(date("responsedt"));
        txtDateResolution->setText(date("resolvedt"));
        txtCust1->setEditText(text("custom1"));
        txtCust2->setEditText(text("custom2"));
        txtDesc->setPlainText(text("desc"));
        txtResolution->setPlainText(text("resolution"));
    }
    coll.clear();
    lblCustomer->setText(DB().GetCustomername(m_custId));
    InitIACtl();
    InitATC();
    UpdateLastEditCtl();
}

void frmIssue::SetUI()
{
    RecordForm::SetUI();
    const bool edit = EM->InEditMode();
    const bool stored = RowID >= 0;
    cmdRefresh->setEnabled(stored && !edit);
    cmdDelete->setEnabled(stored && edit);
    lblEdit->setVisible(stored);
    TabCtl->setTabEnabled(kActionsTab, stored);
    TabCtl->setTabEnabled(kAttachmentsTab, stored);
    lblNewIssue->setVisible(!stored);
}

void frmIssue::ShowIssueNum()
{
    lblIssueNumber->setText(RowID < 1 ? QString() : QStringLiteral("Issue ID: ") + QString::number(RowID));
}

void frmIssue::SetWindowCaption()
{
    setWindowTitle(
        RecordFrame::caption(QStringLiteral("Issue"), cboPS->currentText(), txtShortDesc->text()));
}

void frmIssue::InitIACtl()
{
    if (RowID > 0)
        IACtl->Init(RowID);
}

void frmIssue::InitATC()
{
    if (RowID > 0)
        ACtl->Init(DB().GetAttachmentSubDir(RowID, QStringLiteral("_i")));
}

bool frmIssue::ValidateData()
{
    const QString crlf2 = Sys().CRLF(2);
    QString faults;
    if (cboPS->currentIndex() < 0)
        faults += QStringLiteral("  - PRODUCT/SERVICE must be selected.") + crlf2;
    if (txtShortDesc->text().trimmed().isEmpty())
        faults += QStringLiteral("  - SHORT DESCRIPTION must be entered.") + crlf2;
    const std::pair<QLineEdit*, const char*> dates[] = {
        {txtDateSubmit, "  - SUBMIT DATE is not a valid date."},
        {txtDateResponse, "  - RESPONSE DATE is not a valid date."},
        {txtDateResolution, "  - RESOLUTION DATE is not a valid date."}};
    for (const auto& [box, fault] : dates) {
        const QString text = box->text().trimmed();
        if (!text.isEmpty() && !Sys().isDate(text))
            faults += QString::fromLatin1(fault) + crlf2;
    }
    if (faults.isEmpty())
        return true;
    Sys().ShowMsg(QStringLiteral("Please correct the following data entry fields:") + crlf2 + faults, 3, -1);
    return false;
}

bool frmIssue::SaveData()
{
    const WaitCursor busy;
    if (!ValidateData() || !ownerStillThere(true)) {
        return false;
    }
    RecColl coll;
    auto set = [&coll](const char* field, const QVariant& value) { coll.add(QString::fromLatin1(field), value); };
    set("custid", m_custId);
    set("psid", SysUI().cboGetItemID(cboPS));
    set("shortdesc", txtShortDesc->text());
    set("assignedto", SysUI().cboGetItemID(cboAssignedTo));
    set("priority", SysUI().cboGetItemID(cboPriority));
    set("status", SysUI().cboGetItemID(cboStatus));
    set("issuecat", SysUI().cboGetItemID(cboIssueCategory));
    set("submitdt", txtDateSubmit->text());
    set("responsedt", txtDateResponse->text());
    set("resolvedt", txtDateResolution->text());
    set("custom1", txtCust1->currentText());
    set("custom2", txtCust2->currentText());
    set("desc", IssueControls::storedText(txtDesc));
    set("resolution", IssueControls::storedText(txtResolution));
    // A stored issue must still be there (its message shows itself); the
    // under-edit mark stays after a failed save, as the window stays in
    // edit mode.
    const bool saved = StoreRecord(coll);
    SetWindowCaption();
    if (frmMain* main = mainWindow())
        main->NotifyCustomer(m_custId, 1, RowID);
    ShowIssueNum();
    return saved;
}
