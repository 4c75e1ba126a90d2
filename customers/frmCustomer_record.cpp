#include "customers/frmCustomer.h"

#include "app/EditModeCtl.h"
#include "app/RecordControls.h"
#include "app/clsCustomLabels.h"
#include "common/PromptService.h"
#include "common/WaitCursor.h"
#include "common/clsSystem.h"
#include "common/ui/clsSystemUI.h"
#include "data/RecColl.h"
#include "data/clsDB.h"
#include "data/clsLookupCustomer.h"
#include "data/ui/clsDBUI.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

namespace {

const QChar kColDelim(0x00FE);
const QChar kRowDelim(u'\r');

} // namespace

using RecordControls::loadCategories;
using RecordControls::selectCategory;

void frmCustomer::InitControls()
{
    loadCategories(cboCountry, CatType::Country, true);
    loadCategories(cboStates, CatType::State, true);
    loadCategories(cboCategory, CatType::CustomerCategory, true);
    loadCategories(txtCust1, CatType::CustomerCustom1, false);
    loadCategories(txtCust2, CatType::CustomerCustom2, false);
    RecordForm::InitControls();
}

void frmCustomer::LoadData()
{
    InitControls();
    if (RowID <= 0)
        return;
    WaitCursor busy;
    SetTagVariant();
    if (DB().CheckIfRecExists(DB().CustomerTable(), table().file, RowID, false)) {
        RecColl coll(DB().CustomerTable(), RowID, table().rectype);
        coll.set(QStringLiteral("_tablename"), table().file);
        if (DB().ReadRecord(coll, false)) {
            auto text = [&coll](const char* field) { return coll.text(QString::fromLatin1(field)); };
            txtCustNo->setText(text("custno"));
            cboSalutation->setEditText(text("salutation"));
            txtFname->setText(text("firstname"));
            txtLname->setText(text("lastname"));
            txtCoName->setText(text("company"));
            txtTitle->setText(text("title"));
            txtAddress1->setText(text("address1"));
            txtAddress2->setText(text("address2"));
            txtCity->setText(text("city"));
            txtPostalCode->setText(text("postalcode"));
            txtWorkPhone->setText(text("workphone"));
            txtHomePhone->setText(text("homephone"));
            txtMobilePhone->setText(text("mobilphone"));
            txtFaxphone->setText(text("faxphone"));
            txtEmailName->setText(text("emailname"));
            txtEmailName2->setText(text("emailname2"));
            txtCust1->setEditText(text("custom1"));
            txtCust2->setEditText(text("custom2"));
            selectCategory(cboCategory, coll.value(QStringLiteral("custcat")).toInt());
            selectCategory(cboStates, coll.value(QStringLiteral("state")).toInt());
            selectCategory(cboCountry, coll.value(QStringLiteral("country")).toInt());
            txtNote->setPlainText(text("notes"));
            GridSetFromDelimBuffer(grdContacts, text("contacts"), kColDelim, kRowDelim);
        }
        coll.clear();
        UpdateLastEditCtl();
    }
    busy.done();
    SetWindowCaption();
    // The record shows before its lists fill; the fills let the user act
    // as they go.
    repaint();
    LV_LoadPS(-1);
    LV_LoadIssues(-1);
}

void frmCustomer::SetWindowCaption()
{
    setWindowTitle(QStringLiteral("Customer: ") + MakeCustomerName() + QStringLiteral(" @") + Sys().CurrTimeAMPM());
}

QString frmCustomer::MakeCustomerName() const
{
    const QString company = txtCoName->text().trimmed();
    if (!company.isEmpty())
        return company;
    if (!txtLname->text().trimmed().isEmpty())
        return Sys().MakeFullName(txtFname->text(), txtLname->text());
    return QStringLiteral("New ");
}

void frmCustomer::SetCustomerNumber()
{
    if (RowID < 1) {
        lblCustomerID->hide();
        return;
    }
    lblCustomerID->setText(QStringLiteral("ID: ") + QString::number(RowID));
    lblCustomerID->show();
}

void frmCustomer::SetUI()
{
    RecordForm::SetUI();
    const bool edit = EM->InEditMode();
    const bool stored = RowID >= 0;
    QPalette palette = grdContacts->palette();
    palette.setColor(QPalette::Base, edit ? QColor(0xFF, 0xFF, 0xFF) : QColor(0xFF, 0xFF, 0xC0));
    grdContacts->setPalette(palette);
    grdContacts->setEditTriggers(edit ? QAbstractItemView::AllEditTriggers : QAbstractItemView::NoEditTriggers);
    cmdRefresh->setEnabled(stored && !edit);
    cmdDelete->setEnabled(stored && edit);
    lblNewCust->setVisible(!stored);
    SetCustomerNumber();
    TabCtl->setTabEnabled(2, !edit);
    TabCtl->setTabEnabled(3, !edit);
    // The edit switch and the mode show wherever the record's fields do.
    const int tab = TabCtl->currentIndex();
    const bool listTab = tab == 2 || tab == 3;
    lblEdit->setVisible(stored && !listTab);
    EM->setVisible(!listTab);
}

