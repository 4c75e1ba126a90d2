#include "app/ModalWindows.h"

#include "common/PromptService.h"

#include <QDialog>

namespace ModalWindows {
namespace {

Runner& installed()
{
    static Runner runner;
    return runner;
}

} // namespace

Runner setRunner(Runner runner)
{
    Runner previous = std::move(installed());
    installed() = std::move(runner);
    return previous;
}

void exec(QDialog& dialog)
{
    if (installed())
        installed()(dialog);
    else
        Prompts().execDialog(&dialog);
}

} // namespace ModalWindows
