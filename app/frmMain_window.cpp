#include "app/frmMain.h"

#include "common/ui/clsSystemUI.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

namespace {

QList<QMdiSubWindow*> shownChildren(const QMdiArea* area, bool minimized)
{
    QList<QMdiSubWindow*> result;
    const QList<QMdiSubWindow*> subs = area->subWindowList(QMdiArea::CreationOrder);
    for (QMdiSubWindow* sub : subs) {
        if (!sub->isHidden() && sub->isMinimized() == minimized)
            result.append(sub);
    }
    return result;
}

} // namespace

// Horizontal tiling stacks the windows one above the other, each as wide as
// the area; vertical tiling puts them side by side.
void frmMain::tileChildren(Qt::Orientation orientation)
{
    const QList<QMdiSubWindow*> subs = shownChildren(m_mdiArea, false);
    if (subs.isEmpty())
        return;
    const QRect area = m_mdiArea->viewport()->rect();
    const int n = int(subs.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* sub = subs.at(i);
        if (sub->isMaximized())
            sub->showNormal();
        if (orientation == Qt::Horizontal) {
            const int top = area.height() * i / n;
            sub->setGeometry(0, top, area.width(), area.height() * (i + 1) / n - top);
        } else {
            const int left = area.width() * i / n;
            sub->setGeometry(left, 0, area.width() * (i + 1) / n - left, area.height());
        }
    }
}

void frmMain::mnuWindowTH_Click() { tileChildren(Qt::Horizontal); }

void frmMain::mnuWindowTV_Click() { tileChildren(Qt::Vertical); }

void frmMain::mnuWindowCascade_Click() { m_mdiArea->cascadeSubWindows(); }

// Minimized windows line up along the bottom of the area, left to right,
// in rows upwards.
void frmMain::mnuWindowArrangeIcons_Click()
{
    const QRect area = m_mdiArea->viewport()->rect();
    int x = 0;
    int bottom = area.height();
    int rowHeight = 0;
    const QList<QMdiSubWindow*> subs = shownChildren(m_mdiArea, true);
    for (QMdiSubWindow* sub : subs) {
        const QSize size = sub->size();
        if (x > 0 && x + size.width() > area.width()) {
            x = 0;
            bottom -= rowHeight;
            rowHeight = 0;
        }
        sub->move(x, bottom - size.height());
        x += size.width();
        rowHeight = qMax(rowHeight, size.height());
    }
}

void frmMain::mnuWindowCloseAll_Click() { SysUI().UnloadAll(QStringLiteral("MAINFORM")); }

// The Window menu ends with the open child windows; choosing one brings it up.
void frmMain::fillWindowList()
{
    qDeleteAll(m_windowListActions);
    m_windowListActions.clear();
    const QList<QMdiSubWindow*> subs = m_mdiArea->subWindowList(QMdiArea::CreationOrder);
    int number = 0;
    for (QMdiSubWindow* sub : subs) {
        if (sub->isHidden())
            continue;
        ++number;
        const QString caption = QStringLiteral("&%1 %2").arg(number).arg(sub->windowTitle());
        QAction* action = m_windowMenu->addAction(caption);
        action->setObjectName(QStringLiteral("mnuWindowList%1").arg(number));
        action->setCheckable(true);
        action->setChecked(sub == m_mdiArea->activeSubWindow());
        QWidget* form = sub->widget();
        connect(action, &QAction::triggered, this, [this, form] { activateForm(form); });
        m_windowListActions.append(action);
    }
}
