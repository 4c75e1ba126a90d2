#pragma once

// For the benchmarks that run over a database made by `bmtool seed`: they
// run from the build folder, next to bin/bmtool.

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QStringList>

#include <cstdio>

namespace bench {

inline QString tool()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../bin/bmtool"));
}

// Runs bmtool with the arguments, passing its output on; True when it
// ended well.
inline bool runTool(const QStringList& args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(tool(), args);
    const bool done = p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    std::fputs(qPrintable(QString::fromLocal8Bit(p.readAll())), stdout);
    return done;
}

// A new database in `folder` with `customers` generated customers and no
// issues.
inline bool seedCustomers(const QString& folder, long long customers)
{
    return runTool({QStringLiteral("mkdb"), folder})
        && runTool({QStringLiteral("seed"), folder, QStringLiteral("--customers"), QString::number(customers),
                    QStringLiteral("--issues"), QStringLiteral("0")});
}

// For the benchmarks that show windows: before the application object is
// made, windows go offscreen unless a platform is set, and the program folder
// is the build's unless one is given.
inline void showOffscreenFromBuild(const char* programDir)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("BM_PROGRAM_DIR"))
        qputenv("BM_PROGRAM_DIR", programDir);
}

// The value given after `name` ("--customers 1000"), or `fallback`.
inline QString option(const QStringList& args, const char* name, const QString& fallback = QString())
{
    for (qsizetype i = 1; i + 1 < args.size(); i += 2)
        if (args.at(i) == QLatin1String(name))
            return args.at(i + 1);
    return fallback;
}

inline int intOption(const QStringList& args, const char* name, int fallback)
{
    const QString value = option(args, name);
    return value.isEmpty() ? fallback : value.toInt();
}

// A database in `folder` made by bmtool with the seed's arguments, unless the
// folder already holds `keptTable`.
inline bool seeded(const QString& folder, const QString& keptTable, const QStringList& seedArgs)
{
    if (QDir(folder).exists(keptTable))
        return true;
    return QDir().mkpath(folder) && runTool({QStringLiteral("mkdb"), folder})
        && runTool(QStringList{QStringLiteral("seed"), folder} + seedArgs);
}

} // namespace bench
