#pragma once

#include "common/Progress.h"
#include "issues/core/IssueListModel.h"
#include "issues/core/IssueWalk.h"
#include "xbase/c4.h"

#include <QList>
#include <QString>
#include <QStringList>

// Purging old issues without windows: the preview walk of the issues of one
// status submitted on or before a date, and the deletion of those issues
// with their actions and attachment folders.
namespace PurgeCore {

// "Issue No.", "Submit Date", "Status", "Short Description".
QStringList headings();
QList<IssueListModel::Source> columns();
inline constexpr int kIssueNoColumn = 0;
inline constexpr int kStatusColumn = 2;

struct Result {
    RunError error;
    long walked = 0;
};

// Adds to `model` every issue of `status` (through the status tag) whose
// stored submit date, compared as text, is on or before `cutoff`
// ("YYYYMMDD"); an empty date is before any cutoff. `statusText` fills the
// Status column. `yield` runs every 100 records and stops the walk when it
// answers false. Unless stopped, the walk ends by preparing the model's
// sort by the issue number (IssueListModel::prepareSort()) and yielding.
Result LoadIssues(DATA4* issues, qint32 status, const QString& statusText, const QString& cutoff,
                  IssueListModel& model, const IssueWalk::Yield& yield);

struct Deletion {
    bool ran = false;          // both tables opened
    int deleted = 0;           // issues whose row is gone
    QList<qint32> left;        // issues left whole (a row locked by another user)
};

// Deletes the issues in the order given, each with its actions and then its
// attachment folder, or, when another user holds its row or one of its
// actions, none of them (clsDB::deleteIssueWithActions). Reports the share
// done to `progress` after each issue.
Deletion DeleteIssues(const QList<qint32>& ids, Progress& progress);

} // namespace PurgeCore
