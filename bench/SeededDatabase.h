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

} // namespace bench
