// bench_reports [--customers N] [--issues M] [--runs R] [--dir FOLDER]
//
// A customer report over N customers (default 100,000) and an issue report
// over M issues (default 1,000,000), both seeded by bmtool. Each is run R
// times (default 3) in two ways, and the figures are given as min / median:
// - the report core, then the grid's model in an offscreen table view with
//   its columns fitted, beside a bare engine walk of the same rows in the
//   same tag order that reads the same fields of the main table and, for an
//   issue report, names the same customers (one seek of the customer table
//   per distinct customer, reading the fields its detail is made of): rows
//   per second and the ratio to the bare walk, taken within each run;
// - the output window as the program opens it (its wait dialog serving the
//   event loop), timed to idle, with the longest gap of a 10 ms timer (the
//   longest freeze) and the growth of the resident memory against the UTF-16
//   size of the texts it shows.
// Then the time of one heading-click sort by a text column, and the peak
// memory of the process. Run from the build folder after building bmtool
// and the templates: bench/bench_reports.

#include "common/Progress.h"
#include "common/ScriptedPrompts.h"
#include "data/clsDB.h"
#include "reports/ReportRun.h"
#include "reports/ui/ReportGridModel.h"
#include "reports/ui/frmReportDisplay.h"

#include <QApplication>
#include <QHeaderView>
#include <QTableView>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>

#include <sys/resource.h>

#include "bench/SeededDatabase.h"
#include "bench/ResidentMemory.h"
#include "bench/StallMeter.h"

#include <algorithm>
#include <cstdio>
#include <vector>

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

// The resident memory of the process in bytes.
struct Figures {
    std::vector<double> values;
    void add(double v) { values.push_back(v); }
    double min() const { return *std::min_element(values.begin(), values.end()); }
    double median() const
    {
        std::vector<double> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    }
};

// The fields a customer's detail is made of.
const char* const kCustomerFields[] = {"firstname", "lastname",  "company",   "address1",   "address2",
                                       "city",      "state",     "postalcode", "country",    "workphone",
                                       "homephone", "mobilphone", "faxphone"};

// Seconds of a walk of the whole table in the tag's order that reads each
// named field: numbers as numbers, texts as their bytes. With `customerField`
// each distinct customer it names is sought once in the customer table and
// the fields of its detail read.
double bareWalk(const QString& path, const char* tag, const QStringList& fields, const char* customerField,
                qint64* rows)
{
    QElapsedTimer timer;
    timer.start();
    DATA4* t = DB().OpenTable(path);
    if (!t)
        return 0;
    DATA4* customers = customerField ? DB().OpenTable(DB().CustomerTable()) : nullptr;
    std::vector<FIELD4*> numbers, texts, detail;
    for (const QString& name : fields) {
        FIELD4* f = d4field(t, name.toLatin1().constData());
        if (f)
            (f->type() == 'N' ? numbers : texts).push_back(f);
    }
    FIELD4* custid = customers ? d4field(t, customerField) : nullptr;
    if (customers) {
        d4tagSelect(customers, d4tag(customers, "rowid"));
        for (const char* name : kCustomerFields)
            detail.push_back(d4field(customers, name));
    }
    std::vector<bool> named;
    d4tagSelect(t, d4tag(t, tag));
    qint64 count = 0;
    long sum = 0;
    for (int rc = d4top(t); rc == 0; rc = d4skip(t, 1)) {
        ++count;
        for (FIELD4* f : numbers)
            sum += f4long(f);
        for (FIELD4* f : texts)
            sum += f4ptr(f)[0];
        if (custid) {
            const long id = f4long(custid);
            if (id > 0) {
                if (size_t(id) >= named.size())
                    named.resize(size_t(id) * 2, false);
                if (!named[size_t(id)]) {
                    named[size_t(id)] = true;
                    if (d4seekDouble(customers, double(id)) == 0)
                        for (FIELD4* f : detail)
                            sum += f4ptr(f)[0];
                }
            }
        }
    }
    if (customers)
        d4close(customers);
    d4close(t);
    *rows = count + (sum == 42 ? 0 : 0);
    return double(timer.nsecsElapsed()) / 1e9;
}

