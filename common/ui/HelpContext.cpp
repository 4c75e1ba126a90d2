#include "common/ui/HelpContext.h"

#include "common/clsSystem.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace HelpContext {
namespace {

const char* const kProperty = "helpContextId";

bool isHelpKey(const QEvent* event)
{
    const auto* key = static_cast<const QKeyEvent*>(event);
    return key->key() == Qt::Key_F1 && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// F1 first asks whether a shortcut may take it; claiming it there keeps the
// main window's User Manual shortcut from answering for a window that has a
// topic of its own, and the key press that follows opens the help.
class F1Handler final : public QObject {
public:
    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if ((type != QEvent::ShortcutOverride && type != QEvent::KeyPress) || !receiver->isWidgetType()
            || !isHelpKey(event))
            return false;
        event->accept();
        if (type == QEvent::KeyPress && !static_cast<QKeyEvent*>(event)->isAutoRepeat())
            showFor(static_cast<QWidget*>(receiver));
        return true;
    }
};

QPointer<F1Handler>& handler()
{
    static QPointer<F1Handler> current;
    return current;
}

} // namespace

void set(QWidget* window, int context) { window->setProperty(kProperty, context > 0 ? context : 0); }

int of(const QWidget* widget)
{
    // A dialog stops the search: it has its own topic or none, whoever owns it.
    for (; widget; widget = widget->isWindow() ? nullptr : widget->parentWidget()) {
        const int context = widget->property(kProperty).toInt();
        if (context > 0)
            return context;
    }
    return 0;
}

void showFor(const QWidget* widget)
{
    const int context = of(widget);
    context > 0 ? Sys().ShowHelpTopic(context) : Sys().ShowHelpContents();
}

void installF1Handler()
{
    if (handler())
        return;
    handler() = new F1Handler;
    qApp->installEventFilter(handler());
}

void removeF1Handler()
{
    delete handler().data();
}

} // namespace HelpContext
