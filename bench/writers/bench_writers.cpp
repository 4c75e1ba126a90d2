// bench_writers [--customers N] [--issues M] [--dir FOLDER]
//
// Several writers on one database folder: for 1, 2, 4 and 8 processes at
// once, each a `bmtool seed` saving N customers and M issues through the
// database object into a new database, prints the rows saved per second by
// all of them together and the ratio to one writer alone. Afterwards every
// table must pass `bmtool check` and hold exactly the rows that were there
// plus the rows the writers said they saved. Fairness: every writer does
// the same work, so a writer that others kept from the locks ends last; the
// line shows when the first and the last writer ended. Run from the build
// folder after building bmtool and the templates: bench/bench_writers.

#include "xbase/c4.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

QString tool() { return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../bin/bmtool")); }

bool runTool(const QStringList& args, QString* output = nullptr)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(tool(), args);
    const bool done = p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (output)
        *output = QString::fromLocal8Bit(p.readAll());
    return done;
}

// Records in every table of the folder but the identifier table (its rows
// are counters, one per table, not rows that a writer saves).
long long recordsIn(const QString& folder)
{
    CODE4* c4 = d4init_v();
    long long n = 0;
    for (const QString& name : QDir(folder).entryList({QStringLiteral("*.dbf")}, QDir::Files)) {
        DATA4* t = d4open(c4, QDir(folder).filePath(name).toLocal8Bit().constData());
        if (!t)
            continue;
        if (!d4field(t, "lastid"))
            n += d4recCountDo(t);
        d4close(t);
    }
    d4initUndo(c4);
    return n;
}

// Tables that bmtool check finds fault with.
int faultyTables(const QString& folder)
{
    int faulty = 0;
    for (const QString& name : QDir(folder).entryList({QStringLiteral("*.dbf")}, QDir::Files)) {
        QString out;
        if (!runTool({QStringLiteral("check"), QDir(folder).filePath(name)}, &out)) {
            ++faulty;
            std::printf("  %s: %s", qPrintable(name), qPrintable(out));
        }
    }
    return faulty;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // One writer alone takes several seconds: long enough to compare.
    long long customers = 2000, issues = 10000;
    QString dir;
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--customers"))
            customers = args[i + 1].toLongLong();
        else if (args[i] == QLatin1String("--issues"))
            issues = args[i + 1].toLongLong();
        else if (args[i] == QLatin1String("--dir"))
            dir = args[i + 1];
    }
    QTemporaryDir temp(dir.isEmpty() ? QDir::tempPath() + QStringLiteral("/bench_writers_XXXXXX")
                                     : dir + QStringLiteral("/bench_writers_XXXXXX"));
    if (!temp.isValid())
        return 1;
    std::printf("writers on one database folder, each bmtool seed --customers %lld --issues %lld, shared access, "
                "the engine's journal on every save\n",
                customers, issues);
    double alone = 0;
    bool clean = true;
    for (int writers : {1, 2, 4, 8}) {
        const QString folder = temp.filePath(QStringLiteral("db%1").arg(writers));
        if (!runTool({QStringLiteral("mkdb"), folder}))
            return 1;
        const long long before = recordsIn(folder);
        std::vector<std::unique_ptr<QProcess>> procs;
        QElapsedTimer clock;
        clock.start();
        for (int w = 0; w < writers; ++w) {
            auto p = std::make_unique<QProcess>();
            p->setProcessChannelMode(QProcess::MergedChannels);
            p->start(tool(), {QStringLiteral("seed"), folder, QStringLiteral("--customers"), QString::number(customers),
                              QStringLiteral("--issues"), QString::number(issues), QStringLiteral("--seed"),
                              QString::number(w + 1)});
            procs.push_back(std::move(p));
        }
        // When each writer ended, looked at every few milliseconds.
        std::vector<double> ended(procs.size(), -1);
        for (size_t left = procs.size(); left > 0;) {
            for (size_t w = 0; w < procs.size(); ++w) {
                if (ended[w] >= 0 || (procs[w]->state() != QProcess::NotRunning && !procs[w]->waitForFinished(2)))
                    continue;
                ended[w] = double(clock.nsecsElapsed()) / 1e9;
                --left;
            }
        }
        long long saved = 0;
        bool ok = true;
        for (auto& p : procs) {
            ok = p->exitStatus() == QProcess::NormalExit && p->exitCode() == 0 && ok;
            const QString out = QString::fromLocal8Bit(p->readAll());
            const auto m = QRegularExpression(QStringLiteral("(\\d+) rows saved")).match(out);
            if (m.hasMatch())
                saved += m.captured(1).toLongLong();
            else
                std::printf("  a writer said: %s", qPrintable(out));
        }
        const double seconds = double(clock.nsecsElapsed()) / 1e9;
        const double rate = double(saved) / seconds;
        if (writers == 1)
            alone = rate;
        const long long after = recordsIn(folder);
        const int faulty = faultyTables(folder);
        clean = clean && ok && faulty == 0 && after - before == saved;
        std::printf("%d writer(s): %lld rows in %.2f s, %.0f rows/s together, %.2f x one writer; "
                    "writers ended between %.2f s and %.2f s; rows added %lld (saved %lld), tables failing check: %d%s\n",
                    writers, saved, seconds, rate, rate / alone, *std::min_element(ended.begin(), ended.end()),
                    *std::max_element(ended.begin(), ended.end()), after - before, saved, faulty, ok ? "" : " (a writer failed)");
    }
    return clean ? 0 : 1;
}