void frmCustomer::DoEditModeBtn()
{
    // The permission is the first of the shared checks.
    RecordForm::DoEditModeBtn();
    if (TabCtl->isVisible())
        TabCtl->setFocus();
}

bool frmCustomer::ValidateData()
{
    QString fault;
    const QString mail = txtEmailName->text().trimmed();
    const QString mail2 = txtEmailName2->text().trimmed();
    if (txtLname->text().trimmed().isEmpty() && txtCoName->text().trimmed().isEmpty())
        fault = QStringLiteral("Customer's last name or company name must be specified!");
    else if (!mail.isEmpty() && !Sys().EmailAddressIsValid(mail))
        fault = QStringLiteral("Default email address entered is not a valid email address!");
    else if (!mail2.isEmpty() && !Sys().EmailAddressIsValid(mail2))
        fault = QStringLiteral("Alternate email address entered is not a valid email address!");
    if (fault.isEmpty())
        return true;
    Sys().ShowMsg(fault, 3, 0);
    return false;
}

bool frmCustomer::CheckForDuplicateCustomerNumber()
{
    const qint32 others = clsLookupCustomer().CustomersWithCustomerNumber(txtCustNo->text(), RowID);
    if (others <= 0)
        return true;
    const QString label = CustomLabels().GetCustomerLabelName(QStringLiteral("custno"), false);
    const QString text = QStringLiteral("There are ") + QString::number(others)
                         + QStringLiteral(" other customer(s) with the same ") + label + QStringLiteral(" '")
                         + txtCustNo->text()
                         + QStringLiteral("' in your database. Choose View | Lookup Customer to find the customers "
                                          "with the same ")
                         + label + QStringLiteral(". ") + Sys().CRLF(2)
                         + QStringLiteral("Do you want to add this customer with the duplicate ") + label
                         + QStringLiteral(" anyways?");
    return MsgBox(text, MsgStyle::YesNoCancel + MsgStyle::Question + MsgStyle::DefaultButton3) == MsgAnswer::Yes;
}

bool frmCustomer::SaveData()
{
    {
        const WaitCursor checking;
        if (!ValidateData())
            return false;
        if (RowID >= 1 && !DB().CheckIfRecExists(DB().CustomerTable(), table().file, RowID, false))
            return false;
    }
    if (!CheckForDuplicateCustomerNumber())
        return false;
    const WaitCursor busy;
    RecColl coll;
    DB().NewCustomerRecColl(coll);
    auto set = [&coll](const char* field, const QVariant& value) { coll.set(QString::fromLatin1(field), value); };
    set("custno", txtCustNo->text().trimmed());
    set("firstname", txtFname->text());
    set("lastname", txtLname->text());
    set("company", txtCoName->text());
    set("custcat", SysUI().cboGetItemID(cboCategory));
    set("salutation", cboSalutation->currentText());
    set("title", txtTitle->text());
    set("address1", txtAddress1->text());
    set("address2", txtAddress2->text());
    set("city", txtCity->text());
    set("state", SysUI().cboGetItemID(cboStates));
    set("postalcode", txtPostalCode->text());
    set("country", SysUI().cboGetItemID(cboCountry));
    set("workphone", txtWorkPhone->text());
    set("homephone", txtHomePhone->text());
    set("mobilphone", txtMobilePhone->text());
    set("faxphone", txtFaxphone->text());
    set("emailname", txtEmailName->text());
    set("emailname2", txtEmailName2->text());
    set("custom1", txtCust1->currentText());
    set("custom2", txtCust2->currentText());
    set("notes", notesText());
    set("contacts", GridDelimBuffer(grdContacts, QString(kColDelim), QString(kRowDelim), 1, 1));
    // StoreRecord keeps the under-edit mark after a failed save, as the
    // window stays in edit mode.
    const bool saved = StoreRecord(coll);
    SetWindowCaption();
    return saved;
}

void frmCustomer::cmdDelete_Click()
{
    const QString caption = windowTitle();
    QString reasons;
    if (!DB().CanDeleteItem(RowID, DB().Customers2PSTable(), QStringLiteral("custid")))
        reasons += QStringLiteral("  - '") + caption
                   + QStringLiteral("' has Product/Services associated (Cancel Edit & see Product/Services tab).")
                   + Sys().CRLF(2);
    if (!DB().CanDeleteItem(RowID, DB().IssuesTable(), QStringLiteral("custid")))
        reasons += QStringLiteral("  - '") + caption
                   + QStringLiteral("' has Issues associated (Cancel Edit & see Issues tab).") + Sys().CRLF(2);
    if (!reasons.isEmpty()) {
        Sys().ShowMsg(QStringLiteral("Unable to delete customer because:") + Sys().CRLF(2) + reasons, 2, 0);
        return;
    }
    const QString question = QStringLiteral("Are you sure you want to *DELETE*  '") + caption + QStringLiteral("'?");
    if (MsgBox(question, MsgStyle::YesNoCancel + MsgStyle::Question + MsgStyle::DefaultButton3,
               QStringLiteral("DELETE Confirmation"))
        != MsgAnswer::Yes)
        return;
    if (!DB().DeleteRecord(RowID, DB().CustomerTable()))
        return;
    EM->ViewMode();
    CloseWindow();
}
