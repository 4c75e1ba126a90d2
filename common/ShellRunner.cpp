#include "common/ShellRunner.h"

#include <QProcess>

namespace ShellRunner {
namespace {

constexpr int kWaitMillis = 5000;

Runner& replacement()
{
    static Runner runner;
    return runner;
}

int runProcess(const QString& program, const QStringList& arguments)
{
    // Heap-allocated so that a helper which keeps running is not killed by
    // our leaving; it deletes itself once it finishes.
    auto* process = new QProcess;
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    process->start(program, arguments);
    if (!process->waitForStarted(kWaitMillis)) {
        delete process;
        return -1;
    }
    if (!process->waitForFinished(kWaitMillis))
        return process->state() == QProcess::Running ? 0 : -1;
    const int code = process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
    process->deleteLater();
    return code;
}

} // namespace

int run(const QString& program, const QStringList& arguments)
{
    if (replacement())
        return replacement()(program, arguments);
    return runProcess(program, arguments);
}

void setRunner(Runner runner) { replacement() = std::move(runner); }

} // namespace ShellRunner
