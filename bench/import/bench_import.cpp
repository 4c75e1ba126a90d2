// bench_import [--rows N] [--dir FOLDER]
//
// Imports a generated file of N customers (default 100,000; state, country
// and category drawn from a few hundred texts each) into a new database
// through the file checks and the import run, as the wizard does (wait window,
// events handled after every line), then appends the very same customer rows
// to a second new database straight through the engine. Prints rows per second
// of the checks and of the run, the ratio of the run to the raw append (goal:
// at most 3), the time of the preview fill, and the memory in use while the
// run goes on, which must not grow with the file. Run from the build folder
// after building the templates: bench/bench_import.

#include "common/ui/clsSystemUI.h"
#include "common/ui/frmProgress.h"
#include "data/clsDB.h"
#include "import/ImportRun.h"
#include "import/clsImportColDef.h"
#include "import/clsImportData.h"
#include "bench/RawAppend.h"
#include "xbase/c4.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// Resident memory now, in MB.
double residentMb()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> parts = statm.readAll().split(' ');
    return parts.size() > 1 ? parts.at(1).toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0) : -1;
}

double peakMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

bool writeFile(const QString& path, long rows)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write("CUSTOMERNUMBER,FIRSTNAME,LASTNAME,COMPANY,ADDRESSLINE1,CITY,STATE,POSTALCODE,COUNTRY,WORKPHONE,"
            "EMAILDEFAULT,CATEGORY,NOTES\r\n");
    quint32 seed = 12345;
    const auto next = [&seed](quint32 range) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % range;
    };
    for (long i = 1; i <= rows; ++i) {
        const QByteArray n = QByteArray::number(qlonglong(i));
        QByteArray line = "C" + n + ",First" + QByteArray::number(next(5000)) + ",Last" + QByteArray::number(next(20000))
                          + ",\"Company " + QByteArray::number(next(9000)) + ", Ltd\"," + QByteArray::number(next(999))
                          + " Main Street,City " + QByteArray::number(next(700)) + ",State "
                          + QByteArray::number(next(300)) + "," + QByteArray::number(10000 + next(89999))
                          + ",Country " + QByteArray::number(next(200)) + ",555-" + QByteArray::number(1000 + next(8999))
                          + ",user" + n + "@example.com,Category " + QByteArray::number(next(300))
                          + ",\"Notes of customer " + n + ", \"\"imported\"\"\"\r\n";
        if (f.write(line) != line.size())
            return false;
    }
    return true;
}

// The wait window of the run, sampling the memory in use every 10,000 lines.
class SampledProgress final : public Progress {
public:
    explicit SampledProgress(frmProgress* wait) : m_wait(wait) {}
    bool report(int percent) override
    {
        if (++m_lines % 10000 == 0)
            m_samples.push_back(residentMb());
        return m_wait->report(percent);
    }
    void setMessage(const QString& message) override { m_wait->setMessage(message); }
    const std::vector<double>& samples() const { return m_samples; }

private:
    frmProgress* m_wait;
    long m_lines = 0;
    std::vector<double> m_samples;
};

