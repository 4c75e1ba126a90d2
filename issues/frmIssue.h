#pragma once

#include "app/CustomerItemWindow.h"
#include "app/WindowInterfaces.h"
#include "data/CategoryTypes.h"
#include "issues/IssueControls.h"

#include <QString>
#include <QWidget>

class AttachmentsCtl;
class IssueActionsCtl;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

// The record window of one issue of a customer (tag "I" and its row
// identifier): the issue's fields on the first tab, its actions, the
// description and the resolution, the attached files and the last-edit
// stamp on the others. The actions and attachments wait for the first save.
class frmIssue : public CustomerItemWindow, public IssueWindow, public IssueControls::IssueFields {
public:
    explicit frmIssue(QWidget* parent = nullptr);
    ~frmIssue() override;

    qint32 IssueID() const { return RowID; }
    qint32 TemplateID() const { return m_templateId; }
    void SetCustID(qint32 CustID) override { m_custId = CustID; }
    void SetTemplateID(qint32 TemplateID) override { m_templateId = TemplateID; }

    // The contract as this window fills it.
    void InitControls() override;
    void LoadData() override;
    void SetUI() override;
    bool ValidateData() override;
    bool SaveData() override;
    QString FormContent() override;
    QString FormPrint() override;
    QString FormEmail() override;

    void InitIACtl();
    void InitATC();
    void ShowIssueNum();
    void NoCustomerMsg() override;
    void SetWindowCaption();

    // Commands.
    void cmdCalendar_Click(int index);
    void cmdCatList_Click(QComboBox* cbo);
    void cmdCustomList_Click(QComboBox* cbo, CatType::Kind catType);
    void cmdDTStamp_Click(QPlainTextEdit* box);

    // The product/service, short description, assignee, priority, status,
    // category and custom fields are the shared IssueFields.
    QLabel *lblRes = nullptr, *lblIssueNumber = nullptr, *lblNewIssue = nullptr;
    QLineEdit *txtDateSubmit = nullptr, *txtDateResponse = nullptr, *txtDateResolution = nullptr;
    QPushButton *cmdCalendar0 = nullptr, *cmdCalendar1 = nullptr, *cmdCalendar2 = nullptr, *cmdDTStamp_Desc = nullptr,
        *cmdDTStamp_Resolution = nullptr;
    QPlainTextEdit *txtDesc = nullptr, *txtResolution = nullptr;
    IssueActionsCtl* IACtl = nullptr;
    AttachmentsCtl* ACtl = nullptr;

protected:
    void initSavedParts() override;
    void deleteOwnedParts() override;

private:
    void buildIssueTab(QWidget* page);
    void buildButtonBar();
    void applyTemplate();
    void readStoredIssue();

    qint32 m_templateId = -1;
};
