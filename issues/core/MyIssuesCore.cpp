#include "issues/core/MyIssuesCore.h"

#include "data/FieldText.h"
#include "xbase/IndexC4.h"

#include <string_view>

namespace MyIssuesCore {

using IssueWalk::check;
using IssueWalk::field;
using Source = IssueListModel::Source;

QStringList headings()
{
    return {QStringLiteral("Priority"),          QStringLiteral("Status"),          QStringLiteral("Submit"),
            QStringLiteral("Customer"),          QStringLiteral("Short Description"), QStringLiteral("Product/Service"),
            QStringLiteral("Date Sorting")};
}

QList<Source> columns()
{
    return {Source::Shared, Source::Shared, Source::Shared, Source::Shared,
            Source::Own,    Source::Shared, Source::Shared};
}

Result LoadIssues(DATA4* issues, DATA4* customers, DATA4* categories, qint32 assignedTo, qint32 status,
                  IssueListModel& model, const IssueWalk::Yield& yield)
{
    Result result;
    IssueWalk::Lookups lookups(model, categories, customers);
    bool stopped = false;
    try {
        IssueWalk::selectTag(issues, "ASSIGNEDTO");
        check(issues, d4top(issues));
        FIELD4* rowid = field(issues, "rowid");
        FIELD4* priority = field(issues, "priority");
        FIELD4* statusField = field(issues, "status");
        FIELD4* submitdt = field(issues, "submitdt");
        FIELD4* custid = field(issues, "custid");
        FIELD4* shortdesc = field(issues, "shortdesc");
        FIELD4* psid = field(issues, "psid");
        int rc = check(issues, d4seekDouble(issues, assignedTo));
        while (rc == 0) {
            if (status <= 0 || qint32(f4long(statusField)) == status) {
                const std::string_view stored = trimmedFieldBytes(submitdt);
                model.addRowBytes(qint32(f4long(rowid)),
                             {lookups.category(qint32(f4long(priority))), lookups.category(qint32(f4long(statusField))),
                              lookups.shownDate(stored), lookups.customer(qint32(f4long(custid))),
                              lookups.category(qint32(f4long(psid))), lookups.sortDate(stored)},
                             trimmedFieldBytes(shortdesc));
            }
            rc = check(issues, d4seekNextDouble(issues, assignedTo));
            if (++result.walked % IssueWalk::kRecordsBetweenYields == 0 && !yield()) {
                stopped = true;
                break;
            }
        }
    } catch (const IssueWalk::Fault& fault) {
        result.error = fault.error;
    }
    // The customers' names of the rows listed, even after a stop or a fault.
    lookups.finish(stopped ? IssueWalk::Yield() : yield);
    return result;
}

} // namespace MyIssuesCore
