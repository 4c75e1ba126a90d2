// bench_customer_names [--customers N] [--dir FOLDER]
//
// Names every customer of a database made with `bmtool seed`, as a customer
// list fill or a report run does with the customer table open: once with the
// name rule read at every lookup, once with the rule read once for the fill.
// Prints the cost per lookup of both and the time of the whole fill. Run from
// the build folder after building bmtool and the templates:
// bench/bench_customer_names.

#include "bench/SeededDatabase.h"
#include "data/ParamFlags.h"
#include "data/clsDB.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

namespace {

// The row identifiers of every customer, in record order.
std::vector<qint32> customerIds(DATA4* customers)
{
    std::vector<qint32> ids;
    FIELD4* rowid = d4field(customers, "rowid");
    for (int rc = d4top(customers); rc == 0; rc = d4skip(customers, 1))
        ids.push_back(qint32(f4long(rowid)));
    return ids;
}

// Seconds to name every customer; `once` reads the rule once for the fill.
double fill(clsDB& db, DATA4* customers, const std::vector<qint32>& ids, bool once, qsizetype* chars)
{
    QElapsedTimer clock;
    clock.start();
    const long flag = once ? CustomerNameDisplayFlag() : 0;
    for (qint32 id : ids)
        *chars += (once ? db.GetCustomername(id, customers, flag) : db.GetCustomername(id, customers)).size();
    return clock.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    long long customers = 100000;
    QString dir;
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--customers"))
            customers = args[i + 1].toLongLong();
        else if (args[i] == QLatin1String("--dir"))
            dir = args[i + 1];
    }
    QTemporaryDir temp(dir.isEmpty() ? QDir::temp().filePath(QStringLiteral("bench_names-XXXXXX"))
                                     : QDir(dir).filePath(QStringLiteral("bench_names-XXXXXX")));
    const QString folder = temp.filePath(QStringLiteral("db"));
    if (!temp.isValid() || !bench::seedCustomers(folder, customers))
        return 1;

    clsDB& db = clsDB::instance();
    if (!db.startSession(folder, 1000, QStringLiteral("admin")))
        return 1;
    DATA4* table = db.OpenTable(db.CustomerTable());
    if (!table)
        return 1;
    const std::vector<qint32> ids = customerIds(table);
    qsizetype chars = 0;
    const double perCall = fill(db, table, ids, false, &chars);
    const double perFill = fill(db, table, ids, true, &chars);
    d4close(table);
    db.endSession();
    if (ids.empty())
        return 1;
    const double n = double(ids.size());
    std::printf("customers named: %zu\n", ids.size());
    std::printf("rule read at every lookup: %.2f s, %.2f us per lookup\n", perCall, perCall * 1e6 / n);
    std::printf("rule read once per fill:   %.2f s, %.2f us per lookup\n", perFill, perFill * 1e6 / n);
    return chars > 0 ? 0 : 1;
}
