// bench_ps_report [--customers N] [--dir FOLDER]
//
// The product/service report window over the products/services of N
// customers (default 200,000; bmtool seed gives each 0 to 2) run offscreen
// without filters, then with a filter that keeps few rows: prints the rows,
// the time of the run, the longest time the event loop waited during it (a
// 10 ms timer's largest gap), and the time of one heading-click sort by the
// customer column. Run from the build folder after building bmtool and the
// templates: bench/bench_ps_report.

#include "common/ScriptedPrompts.h"
#include "data/clsDB.h"
#include "reports/ui/frmProductReportDisplay.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

#include "bench/SeededDatabase.h"

#include <cstdio>

namespace {

void measure(const char* what, qint32 active, const QString& custom1)
{
    frmProductReportDisplay window;
    window.resize(1000, 600);
    window.show();
    QElapsedTimer sinceTick, run;
    qint64 longestWait = 0;
    QTimer tick;
    tick.setInterval(10);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longestWait = qMax(longestWait, sinceTick.elapsed());
        sinceTick.restart();
    });
    tick.start();
    sinceTick.start();
    run.start();
    window.Init(-1, active, custom1, QString());
    const qint64 runMs = run.elapsed();
    longestWait = qMax(longestWait, sinceTick.elapsed());
    tick.stop();
    QElapsedTimer sort;
    sort.start();
    window.SortByColumn(3);
    const qint64 sortMs = sort.elapsed();
    std::printf("%s: %d rows in %.2f s; longest wait of the event loop %lld ms; sort by \"Customer\" %lld ms\n",
                what, window.grd->model()->rowCount(), double(runMs) / 1000.0, longestWait, sortMs);
}

} // namespace

int main(int argc, char** argv)
{
    bench::showOffscreenFromBuild(BM_BENCH_PROGRAM_DIR);
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTemporaryDir temp;
    const QString folder = bench::option(args, "--dir", temp.filePath(QStringLiteral("db")));
    const int customers = bench::intOption(args, "--customers", 200000);
    ScriptedPrompts prompts;
    const bool made = bench::seeded(folder, QStringLiteral("bcccust_ps.dbf"),
                                    {QStringLiteral("--customers"), QString::number(customers), QStringLiteral("--issues"),
                                     QStringLiteral("0")});
    if (!made || !DB().startSession(folder, 1000, QStringLiteral("admin"))) {
        std::fprintf(stderr, "cannot make a database in %s\n", qPrintable(folder));
        return 1;
    }
    measure("all", -1, QString());
    measure("active, custom 1 containing \"zz\"", 1, QStringLiteral("zz"));
    DB().endSession();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory: %.1f MB\n", double(usage.ru_maxrss) / 1024.0);
    return 0;
}
