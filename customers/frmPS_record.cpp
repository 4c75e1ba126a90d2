#include "customers/frmPS.h"

#include "app/EditModeCtl.h"
#include "app/MainWindow.h"
#include "app/RecordControls.h"
#include "app/RecordFrame.h"
#include "app/frmMain.h"
#include "common/Clock.h"
#include "common/PromptService.h"
#include "common/WaitCursor.h"
#include "common/clsSystem.h"
#include "common/ui/AttachmentsCtl.h"
#include "common/ui/clsSystemUI.h"
#include "data/RecColl.h"
#include "data/clsDB.h"
#include "data/ui/clsDBUI.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

using RecordControls::loadCategories;
using RecordControls::selectCategory;

void frmPS::NoCustomerMsg()
{
    Sys().ShowMsg(QStringLiteral("The Customer record to which this Product/Service record belongs no longer exists "
                                 "or is inaccessible."),
                  3, -1);
}

void frmPS::InitControls()
{
    loadCategories(cboPS, CatType::ProductService, false);
    loadCategories(cboContractType, CatType::ContractType, true);
    loadCategories(cboContractDuration, CatType::ContractDuration, true);
    loadCategories(txtCust1, CatType::PSCustom1, false);
    loadCategories(txtCust2, CatType::PSCustom2, false);
    RecordForm::InitControls();
}

void frmPS::LoadData()
{
    const WaitCursor busy;
    InitControls();
    if (!ownerStillThere(true)) {
        return;
    }
    lblCustomer->setText(DB().GetCustomername(m_custId));
    if (RowID < 1) {
        txtDateInitiated->setText(Sys().CurrDateShort());
    } else {
        SetTagVariant();
        if (DB().CheckIfRecExists(table().path, table().file, RowID, false)) {
            RecColl coll(table().path, RowID, table().rectype);
            coll.set(QStringLiteral("_tablename"), table().file);
            if (DB().ReadRecord(coll, false)) {
                auto text = [&coll](const char* field) { return coll.text(QString::fromLatin1(field)); };
                auto date = [&text](const char* field) {
                    return Sys().DBDateToDislayDate(text(field), QStringLiteral("Short Date"));
                };
                m_custId = coll.value(QStringLiteral("custid")).toInt();
                lblCustomer->setText(DB().GetCustomername(m_custId));
                selectCategory(cboPS, coll.value(QStringLiteral("psid")).toInt());
                selectCategory(cboContractType, coll.value(QStringLiteral("conttype")).toInt());
                selectCategory(cboContractDuration, coll.value(QStringLiteral("contdur")).toInt());
                txtShortDesc->setText(text("shortdesc"));
                txtContractNumber->setText(text("contno"));
                txtTrackNo->setText(text("trackno"));
                txtDateInitiated->setText(date("dateinit"));
                txtDateTerminated->setText(date("dateterm"));
                SetActiveStatus();
                txtCust1->setEditText(text("custom1"));
                txtCust2->setEditText(text("custom2"));
                txtNote->setPlainText(text("notes"));
            }
            coll.clear();
            InitATC();
            UpdateLastEditCtl();
        }
    }
    SetWindowCaption();
}

void frmPS::SetUI()
{
    RecordForm::SetUI();
    const bool edit = EM->InEditMode();
    const bool stored = RowID >= 0;
    lblActive->setVisible(!edit);
    cmdRefresh->setEnabled(stored && !edit);
    cmdDelete->setEnabled(stored && edit);
    lblEdit->setVisible(stored);
    // The attachments of a new record wait for its first save.
    TabCtl->setTabEnabled(2, stored);
    lblNewPS->setVisible(!stored);
    SetActiveStatus();
}

void frmPS::SetActiveStatus()
{
    const QString text = txtDateTerminated->text().trimmed();
    const QDate end = Sys().isDate(text) ? Sys().readDate(text) : QDate();
    const bool ended = end.isValid() && end < Clock::today();
    lblActive->setText(ended ? QStringLiteral("Active: NO") : QStringLiteral("Active: YES"));
    lblActive->setStyleSheet(ended ? QStringLiteral("color: #FF0000") : QStringLiteral("color: #000000"));
}

void frmPS::SetWindowCaption()
{
    setWindowTitle(
        RecordFrame::caption(QStringLiteral("Product/Service"), cboPS->currentText(), txtShortDesc->text()));
}

void frmPS::InitATC()
{
    if (RowID > 0)
        ACtl->Init(DB().GetAttachmentSubDir(RowID, QStringLiteral("_ps")));
}

bool frmPS::ValidateData()
{
    const QString crlf2 = Sys().CRLF(2);
    QString faults;
    if (cboPS->currentIndex() < 0)
        faults += QStringLiteral("  - PRODUCT/SERVICE must be selected.") + crlf2;
    const QString init = txtDateInitiated->text().trimmed();
    const QString term = txtDateTerminated->text().trimmed();
    const bool initOk = !init.isEmpty() && Sys().isDate(init);
    const bool termOk = !term.isEmpty() && Sys().isDate(term);
    if (!init.isEmpty() && !initOk)
        faults += QStringLiteral("  - DATE INITIATED is not a valid date.") + crlf2;
    if (!term.isEmpty() && !termOk)
        faults += QStringLiteral("  - DATE TERMINATED is not a valid date.") + crlf2;
    if (initOk && termOk && Sys().readDate(init) > Sys().readDate(term))
        faults += QStringLiteral("  - DATE TERMINATED cannot be before DATE INITIATED.") + crlf2;
    if (faults.isEmpty())
        return true;
    Sys().ShowMsg(QStringLiteral("Please correct the following data entry fields:") + crlf2 + faults, 3, -1);
    return false;
}

bool frmPS::SaveData()
{
    const WaitCursor busy;
    if (!ValidateData() || !ownerStillThere(false)) {
        return false;
    }
    if (RowID > 0 && !DB().CheckIfRecExists(table().path, table().file, RowID, false)) {
        return false;
    }
    RecColl coll;
    auto set = [&coll](const char* field, const QVariant& value) { coll.add(QString::fromLatin1(field), value); };
    set("custid", m_custId);
    set("psid", SysUI().cboGetItemID(cboPS));
    set("conttype", SysUI().cboGetItemID(cboContractType));
    set("contdur", SysUI().cboGetItemID(cboContractDuration));
    set("shortdesc", txtShortDesc->text());
    set("contno", txtContractNumber->text());
    set("trackno", txtTrackNo->text());
    set("dateinit", txtDateInitiated->text());
    set("dateterm", txtDateTerminated->text());
    set("notes", notesText());
    set("custom1", txtCust1->currentText());
    set("custom2", txtCust2->currentText());
    // StoreRecord keeps the under-edit mark after a failed save, as the
    // window stays in edit mode.
    const bool saved = StoreRecord(coll);
    SetWindowCaption();
    if (frmMain* main = mainWindow())
        main->NotifyCustomer(m_custId, 2, RowID);
    return saved;
}
