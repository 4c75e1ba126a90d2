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

#include <cstdio>

namespace {

bool bmtool(const QStringList& args)
{
    QProcess p;
    p.start(QDir(QString::fromLocal8Bit(qgetenv("BM_PROGRAM_DIR"))).filePath(QStringLiteral("bmtool")), args);
    return p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

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
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (qEnvironmentVariableIsEmpty("BM_PROGRAM_DIR"))
        qputenv("BM_PROGRAM_DIR", BM_BENCH_PROGRAM_DIR);
    const QStringList args = app.arguments();
    QTemporaryDir temp;
    QString folder = temp.filePath(QStringLiteral("db"));
    int customers = 200000;
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args.at(i) == QLatin1String("--customers"))
            customers = args.at(i + 1).toInt();
        else if (args.at(i) == QLatin1String("--dir"))
            folder = args.at(i + 1);
    }
    ScriptedPrompts prompts;
    const bool made = QDir(folder).exists(QStringLiteral("bcccust_ps.dbf"))
        || (bmtool({QStringLiteral("mkdb"), folder})
            && bmtool({QStringLiteral("seed"), folder, QStringLiteral("--customers"), QString::number(customers),
                       QStringLiteral("--issues"), QStringLiteral("0")}));
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
