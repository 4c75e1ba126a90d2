// bench_ps_report [--customers N] [--dir FOLDER]
//
// The product/service report window over the products/services of N
// customers (default 200,000; bmtool seed gives each 0 to 2) run offscreen
// without filters, then with a filter that keeps few rows: prints the rows,
// the time of the run beside a bare engine walk (the same tag and fields,
// numbers read as numbers and texts as their first byte, then each customer
// that the rows name sought once through its rowid tag with the fields of
// its name read), the longest time the event loop went unserved during the
// run (StallMeter), the resident memory the window added per row beside the
// UTF-16 size of the row's texts, and the time of one heading-click sort by
// the customer column. Run from the build folder after building bmtool and
// the templates: bench/bench_ps_report.

#include "common/ScriptedPrompts.h"
#include "data/clsDB.h"
#include "xbase/IndexC4.h"
#include "reports/ui/frmProductReportDisplay.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTableView>
#include <QTemporaryDir>
#include <QFile>

#include <sys/resource.h>

#include <malloc.h>

#include "bench/SeededDatabase.h"
#include "bench/ResidentMemory.h"
#include "bench/StallMeter.h"

#include <cstdio>
#include <unordered_set>

namespace {

// Seconds of a bare walk of every product/service row in PSID order, with
// the customers named once each.
double bareWalk(long* rows)
{
    QElapsedTimer timer;
    timer.start();
    DATA4* ps = DB().OpenTable(DB().Customers2PSTable());
    long sum = 0;
    std::vector<FIELD4*> numbers, texts;
    for (const char* name : {"rowid", "psid", "custid", "conttype", "contdur"})
        numbers.push_back(d4field(ps, name));
    for (const char* name : {"dateinit", "dateterm", "custom1", "custom2", "contno", "trackno", "shortdesc"})
        texts.push_back(d4field(ps, name));
    FIELD4* custid = d4field(ps, "custid");
    std::unordered_set<qint32> named;
    d4tagSelect(ps, d4tag(ps, "PSID"));
    long count = 0;
    for (int rc = d4top(ps); rc == 0; rc = d4skip(ps, 1)) {
        if (d4deleted(ps))
            continue;
        for (FIELD4* f : numbers)
            sum += f4long(f);
        for (FIELD4* f : texts)
            sum += f4ptr(f)[0];
        named.insert(qint32(f4long(custid)));
        ++count;
    }
    d4close(ps);
    DATA4* customers = DB().OpenTable(DB().CustomerTable());
    std::vector<FIELD4*> name;
    for (const char* field : {"firstname", "lastname", "company"})
        name.push_back(d4field(customers, field));
    d4tagSelect(customers, d4tag(customers, "rowid"));
    for (const qint32 id : named)
        if (id > 0 && d4seekDouble(customers, id) == 0)
            for (FIELD4* f : name)
                sum += f4ptr(f)[0];
    d4close(customers);
    *rows = count + (sum == 42 ? 0 : 0);
    return double(timer.nsecsElapsed()) / 1e9;
}

void measure(const char* what, qint32 active, const QString& custom1, double bareSeconds)
{
    malloc_trim(0);
    const long long before = bench::residentBytes();
    frmProductReportDisplay window;
    window.resize(1000, 600);
    window.show();
    QAbstractItemModel* model = window.grd->model();
    StallMeter stalls([model] { return QStringLiteral("row %1").arg(model->rowCount()); });
    QElapsedTimer run;
    run.start();
    stalls.start();
    window.Init(-1, active, custom1, QString());
    QCoreApplication::processEvents();
    stalls.stop();
    const qint64 runMs = run.elapsed();
    malloc_trim(0);
    const long long added = bench::residentBytes() - before;
    const int rows = model->rowCount();
    qint64 textBytes = 0;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < model->columnCount(); ++c)
            textBytes += model->index(r, c).data().toString().size() * 2;
    QElapsedTimer sort;
    sort.start();
    window.SortByColumn(3);
    const qint64 sortMs = sort.elapsed();
    std::printf("%s: %d rows in %.2f s; longest wait of the event loop %lld ms; sort by \"Customer\" %lld ms\n",
                what, rows, double(runMs) / 1000.0, stalls.longest(), sortMs);
    if (!stalls.stretches().isEmpty())
        std::printf("  stretches over 100 ms: %s\n", qPrintable(stalls.stretchesText()));
    if (bareSeconds > 0)
        std::printf("  bare walk of every row %.2f s: ratio %.2f\n", bareSeconds, double(runMs) / 1000.0 / bareSeconds);
    if (rows > 0)
        std::printf("  memory added %.1f MB, %.0f bytes a row; texts %.0f bytes a row (UTF-16), factor %.2f\n",
                    double(added) / 1048576.0, double(added) / rows, double(textBytes) / rows,
                    textBytes > 0 ? double(added) / double(textBytes) : 0.0);
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
    long bareRows = 0;
    (void)bareWalk(&bareRows);   // the file cache warmed for both sides
    const double bare = bareWalk(&bareRows);
    std::printf("bare walk: %ld rows\n", bareRows);
    measure("all", -1, QString(), bare);
    measure("active, custom 1 containing \"zz\"", 1, QStringLiteral("zz"), 0);
    DB().endSession();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory: %.1f MB\n", double(usage.ru_maxrss) / 1024.0);
    return 0;
}
