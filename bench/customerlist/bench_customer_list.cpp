// bench_customer_list [--customers N] [--prefix TEXT] [--dir FOLDER] [--db FOLDER]
//
// The customer list window's fills over a database made with `bmtool seed`
// (100,000 customers unless told), each beside a bare engine walk of the same
// rows that reads the same fields through the same tag: (1) every customer
// in last-name order, (2) a prefix search on the last name. The window runs
// offscreen as a user would have it: model, wait window and yields every
// 100 rows. Prints rows per second of both, their ratio, the resident
// memory the window added per listed row and the model's own memory per row
// beside the UTF-16 size of the texts it shows, and the longest stretch the
// event loop went unserved during the fill. --db reuses a seeded database.
// Run from the build folder: bench/bench_customer_list.

#include "bench/SeededDatabase.h"
#include "bench/ResidentMemory.h"
#include "bench/StallMeter.h"
#include "common/Module1.h"
#include "common/Win1252.h"
#include "common/clsSystem.h"
#include "customers/CustomerListModel.h"
#include "customers/frmCustomerList.h"
#include "data/clsDB.h"
#include "xbase/IndexC4.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>
#include <string>

namespace {

struct Run {
    long rows = 0;
    double seconds = 0;
    double perSecond() const { return seconds > 0 ? rows / seconds : 0; }
};

// The rows the window would list, read as the window reads them (each text
// field trimmed), in tag order: every row, or those whose key begins with
// `prefix`.
Run bareWalk(const QString& prefix)
{
    clsDB& db = clsDB::instance();
    DATA4* t = db.OpenTable(db.CustomerTable());
    Run run;
    if (!t)
        return run;
    QElapsedTimer clock;
    clock.start();
    d4tagSelect(t, d4tag(t, "lastname"));
    FIELD4* rowid = d4field(t, "rowid");
    FIELD4* texts[] = {d4field(t, "lastname"), d4field(t, "firstname"), d4field(t, "company"),
                       d4field(t, "city"),     d4field(t, "workphone"), d4field(t, "custno")};
    qsizetype chars = 0;
    const auto read = [&] {
        chars += f4long(rowid) & 1;
        for (FIELD4* f : texts)
            chars += Sys().trimBlanks(Module1::FieldStr(f)).size();
        ++run.rows;
    };
    if (prefix.isEmpty()) {
        for (int rc = d4top(t); rc == 0; rc = d4skip(t, 1))
            read();
    } else {
        const std::string key = toWin1252(upperWin1252(prefix));
        for (int rc = d4seek(t, key.c_str()); rc == 0; rc = d4seekNext(t, key.c_str()))
            read();
    }
    run.seconds = clock.nsecsElapsed() / 1e9;
    d4close(t);
    if (chars < 0)
        run.rows = 0;
    return run;
}

struct Fill {
    Run run;
    long long addedBytes = 0;
    qint64 modelBytes = 0;
    qint64 textBytes = 0;   // the shown texts in UTF-16
    qint64 longestStall = 0;
};

// The window's fill of the search; the window stays open (in `keep`) so
// that its rows are still held when the memory is read.
Fill windowFill(const QString& text, std::unique_ptr<frmCustomerList>& keep)
{
    Fill fill;
    const long long before = bench::residentBytes();
    keep = std::make_unique<frmCustomerList>();
    StallMeter stalls;
    QElapsedTimer clock;
    clock.start();
    stalls.start();
    keep->Init(text, 1);
    stalls.stop();
    fill.run.seconds = clock.nsecsElapsed() / 1e9;
    fill.longestStall = stalls.longest();
    const CustomerListModel* model = keep->model();
    fill.run.rows = model->rowCount();
    fill.addedBytes = bench::residentBytes() - before;
    fill.modelBytes = model->bytesUsed();
    for (int r = 0; r < model->rowCount(); ++r)
        for (int c = 0; c < model->columnCount(); ++c)
            fill.textBytes += model->text(r, c).size() * 2;
    return fill;
}

void report(const char* what, const Fill& window, const Run& bare)
{
    std::printf("%s\n", what);
    std::printf("  rows listed:        %ld (bare walk %ld)\n", window.run.rows, bare.rows);
    std::printf("  window fill:        %.3f s, %.0f rows/s\n", window.run.seconds, window.run.perSecond());
    std::printf("  bare engine walk:   %.3f s, %.0f rows/s\n", bare.seconds, bare.perSecond());
    std::printf("  fill / walk time:   %.2f\n", bare.seconds > 0 ? window.run.seconds / bare.seconds : 0.0);
    std::printf("  memory added:       %.1f MB, %.0f bytes per listed row\n", window.addedBytes / 1048576.0,
                window.run.rows > 0 ? double(window.addedBytes) / window.run.rows : 0.0);
    const double rows = window.run.rows > 0 ? double(window.run.rows) : 1.0;
    std::printf("  model:              %.1f bytes per row, texts %.1f bytes per row (UTF-16), factor %.2f\n",
                window.modelBytes / rows, window.textBytes / rows,
                window.textBytes > 0 ? double(window.modelBytes) / double(window.textBytes) : 0.0);
    std::printf("  longest unserved stretch of the event loop: %lld ms\n", window.longestStall);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    long long customers = 100000;
    QString dir;
    QString existing;
    QString prefix = QStringLiteral("MA");
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--customers"))
            customers = args[i + 1].toLongLong();
        else if (args[i] == QLatin1String("--dir"))
            dir = args[i + 1];
        else if (args[i] == QLatin1String("--db"))
            existing = args[i + 1];
        else if (args[i] == QLatin1String("--prefix"))
            prefix = args[i + 1];
    }
    QTemporaryDir temp(dir.isEmpty() ? QDir::temp().filePath(QStringLiteral("bench_custlist-XXXXXX"))
                                     : QDir(dir).filePath(QStringLiteral("bench_custlist-XXXXXX")));
    QString folder = existing;
    if (folder.isEmpty()) {
        folder = temp.filePath(QStringLiteral("db"));
        if (!temp.isValid() || !bench::seedCustomers(folder, customers))
            return 1;
    }
    clsDB& db = clsDB::instance();
    if (!db.startSession(folder, 1000, QStringLiteral("admin")))
        return 1;

    // A first walk warms the file cache for both sides.
    (void)bareWalk(QString());
    const Run allBare = bareWalk(QString());
    const Run prefixBare = bareWalk(prefix);
    std::unique_ptr<frmCustomerList> allWindow;
    std::unique_ptr<frmCustomerList> prefixWindow;
    const Fill all = windowFill(QString(), allWindow);
    const Fill found = windowFill(prefix, prefixWindow);

    std::printf("customers: %ld\n", allBare.rows);
    report("(1) every customer, last-name order", all, allBare);
    report(qPrintable(QStringLiteral("(2) last name starts with '%1'").arg(prefix)), found, prefixBare);
    allWindow.reset();
    prefixWindow.reset();
    db.endSession();
    return all.run.rows == allBare.rows && found.run.rows == prefixBare.rows ? 0 : 1;
}
