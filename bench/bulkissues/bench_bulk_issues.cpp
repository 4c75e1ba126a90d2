// bench_bulk_issues [--dir FOLDER]
//
// Runs the whole bulk issue generator (the hidden Help menu entry) on a new
// database and prints its time and rows per second. Run from the build
// folder after building the templates: bench/bench_bulk_issues.

#include "common/Progress.h"
#include "data/BulkIssues.h"
#include "data/clsDB.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsEmpty("BM_PROGRAM_DIR"))
        qputenv("BM_PROGRAM_DIR", BM_BENCH_PROGRAM_DIR);
    QTemporaryDir temp;
    QString folder = temp.path();
    const QStringList args = app.arguments();
    const qsizetype dirAt = args.indexOf(QStringLiteral("--dir"));
    if (dirAt > 0 && dirAt + 1 < args.size())
        folder = args.at(dirAt + 1);
    if (!QDir().mkpath(folder) || !DB().NewDB(folder) || !DB().startSession(folder, 1000, QStringLiteral("admin"))) {
        std::fprintf(stderr, "cannot make a database in %s\n", qPrintable(folder));
        return 1;
    }
    NoProgress progress;
    QElapsedTimer timer;
    timer.start();
    DB().AddBulkIssues(progress);
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    const qint32 rows = DB().GetRecCountFast(DB().IssuesTable(), QStringLiteral("rowid"));
    DB().endSession();
    const BulkIssues::Range range = BulkIssues::range();
    std::printf("bulk issues: %d rows (%d expected) in %.2f s, %.0f rows/s\n", rows, range.last - range.first + 1,
                seconds, seconds > 0 ? rows / seconds : 0.0);
    return rows == range.last - range.first + 1 ? 0 : 1;
}
