#include "common/ui/GridTabExit.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>

namespace {

bool isBacktab(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Backtab || (key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier));
}

bool isTab(const QKeyEvent* key) { return key->key() == Qt::Key_Tab && !(key->modifiers() & ~Qt::KeypadModifier); }

class GridTabExit final : public QObject {
public:
    explicit GridTabExit(QAbstractItemView* view)
        : QObject(view)
        , m_view(view)
    {
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (m_resending || watched != m_view || event->type() != QEvent::KeyPress
            || !keyLeavesGrid(m_view, static_cast<QKeyEvent*>(event)))
            return false;
        // Without cell navigation the key goes on to the window, which moves
        // the focus as from any other control.
        const auto* key = static_cast<QKeyEvent*>(event);
        m_view->setTabKeyNavigation(false);
        m_resending = true;
        QKeyEvent again(key->type(), key->key(), key->modifiers(), key->text());
        QApplication::sendEvent(m_view, &again);
        m_resending = false;
        m_view->setTabKeyNavigation(true);
        return true;
    }

private:
    QAbstractItemView* m_view;
    bool m_resending = false;
};

} // namespace

void leaveGridAtItsEnds(QAbstractItemView* view) { view->installEventFilter(new GridTabExit(view)); }

bool keyLeavesGrid(const QAbstractItemView* view, const QKeyEvent* key)
{
    const QModelIndex current = view->currentIndex();
    const QAbstractItemModel* model = view->model();
    if (isBacktab(key))
        return !current.isValid() || (current.row() == 0 && current.column() == 0);
    if (isTab(key))
        return model && current.isValid() && current.row() == model->rowCount() - 1
            && current.column() == model->columnCount() - 1;
    return false;
}
