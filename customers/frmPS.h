#pragma once

#include "app/CustomerItemWindow.h"
#include "app/WindowInterfaces.h"
#include "data/CategoryTypes.h"

#include <QString>
#include <QWidget>

#include <functional>

class AttachmentsCtl;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class frmMain;

// The record window of one product or service of a customer (tag "P" and
// its row identifier): the contract's fields on tab 0, notes on tab 1, the
// attached files on tab 2 (a stored record only) and the last-edit stamp on
// tab 3.
class frmPS : public CustomerItemWindow, public PSWindow {
public:
    explicit frmPS(QWidget* parent = nullptr);
    ~frmPS() override;

    qint32 PSID() const { return RowID; }
    void SetCustID(qint32 CustID) override { m_custId = CustID; }

    // The contract as this window fills it.
    void InitControls() override;
    void LoadData() override;
    void SetUI() override;
    bool ValidateData() override;
    bool SaveData() override;
    QString FormContent() override;
    QString FormPrint() override;
    QString FormEmail() override;

    void InitATC();
    void SetActiveStatus();
    void NoCustomerMsg() override;
    void SetWindowCaption();

    // Commands.
    void cmdCalendar_Click(int index);
    void cmdCatList_Click(QComboBox* cbo);
    void cmdCustomList_Click(QComboBox* cbo, CatType::Kind catType);
    void cmdDTStamp_Notes_Click();

    // The main window's services this window uses, unless a test puts its
    // own in their place: the calendar, the list editors (by category
    // type) and the mail hand-off.
    static std::function<QString(const QString& initialDate)>& calendar();
    static std::function<void(qint32 catType)>& listEditor();
    static std::function<bool(const QString& to, const QString& subject, const QString& body)>& mailSender();

    QLabel *Label1 = nullptr, *Label2 = nullptr, *lblShortDesc = nullptr, *lblDateInit = nullptr,
        *lblDateTerm = nullptr, *lblContPN = nullptr, *lblTrackingNo = nullptr, *lblContractType = nullptr,
        *lblContractDur = nullptr, *lblCustom1 = nullptr, *lblCustom2 = nullptr, *lblActive = nullptr,
        *lblNewPS = nullptr;
    QComboBox *cboPS = nullptr, *cboContractType = nullptr, *cboContractDuration = nullptr, *txtCust1 = nullptr,
        *txtCust2 = nullptr;
    QLineEdit *txtShortDesc = nullptr, *txtDateInitiated = nullptr, *txtDateTerminated = nullptr,
        *txtContractNumber = nullptr, *txtTrackNo = nullptr;
    QPushButton *cmdCalendar0 = nullptr, *cmdCalendar1 = nullptr, *cmdCatPS = nullptr, *cmdCatContractType = nullptr,
        *cmdCatContractDuration = nullptr, *cmdCust1Cat = nullptr, *cmdCust2Cat = nullptr, *cmdDTStamp_Notes = nullptr;
    QPlainTextEdit* txtNote = nullptr;
    AttachmentsCtl* ACtl = nullptr;

protected:
    void initSavedParts() override { InitATC(); }
    void deleteOwnedParts() override;

private:
    void buildTab0(QWidget* page);
    void buildButtonBar();
    // The notes with the line breaks they are stored with.
    QString notesText() const;
};
