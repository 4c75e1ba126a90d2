#include "issues/IssueListFill.h"

#include "app/MainWindow.h"
#include "app/frmMain.h"
#include "common/Product.h"
#include "common/clsSystem.h"
#include "common/ui/clsSystemUI.h"
#include "common/ui/frmProgress.h"
#include "data/clsDB.h"
#include "issues/core/IssueListModel.h"

#include <QCloseEvent>
#include <QStyle>
#include <QTreeView>

#include <algorithm>

static_assert(IssueListModel::kKeyRole == clsSystemUI::kKeyRole, "the list helpers read the row keys");

IssueListFill::IssueListFill(QTreeView* lv, IssueListModel* model)
    : m_lv(lv)
    , m_model(model)
{
}

void IssueListFill::begin()
{
    m_running = true;
    m_engine = DB().CBEngine();
}

bool IssueListFill::tablesStillOpen() const { return DB().IsOpen() && DB().CBEngine() == m_engine; }

bool IssueListFill::yieldToUser(frmProgress* wait)
{
    // A walk asks every 100 records; the event loop is served when a batch
    // of rows is shown and otherwise a few milliseconds apart, which is soon
    // enough for the user and costs far less than serving it at each ask.
    if (m_model->flushSome())
        m_pacer.yieldNow();
    else
        m_pacer.yieldIfDue();
    return !(wait && wait->m_bCancel) && !m_closeAfterFill && tablesStillOpen();
}

bool IssueListFill::run(const QString& message, bool quiet, const QString& errorLabel, const Walk& walk)
{
    frmProgress* wait = nullptr;
    if (!quiet)
        SysUI().WaitDlgShow(wait, Product::name(), message, false, true);
    m_lv->setUpdatesEnabled(false);
    m_pacer = YieldPacer(kMsBetweenEvents);
    const RunError failure = walk([this, wait] { return yieldToUser(wait); });
    m_model->flush();
    m_lv->setUpdatesEnabled(true);
    if (wait)
        SysUI().WaitDlgRemove(wait);
    if (failure.isError()) {
        Sys().ShowError(errorLabel, failure);
        return false;
    }
    return true;
}

void openSelectedIssue(QTreeView* lv)
{
    const QString key = SysUI().LvGetSelectedItemKey(lv);
    if (key.isEmpty())
        return;
    if (auto* main = mainWindow())
        main->ShowIssue(key.mid(1).toInt(), -1, false, -1);
}

int listColumnsWidth(const QTreeView* lv, int windowWidth)
{
    return std::max(0, windowWidth - 2 * lv->frameWidth()
                           - lv->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, lv));
}

bool IssueListFill::putOffClose(QCloseEvent* event)
{
    if (!m_running)
        return false;
    requestClose();
    event->ignore();
    return true;
}

bool IssueListTables::open()
{
    issues = DB().OpenTable(DB().IssuesTable());
    customers = issues ? DB().OpenTable(DB().CustomerTable()) : nullptr;
    categories = customers ? DB().OpenTable(DB().CategoryTable()) : nullptr;
    if (categories)
        return true;
    for (DATA4* table : {issues, customers})
        if (table)
            d4close(table);
    issues = customers = nullptr;
    return false;
}

void IssueListTables::close(const IssueListFill& fill)
{
    if (fill.tablesStillOpen())
        for (DATA4* table : {issues, customers, categories})
            d4close(table);
    issues = customers = categories = nullptr;
}
