// bench_issue_lists [--customers N] [--issues M] [--dir FOLDER] [--only K]
//
// The three big issue lists over a database that bmtool seeds with N
// customers (default 100,000) and M issues (default 1,000,000), 80 % of
// them "Closed", each run through its core into its list model shown in an
// offscreen tree view, yielding to the event loop as the windows do:
// My Issues of the user with the most issues, a search of all
// products/services in the short description and the description for words
// that match nothing, and the purge preview of the closed issues. Beside each
// it times a bare engine walk of the same rows (same tag, same fields, no
// lookups, no model; for My Issues it then seeks each customer that the rows
// name once, as the list names them). Prints rows per second, the ratio to the bare walk,
// the model's bytes per listed row against the UTF-16 size of the row's
// texts, the longest stretch that a 10 ms timer went unserved during the
// fill, and the peak memory of the process. A folder given with --dir is
// seeded when it holds no database and reused otherwise; --only runs just
// the K-th list (1 My Issues, 2 search, 3 purge preview, 4 a search in the
// short description that matches about one row in twelve).
// Run from the build folder: bench/bench_issue_lists.

#include "common/ScriptedPrompts.h"
#include "data/clsDB.h"
#include "issues/core/IssueListModel.h"
#include "issues/core/IssueSearchCore.h"
#include "issues/core/MyIssuesCore.h"
#include "issues/core/PurgeCore.h"
#include "xbase/IndexC4.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include <sys/resource.h>

#include "bench/SeededDatabase.h"
#include "bench/StallMeter.h"

#include <cstdio>
#include <functional>
#include <map>
#include <unordered_set>
#include <vector>

