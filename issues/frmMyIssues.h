#pragma once

#include "app/ListWindow.h"
#include "xbase/c4.h"

class IssueListFill;
class IssueListModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QTimer;

// My Issues ("MYISSUES"): the issues assigned to one user (the logged-in
// one at first, or nobody: "Un-Assigned"), all of them or those of one
// status, with a quiet reload every five minutes while Auto Refresh is
// ticked. Only reads the database.
//
// The fill yields to the event loop every 100 records: a combo change
// arriving then runs once the fill is over, Refresh and timer ticks are
// dropped, and Close closes the window after the fill (IssueListFill).
class frmMyIssues : public ListWindow {
    Q_OBJECT
public:
    explicit frmMyIssues(QWidget* parent = nullptr);
    ~frmMyIssues() override;

    void LoadData(bool Quiet);
    void DisplayResultCnt();
    // Also marks the filters that differ from the user's defaults.
    void SetUI() override;

    void ckAutoRefresh_Click();
    void tmRefresh_Timer();
    void lv_ColumnClick(int column);

    IssueListModel* model() const { return m_model; }
    bool filling() const override;

    QWidget* FilterBar = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label5 = nullptr;
    QComboBox* cboAssignedTo = nullptr;
    QLabel* Label6 = nullptr;
    QComboBox* cboStatus = nullptr;
    QCheckBox* ckAutoRefresh = nullptr;
    QTimer* tmRefresh = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reload() override;
    void openSelected() override;
    void sortByColumn(int column) override;
    void Form_Resize() override;

private:
    void buildControls();
    void Form_Load();
    void combo_Click();
    void LoadIssues(DATA4* issues, DATA4* customers, DATA4* categories, bool Quiet);

    IssueListModel* m_model = nullptr;
    IssueListFill* m_fill = nullptr;
    bool m_loading = true;
    bool m_autoRefresh = false;
    bool m_reloadAfterFill = false;
    int m_lastSortedColumn = -1;
    bool m_sortAscending = true;
};
