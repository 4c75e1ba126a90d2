#include "issues/core/PurgeCore.h"

#include "data/FieldText.h"
#include "data/clsDB.h"
#include "xbase/IndexC4.h"

#include <QByteArray>

#include <cmath>
#include <string_view>

namespace PurgeCore {

using IssueWalk::check;
using IssueWalk::field;
using Source = IssueListModel::Source;

QStringList headings()
{
    return {QStringLiteral("Issue No."), QStringLiteral("Submit Date"), QStringLiteral("Status"),
            QStringLiteral("Short Description")};
}

QList<Source> columns() { return {Source::RowId, Source::Shared, Source::Fixed, Source::Own}; }

Result LoadIssues(DATA4* issues, qint32 status, const QString& statusText, const QString& cutoff,
                  IssueListModel& model, const IssueWalk::Yield& yield)
{
    Result result;
    try {
        IssueWalk::selectTag(issues, "status");
        check(issues, d4top(issues));
        FIELD4* rowid = field(issues, "rowid");
        FIELD4* submitdt = field(issues, "submitdt");
        FIELD4* shortdesc = field(issues, "shortdesc");
        IssueWalk::Lookups lookups(model, nullptr, nullptr);
        model.setFixedText(kStatusColumn, statusText);
        // Dates are digits: compared byte by byte as their texts compare.
        const QByteArray cutoffBytes = cutoff.toLatin1();
        const std::string_view last(cutoffBytes.constData(), size_t(cutoffBytes.size()));
        int rc = check(issues, d4seekDouble(issues, status));
        while (rc == 0) {
            const std::string_view stored = trimmedFieldBytes(submitdt);
            if (stored.compare(last) <= 0)
                model.addRowBytes(qint32(f4long(rowid)), {lookups.shownDate(stored)},
                             trimmedFieldBytes(shortdesc));
            rc = check(issues, d4seekNextDouble(issues, status));
            if (++result.walked % IssueWalk::kRecordsBetweenYields == 0 && !yield())
                return result;
        }
        // The preview lists its rows in text order of the issue number: the
        // order is worked out now, and the event loop served, before the
        // last rows are shown and sorted.
        model.prepareSort(kIssueNoColumn, Qt::AscendingOrder);
        yield();
    } catch (const IssueWalk::Fault& fault) {
        result.error = fault.error;
    }
    return result;
}

Deletion DeleteIssues(const QList<qint32>& ids, Progress& progress)
{
    Deletion deletion;
    clsDB& db = DB();
    DATA4* issues = db.OpenTable(db.IssuesTable());
    if (!issues)
        return deletion;
    DATA4* actions = db.OpenTable(db.IssuesActionsTable());
    if (!actions) {
        d4close(issues);
        return deletion;
    }
    deletion.ran = true;
    const qsizetype count = ids.size();
    for (qsizetype i = 0; i < count; ++i) {
        const qint32 id = ids.at(i);
        if (db.deleteIssueWithActions(id, issues, actions)) {
            ++deletion.deleted;
            db.DeleteAttachments(id, QStringLiteral("_i"));
        } else {
            deletion.left.append(id);
        }
        (void)progress.report(int(std::lround(double(i + 1) / double(count) * 100.0)));
    }
    d4close(issues);
    d4close(actions);
    return deletion;
}

} // namespace PurgeCore
