#pragma once

#include "issues/core/PurgeCore.h"
#include "xbase/c4.h"

#include <QWidget>

#include <array>

class IssueListFill;
class IssueListModel;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

// The purge wizard ("PURGEISSUES"): backup advice, the criteria (a submit
// date and a status), then the preview of exactly the issues that Purge Now
// deletes for good, with their actions and attachment folders. Nothing is
// changed before the user confirms the deletion.
//
// The preview yields to the event loop every 100 records (IssueListFill):
// Next, Previous, Print and Properties are refused meanwhile and Cancel
// closes the wizard once the walk has let go of the table. The deletion
// repaints but takes no commands; the wizard stays open until it ends.
class frmPurgeIssues : public QWidget {
    Q_OBJECT
public:
    explicit frmPurgeIssues(QWidget* parent = nullptr);
    ~frmPurgeIssues() override;

    void PurgeIssues();
    void DeleteIssues();
    bool Validate();
    void DisplayFrame();
    void LoadLV();

    void cmdNext_Click();
    void cmdPrevious_Click();
    void CancelButton_Click();
    void cmdCalendar_Click();
    void lblBackup_Click();
    void cmdPrintLV_Click();
    void cmdProperties_Click();

    int step() const { return m_step; }
    IssueListModel* model() const { return m_model; }
    bool busy() const;

    std::array<QGroupBox*, 3> frm{};
    QLabel* lblBackup = nullptr;
    QLineEdit* txtDateSubmit = nullptr;
    QPushButton* cmdCalendar = nullptr;
    QComboBox* cboStatus = nullptr;
    QLabel* lblPreview = nullptr;
    QLabel* lblCriteria = nullptr;
    QTreeView* lv = nullptr;
    QLabel* lblNumIssues = nullptr;
    QPushButton* cmdPrintLV = nullptr;
    QPushButton* cmdProperties = nullptr;
    QLabel* lblPurgeNow = nullptr;
    QPushButton* cmdHelp = nullptr;
    QPushButton* cmdPrevious = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* cmdNext = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QGroupBox* buildBackupStep();
    QGroupBox* buildCriteriaStep();
    QGroupBox* buildPreviewStep();
    void Form_Load();
    void LoadIssues(DATA4* issues);

    int m_step = 0;
    IssueListModel* m_model = nullptr;
    IssueListFill* m_fill = nullptr;
    bool m_deleting = false;
    PurgeCore::Deletion m_deletion;   // of the last Purge Now
};
