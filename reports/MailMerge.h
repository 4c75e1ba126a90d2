#pragma once

#include "common/Progress.h"

#include <QString>

class ReportGrid;

// The mail-merge data file of a customer report: a copy of the database's
// mail-merge template with one record for each grid row's customer, in grid
// order, holding the customer's texts, category descriptions and
// products/services.
namespace MailMerge {

// True, after saying so, when `fileName` is a table, memo or index file of
// the open database, an index template or the mail-merge template itself:
// replacing it would destroy what every user of the database relies on.
bool refuses(const QString& fileName);

// Replaces `fileName` by a new copy of the template and writes the grid's
// customers into it. Reports to `progress` (report(-1)) after every 100 rows
// and stops when it answers false; the records written stay. False when the
// file could not be replaced or made (after the message), a table did not
// open, a write failed (error box "frmReportDisplay_CreateMailMergeData") or
// the user stopped it.
bool write(const ReportGrid& grid, const QString& fileName, Progress& progress);

} // namespace MailMerge
