#pragma once

#include "xbase/c4.h"

#include <QWidget>

class IssueListFill;
class IssueListModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTimer;
class QTreeView;

// My Issues ("MYISSUES"): the issues assigned to one user (the logged-in
// one at first, or nobody: "Un-Assigned"), all of them or those of one
// status, with a quiet reload every five minutes while Auto Refresh is
// ticked. Only reads the database.
//
// The fill yields to the event loop every 100 records: a combo change
// arriving then runs once the fill is over, Refresh and timer ticks are
// dropped, and Close closes the window after the fill (IssueListFill).
class frmMyIssues : public QWidget {
    Q_OBJECT
public:
    explicit frmMyIssues(QWidget* parent = nullptr);
    ~frmMyIssues() override;

    void LoadData(bool Quiet);
    void DisplayResultCnt();
    void SetUI();

    void cmdRefresh_Click();
    void cmdProperties_Click();
    void cmdPrint_Click();
    void CancelButton_Click();
    void ckAutoRefresh_Click();
    void tmRefresh_Timer();
    void lv_ColumnClick(int column);

    IssueListModel* model() const { return m_model; }
    bool filling() const;

    QWidget* FilterBar = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label5 = nullptr;
    QComboBox* cboAssignedTo = nullptr;
    QLabel* Label6 = nullptr;
    QComboBox* cboStatus = nullptr;
    QCheckBox* ckAutoRefresh = nullptr;
    QTreeView* lv = nullptr;
    QWidget* BtnBar = nullptr;
    QPushButton* cmdRefresh = nullptr;
    QPushButton* cmdProperties = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* CancelButton = nullptr;
    QLabel* lblMsg = nullptr;
    QLabel* lblCust = nullptr;
    QTimer* tmRefresh = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void Form_Load();
    void Form_Resize();
    void combo_Click();
    void LoadIssues(DATA4* issues, DATA4* customers, DATA4* categories, bool Quiet);
    void setCommandsEnabled(bool enabled);

    IssueListModel* m_model = nullptr;
    IssueListFill* m_fill = nullptr;
    bool m_loading = true;
    bool m_autoRefresh = false;
    bool m_reloadAfterFill = false;
    int m_lastSortedColumn = -1;
    bool m_sortAscending = true;
};
