#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

// The dialog of one action of an issue: add (mode 1), edit (2), view (3) or
// delete (4). The actions list makes it, calls Init, shows it modally and
// reads Saved (and, after an add, ActionID) once it is hidden.
class frmIssueAction : public QDialog {
public:
    enum Mode { AddMode = 1, EditMode = 2, ViewMode = 3, DeleteMode = 4 };

    explicit frmIssueAction(QWidget* parent = nullptr);

    // True when the dialog closed after a save or a delete.
    bool Saved = false;
    qint32 ActionID() const { return m_actionId; }
    qint32 IssueID() const { return m_issueId; }
    int mode() const { return m_mode; }

    void Init(qint32 ActionID, qint32 IssueID, int Mode);
    void LoadData();
    void ReadData();
    void InitCtls();
    void SetUI();
    void NoIssueMsg();
    bool SaveData();
    bool DeleteRecord();
    bool Validate();

    void OKButton_Click();
    void CancelButton_Click();
    void cmdCalendar_Click();
    void cmdCatStatus_Click();
    void cmdDTStamp_Desc_Click();

    QTabWidget* SSTab1 = nullptr;
    QLineEdit* txtDate = nullptr;
    QPushButton* cmdCalendar = nullptr;
    QComboBox* cboAction = nullptr;
    QPushButton* cmdCatStatus = nullptr;
    QComboBox* cboAssignedTo = nullptr;
    QPlainTextEdit* txtDesc = nullptr;
    QLineEdit* txtDuration = nullptr;
    QPlainTextEdit* txtNote = nullptr;
    QPushButton* cmdDTStamp_Desc = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

    // Closing the window by its close box or Esc counts as Cancel.
    void reject() override;

private:
    void loadActions(qint32 selectId);

    qint32 m_actionId = -1;
    qint32 m_issueId = -1;
    int m_mode = AddMode;
};