namespace {

// What a bare walk reads of each record: numbers as numbers, texts and
// memos as their first byte.
struct BareFields {
    std::vector<FIELD4*> numbers, texts, memos;
    long sum = 0;
    void read()
    {
        for (FIELD4* f : numbers)
            sum += f4long(f);
        for (FIELD4* f : texts)
            sum += f4ptr(f)[0];
        for (FIELD4* f : memos) {
            const char* p = f4memoPtr(f);
            sum += p && f4memoLenVB(f) > 0 ? p[0] : 0;
        }
    }
};

// Each customer of `ids` sought once through the rowid tag, with the fields
// of the name read as a bare walk reads texts.
void bareNameCustomers(const std::vector<qint32>& ids, long* sum)
{
    DATA4* t = DB().OpenTable(DB().CustomerTable());
    BareFields fields;
    for (const char* name : {"firstname", "lastname", "company"})
        fields.texts.push_back(d4field(t, name));
    d4tagSelect(t, d4tag(t, "rowid"));
    for (const qint32 id : ids)
        if (d4seekDouble(t, id) == 0)
            fields.read();
    d4close(t);
    *sum += fields.sum;
}

// Seconds of a walk through `tag`: every record from the top (key < 0) or
// the records of one numeric key. With `customerField`, the customers that
// the rows name are then named once each (bareNameCustomers()), as a list
// names them.
double bareWalk(const char* tag, double key, const QStringList& numbers, const QStringList& texts,
                const QStringList& memos, qint64* rows, const char* customerField = nullptr)
{
    QElapsedTimer timer;
    timer.start();
    DATA4* t = DB().OpenTable(DB().IssuesTable());
    BareFields fields;
    for (const QString& n : numbers)
        fields.numbers.push_back(d4field(t, n.toLatin1().constData()));
    for (const QString& n : texts)
        fields.texts.push_back(d4field(t, n.toLatin1().constData()));
    for (const QString& n : memos)
        fields.memos.push_back(d4field(t, n.toLatin1().constData()));
    d4tagSelect(t, d4tag(t, tag));
    FIELD4* customer = customerField ? d4field(t, customerField) : nullptr;
    std::unordered_set<qint32> named;
    const auto read = [&] {
        fields.read();
        if (customer) {
            const qint32 id = qint32(f4long(customer));
            if (id > 0)
                named.insert(id);
        }
    };
    qint64 count = 0;
    if (key < 0) {
        for (int rc = d4top(t); rc == 0; rc = d4skip(t, 1), ++count)
            read();
    } else {
        for (int rc = d4seekDouble(t, key); rc == 0; rc = d4seekNextDouble(t, key), ++count)
            read();
    }
    d4close(t);
    if (customer)
        bareNameCustomers(std::vector<qint32>(named.begin(), named.end()), &fields.sum);
    *rows = count + (fields.sum == 42 ? 0 : 0);
    return double(timer.nsecsElapsed()) / 1e9;
}

long peakMemoryKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

using Fill = std::function<void(DATA4* issues, DATA4* customers, DATA4* categories, IssueListModel& model,
                                const IssueWalk::Yield& yield)>;

void measure(const char* what, const QList<IssueListModel::Source>& columns, const QStringList& headings,
             int hiddenColumn, double bareSeconds, qint64 bareRows, const Fill& fill)
{
    auto* model = new IssueListModel(columns);
    model->setHeadings(headings);
    QTreeView view;
    view.setUniformRowHeights(true);
    view.setRootIsDecorated(false);
    view.setModel(model);
    model->setParent(&view);
    if (hiddenColumn >= 0)
        view.setColumnHidden(hiddenColumn, true);
    view.resize(900, 600);
    view.show();
    QCoreApplication::processEvents();

    StallMeter stalls([model] { return QStringLiteral("row %1").arg(model->rowsAdded()); });

    const long memoryBefore = peakMemoryKb();
    QElapsedTimer timer;
    timer.start();
    stalls.start();
    DATA4* issues = DB().OpenTable(DB().IssuesTable());
    DATA4* customers = DB().OpenTable(DB().CustomerTable());
    DATA4* categories = DB().OpenTable(DB().CategoryTable());
    view.setUpdatesEnabled(false);
    // As the windows' fill yields: the rows shown in batches, the event loop
    // served at each batch and otherwise a few milliseconds apart.
    QElapsedTimer sinceEvents;
    fill(issues, customers, categories, *model, [model, &sinceEvents] {
        if (model->flushSome() || !sinceEvents.isValid() || sinceEvents.elapsed() >= 4) {
            QCoreApplication::processEvents();
            sinceEvents.start();
        }
        return true;
    });
    const double walkSeconds = double(timer.nsecsElapsed()) / 1e9;
    model->flush();
    QElapsedTimer sortTimer;
    sortTimer.start();
    if (columns.first() == IssueListModel::Source::RowId)
        model->sort(0, Qt::AscendingOrder);   // the purge preview sorts once at the end
    const qint64 sortMs = sortTimer.elapsed();
    view.setUpdatesEnabled(true);
    d4close(issues);
    d4close(customers);
    d4close(categories);
    QCoreApplication::processEvents();
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    stalls.stop();
    if (!stalls.stretches().isEmpty())
        std::printf("  stretches over 100 ms: %s\n", qPrintable(stalls.stretchesText()));
    if (sortMs > 0)
        std::printf("  the sort at the end of the fill took %lld ms\n", sortMs);

    const int rows = model->rowCount();
    qint64 textBytes = 0;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < model->columnCount(); ++c)
            if (c != hiddenColumn)
                textBytes += model->text(r, c).size() * 2;
    const double perRow = rows ? double(model->bytesUsed()) / rows : 0.0;
    const double textPerRow = rows ? double(textBytes) / rows : 0.0;
    std::printf("%s: %d rows listed in %.2f s (%.0f rows/s)\n"
                "  bare walk of %lld rows %.2f s (%.0f rows/s); ratio %.2f (the walk into the model alone %.2f)\n"
                "  model %.1f bytes per listed row, texts %.1f bytes per row (UTF-16), factor %.2f\n"
                "  longest unserved stretch of the event loop %lld ms; peak memory %.1f MB (%.1f MB before)\n",
                what, rows, seconds, double(bareRows) / seconds, bareRows, bareSeconds, double(bareRows) / bareSeconds,
                seconds / bareSeconds, walkSeconds / bareSeconds, perRow, textPerRow, textPerRow > 0 ? perRow / textPerRow : 0.0, stalls.longest(),
                double(peakMemoryKb()) / 1024.0, double(memoryBefore) / 1024.0);
    std::fflush(stdout);
}

// A search of all products/services for any of the words of `text` in the
// short description, and in the description too when `inDescription`.
Fill searchFill(const QString& text, bool inDescription)
{
    return [text, inDescription](DATA4* i, DATA4* c, DATA4* k, IssueListModel& m, const IssueWalk::Yield& y) {
        IssueSearchCore::Search search;
        search.text = text;
        search.type = 1;
        search.shortDesc = true;
        search.desc = inDescription;
        IssueSearchCore::LoadIssues(i, c, k, search, m, y);
    };
}

