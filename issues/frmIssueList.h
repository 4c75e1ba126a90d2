#pragma once

#include "app/ListWindow.h"
#include "app/WindowInterfaces.h"
#include "xbase/c4.h"

class IssueListFill;
class IssueListModel;

// The result of one issue search: the issues whose searched texts hold the
// words, with commands to open the selected one, print the list, repeat the
// search and close. Any number may be open, each keeping its own search.
//
// The walk yields to the event loop every 100 records: Refresh, Properties
// and Print are refused meanwhile, and Close closes the window once the walk
// has let go of its tables (IssueListFill).
class frmIssueList : public ListWindow, public IssueListWindow {
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

    IssueListModel* model() const { return m_model; }
    bool filling() const override;

    bool SearchShortDesc = false;
    bool SearchDesc = false;
    bool SearchResolution = false;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reload() override;
    void openSelected() override;
    void Form_Resize() override;

private:
    void LoadIssues(DATA4* issues, DATA4* customers, DATA4* categories);

    IssueListModel* m_model = nullptr;
    IssueListFill* m_fill = nullptr;
    QString m_searchStr;   // trimmed and upper-cased
    int m_searchType = 1;
    qint32 m_psid = -1;
};
