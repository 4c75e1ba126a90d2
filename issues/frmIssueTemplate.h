#pragma once

#include "app/TabbedRecordWindow.h"
#include "issues/IssueControls.h"

#include <QString>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

// The record window of one stored issue template (tag "T" and its row
// identifier): the values a new issue can start from, on the issue
// window's tabs without customer, dates, actions and attachments. The
// template's name is shown but never written here; the template list names
// it.
class frmIssueTemplate : public TabbedRecordWindow, public IssueControls::IssueFields {
public:
    explicit frmIssueTemplate(QWidget* parent = nullptr);
    ~frmIssueTemplate() override;

    qint32 TemplateID() const { return RowID; }
    // The name as last read ("" until a row was read).
    QString TemplateName() const { return m_name; }

    // The contract as this window fills it. Init loads in view mode and
    // then, when asked for edit mode, runs the edit button with its checks.
    void Init(qint32 rowId, bool editMode) override;
    void InitControls() override;
    void LoadData() override;
    void SetUI() override;
    bool ValidateData() override;
    bool SaveData() override;
    QString FormContent() override;
    QString FormPrint() override;
    QString FormEmail() override;

    void SetWindowCaption();

    // The template's fields are the shared IssueFields.
    QPushButton *cmdDTStamp_Desc = nullptr, *cmdDTStamp_Resolution = nullptr;
    QPlainTextEdit *txtDesc = nullptr, *txtResolution = nullptr;

private:
    void buildIssueTab(QWidget* page);
    void readTemplate();

    QString m_name;
};
