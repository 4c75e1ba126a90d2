#pragma once

#include "app/WindowInterfaces.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTreeWidget;

// The saved reports of the open database in title order, with New
// (customer and issue reports), View, Edit, Copy and Refresh. One at a
// time (tag "REPORTS"); a definition window's save or delete reloads it.
class frmReportList : public QWidget, public ReportListWindow, public NotifyReportListTarget {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 1410;

    explicit frmReportList(QWidget* parent = nullptr);

    void Init() override;
    // Reloads the list and selects the row of RptID when above 0.
    void LoadData(qint32 RptID) override;
    // "<n> Report(s)".
    void DisplayResultCnt();
    // Edit, Copy and View act on a selected row only.
    void SetUI();

    void cmdNewCustomerRpt_Click();
    void cmdNewIssueReport_Click();
    void cmdNewProductReport_Click();
    void cmdView_Click();
    void cmdProperties_Click();
    void cmdCopy_Click();
    void cmdRefresh_Click();

    QTreeWidget* lv = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* lblCount = nullptr;
    QPushButton* cmdNewCustomerRpt = nullptr;
    QPushButton* cmdNewIssueReport = nullptr;
    QPushButton* cmdNewProductReport = nullptr;
    QPushButton* cmdView = nullptr;
    QPushButton* cmdProperties = nullptr;
    QPushButton* cmdCopy = nullptr;
    QPushButton* cmdRefresh = nullptr;
    QPushButton* CancelButton = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FocusOnLv();
    // The columns' shares of the list's inner width.
    void sizeColumns();
    // The selected row's identifier (from its key "N<id>"), or 0.
    qint32 selectedId() const;
};
