#include "app/EditKeyFilter.h"

#include "app/RecordWindow.h"
#include "common/ui/clsSystemUI.h"

#include <QChildEvent>
#include <QKeyEvent>
#include <QWidget>

EditKeyFilter::EditKeyFilter(QWidget* window, RecordForm& form)
    : QObject(window)
    , m_window(window)
    , m_form(form)
{
    watch(window);
}

void EditKeyFilter::watch(QObject* object)
{
    if (!object->isWidgetType())
        return;
    object->installEventFilter(this);
    for (QObject* child : object->children())
        watch(child);
}

bool EditKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::ChildAdded) {
        watch(static_cast<QChildEvent*>(event)->child());
        return false;
    }
    if ((type != QEvent::KeyPress && type != QEvent::ShortcutOverride) || !watched->isWidgetType())
        return false;
    // Popups and dialogs of the window's controls are windows of their own.
    auto* target = static_cast<QWidget*>(watched);
    if (target != m_window && !m_window->isAncestorOf(target))
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!SysUI().KeyPressedCtrlE(key->key(), key->modifiers()))
        return false;
    if (type == QEvent::KeyPress)
        m_form.editKeyPressed();
    event->accept();
    return true;
}
