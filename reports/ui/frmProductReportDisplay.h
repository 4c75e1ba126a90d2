#pragma once

#include "common/ui/FindTarget.h"
#include "reports/PSReportRun.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTableView;
class ReportGridModel;

// The product/service report: the bcccust_ps rows that pass the filters
// given to Init, one grid row each, first sorted by product/service and
// numbered, re-sorted ascending by a heading click ("Row" brings back the
// first order). Any number may be open; each run tags the window with the
// time, and nothing looks it up by that tag. The report list makes it.
//
// While a run reads the table it yields to the user: its commands wait
// (Refresh and heading clicks are ignored), and Close ends the run after the
// row in hand and then closes the window.
class frmProductReportDisplay : public QWidget, public FindTarget {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 1410;

    explicit frmProductReportDisplay(QWidget* parent = nullptr);
    ~frmProductReportDisplay() override;

    // Titles the window with the present time, keeps the filters and runs
    // the report. The caller shows the window afterwards.
    void Init(qint32 PSID, qint32 Active, const QString& Custom1, const QString& Custom2);
    // Runs the report again with the same filters and fresh headings.
    void LoadData();
    void SetUI() {}
    void SetTagVariant();
    void SetWindowCaption();
    void FocusOnGrid();
    QString GetColumnDataType(int column) const { return m_run.GetColumnDataType(column); }

    // A heading click: sorts the rows ascending by the column.
    void SortByColumn(int column);

    void cmdFind_Click();
    void Find(const QString& text, bool wholePhrase, bool matchCase, bool& upwards) override;
    void cmdPrint_Click();
    void cmdSaveAs_Click();
    void cmdZoomIn_Click();

    QString title() const { return m_title; }
    const PSReportFilters& filters() const { return m_filters; }
    bool running() const { return m_running; }

    QTableView* grd = nullptr;
    QLabel* lblCount = nullptr;
    QPushButton* cmdFind = nullptr;
    QPushButton* cmdZoomIn = nullptr;
    QPushButton* cmdRefresh = nullptr;
    QPushButton* cmdSaveAs = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* CancelButton = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void DisplayReportData();
    // Opens the product/service of the grid row (from 0) in view mode.
    void zoomInto(int row);
    void setCommandsEnabled(bool enabled);

    QString m_title;
    PSReportFilters m_filters;
    PSReportRun m_run;
    ReportGridModel* m_model = nullptr;
    bool m_ownsFind = false;
    bool m_running = false;
    bool m_closeAfterRun = false;
};
