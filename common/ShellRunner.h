#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Runs the desktop's helper programs (xdg-open, xdg-email) directly with an
// argument list, never through a shell, so that no file name or address is
// ever parsed as a command.
namespace ShellRunner {

// Runs `program` found on PATH with `arguments` and returns its exit code:
// 0 when it succeeded, -1 when it could not be started or crashed. A helper
// still running after a few seconds has handed the work on and counts as 0;
// it is left to finish on its own.
int run(const QString& program, const QStringList& arguments);

// Replaces how programs are run (tests); an empty function restores the real one.
using Runner = std::function<int(const QString& program, const QStringList& arguments)>;
void setRunner(Runner runner);

} // namespace ShellRunner
