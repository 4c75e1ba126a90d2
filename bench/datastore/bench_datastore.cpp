// bench_datastore [--customers N] [--issues M] [--dir FOLDER]
//
// Times `bmtool seed`, which saves every row through the database object, and
// then appends the very same rows to an empty database straight through the
// engine, table by table, and prints the cost per saved row of both and their
// ratio (the goal is at most 1.5). Run from the build folder after building
// bmtool and the templates: bench/bench_datastore.

#include "bench/RawAppend.h"
#include "xbase/c4.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Options {
    long long customers = 100000;
    long long issues = 1000000;
    QString dir;
};

QString tool() { return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../bin/bmtool")); }

// Runs bmtool; its output, or nullopt when it failed.
std::optional<QString> runTool(const QStringList& args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(tool(), args);
    const bool done = p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    const QString output = QString::fromLocal8Bit(p.readAll());
    std::fputs(qPrintable(output), stdout);
    return done ? std::optional<QString>(output) : std::nullopt;
}

// The seconds that bmtool seed reports for the database object's saves.
double saveSeconds(const QString& output)
{
    const QString marker = QStringLiteral("seconds in the database object's saves: ");
    const qsizetype at = output.indexOf(marker);
    return at < 0 ? -1 : output.mid(at + marker.size()).section(QLatin1Char('\n'), 0, 0).toDouble();
}

using rawappend::Row;
using rawappend::appendRows;
using rawappend::loadRows;

long recordCount(CODE4* c4, const std::string& path)
{
    DATA4* t = d4open(c4, path.c_str());
    const long n = t ? d4recCountDo(t) : -1;
    if (t)
        d4close(t);
    return n;
}

Options parse(const QStringList& args)
{
    Options o;
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--customers"))
            o.customers = args[i + 1].toLongLong();
        else if (args[i] == QLatin1String("--issues"))
            o.issues = args[i + 1].toLongLong();
        else if (args[i] == QLatin1String("--dir"))
            o.dir = args[i + 1];
    }
    return o;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const Options o = parse(app.arguments());
    QTemporaryDir temp(o.dir.isEmpty() ? QDir::temp().filePath(QStringLiteral("bench_datastore-XXXXXX"))
                                       : QDir(o.dir).filePath(QStringLiteral("bench_datastore-XXXXXX")));
    const QString seeded = temp.filePath(QStringLiteral("seeded"));
    const QString raw = temp.filePath(QStringLiteral("raw"));
    if (!temp.isValid() || !runTool({QStringLiteral("mkdb"), seeded}) || !runTool({QStringLiteral("mkdb"), raw}))
        return 1;

    QElapsedTimer clock;
    clock.start();
    const auto seedOutput = runTool({QStringLiteral("seed"), seeded, QStringLiteral("--customers"),
                                     QString::number(o.customers), QStringLiteral("--issues"),
                                     QString::number(o.issues), QStringLiteral("--seed"), QStringLiteral("1")});
    if (!seedOutput)
        return 1;
    const double seedSeconds = clock.nsecsElapsed() / 1e9;
    const double storeSeconds = saveSeconds(*seedOutput);

    CODE4* c4 = d4init_v();
    double rawSeconds = 0;
    long rows = 0;
    // The tables whose rows bmtool seed saves through record collections.
    for (const char* table : {"bccuser", "bcccust", "bcccust_ps", "bccissues", "bcciactions"}) {
        const std::string name = std::string(table) + ".dbf";
        const std::string to = QDir(raw).filePath(QString::fromStdString(name)).toStdString();
        const std::vector<Row> data =
            loadRows(c4, QDir(seeded).filePath(QString::fromStdString(name)).toStdString(), recordCount(c4, to));
        const double seconds = appendRows(c4, to, data);
        std::printf("%-12s %9zu rows  raw append %8.2f us/row\n", table, data.size(),
                    data.empty() ? 0.0 : seconds * 1e6 / double(data.size()));
        rawSeconds += seconds;
        rows += long(data.size());
    }
    d4initUndo(c4);
    if (rows == 0)
        return 1;
    const double store = storeSeconds * 1e6 / double(rows);
    const double engine = rawSeconds * 1e6 / double(rows);
    std::printf("bmtool seed, %lld customers and %lld issues: %.1f s in all\n", o.customers, o.issues, seedSeconds);
    std::printf("rows saved through the database object: %ld (users, customers, products/services, issues, actions)\n", rows);
    std::printf("data store (SaveRecord): %.1f s, %.2f us per saved row\n", storeSeconds, store);
    std::printf("engine raw append:       %.1f s, %.2f us per row\n", rawSeconds, engine);
    std::printf("ratio: %.2f (goal: at most 1.5)\n", store / engine);
    return 0;
}
