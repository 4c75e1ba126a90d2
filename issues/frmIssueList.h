#pragma once

#include "app/WindowInterfaces.h"
#include "xbase/c4.h"

#include <QWidget>

class IssueListFill;
class IssueListModel;
class QLabel;
class QPushButton;
class QTreeView;

// The result of one issue search: the issues whose searched texts hold the
// words, with commands to open the selected one, print the list, repeat the
// search and close. Any number may be open, each keeping its own search.
//
// The walk yields to the event loop every 100 records: Refresh, Properties
// and Print are refused meanwhile, and Close closes the window once the walk
// has let go of its tables (IssueListFill).
class frmIssueList : public QWidget, public IssueListWindow {
    Q_OBJECT
public:
    explicit frmIssueList(QWidget* parent = nullptr);
    ~frmIssueList() override;

    // The searched fields, set before Init.
    void SetSearchFields(bool shortDesc, bool description, bool resolution) override;
    // Keeps the search and runs it.
    void Init(const QString& SearchStr, int SearchType, qint32 PSID) override;
    void LoadData();
    void DisplayResultCnt();
    void SetUI();

    void cmdRefresh_Click();
    void cmdProperties_Click();
    void cmdPrint_Click();
    void CancelButton_Click();

    IssueListModel* model() const { return m_model; }
    bool filling() const;

    bool SearchShortDesc = false;
    bool SearchDesc = false;
    bool SearchResolution = false;

    QTreeView* lv = nullptr;
    QWidget* BtnBar = nullptr;
    QPushButton* cmdRefresh = nullptr;
    QPushButton* cmdProperties = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* CancelButton = nullptr;
    QLabel* lblMsg = nullptr;
    QLabel* lblCust = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Form_Resize();
    void LoadIssues(DATA4* issues, DATA4* customers, DATA4* categories);
    void setCommandsEnabled(bool enabled);

    IssueListModel* m_model = nullptr;
    IssueListFill* m_fill = nullptr;
    QString m_searchStr;   // trimmed and upper-cased
    int m_searchType = 1;
    qint32 m_psid = -1;
};
