#pragma once

#include "common/ui/YieldPacer.h"
#include "issues/core/IssueWalk.h"

#include <QString>

#include <functional>

class IssueListModel;
class QCloseEvent;
class QTreeView;
class QWidget;
class frmProgress;

// Opens the issue of the selected row (keyed "N"+rowid) in view mode.
void openSelectedIssue(QTreeView* lv);
// What the list's columns share of a window `windowWidth` wide: the width
// less the view's frame and a vertical scroll bar.
int listColumnsWidth(const QTreeView* lv, int windowWidth);

class IssueListFill;

// The tables an issue list's fill reads: all three open, or none.
struct IssueListTables {
    DATA4* issues = nullptr;
    DATA4* customers = nullptr;
    DATA4* categories = nullptr;
    // False, with nothing left open, when one of them can't be opened.
    bool open();
    // Closes them, unless a database closed during the fill took them along.
    void close(const IssueListFill& fill);
};

// One fill of an issue list window at a time. While a walk yields to the
// event loop, the window may be asked to reload or to close: a reload is
// refused (the window can note it and run it afterwards) and a close is put
// off until the walk has let go of its tables, so that no window is ever
// deleted under its own fill. The database may also be closed meanwhile:
// the engine then took the tables with it, and the fill stops.
class IssueListFill {
public:
    IssueListFill(QTreeView* lv, IssueListModel* model);

    bool running() const { return m_running; }
    // Asked during a fill: the walk stops at its next yield and the window
    // closes afterwards (closeAfterFill() then says so).
    void requestClose() { m_closeAfterFill = true; }
    // A window's close event during a fill: put off as requestClose() does
    // and ignored. True when it was put off.
    bool putOffClose(QCloseEvent* event);
    bool closeAfterFill() const { return m_closeAfterFill; }

    // Runs `walk` with painting held back and the rows shown in batches.
    // Unless `quiet`, the wait dialog shows `message` with a Cancel button.
    // An engine fault in the walk is shown under `errorLabel`. True when the
    // walk ran to its end or was stopped, false after a fault.
    using Walk = std::function<RunError(const IssueWalk::Yield&)>;
    bool run(const QString& message, bool quiet, const QString& errorLabel, const Walk& walk);
    // False once the database that the fill read was closed.
    bool tablesStillOpen() const;
    // Marks the start of a fill (the tables open) and its end.
    void begin();
    void end() { m_running = false; }

private:
    bool yieldToUser(frmProgress* wait);

    static constexpr qint64 kMsBetweenEvents = 4;

    QTreeView* m_lv = nullptr;
    IssueListModel* m_model = nullptr;
    YieldPacer m_pacer{kMsBetweenEvents};
    bool m_running = false;
    bool m_closeAfterFill = false;
    const void* m_engine = nullptr;
};