// The user with the most issues, counted through the ASSIGNEDTO tag.
qint32 busiestUser()
{
    DATA4* t = DB().OpenTable(DB().IssuesTable());
    d4tagSelect(t, d4tag(t, "ASSIGNEDTO"));
    FIELD4* assignedto = d4field(t, "assignedto");
    std::map<qint32, qint64> counts;
    for (int rc = d4top(t); rc == 0; rc = d4skip(t, 1))
        ++counts[qint32(f4long(assignedto))];
    d4close(t);
    qint32 best = -1;
    for (const auto& [user, count] : counts)
        if (best < 0 || count > counts[best])
            best = user;
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    bench::showOffscreenFromBuild(BM_BENCH_PROGRAM_DIR);
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTemporaryDir temp;
    const QString folder = bench::option(args, "--dir", temp.filePath(QStringLiteral("db")));
    const int customers = bench::intOption(args, "--customers", 100000);
    const int issues = bench::intOption(args, "--issues", 1000000);
    const int only = bench::intOption(args, "--only", 0);
    ScriptedPrompts prompts;
    QElapsedTimer seeding;
    seeding.start();
    const bool made = bench::seeded(folder, QStringLiteral("bcccust.dbf"),
                                    {QStringLiteral("--customers"), QString::number(customers), QStringLiteral("--issues"),
                                     QString::number(issues), QStringLiteral("--closed-percent"), QStringLiteral("80")});
    if (!made || !DB().startSession(folder, 1000, QStringLiteral("admin"))) {
        std::fprintf(stderr, "cannot make a database in %s\n", qPrintable(folder));
        return 1;
    }
    std::printf("database %s ready after %.0f s\n", qPrintable(folder), double(seeding.elapsed()) / 1000.0);

    const qint32 user = busiestUser();
    qint64 rows = 0;
    double bare = 0;
    if (only == 0 || only == 1) {
    bare = bareWalk("ASSIGNEDTO", user, {QStringLiteral("rowid"), QStringLiteral("priority"),
                                                QStringLiteral("status"), QStringLiteral("custid"), QStringLiteral("psid")},
                           {QStringLiteral("submitdt"), QStringLiteral("shortdesc")}, {}, &rows, "custid");
    measure("My Issues", MyIssuesCore::columns(), MyIssuesCore::headings(), MyIssuesCore::kDateSortingColumn, bare,
            rows, [user](DATA4* i, DATA4* c, DATA4* k, IssueListModel& m, const IssueWalk::Yield& y) {
        MyIssuesCore::LoadIssues(i, c, k, user, -1, m, y);
    });
    }
    if (only == 0 || only == 2) {

    bare = bareWalk("PSID", -1, {QStringLiteral("rowid"), QStringLiteral("status"), QStringLiteral("psid"),
                                 QStringLiteral("custid")},
                    {QStringLiteral("shortdesc")}, {QStringLiteral("desc")}, &rows);
    measure("Search (all products/services, short description and description, no match)",
            IssueSearchCore::columns(), IssueSearchCore::headings(), -1, bare, rows,
            searchFill(QStringLiteral("qxzvj wqkpf"), true));
    }
    if (only == 0 || only == 3) {

    bare = bareWalk("status", 405, {QStringLiteral("rowid")}, {QStringLiteral("submitdt"), QStringLiteral("shortdesc")},
                    {}, &rows);
    measure("Purge preview (\"Closed\", on or before 12/31/2099)", PurgeCore::columns(), PurgeCore::headings(), -1,
            bare, rows, [](DATA4* i, DATA4*, DATA4*, IssueListModel& m, const IssueWalk::Yield& y) {
        PurgeCore::LoadIssues(i, 405, QStringLiteral("Closed"), QStringLiteral("20991231"), m, y);
    });
    }
    if (only == 0 || only == 4) {
    bare = bareWalk("PSID", -1, {QStringLiteral("rowid"), QStringLiteral("status"), QStringLiteral("psid"),
                                 QStringLiteral("custid")},
                    {QStringLiteral("shortdesc")}, {}, &rows);
    measure("Search (all products/services, short description, \"backup\": about one row in twelve)",
            IssueSearchCore::columns(), IssueSearchCore::headings(), -1, bare, rows,
            searchFill(QStringLiteral("backup"), false));
    }
    DB().endSession();
    std::printf("peak memory: %.1f MB\n", double(peakMemoryKb()) / 1024.0);
    return 0;
}
