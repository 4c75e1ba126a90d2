#include "data/ui/clsDBUtil.h"

#include "common/PromptService.h"
#include "data/clsDB.h"
#include "data/ui/frmDBMaint.h"

#include <QPointer>

namespace {

clsDBUtil::ModalRunner g_runner;
// Kept loaded between showings; it goes with its owner.
QPointer<frmDBMaint> g_window;

} // namespace

clsDBUtil& clsDBUtil::instance()
{
    static clsDBUtil util;
    return util;
}

clsDBUtil::ModalRunner clsDBUtil::installModalRunner(ModalRunner runner)
{
    ModalRunner previous = std::move(g_runner);
    g_runner = std::move(runner);
    return previous;
}

void clsDBUtil::DlgDBMaintenance(QWidget* owner, const QList<clsDBFile>& files)
{
    if (!DB().IsOpen()) {
        MsgBox(QStringLiteral("No database is currently open. See File menu."), MsgStyle::Information,
               QStringLiteral("No Database Open"));
        return;
    }
    if (g_window && g_window->parentWidget() != owner)
        delete g_window;
    if (!g_window)
        g_window = new frmDBMaint(owner);
    g_window->Filenames(files);
    if (g_runner)
        g_runner(*g_window);
    else
        g_window->exec();
}