using rawappend::Row;
using rawappend::appendRows;
using rawappend::loadRows;

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (qEnvironmentVariableIsEmpty("BM_PROGRAM_DIR"))
        qputenv("BM_PROGRAM_DIR", BM_BENCH_PROGRAM_DIR);
    const QStringList args = app.arguments();
    long rows = 100000;
    QString base = QDir::tempPath();
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args.at(i) == QLatin1String("--rows"))
            rows = args.at(i + 1).toLong();
        else if (args.at(i) == QLatin1String("--dir"))
            base = args.at(i + 1);
    }
    QTemporaryDir temp(QDir(base).filePath(QStringLiteral("bench_import-XXXXXX")));
    const QString imported = temp.filePath(QStringLiteral("imported"));
    const QString raw = temp.filePath(QStringLiteral("raw"));
    const QString file = temp.filePath(QStringLiteral("customers.csv"));
    if (!temp.isValid() || !QDir().mkpath(imported) || !QDir().mkpath(raw) || !DB().NewDB(raw)
        || !DB().NewDB(imported) || !writeFile(file, rows)) {
        std::fprintf(stderr, "cannot prepare the databases and the file in %s\n", qPrintable(base));
        return 1;
    }
    if (!DB().startSession(imported, 1000, QStringLiteral("admin")))
        return 1;
    const double before = residentMb();

    // The checks.
    ImportColDefs defs;
    SetupColumns(kImportTargetCustomers, defs);
    clsImportData checker;
    QStringList headings;
    QString errors;
    qint32 rowCount = 0;
    QElapsedTimer clock;
    clock.start();
    const bool checked = checker.ValidateCols(file, defs, headings, errors)
                         && checker.ValidateRows(file, defs, headings, errors, rowCount);
    const double checkSeconds = double(clock.nsecsElapsed()) / 1e9;
    if (!checked) {
        std::fprintf(stderr, "the file failed its checks:\n%s\n", qPrintable(errors));
        return 1;
    }
    const double afterChecks = residentMb();

    // The run.
    frmProgress* wait = nullptr;
    SysUI().WaitDlgShow(wait, QStringLiteral("Import Data"), QStringLiteral("Integrating data. Please wait..."), true,
                        false);
    SampledProgress progress(wait);
    ImportRun run(kImportTargetCustomers, headings);
    QString failure;
    clock.restart();
    const bool ran = run.openTables(failure) && run.importFile(file, rowCount, progress);
    const double runSeconds = double(clock.nsecsElapsed()) / 1e9;
    SysUI().WaitDlgRemove(wait);
    const double peakAfterRun = peakMb();
    const qint32 stored = DB().GetRecCountFast(DB().CustomerTable(), QStringLiteral("rowid"));
    DB().endSession();
    if (!ran || stored != rows) {
        std::fprintf(stderr, "the run failed: %s (%d rows stored)\n", qPrintable(failure), stored);
        return 1;
    }

    // The same customer rows, appended straight through the engine.
    CODE4* c4 = d4init_v();
    const std::vector<Row> data = loadRows(c4, QDir(imported).filePath(QStringLiteral("bcccust.dbf")).toStdString());
    const double beforeAppend = residentMb();
    const double rawSeconds = appendRows(c4, QDir(raw).filePath(QStringLiteral("bcccust.dbf")).toStdString(), data);
    const double afterAppend = residentMb();
    d4initUndo(c4);

    // The preview fill, last: the grid holds every row by design.
    QTableView grid;
    clock.restart();
    SysUI().ImportLoadPreviewGrid(&grid, file, defs.names(), headings, rowCount);
    const double previewSeconds = double(clock.nsecsElapsed()) / 1e9;

    std::printf("import of %ld customers (file %.1f MB)\n", rows, double(QFileInfo(file).size()) / (1024.0 * 1024.0));
    std::printf("checks:        %7.2f s, %9.0f rows/s\n", checkSeconds, double(rows) / checkSeconds);
    std::printf("run:           %7.2f s, %9.0f rows/s\n", runSeconds, double(rows) / runSeconds);
    std::printf("raw append:    %7.2f s, %9.0f rows/s (%zu rows with their tags)\n", rawSeconds,
                double(data.size()) / rawSeconds, data.size());
    std::printf("ratio run / raw append: %.2f (goal: at most 3)\n", runSeconds / rawSeconds);
    std::printf("preview fill:  %7.2f s (%d rows in the grid)\n", previewSeconds, grid.model()->rowCount());
    std::printf("memory in use: %.1f MB before the checks, %.1f MB after them\n", before, afterChecks);
    const std::vector<double>& samples = progress.samples();
    if (!samples.empty())
        std::printf("memory in use during the run: %.1f MB at 10,000 lines, %.1f MB at %zu0,000 lines\n",
                    samples.front(), samples.back(), samples.size());
    std::printf("memory in use by the raw append (the rows held apart): %.1f MB before, %.1f MB after\n", beforeAppend,
                afterAppend);
    std::printf("peak memory after the run: %.1f MB; after the preview fill: %.1f MB\n", peakAfterRun, peakMb());
    return 0;
}
