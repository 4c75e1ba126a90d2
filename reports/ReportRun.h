#pragma once

#include "common/Progress.h"
#include "reports/ReportGrid.h"
#include "reports/clsRepDefParser.h"

#include <QString>

#include <functional>

// Runs one stored report into a ReportGrid, without any window: reads the
// bccrep row and its definition, walks the customers (type "C") or issues
// ("I"), keeps the records that pass every criterion, one row each, then
// sorts by the first data column, numbers the rows and blanks repeated
// first-column values as the definition asks.
//
// The output window calls LoadData and then DisplayReportData with its wait
// dialog as the Progress: the walk (and the pass over every customer's
// products/services that may come before it) yields to it (report(-1)) after
// the first row and at least every 50 ms, and a false answer ends the walk
// after the record in hand; the rows found so far are still sorted and numbered,
// and the sort yields to it as often (its answer then unheeded).
// Messages go through the prompt service.
class ReportRun {
public:
    // Reads the row (messages of CheckIfRecExists / ReadRecord when it is
    // gone or unreadable): title, type and definition. False when unread;
    // the title is then "[" id "]" and the type "".
    bool LoadData(qint32 reportId);

    qint32 reportId() const { return m_reportId; }
    const QString& title() const { return m_title; }
    const QString& reportType() const { return m_type; }
    const clsRepDefParser& definition() const { return m_definition; }
    clsRepDefParser& definition() { return m_definition; }

    // Builds the grid from the definition. False when no walk was made: no
    // display columns ("Report definition does not specify any columns to
    // display!"), a type other than "C" or "I" ("Invalid report type!"), a
    // table that cannot be opened, or a run-time error during the walk
    // (error box "frmReportDisplay_DisplayRowData"; the rows found before it
    // stay). The grid holds the headings in every case but the first.
    bool DisplayReportData(Progress& progress);

    const ReportGrid& grid() const { return m_grid; }
    ReportGrid& grid() { return m_grid; }
    // The records that the last walk read (passing or not), the index tag it
    // walked, and whether the user ended it early.
    qint64 visitedCount() const { return m_visited; }
    const QString& walkedTag() const { return m_walkedTag; }
    bool cancelled() const { return m_cancelled; }

    // The tag named like the field of the first "=" criterion on a category
    // column of the main table with a numeric value, and its key; false when
    // none qualifies. hasTag tells whether the main table's index holds a
    // tag of that name (only then is it sought).
    bool GetFilterTag(QString& tagName, qint32& key, const std::function<bool(const QString&)>& hasTag) const;

private:
    bool walk(Progress& progress);

    qint32 m_reportId = 0;
    QString m_title;
    QString m_type;
    clsRepDefParser m_definition;
    ReportGrid m_grid;
    qint64 m_visited = 0;
    QString m_walkedTag;
    bool m_cancelled = false;
};
