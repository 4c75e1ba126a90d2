// bench_reports [--customers N] [--issues M] [--dir FOLDER]
//
// A customer report over N customers (default 100,000) and an issue report
// over M issues (default 1,000,000), both seeded by bmtool, each run as the
// output window runs it (the report core, then the grid's model shown in an
// offscreen table view with its columns fitted) beside a bare engine walk of
// the same rows in the same tag order reading the same fields of the main
// table. Prints rows per second, the ratio to the bare walk, the grid's
// bytes per row against the UTF-16 size of its texts, the time of one
// heading-click sort by a text column, and the peak memory of the process.
// Run from the build folder after building bmtool and the templates:
// bench/bench_reports.

#include "common/Progress.h"
#include "common/ScriptedPrompts.h"
#include "data/clsDB.h"
#include "reports/ReportRun.h"
#include "reports/ui/ReportGridModel.h"

#include <QApplication>
#include <QHeaderView>
#include <QTableView>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

#include "bench/SeededDatabase.h"

#include <cstdio>

namespace {

qint32 storeReport(const QString& type, const QString& def)
{
    RecColl coll(DB().ReportTable(), -1, QStringLiteral("_rptdef"));
    coll.add(QStringLiteral("title"), QStringLiteral("Bench"));
    coll.add(QStringLiteral("type"), type);
    coll.add(QStringLiteral("def"), def);
    coll.add(QStringLiteral("notes"), QString());
    return DB().SaveRecord(coll, false) ? coll.value(QStringLiteral("_rowid")).toInt() : -1;
}

// Seconds of a walk of the whole table in the tag's order that reads each
// named field: numbers as numbers, texts as their bytes.
double bareWalk(const QString& path, const char* tag, const QStringList& fields, qint64* rows)
{
    QElapsedTimer timer;
    timer.start();
    DATA4* t = DB().OpenTable(path);
    if (!t)
        return 0;
    std::vector<FIELD4*> numbers, texts;
    for (const QString& name : fields) {
        FIELD4* f = d4field(t, name.toLatin1().constData());
        if (f)
            (f->type() == 'N' ? numbers : texts).push_back(f);
    }
    d4tagSelect(t, d4tag(t, tag));
    qint64 count = 0;
    long sum = 0;
    for (int rc = d4top(t); rc == 0; rc = d4skip(t, 1)) {
        ++count;
        for (FIELD4* f : numbers)
            sum += f4long(f);
        for (FIELD4* f : texts)
            sum += f4ptr(f)[0];
    }
    d4close(t);
    *rows = count + (sum == 42 ? 0 : 0);
    return double(timer.nsecsElapsed()) / 1e9;
}

void measure(const char* what, qint32 reportId, const QString& path, const char* tag, const QStringList& fields,
             int sortColumn)
{
    qint64 bareRows = 0;
    const double bare = bareWalk(path, tag, fields, &bareRows);
    ReportRun run;
    NoProgress progress;
    QElapsedTimer timer;
    timer.start();
    ReportGridModel model(run.grid());
    QTableView view;
    view.setModel(&model);
    if (!run.LoadData(reportId) || !run.DisplayReportData(progress)) {
        std::printf("%s: the run failed\n", what);
        return;
    }
    const double coreSeconds = double(timer.nsecsElapsed()) / 1e9;
    model.reload();
    view.resizeColumnsToContents();
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    const ReportGrid& grid = run.grid();
    qint64 textBytes = 0;
    for (int r = 0; r < grid.rowCount(); ++r)
        for (int c = grid.firstDataColumn(); c < grid.columnCount(); ++c)
            textBytes += grid.text(r, c).size() * 2;
    timer.restart();
    run.grid().sortBy(sortColumn);
    model.reload();
    const qint64 sortMs = timer.elapsed();
    const double rows = double(grid.rowCount());
    std::printf("%s: %d rows in %.2f s (%.0f rows/s); bare walk of %lld rows %.2f s (%.0f rows/s); ratio %.2f\n"
                "  of which the core %.2f s, the model and view %.2f s\n"
                "  grid %.1f bytes per row, texts %.1f bytes per row (UTF-16), factor %.2f; re-sort by \"%s\" %lld ms\n",
                what, grid.rowCount(), seconds, rows / seconds, bareRows, bare, double(bareRows) / bare, seconds / bare,
                coreSeconds, seconds - coreSeconds, double(grid.bytesUsed()) / rows, double(textBytes) / rows, double(grid.bytesUsed()) / double(textBytes),
                qPrintable(grid.column(sortColumn).heading), sortMs);
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
    ScriptedPrompts prompts;
    const bool made = bench::seeded(folder, QStringLiteral("bcccust.dbf"),
                                    {QStringLiteral("--customers"), QString::number(customers), QStringLiteral("--issues"),
                                     QString::number(issues)});
    if (!made || !DB().startSession(folder, 1000, QStringLiteral("admin"))) {
        std::fprintf(stderr, "cannot make a database in %s\n", qPrintable(folder));
        return 1;
    }

    // Customer ID, number, salutation, first and last name, company, title,
    // category, state, country, e-mail, products/services; row numbers.
    const qint32 customerReport =
        storeReport(QStringLiteral("C"), QStringLiteral("0\n1~2~3~4~5~6~7~8~12~14~19~23\n\n\n\n1\n1"));
    // Issue ID, customer, product/service, status, submitted, responded,
    // assigned to.
    const qint32 issueReport =
        storeReport(QStringLiteral("I"), QStringLiteral("0\n101~102~104~110~112~113~108\n\n\n\n1\n1"));
    measure("customers", customerReport, DB().CustomerTable(), "lastname",
            {QStringLiteral("rowid"), QStringLiteral("custno"), QStringLiteral("salutation"),
             QStringLiteral("firstname"), QStringLiteral("lastname"), QStringLiteral("company"),
             QStringLiteral("title"), QStringLiteral("custcat"), QStringLiteral("state"), QStringLiteral("country"),
             QStringLiteral("emailname")},
            5);
    measure("issues", issueReport, DB().IssuesTable(), "SUBMITDT",
            {QStringLiteral("rowid"), QStringLiteral("custid"), QStringLiteral("psid"), QStringLiteral("status"),
             QStringLiteral("submitdt"), QStringLiteral("responsedt"), QStringLiteral("assignedto")},
            2);
    DB().endSession();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory: %.1f MB\n", double(usage.ru_maxrss) / 1024.0);
    return 0;
}