// The wait dialog's way of serving the event loop while the core runs.
class ServingProgress final : public Progress {
public:
    bool report(int) override
    {
        QCoreApplication::processEvents();
        return true;
    }
    void setMessage(const QString&) override {}
};

void measure(const char* what, qint32 reportId, const QString& path, const char* tag, const QStringList& fields,
             const char* customerField, int sortColumn, int runs)
{
    Figures seconds, bareSeconds, ratio, idle, stall, grown;
    qint64 bareRows = 0;
    int rows = 0;
    double textBytes = 0;
    for (int run = 0; run < runs; ++run) {
        const double bare = bareWalk(path, tag, fields, customerField, &bareRows);
        ReportRun core;
        NoProgress progress;
        QElapsedTimer timer;
        timer.start();
        ReportGridModel model(core.grid());
        QTableView view;
        view.setModel(&model);
        // Fitted to the first rows, as the output window fits them.
        view.horizontalHeader()->setResizeContentsPrecision(
            qMax(1, view.screen()->availableGeometry().height() / view.verticalHeader()->defaultSectionSize()));
        if (!core.LoadData(reportId) || !core.DisplayReportData(progress)) {
            std::printf("%s: the run failed\n", what);
            return;
        }
        model.reload();
        view.resizeColumnsToContents();
        const double taken = double(timer.nsecsElapsed()) / 1e9;
        seconds.add(taken);
        bareSeconds.add(bare);
        ratio.add(taken / bare);
        rows = core.grid().rowCount();
    }
    for (int run = 0; run < runs; ++run) {
        const qint64 before = bench::residentBytes();
        auto window = std::make_unique<frmReportDisplay>();
        window->resize(1000, 600);
        StallMeter meter;
        meter.start();
        QElapsedTimer timer;
        timer.start();
        window->Init(reportId);
        window->show();
        QCoreApplication::processEvents();
        idle.add(double(timer.nsecsElapsed()) / 1e9);
        meter.stop();
        stall.add(double(meter.longest()));
        grown.add(double(bench::residentBytes() - before));
        const ReportGrid& grid = window->run().grid();
        textBytes = 0;
        for (int r = 0; r < grid.rowCount(); ++r)
            for (int c = grid.firstDataColumn(); c < grid.columnCount(); ++c)
                textBytes += double(grid.text(r, c).size() * 2);
        if (run + 1 == runs) {
            QElapsedTimer sort;
            sort.start();
            window->SortByColumn(sortColumn);
            const qint64 sortMs = sort.elapsed();
            std::printf("%s: %d rows, texts %.1f MB (UTF-16, %.1f bytes a row); grid %.1f bytes a row; "
                        "re-sort by \"%s\" %lld ms\n",
                        what, rows, textBytes / 1e6, textBytes / rows, double(grid.bytesUsed()) / rows,
                        qPrintable(grid.column(sortColumn).heading), sortMs);
        }
        window.reset();
        QCoreApplication::processEvents();
    }
    std::printf("  core, model and view: %.2f / %.2f s (%.0f rows/s at the min); bare walk of %lld rows%s: "
                "%.2f / %.2f s; ratio %.2f / %.2f (min / median of %d runs)\n",
                seconds.min(), seconds.median(), rows / seconds.min(), bareRows,
                customerField ? " naming each distinct customer once" : "", bareSeconds.min(),
                bareSeconds.median(), ratio.min(), ratio.median(), runs);
    std::printf("  window to idle %.2f / %.2f s; longest freeze %.0f / %.0f ms; resident memory grew %.1f / %.1f MB, "
                "%.2f / %.2f of the texts\n",
                idle.min(), idle.median(), stall.min(), stall.median(), grown.min() / 1e6, grown.median() / 1e6,
                grown.min() / textBytes, grown.median() / textBytes);
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
    const int runs = std::max(1, bench::intOption(args, "--runs", 3));
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
            nullptr, 5, runs);
    measure("issues", issueReport, DB().IssuesTable(), "SUBMITDT",
            {QStringLiteral("rowid"), QStringLiteral("custid"), QStringLiteral("psid"), QStringLiteral("status"),
             QStringLiteral("submitdt"), QStringLiteral("responsedt"), QStringLiteral("assignedto")},
            "custid", 2, runs);
    DB().endSession();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory: %.1f MB\n", double(usage.ru_maxrss) / 1024.0);
    return 0;
}
