#pragma once

#include "common/RunError.h"
#include "issues/core/IssueListModel.h"
#include "issues/core/IssueWalk.h"
#include "xbase/c4.h"

#include <QStringList>

// The walk behind My Issues: the issues assigned to one user (-1: nobody)
// through the ASSIGNEDTO tag, narrowed to one status when it is above 0,
// each as one row of the list model.
namespace MyIssuesCore {

// The seven columns: "Priority", "Status", "Submit", "Customer", "Short
// Description", "Product/Service" and the hidden "Date Sorting" (the stored
// submit date), which the "Submit" heading sorts by.
QStringList headings();
QList<IssueListModel::Source> columns();
inline constexpr int kSubmitColumn = 2;
inline constexpr int kDateSortingColumn = 6;

struct Result {
    RunError error;    // a fault ended the walk; the rows added so far stay
    long walked = 0;   // records visited, listed or not
};

// Adds the rows to `model` (not cleared here) through the three open
// tables; `yield` runs every 100 records visited and stops the walk when it
// answers false.
Result LoadIssues(DATA4* issues, DATA4* customers, DATA4* categories, qint32 assignedTo, qint32 status,
                  IssueListModel& model, const IssueWalk::Yield& yield);

} // namespace MyIssuesCore
