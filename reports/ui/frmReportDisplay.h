#pragma once

#include "app/WindowInterfaces.h"
#include "common/ui/FindTarget.h"
#include "reports/ReportRun.h"

#include <QWidget>

#include <memory>

class QLabel;
class QPushButton;
class QTableView;
class ReportGridModel;

// The output of one stored report: its rows in a grid with a row count,
// re-sorted by a heading click, and the commands that act on the grid as
// shown (find, open a row's record, e-mail and mail merge for customer
// reports, refresh, save as comma-separated text, print). One window per
// report (tag "REPORTDISPLAY" and the report's identifier).
class frmReportDisplay : public QWidget, public ReportDisplayWindow, public FindTarget {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 1410;

    explicit frmReportDisplay(QWidget* parent = nullptr);
    ~frmReportDisplay() override;

    void Init(qint32 RptID) override;
    // Reads the report anew and runs it into the grid.
    void LoadData();
    // E-mail and Mail Merge only for customer reports.
    void SetUI();
    void SetTagVariant();
    void SetWindowCaption();
    void FocusOnGrid();

    // A heading click: sorts ascending by the column, unless the report
    // blanks repeated first-column values.
    void SortByColumn(int column);

    void cmdPrint_Click();
    void cmdSaveAs_Click();
    void cmdMailMerge_Click();
    // Writes the customers of the grid rows, in grid order, into a new copy
    // of the mail-merge template at `fileName`; false when refused, failed or
    // cancelled (the records written stay).
    bool CreateMailMergeData(const QString& fileName);
    void cmdEmail_Click();
    void cmdFind_Click();
    void Find(const QString& text, bool wholePhrase, bool matchCase, bool& upwards) override;
    void cmdZoomIn_Click();

    const ReportRun& run() const { return m_run; }
    QString title() const { return m_run.title(); }

    QTableView* grd = nullptr;
    QLabel* lblCount = nullptr;
    QPushButton* cmdFind = nullptr;
    QPushButton* cmdZoomIn = nullptr;
    QPushButton* cmdEmail = nullptr;
    QPushButton* cmdMailMerge = nullptr;
    QPushButton* cmdRefresh = nullptr;
    QPushButton* cmdSaveAs = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* CancelButton = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void DisplayReportData();
    // The grid row (1..n) of the view's current cell; 0 when none.
    int currentGridRow() const;
    void zoomInto(int modelRow);

    qint32 m_rptId = 0;
    ReportRun m_run;
    // Declared after the run whose rows it reads, so it goes first; the grid
    // view, a child destroyed after the members, has then let go of it.
    std::unique_ptr<ReportGridModel> m_model;
    bool m_ownsFind = false;
};
