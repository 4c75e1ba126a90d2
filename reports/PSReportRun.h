#pragma once

#include "common/Progress.h"
#include "reports/ReportGrid.h"

#include <QDate>
#include <QString>
#include <QStringList>

// What the product/service report shows: the rows of bcccust_ps of one
// product/service category, of one active state, and whose custom fields
// contain two texts.
struct PSReportFilters {
    qint32 PSID = -1;   // category row identifier; 0 or below: every category
    qint32 Active = -1; // 1 active rows only, 0 inactive rows only, any other value: all
    QString Custom1;    // looked for in custom field 1 in any letter case; "" none
    QString Custom2;    // the same for custom field 2
};

// The product/service report without a window: one pass over bcccust_ps in
// the order of its PSID tag into a ReportGrid of a "Row" column and 13 data
// columns, each row carrying the bcccust_ps row identifier. The headings of
// columns 5 to 13 are the labels of labelledFields(), in that order, which
// the caller reads (they may change between runs).
class PSReportRun {
public:
    // dateinit, dateterm, custom1, custom2, contno, trackno, conttype,
    // contdur, shortdesc.
    static const QStringList& labelledFields();

    // Active unless the stored termination date is a real date before
    // `today`; an empty or malformed date is active.
    static bool IsActive(const QString& dateterm, const QDate& today);

    // The filter test, in this order: category, active state, custom field 1,
    // custom field 2 (the fields as stored, trimmed). An empty field never
    // contains a non-empty text.
    static bool FiltersPassed(const PSReportFilters& filters, qint32 psid, bool isActive, const QString& custom1,
                              const QString& custom2);

    // Empties the grid and gives it its 14 headings; `labels` holds one per
    // labelled field. Column 2 sorts as whole numbers, 5 and 6 as dates.
    void InitGrid(const QStringList& labels);

    // Appends a row for each bcccust_ps row that passes the filters; active
    // is judged against `today`. The walk yields to `progress` after the
    // first row and then every 50 ms; a false answer ends it after the row in
    // hand, as does a database closed meanwhile. False when a table could
    // not be opened (the opener's message) or a read failed (error box
    // "frmProductReportDisplay_DisplayRowData"); the rows found stay.
    bool DisplayRowData(const PSReportFilters& filters, const QDate& today, Progress& progress);

    // The first order: by product/service, then numbered 1..n. Nothing
    // happens to a grid without rows.
    void SortAndNumber();

    // The column's sort mark: "I", "D" or "" (row numbers sort as whole
    // numbers whatever their mark).
    QString GetColumnDataType(int column) const;

    const ReportGrid& grid() const { return m_grid; }
    ReportGrid& grid() { return m_grid; }

private:
    ReportGrid m_grid;
};
